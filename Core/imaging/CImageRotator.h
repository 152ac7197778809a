// CImageRotator: turns a picture by any angle about its centre.
#pragma once

#include "CImage32BitProcessor.h"
#include "RowBands.h"

// Angle: m_dAngle in radians; positive angles turn the picture clockwise on
// screen. From whole degrees d: a value of 360 or more is reduced modulo 360,
// a negative d becomes d + 360 * ((-d - 1) / 360 + 1) (integer division, in
// 64 bits so that INT_MIN is fine), then m_dAngle = d * 3.141592653589793 / 180
// (multiplied first). From radians: while the angle is at least
// 6.283185307179586 that is subtracted, then while it is at most 0 it is
// added, so the angle lies in (0, 2*pi] and 0 is stored as 2*pi (turned like
// any other angle). Beyond 2^20 turns the angle is first reduced with fmod so
// that the loops stay short. A non-finite angle makes no valid rotation:
// CalcDestSize gives a size no chain accepts and ProcessPixels gives FALSE.
//
// CalcDestSize (w x h): an angle of exactly 0, w = 0 or h = 0 keeps the size.
// Otherwise, with C = cos, S = sin, the corners (+-w/2, +-h/2) are turned by
// x' = x*C + y*S, y' = -x*S + y*C, each product formed as (w*C)*0.5 and so on,
// every x' and y' truncated; with maxX, maxY the largest |x'|, |y'| the output
// is (2*maxX + 2) x (2*maxY + 2), computed in 64 bits and saturated.
// 100 x 50 gives 52 x 102 at 90 degrees and 108 x 108 at 45.
//
// ProcessPixels (source W x H, destination DW x DH): angle exactly 0 copies.
// Half sizes with the larger half for odd sizes: hw = DW/2 + DW%2,
// hh = DH/2 + DH%2, hsw = W/2 + W%2, hsh = H/2 + H%2. The source window about
// the centre is left = -hsw, top = -hsh, right = W - 1 - hsw,
// bottom = H - 1 - hsh, with right and bottom exclusive (a point whose
// truncated position falls in the last source column or row is never used).
// For destination row i, yy = i - hh, the row starts at A = yy*S - hw*C and
// B = yy*C + hw*S; for each column j the point moves first, by repeated
// addition: sx += C, sy -= S. With px = trunc(sx), py = trunc(sy) inside the
// window the pixel is CalcWeightedColor(source, hsw + sx, hsh + sy) when
// m_bSmooth is set, else the whole source pixel (px + hsw, py + hsh); a point
// outside leaves the background.
//
// Every destination row depends on the source alone, so the rotator also
// writes bands of rows (IRowBandWriter) for a chain that shrinks its output
// next.
class TESLIB_API CImageRotator : public CImage32BitProcessor, public IRowBandWriter
{
public:
    CImageRotator(int nDegrees, int bSmooth);
    explicit CImageRotator(double dRadians);

    CSize CalcDestSize(CSize sizeSrc) const override;
    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;
    BOOL ProcessRowBand(const RGBX* pSrc, CSize sizeSrc, RGBX* pBand, CSize sizeDst, int first,
                        int last) const override;

    double GetAngle() const { return m_dAngle; }

protected:
    double m_dAngle;
};
