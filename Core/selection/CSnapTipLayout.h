// CSnapTipLayout: the tip's lengths, in pixels, at the DPI of the monitor it
// is on.
#pragma once

#include "TesLibApi.h"
#include "CSize.h"

// At 96 DPI (100 %) the tip is 220 x 253. Its text band runs from 30 to 80
// below its top, in a 12-pixel (9-point) font: three lines. The magnifier is
// 200 x 150 at (10, 90) and shows the 40 x 30 pixels from (cursor x - 20,
// cursor y - 15), each as a 5 x 5 block; the cross-hair bars are 7 thick
// (the block and a pixel either side). The tip keeps 10 from the monitor's
// edges, and the overlay's tip at the top-right corner keeps a strip of 230.
//
// At another DPI every length is dpi / 96 times that, rounded, the zoom too
// (at least 1); the source is the magnifier's area divided by the zoom,
// rounded down, so that the magnifier shows whole blocks, and the offsets are
// half the source. Worked, at 144 DPI (150 %): the tip is 330 x 380, the
// band 45 to 120 in an 18-pixel font, the magnifier at (15, 135) shows
// 300 / 8 = 37 by 225 / 8 = 28 pixels at zoom 8 (296 x 224 drawn) from
// (cursor x - 18, cursor y - 14), the bars are 10 thick, the margin 15 and
// the strip 345.
class TESLIB_API CSnapTipLayout
{
public:
    explicit CSnapTipLayout(unsigned int nDpi = 96);

    CSize TipSize() const { return m_tipSize; }
    int TextTop() const { return m_nTextTop; }
    int TextBottom() const { return m_nTextBottom; }
    // The text font's height in pixels (a LOGFONT lfHeight of minus this).
    int TextPixels() const { return m_nTextPixels; }
    int MagnifierLeft() const { return m_nMagnifierLeft; }
    int MagnifierTop() const { return m_nMagnifierTop; }
    int Zoom() const { return m_nZoom; }
    // Source pixels shown; the magnifier draws Zoom() times that.
    CSize Source() const { return m_source; }
    // The cursor's pixel sits this far right and down in the source.
    CSize SourceOffset() const { return CSize(m_source.cx / 2, m_source.cy / 2); }
    int BarThickness() const { return m_nZoom + 2; }
    int Margin() const { return m_nMargin; }
    int JumpStrip() const { return m_nJumpStrip; }

private:
    CSize m_tipSize;
    int m_nTextTop;
    int m_nTextBottom;
    int m_nTextPixels;
    int m_nMagnifierLeft;
    int m_nMagnifierTop;
    int m_nZoom;
    CSize m_source;
    int m_nMargin;
    int m_nJumpStrip;
};
