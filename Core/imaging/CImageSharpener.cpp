// CImageSharpener: 3 x 3 sharpening over rows of weighted values held in
// double planes, so that the inner loop runs over contiguous values while
// every pixel's sum is still formed term by term in the kernel order; flat
// areas take the same result from a per-value table.
#include "CImageSharpener.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The weighted values of one source row: for each channel (blue, green, red)
// three planes of width doubles, the value times the diagonal weight, times
// the direct weight and times the centre weight. Every product is the same
// double the kernel sum would form on the spot; forming it once per row
// saves recomputing it for the three output rows that use it.
struct RowProducts
{
    double* pDiagonal[3];
    double* pDirect[3];
    double* pCentre[3];
};

void LoadRow(const RGBX* pRow, int width, double direct, double diagonal, const RowProducts& products)
{
    for (int c = 0; c < width; ++c)
    {
        const double values[3] = {static_cast<double>(pRow[c].b), static_cast<double>(pRow[c].g),
                                  static_cast<double>(pRow[c].r)};
        for (int channel = 0; channel < 3; ++channel)
        {
            products.pDiagonal[channel][c] = diagonal * values[channel];
            products.pDirect[channel][c] = direct * values[channel];
            products.pCentre[channel][c] = 2.0 * values[channel];
        }
    }
}

// The nine weighted values of one neighbourhood summed in the kernel order
// (column c - 1, c, c + 1; within each column row y - 1, y, y + 1), clamped
// to 0 ... 255 and truncated.
inline BYTE KernelResult(double leftUp, double leftMid, double leftDown, double up, double centre, double down,
                         double rightUp, double rightMid, double rightDown)
{
    double sum = leftUp + leftMid + leftDown + up + centre + down + rightUp + rightMid + rightDown;
    sum = sum < 0 ? 0 : sum;
    sum = sum > 255 ? 255 : sum;
    return static_cast<BYTE>(static_cast<int>(sum));
}

// The sharpened values of one channel for columns first ... last - 1
// (all inside the picture).
void SharpenChannel(const RowProducts& up, const RowProducts& mid, const RowProducts& down, int channel, int first,
                    int last, BYTE* pOut)
{
    const double* upDiagonal = up.pDiagonal[channel];
    const double* upDirect = up.pDirect[channel];
    const double* midDirect = mid.pDirect[channel];
    const double* midCentre = mid.pCentre[channel];
    const double* downDiagonal = down.pDiagonal[channel];
    const double* downDirect = down.pDirect[channel];
    for (int c = first; c < last; ++c)
        pOut[c] = KernelResult(upDiagonal[c - 1], midDirect[c - 1], downDiagonal[c - 1], upDirect[c], midCentre[c],
                               downDirect[c], upDiagonal[c + 1], midDirect[c + 1], downDiagonal[c + 1]);
}

// Where all nine values of a channel are equal (flat areas) the result
// depends on that value alone: the table holds it for every value, formed
// from the same products and the same sum as any other neighbourhood.
void MakeFlatTable(double direct, double diagonal, BYTE* pTable)
{
    for (int value = 0; value < 256; ++value)
    {
        const double v = value;
        const double d = diagonal * v;
        const double n = direct * v;
        pTable[value] = KernelResult(d, n, d, n, 2.0 * v, n, d, n, d);
    }
}

// For every interior column of a row: a word whose byte for each channel is
// zero exactly when the nine values of that channel are equal.
void FindFlatPixels(const RGBX* pAbove, const RGBX* pRow, const RGBX* pBelow, int width, std::uint32_t* pColumnDiff,
                    std::uint32_t* pFlat)
{
    for (int c = 0; c < width; ++c)
    {
        std::uint32_t above, row, below;
        std::memcpy(&above, pAbove + c, sizeof(above));
        std::memcpy(&row, pRow + c, sizeof(row));
        std::memcpy(&below, pBelow + c, sizeof(below));
        pColumnDiff[c] = (above ^ row) | (row ^ below);
    }
    for (int c = 1; c < width - 1; ++c)
    {
        std::uint32_t left, row, right;
        std::memcpy(&left, pRow + c - 1, sizeof(left));
        std::memcpy(&row, pRow + c, sizeof(row));
        std::memcpy(&right, pRow + c + 1, sizeof(right));
        pFlat[c] = pColumnDiff[c - 1] | pColumnDiff[c] | pColumnDiff[c + 1] | (left ^ row) | (row ^ right);
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

    // Three rolling rows of products, one output row per channel and the
    // flat-area marks of the current row.
    const size_t width9 = 9 * static_cast<size_t>(width);
    std::unique_ptr<double[]> planes(new (std::nothrow) double[3 * width9]);
    std::unique_ptr<BYTE[]> output(new (std::nothrow) BYTE[3 * static_cast<size_t>(width)]);
    std::unique_ptr<std::uint32_t[]> marks(new (std::nothrow) std::uint32_t[2 * static_cast<size_t>(width)]);
    if (!planes || !output || !marks)
        return FALSE;
    BYTE flatTable[256];
    MakeFlatTable(direct, diagonal, flatTable);
    RowProducts rows[3];
    for (int row = 0; row < 3; ++row)
        for (int channel = 0; channel < 3; ++channel)
        {
            double* pBase = planes.get() + row * width9 + 3 * static_cast<size_t>(channel) * width;
            rows[row].pDiagonal[channel] = pBase;
            rows[row].pDirect[channel] = pBase + width;
            rows[row].pCentre[channel] = pBase + 2 * static_cast<size_t>(width);
        }
    RowProducts* pUp = &rows[0];
    RowProducts* pMid = &rows[1];
    RowProducts* pDown = &rows[2];
    LoadRow(pSrc, width, direct, diagonal, *pUp);
    LoadRow(pSrc + width, width, direct, diagonal, *pMid);
    BYTE* pBlue = output.get();
    BYTE* pGreen = pBlue + width;
    BYTE* pRed = pGreen + width;
    std::uint32_t* pColumnDiff = marks.get();
    std::uint32_t* pFlat = pColumnDiff + width;
    // Position of each channel's byte in a pixel word (little-endian).
    const int channelShift[3] = {0, 8, 16};

    for (int y = 1; y < height - 1; ++y)
    {
        const RGBX* pRowAbove = pSrc + static_cast<size_t>(y - 1) * width;
        const RGBX* pRow = pRowAbove + width;
        LoadRow(pRow + width, width, direct, diagonal, *pDown);
        FindFlatPixels(pRowAbove, pRow, pRow + width, width, pColumnDiff, pFlat);
        for (int channel = 0; channel < 3; ++channel)
        {
            // Runs of flat pixels come from the table, the others from the sum.
            BYTE* pOut = output.get() + static_cast<size_t>(channel) * width;
            const int shift = channelShift[channel];
            int c = 1;
            while (c < width - 1)
            {
                const int runStart = c;
                if (((pFlat[c] >> shift) & 0xFF) == 0)
                {
                    for (; c < width - 1 && ((pFlat[c] >> shift) & 0xFF) == 0; ++c)
                    {
                        std::uint32_t pixel;
                        std::memcpy(&pixel, pRow + c, sizeof(pixel));
                        pOut[c] = flatTable[(pixel >> shift) & 0xFF];
                    }
                }
                else
                {
                    while (c < width - 1 && ((pFlat[c] >> shift) & 0xFF) != 0)
                        ++c;
                    SharpenChannel(*pUp, *pMid, *pDown, channel, runStart, c, pOut);
                }
            }
        }
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * width;
        for (int c = 1; c < width - 1; ++c)
        {
            pDstRow[c].b = pBlue[c];
            pDstRow[c].g = pGreen[c];
            pDstRow[c].r = pRed[c];
        }
        RowProducts* pOldUp = pUp;
        pUp = pMid;
        pMid = pDown;
        pDown = pOldUp;
    }
    return TRUE;
}
