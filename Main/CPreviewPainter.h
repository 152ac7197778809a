// CPreviewPainter: draws the main window's preview onto a device context,
// the screen's or a printer's, in the DC's own pixels.
//
// With a current picture: the preview rectangle shrunk by one pixel on each
// side is filled white and the thumbnail is drawn unscaled at (x, y); with a
// picture but no thumbnail nothing is drawn. Without a picture: the whole
// placeholder is stretched onto (left, top) with width right-left+1 and height
// bottom-top+1. The placeholder is a DIB section, so it can be selected into a
// DC compatible with a printer's as well as the screen's.
#pragma once

#include "CRect.h"
#include "PlatformTypes.h"

namespace Gdiplus {
class Image;
}

class CPreviewPainter
{
public:
    // Loads bitmap resource nID of hInstance as a DIB section (the caller
    // deletes it); null when it is missing.
    static HBITMAP LoadPlaceholder(HINSTANCE hInstance, UINT nID);

    static void Draw(HDC hDC, const CRect& rect, HBITMAP hPlaceholder,
                     Gdiplus::Image* pImage, Gdiplus::Image* pThumb, int x, int y);

private:
    static void DrawPlaceholder(HDC hDC, const CRect& rect, HBITMAP hPlaceholder);
};
