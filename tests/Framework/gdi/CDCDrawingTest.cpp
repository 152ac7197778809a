// Tests of CDC drawing into a memory DC: solid fills, block transfers of an
// asymmetric pattern, alpha blending, pens, shapes, raster operations, text.
#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"
#include "GdiTestCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CDCDrawing, FillSolidRectColoursExactlyTheRectangle)
{
    const struct { RECT rc; COLORREF colour; } cases[] = {
        { { 0, 0, 1, 1 }, RGB(255, 0, 0) },
        { { 3, 4, 10, 6 }, RGB(0, 255, 0) },
        { { 5, 0, 6, 20 }, RGB(0, 0, 255) },
        { { 10, 10, 20, 15 }, RGB(12, 34, 56) },
        { { 0, 0, 20, 20 }, RGB(0, 0, 0) },
        { { 2, 2, 2, 10 }, RGB(99, 99, 99) }, // empty: nothing drawn
    };
    for (const auto& c : cases) {
        GdiTestCanvas canvas(20, 20, RGB(255, 255, 255));
        ASSERT_TRUE(canvas.IsValid());
        canvas.DC().SetBkColor(RGB(7, 7, 7));
        canvas.DC().FillSolidRect(&c.rc, c.colour);
        const CRect rc(c.rc);
        const int area = rc.IsRectEmpty() ? 0 : rc.Width() * rc.Height();
        EXPECT_EQ(canvas.CountColor(rc.left, rc.top, rc.right, rc.bottom, c.colour), area);
        EXPECT_EQ(canvas.CountColor(0, 0, 20, 20, c.colour), area) << "nothing outside the rectangle";
        EXPECT_EQ(canvas.DC().GetBkColor(), RGB(7, 7, 7)) << "the background colour is put back";
    }

    GdiTestCanvas canvas(8, 8, RGB(255, 255, 255));
    canvas.DC().FillSolidRect(2, 3, 4, 1, RGB(1, 2, 3));
    EXPECT_EQ(canvas.CountColor(2, 3, 6, 4, RGB(1, 2, 3)), 4);
    EXPECT_EQ(canvas.CountColor(0, 0, 8, 8, RGB(1, 2, 3)), 4);
}

TEST(CDCDrawing, BitBltCopiesExactPixelsWithOffsets)
{
    GdiTestCanvas source(9, 7, RGB(0, 0, 0));
    ASSERT_TRUE(source.IsValid());
    source.FillPattern();
    const struct { int dx, dy, w, h, sx, sy; } cases[] = {
        { 0, 0, 9, 7, 0, 0 }, // whole picture
        { 3, 2, 9, 7, 0, 0 }, // shifted destination
        { 0, 0, 5, 4, 4, 3 }, // part of the source
        { 11, 8, 2, 3, 6, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy);
        GdiTestCanvas dest(16, 12, RGB(255, 255, 255));
        ASSERT_TRUE(dest.DC().BitBlt(c.dx, c.dy, c.w, c.h, &source.DC(), c.sx, c.sy, SRCCOPY));
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool inside = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h;
                const COLORREF expected = inside ? GdiTestCanvas::PatternColor(x - c.dx + c.sx, y - c.dy + c.sy) : RGB(255, 255, 255);
                ASSERT_EQ(dest.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(CDCDrawing, BitBltRasterOperations)
{
    GdiTestCanvas source(4, 4, RGB(0x0F, 0xF0, 0x55));
    GdiTestCanvas dest(4, 4, RGB(0x33, 0x33, 0x33));
    ASSERT_TRUE(dest.DC().BitBlt(0, 0, 2, 4, &source.DC(), 0, 0, SRCINVERT));
    EXPECT_EQ(dest.Pixel(0, 0), RGB(0x0F ^ 0x33, 0xF0 ^ 0x33, 0x55 ^ 0x33));
    EXPECT_EQ(dest.Pixel(3, 3), RGB(0x33, 0x33, 0x33));
    // Raster operations without a source accept a null source DC.
    ASSERT_TRUE(dest.DC().BitBlt(2, 0, 2, 4, nullptr, 0, 0, WHITENESS));
    EXPECT_EQ(dest.Pixel(3, 3), RGB(255, 255, 255));
    ASSERT_TRUE(dest.DC().PatBlt(0, 0, 4, 1, BLACKNESS));
    EXPECT_EQ(dest.CountColor(0, 0, 4, 4, RGB(0, 0, 0)), 4);
    EXPECT_FALSE(dest.DC().BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY)) << "SRCCOPY needs a source";
}

TEST(CDCDrawing, StretchBltEnlargesEveryPixelToABlock)
{
    GdiTestCanvas source(6, 4, RGB(0, 0, 0));
    source.FillPattern();
    const struct { int factorX, factorY; } cases[] = { { 2, 2 }, { 5, 5 }, { 3, 1 }, { 1, 4 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.factorX << "x" << c.factorY);
        GdiTestCanvas dest(6 * c.factorX, 4 * c.factorY, RGB(255, 255, 255));
        dest.DC().SetStretchBltMode(COLORONCOLOR);
        EXPECT_EQ(dest.DC().GetStretchBltMode(), COLORONCOLOR);
        ASSERT_TRUE(dest.DC().StretchBlt(0, 0, dest.Width(), dest.Height(), &source.DC(), 0, 0, 6, 4, SRCCOPY));
        for (int y = 0; y < dest.Height(); ++y) {
            for (int x = 0; x < dest.Width(); ++x)
                ASSERT_EQ(dest.Pixel(x, y), GdiTestCanvas::PatternColor(x / c.factorX, y / c.factorY)) << x << "," << y;
        }
    }
}

TEST(CDCDrawing, StretchBltMirrorsWithANegativeWidth)
{
    GdiTestCanvas source(5, 3, RGB(0, 0, 0));
    source.FillPattern();
    GdiTestCanvas dest(5, 3, RGB(255, 255, 255));
    dest.DC().SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(dest.DC().StretchBlt(4, 0, -5, 3, &source.DC(), 0, 0, 5, 3, SRCCOPY));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dest.Pixel(x, y), GdiTestCanvas::PatternColor(4 - x, y)) << x << "," << y;
    }
}

int Blend(int source, int dest, int alpha)
{
    return dest + (source - dest) * alpha / 255;
}

TEST(CDCDrawing, AlphaBlendWithConstantAlpha)
{
    const struct { COLORREF source, dest; BYTE alpha; } cases[] = {
        { RGB(0, 255, 0), RGB(200, 100, 50), 127 }, // the magnifier's half-transparent green bar
        { RGB(255, 255, 255), RGB(0, 0, 0), 64 },
        { RGB(10, 20, 30), RGB(250, 240, 230), 255 },
        { RGB(10, 20, 30), RGB(250, 240, 230), 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.alpha));
        GdiTestCanvas source(7, 150, c.source);
        GdiTestCanvas dest(20, 160, c.dest);
        const BLENDFUNCTION blend = { AC_SRC_OVER, 0, c.alpha, 0 };
        ASSERT_TRUE(dest.DC().AlphaBlend(5, 4, 7, 150, &source.DC(), 0, 0, 7, 150, blend));
        const COLORREF blended = dest.Pixel(8, 80);
        EXPECT_LE(std::abs(GetRValue(blended) - Blend(GetRValue(c.source), GetRValue(c.dest), c.alpha)), 1);
        EXPECT_LE(std::abs(GetGValue(blended) - Blend(GetGValue(c.source), GetGValue(c.dest), c.alpha)), 1);
        EXPECT_LE(std::abs(GetBValue(blended) - Blend(GetBValue(c.source), GetBValue(c.dest), c.alpha)), 1);
        EXPECT_EQ(dest.Pixel(5, 4), blended);
        EXPECT_EQ(dest.Pixel(11, 153), blended);
        EXPECT_EQ(dest.Pixel(4, 4), c.dest) << "left of the bar";
        EXPECT_EQ(dest.Pixel(12, 4), c.dest) << "right of the bar";
        EXPECT_EQ(dest.Pixel(5, 154), c.dest) << "below the bar";
    }
    GdiTestCanvas dest(4, 4, RGB(1, 1, 1));
    const BLENDFUNCTION blend = { AC_SRC_OVER, 0, 127, 0 };
    EXPECT_FALSE(dest.DC().AlphaBlend(0, 0, 4, 4, nullptr, 0, 0, 4, 4, blend));
}

TEST(CDCDrawing, PenLinesExcludeTheirEndPoint)
{
    GdiTestCanvas canvas(20, 20, RGB(255, 255, 255));
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(200, 10, 20)));
    CPen* pOld = canvas.DC().SelectObject(&pen);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(canvas.DC().MoveTo(2, 5), CPoint(0, 0));
    ASSERT_TRUE(canvas.DC().LineTo(12, 5));
    EXPECT_EQ(canvas.CountColor(2, 5, 12, 6, RGB(200, 10, 20)), 10);
    EXPECT_EQ(canvas.Pixel(12, 5), RGB(255, 255, 255)) << "end point not drawn";
    EXPECT_EQ(canvas.Pixel(1, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.DC().MoveTo(CPoint(15, 1)), CPoint(12, 5)) << "the current position followed the line";
    ASSERT_TRUE(canvas.DC().LineTo(CPoint(15, 11)));
    EXPECT_EQ(canvas.CountColor(15, 0, 16, 20, RGB(200, 10, 20)), 10);

    const POINT vee[] = { { 0, 19 }, { 3, 16 }, { 6, 19 } };
    ASSERT_TRUE(canvas.DC().Polyline(vee, 3));
    EXPECT_EQ(canvas.Pixel(0, 19), RGB(200, 10, 20));
    EXPECT_EQ(canvas.Pixel(3, 16), RGB(200, 10, 20));
    EXPECT_EQ(canvas.Pixel(6, 19), RGB(255, 255, 255));
    canvas.DC().SelectObject(pOld);
}

TEST(CDCDrawing, WidePenRectangleWithNullBrushIsAHollowFrame)
{
    GdiTestCanvas canvas(60, 60, RGB(255, 255, 255));
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 4, RGB(255, 0, 0)));
    canvas.DC().SelectObject(&pen);
    canvas.DC().SelectStockObject(NULL_BRUSH);
    ASSERT_TRUE(canvas.DC().Rectangle(10, 10, 50, 40));
    EXPECT_EQ(canvas.Pixel(10, 25), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(30, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(48, 25), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(30, 38), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(30, 25), RGB(255, 255, 255)) << "inside stays";
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(55, 45), RGB(255, 255, 255));
}

TEST(CDCDrawing, NotXorPenFrameDrawnTwiceRestoresThePixels)
{
    GdiTestCanvas canvas(40, 30, RGB(0, 0, 0));
    canvas.FillPattern();
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 4, RGB(255, 0, 0)));
    CPen* pOldPen = canvas.DC().SelectObject(&pen);
    CGdiObject* pOldBrush = canvas.DC().SelectStockObject(NULL_BRUSH);
    const int oldRop = canvas.DC().SetROP2(R2_NOTXORPEN);
    EXPECT_EQ(oldRop, R2_COPYPEN);
    EXPECT_EQ(canvas.DC().GetROP2(), R2_NOTXORPEN);

    canvas.DC().Rectangle(0, 0, 9, 7);
    const COLORREF framed = canvas.Pixel(0, 3);
    const COLORREF original = GdiTestCanvas::PatternColor(0, 3);
    // NOT (pen XOR screen): red channel kept, green and blue inverted.
    EXPECT_EQ(framed, RGB(GetRValue(original), 255 - GetGValue(original), 255 - GetBValue(original)));
    canvas.DC().Rectangle(0, 0, 9, 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(canvas.Pixel(x, y), GdiTestCanvas::PatternColor(x, y)) << x << "," << y;
    }
    canvas.DC().SetROP2(oldRop);
    canvas.DC().SelectObject(pOldPen);
    canvas.DC().SelectObject(pOldBrush);
}

TEST(CDCDrawing, InvertAndFocusRectanglesUndoThemselves)
{
    GdiTestCanvas canvas(9, 7, RGB(0, 0, 0));
    canvas.FillPattern();
    const RECT rc = { 1, 1, 8, 6 };
    canvas.DC().InvertRect(&rc);
    const COLORREF p = GdiTestCanvas::PatternColor(2, 2);
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(255 - GetRValue(p), 255 - GetGValue(p), 255 - GetBValue(p)));
    EXPECT_EQ(canvas.Pixel(0, 0), GdiTestCanvas::PatternColor(0, 0));
    canvas.DC().InvertRect(&rc);
    canvas.DC().DrawFocusRect(&rc);
    int changed = 0;
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x)
            changed += canvas.Pixel(x, y) != GdiTestCanvas::PatternColor(x, y) ? 1 : 0;
    }
    EXPECT_GT(changed, 0) << "the focus rectangle shows";
    canvas.DC().DrawFocusRect(&rc);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(canvas.Pixel(x, y), GdiTestCanvas::PatternColor(x, y)) << x << "," << y;
    }
}

TEST(CDCDrawing, BrushFillsFramesAndPatterns)
{
    GdiTestCanvas canvas(24, 24, RGB(255, 255, 255));
    CBrush blue;
    ASSERT_TRUE(blue.CreateSolidBrush(RGB(0, 0, 200)));
    const RECT rc = { 2, 2, 12, 8 };
    canvas.DC().FillRect(&rc, &blue);
    EXPECT_EQ(canvas.CountColor(0, 0, 24, 24, RGB(0, 0, 200)), 60);
    CBrush green;
    ASSERT_TRUE(green.CreateSolidBrush(RGB(0, 150, 0)));
    const RECT frame = { 14, 14, 20, 18 };
    canvas.DC().FrameRect(&frame, &green);
    EXPECT_EQ(canvas.CountColor(0, 0, 24, 24, RGB(0, 150, 0)), 2 * 6 + 2 * 2);
    EXPECT_EQ(canvas.Pixel(16, 16), RGB(255, 255, 255));

    // An 8 x 8 pattern brush from a bitmap that is deleted before use.
    CBrush pattern;
    {
        GdiTestCanvas tile(8, 8, RGB(0, 0, 0));
        tile.FillPattern();
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&canvas.DC(), 8, 8));
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(&canvas.DC()));
        dc.SelectObject(&bitmap);
        ASSERT_TRUE(dc.BitBlt(0, 0, 8, 8, &tile.DC(), 0, 0, SRCCOPY));
        dc.DeleteDC();
        ASSERT_TRUE(pattern.CreatePatternBrush(&bitmap));
    }
    GdiTestCanvas tiled(16, 16, RGB(255, 255, 255));
    const RECT all = { 0, 0, 16, 16 };
    tiled.DC().FillRect(&all, &pattern);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(tiled.Pixel(x, y), GdiTestCanvas::PatternColor(x % 8, y % 8)) << x << "," << y;
    }
}

TEST(CDCDrawing, EllipseStaysInsideItsRectangle)
{
    GdiTestCanvas canvas(30, 30, RGB(255, 255, 255));
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(9, 9, 9)));
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    canvas.DC().SelectObject(&brush);
    canvas.DC().SelectObject(&pen);
    const RECT rc = { 5, 5, 25, 25 };
    ASSERT_TRUE(canvas.DC().Ellipse(&rc));
    EXPECT_EQ(canvas.Pixel(15, 15), RGB(9, 9, 9));
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 255, 255)) << "corners are outside the ellipse";
    EXPECT_EQ(canvas.Pixel(24, 24), RGB(255, 255, 255));
    EXPECT_EQ(canvas.CountColor(0, 0, 30, 5, RGB(9, 9, 9)), 0);
    EXPECT_EQ(canvas.CountColor(25, 0, 30, 30, RGB(9, 9, 9)), 0);
}

TEST(CDCDrawing, PixelsReadAndWritten)
{
    GdiTestCanvas canvas(4, 4, RGB(255, 255, 255));
    canvas.DC().SetPixel(1, 2, RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(1, 2), RGB(10, 20, 30));
    EXPECT_EQ(canvas.DC().GetPixel(1, 2), RGB(10, 20, 30));
    EXPECT_EQ(canvas.DC().GetPixel(CPoint(2, 1)), RGB(255, 255, 255));
    EXPECT_EQ(canvas.DC().GetPixel(9, 9), CLR_INVALID) << "outside the bitmap";
}

TEST(CDCDrawing, TextIsDrawnInTheTextColourAndMeasured)
{
    GdiTestCanvas canvas(200, 60, RGB(255, 255, 255));
    // Without anti-aliasing every text pixel has exactly the text colour.
    LOGFONT logFont = {};
    logFont.lfHeight = 120;
    logFont.lfQuality = NONANTIALIASED_QUALITY;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(logFont.lfFaceName, L"Tahoma");
    CFont font;
    ASSERT_TRUE(font.CreatePointFontIndirect(&logFont));
    CFont* pOldFont = canvas.DC().SelectObject(&font);
    canvas.DC().SetTextColor(RGB(0x93, 0x93, 0x93));
    EXPECT_EQ(canvas.DC().GetTextColor(), RGB(0x93, 0x93, 0x93));
    EXPECT_EQ(canvas.DC().SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(canvas.DC().GetBkMode(), TRANSPARENT);

    const CString text(L"顶点位置  ");
    const CSize extent = canvas.DC().GetTextExtent(text);
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    EXPECT_LT(canvas.DC().GetTextExtent(L"顶点", 2).cx, extent.cx);
    EXPECT_EQ(canvas.DC().GetTextExtent(L"", 0).cx, 0);
    TEXTMETRIC tm = {};
    ASSERT_TRUE(canvas.DC().GetTextMetrics(&tm));
    EXPECT_EQ(extent.cy, tm.tmHeight);

    ASSERT_TRUE(canvas.DC().TextOut(2, 2, CString(L"WWW")));
    EXPECT_GT(canvas.CountColor(0, 0, 200, 30, RGB(0x93, 0x93, 0x93)), 0);
    EXPECT_EQ(canvas.CountColor(0, 30, 200, 60, RGB(0x93, 0x93, 0x93)), 0);

    // DrawText clips to its rectangle and wraps words.
    canvas.DC().FillSolidRect(0, 0, 200, 60, RGB(255, 255, 255));
    RECT rc = { 10, 10, 60, 40 };
    const int height = canvas.DC().DrawText(CString(L"WWWW WWWW WWWW WWWW"), &rc, DT_WORDBREAK | DT_LEFT | DT_TOP);
    EXPECT_GT(height, tm.tmHeight) << "the words wrapped onto more than one line";
    int outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            if ((x < 10 || x >= 60 || y < 10 || y >= 40) && canvas.Pixel(x, y) != RGB(255, 255, 255))
                ++outside;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(canvas.CountColor(10, 10, 60, 40, RGB(0x93, 0x93, 0x93)), 0);
    EXPECT_EQ(canvas.DC().DrawText(nullptr, -1, &rc, 0), 0);
    canvas.DC().SelectObject(pOldFont);
}

} // namespace
