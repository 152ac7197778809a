// CImageResizer: enlarging by weighted sampling, shrinking by box averages.
#include "CImageResizer.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

namespace {

// Sampling terms of one destination column (or row) of the enlarging path.
struct SampleTerm
{
    int first;       // cu (or cv)
    int next;        // min(cu + 1, W - 1) (or the row equivalent)
    double frac;     // du (or dv)
    double rest;     // 1 - du (or 1 - dv)
};

// Terms for count destination positions over a source side of length:
// position 0 at 0, each next one step further by repeated addition.
std::unique_ptr<SampleTerm[]> MakeSampleTerms(int count, int length, double step)
{
    std::unique_ptr<SampleTerm[]> terms(new (std::nothrow) SampleTerm[static_cast<size_t>(count) + 1]);
    if (!terms)
        return terms;
    double position = 0;
    for (int k = 0; k < count; ++k)
    {
        if (k > 0)
            position += step;
        int first = position < length - 1 ? static_cast<int>(position) : length - 1;
        SampleTerm& term = terms[k];
        term.first = first;
        term.next = first + 1 < length ? first + 1 : length - 1;
        term.frac = position - first;
        term.rest = 1 - term.frac;
    }
    return terms;
}

// One box of the shrinking path: source positions first ... last.
struct Box
{
    int first;
    int last;
};

// Boxes for count destination positions over a source side of length.
std::unique_ptr<Box[]> MakeBoxes(int count, int length, double step)
{
    std::unique_ptr<Box[]> boxes(new (std::nothrow) Box[static_cast<size_t>(count) + 1]);
    if (!boxes)
        return boxes;
    double boundary = -0.5 * step;
    int previousLast = -1;
    for (int k = 0; k < count; ++k)
    {
        boundary += step;
        // min(trunc(boundary) + 1, length - 1) without truncating huge values.
        const int last = boundary >= length - 1 ? length - 1 : static_cast<int>(boundary) + 1;
        boxes[k].first = previousLast + 1;
        boxes[k].last = last;
        previousLast = last;
    }
    return boxes;
}

} // namespace

CImageResizer::CImageResizer(double dFactor) : CImage32BitProcessor(dFactor > 1 ? 1 : 0), m_dFactor(dFactor)
{
}

CSize CImageResizer::CalcDestSize(CSize sizeSrc) const
{
    return CSize(SaturateSide(sizeSrc.cx * m_dFactor), SaturateSide(sizeSrc.cy * m_dFactor));
}

BOOL CImageResizer::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 0) || !std::isfinite(m_dFactor))
        return FALSE;
    if (m_dFactor == 1)
        return CImage32BitProcessor::ProcessPixels(pSrc, sizeSrc, pDst, sizeDst);
    if (m_dFactor > 1)
        return Enlarge(pSrc, sizeSrc, pDst, sizeDst);
    return Shrink(pSrc, sizeSrc, pDst, sizeDst);
}

BOOL CImageResizer::Enlarge(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 1) || !std::isfinite(m_dFactor) || !AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst))
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;
    if (width == 0 || height == 0)
        return TRUE;

    // sx depends on the column alone and sy on the row alone, so the repeated
    // additions are carried out once per column and once per row.
    const double step = 1 / m_dFactor;
    std::unique_ptr<SampleTerm[]> columns = MakeSampleTerms(destWidth, width, step);
    std::unique_ptr<SampleTerm[]> rows = MakeSampleTerms(destHeight, height, step);
    if (!columns || !rows)
        return FALSE;

    for (int y = 0; y < destHeight; ++y)
    {
        const SampleTerm& row = rows[y];
        const RGBX* pRow = pSrc + static_cast<size_t>(row.first) * width;
        const RGBX* pNextRow = pSrc + static_cast<size_t>(row.next) * width;
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * destWidth;
        for (int x = 0; x < destWidth; ++x)
        {
            const SampleTerm& column = columns[x];
            const RGBX& p00 = pRow[column.first];
            const RGBX& p10 = pRow[column.next];
            const RGBX& p01 = pNextRow[column.first];
            const double du = column.frac;
            const double restU = column.rest;
            const double dv = row.frac;
            const double restV = row.rest;
            RGBX& out = pDstRow[x];
            out.r = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.r + restU * p00.r + restV * p00.r + dv * p01.r)));
            out.g = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.g + restU * p00.g + restV * p00.g + dv * p01.g)));
            out.b = static_cast<BYTE>(static_cast<int>(0.5 * (du * p10.b + restU * p00.b + restV * p00.b + dv * p01.b)));
            out.x = 0;
        }
    }
    return TRUE;
}

BOOL CImageResizer::Shrink(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!(m_dFactor > 0 && m_dFactor < 1) || !AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst))
        return FALSE;
    const int width = sizeSrc.cx;
    const int height = sizeSrc.cy;
    const int destWidth = sizeDst.cx;
    const int destHeight = sizeDst.cy;

    // The boxes depend on the column alone and on the row alone (the row
    // boundaries start afresh for every column, so they are the same for all).
    const double step = 1 / m_dFactor;
    std::unique_ptr<Box[]> columns = MakeBoxes(destWidth, width, step);
    std::unique_ptr<Box[]> rows = MakeBoxes(destHeight, height, step);
    // Per source column: the channel sums over the rows of the current box.
    std::unique_ptr<std::uint32_t[]> columnSums(new (std::nothrow) std::uint32_t[static_cast<size_t>(width) * 3 + 1]);
    if (!columns || !rows || !columnSums)
        return FALSE;

    for (int y = 0; y < destHeight; ++y)
    {
        const Box& rowBox = rows[y];
        if (rowBox.first > rowBox.last)
            continue;
        for (int c = 0; c < width; ++c)
        {
            std::uint32_t sumB = 0, sumG = 0, sumR = 0;
            for (int row = rowBox.first; row <= rowBox.last; ++row)
            {
                const RGBX& p = pSrc[static_cast<size_t>(row) * width + c];
                sumB += p.b;
                sumG += p.g;
                sumR += p.r;
            }
            columnSums[3 * static_cast<size_t>(c)] = sumB;
            columnSums[3 * static_cast<size_t>(c) + 1] = sumG;
            columnSums[3 * static_cast<size_t>(c) + 2] = sumR;
        }
        const std::uint64_t rowCount = static_cast<std::uint64_t>(rowBox.last - rowBox.first + 1);
        RGBX* pDstRow = pDst + static_cast<size_t>(y) * destWidth;
        for (int x = 0; x < destWidth; ++x)
        {
            const Box& columnBox = columns[x];
            if (columnBox.first > columnBox.last)
                continue;
            std::uint64_t sumB = 0, sumG = 0, sumR = 0;
            for (int c = columnBox.first; c <= columnBox.last; ++c)
            {
                sumB += columnSums[3 * static_cast<size_t>(c)];
                sumG += columnSums[3 * static_cast<size_t>(c) + 1];
                sumR += columnSums[3 * static_cast<size_t>(c) + 2];
            }
            const std::uint64_t count = rowCount * static_cast<std::uint64_t>(columnBox.last - columnBox.first + 1);
            pDstRow[x].b = static_cast<BYTE>(sumB / count);
            pDstRow[x].g = static_cast<BYTE>(sumG / count);
            pDstRow[x].r = static_cast<BYTE>(sumR / count);
        }
    }
    return TRUE;
}
