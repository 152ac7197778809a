// CImageSharpener: 3 x 3 sharpening over rows converted to double planes, so
// that the inner loop runs over contiguous values while every pixel's sum is
// still formed term by term in the kernel order.
#include "CImageSharpener.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// One source row as three planes of doubles (blue, green, red).
void LoadRow(const RGBX* pRow, int width, double* pPlanes)
{
    double* pBlue = pPlanes;
    double* pGreen = pPlanes + width;
    double* pRed = pPlanes + 2 * static_cast<size_t>(width);
    for (int c = 0; c < width; ++c)
    {
        pBlue[c] = pRow[c].b;
        pGreen[c] = pRow[c].g;
        pRed[c] = pRow[c].r;
    }
}

// The sharpened interior values of one channel for columns 1 ... width - 2.
void SharpenChannel(const double* up, const double* mid, const double* down, int width, double direct,
                    double diagonal, BYTE* pOut)
{
    for (int c = 1; c < width - 1; ++c)
    {
        double sum = diagonal * up[c - 1] + direct * mid[c - 1] + diagonal * down[c - 1] + direct * up[c]
                     + 2.0 * mid[c] + direct * down[c] + diagonal * up[c + 1] + direct * mid[c + 1]
                     + diagonal * down[c + 1];
        sum = sum < 0 ? 0 : sum;
        sum = sum > 255 ? 255 : sum;
        pOut[c] = static_cast<BYTE>(static_cast<int>(sum));
    }
}

} // namespace

CImageSharpener::CImageSharpener(int nFactor)
    : CImage32BitProcessor(0), m_nFactor(nFactor < 0 ? 0 : (nFactor > 10 ? 10 : nFactor))
{
}

BOOL CImageSharpener::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (m_nFactor == 0)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;

    const double e = 51 - 5 * m_nFactor;
    const double q = 1 / e;
    const double g = 1 / ((q + 1) * 4);
    const double direct = -g;
    const double diagonal = -(q * g);

    // Border rows and the first and last column of the others are copied whole.
    for (int y = 0; y < height; ++y)
    {
        const RGBX* pSrcRow = pSrc + static_cast<size_t>(y) * width;
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        if (y == 0 || y == height - 1)
        {
            std::memcpy(pDstRow, pSrcRow, static_cast<size_t>(width) * sizeof(RGBX));
        }
        else if (width > 0)
        {
            pDstRow[0] = pSrcRow[0];
            pDstRow[width - 1] = pSrcRow[width - 1];
        }
    }
    if (width < 3 || height < 3)
        return TRUE;

    // Three rolling rows of planes and one output row per channel.
    const size_t planeRow = 3 * static_cast<size_t>(width);
    std::unique_ptr<double[]> planes(new (std::nothrow) double[3 * planeRow]);
    std::unique_ptr<BYTE[]> output(new (std::nothrow) BYTE[planeRow]);
    if (!planes || !output)
        return FALSE;
    double* pUp = planes.get();
    double* pMid = pUp + planeRow;
    double* pDown = pMid + planeRow;
    LoadRow(pSrc, width, pUp);
    LoadRow(pSrc + width, width, pMid);
    BYTE* pBlue = output.get();
    BYTE* pGreen = pBlue + width;
    BYTE* pRed = pGreen + width;

    for (int y = 1; y < height - 1; ++y)
    {
        LoadRow(pSrc + static_cast<size_t>(y + 1) * width, width, pDown);
        for (int channel = 0; channel < 3; ++channel)
        {
            const size_t offset = static_cast<size_t>(channel) * width;
            SharpenChannel(pUp + offset, pMid + offset, pDown + offset, width, direct, diagonal,
                           output.get() + offset);
        }
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        for (int c = 1; c < width - 1; ++c)
        {
            pDstRow[c].b = pBlue[c];
            pDstRow[c].g = pGreen[c];
            pDstRow[c].r = pRed[c];
        }
        double* pOldUp = pUp;
        pUp = pMid;
        pMid = pDown;
        pDown = pOldUp;
    }
    return TRUE;
}
