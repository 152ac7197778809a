// CImageResizer: scales a picture by a factor.
#pragma once

#include "CImage32BitProcessor.h"
#include "RowBands.h"

// Factor: m_dFactor, 1 = unchanged; m_bSmooth is 1 for factors above 1.
//
// CalcDestSize (w x h): trunc(w*f) x trunc(h*f), saturated (NaN gives a size
// no chain accepts, a negative factor a negative size).
//
// ProcessPixels: a factor <= 0, NaN or infinite gives FALSE and writes
// nothing; exactly 1 copies; above 1 Enlarge, below 1 Shrink.
//
// Enlarge (f > 1): r = 1/f. Column x samples at sx and row y at sy, both 0 for
// the first column or row and then increased by r once per column or row by
// repeated addition. Each pixel is the weighted colour of CalcWeightedColor
// (the rule in CImage32BitProcessor.h, computed by the same blend helper) at
// (sx, sy), with cu = trunc(sx) and cv = trunc(sy) taken as W - 1 and H - 1
// from the last column or row on; fourth byte 0. This rule is used whatever
// m_bSmooth says.
//
// Shrink (0 < f < 1): box averages with boundaries at half steps. r = 1/f; the
// column boundary cb starts at -0.5*r and the previous last column pe at -1.
// Per destination column: cb += r; last column xl = min(trunc(cb) + 1, W - 1);
// first column xf = pe + 1; pe = xl (also when skipped); xf > xl skips the
// column (background stays). Rows follow the same rule (rb, qe, yf, yl).
// Each of r, g, b of the destination pixel is the sum of that channel over
// columns xf ... xl and rows yf ... yl divided by their count (integer
// division); the fourth byte is not written. With f = 0.5 and W = 100 the
// column boxes are 0-2, 3-4, 5-6, ..., 97-98, 99-99.
//
// Shrinking reads each destination row from the run of source rows of its box,
// so it also reads its source in bands of rows (IRowBandReader): a chain
// shrinking a rotation never holds the whole rotated picture.
class TESLIB_API CImageResizer : public CImage32BitProcessor, public IRowBandReader
{
public:
    explicit CImageResizer(double dFactor);

    CSize CalcDestSize(CSize sizeSrc) const override;
    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

    // Bands are read when shrinking (0 < f < 1).
    BOOL ReadsRowBands(CSize sizeSrc, CSize sizeDst) const override;
    void SourceRowsOf(CSize sizeSrc, CSize sizeDst, int first, int last, int& srcFirst, int& srcLast) const override;
    BOOL ProcessFromRowBand(const RGBX* pBand, int bandFirst, CSize sizeSrc, RGBX* pDst, CSize sizeDst, int first,
                            int last) const override;

protected:
    BOOL Enlarge(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const;
    BOOL Shrink(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const;
    // Destination rows first ... last - 1 of Shrink, reading source row y at
    // pSrc + (y - srcFirstRow) * width.
    BOOL ShrinkRange(const RGBX* pSrc, int srcFirstRow, CSize sizeSrc, RGBX* pDst, CSize sizeDst, int first,
                     int last) const;

    double m_dFactor;
};
