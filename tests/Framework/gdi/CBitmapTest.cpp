// Tests of CBitmap: creation, description, dimension, loading a bitmap
// resource with exact pixels.
#include "CBitmap.h"
#include "CDC.h"
#include "GdiTestCanvas.h"

#include <gtest/gtest.h>

namespace {

const UINT kPatternBitmapId = 101; // GdiTestResources.rc: 5 x 3, GdiTestCanvas pattern
const int kPatternWidth = 5;
const int kPatternHeight = 3;

TEST(CBitmap, CreateAndDescribe)
{
    const struct { int width, height; UINT bits; } cases[] = { { 1, 1, 1 }, { 7, 3, 32 }, { 640, 480, 32 }, { 3, 9, 8 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.bits);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(c.width, c.height, 1, c.bits, nullptr));
        BITMAP bm = {};
        EXPECT_EQ(bitmap.GetBitmap(&bm), static_cast<int>(sizeof(BITMAP)));
        EXPECT_EQ(bm.bmWidth, c.width);
        EXPECT_EQ(bm.bmHeight, c.height);
        EXPECT_EQ(bm.bmBitsPixel, c.bits);
    }
    CBitmap empty;
    BITMAP bm = {};
    EXPECT_EQ(empty.GetBitmap(&bm), 0);
    EXPECT_EQ(empty.GetBitmap(nullptr), 0);
}

TEST(CBitmap, CompatibleBitmapHasTheScreenFormat)
{
    CDC screen;
    ASSERT_TRUE(screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 33, 17));
    BITMAP bm = {};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(bm.bmWidth, 33);
    EXPECT_EQ(bm.bmHeight, 17);
    EXPECT_EQ(bm.bmBitsPixel, screen.GetDeviceCaps(BITSPIXEL));
}

TEST(CBitmap, DimensionIsStoredNotMeasured)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(10, 10, 1, 32, nullptr));
    EXPECT_EQ(bitmap.GetBitmapDimension(), CSize(0, 0));
    EXPECT_EQ(bitmap.SetBitmapDimension(254, 127), CSize(0, 0));
    EXPECT_EQ(bitmap.GetBitmapDimension(), CSize(254, 127));
    EXPECT_EQ(bitmap.SetBitmapDimension(1, 2), CSize(254, 127));
    CBitmap empty;
    EXPECT_EQ(empty.GetBitmapDimension(), CSize(0, 0));
}

TEST(CBitmap, LoadBitmapGivesTheResourcePixels)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(kPatternBitmapId));
    BITMAP bm = {};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    ASSERT_EQ(bm.bmWidth, kPatternWidth);
    ASSERT_EQ(bm.bmHeight, kPatternHeight);

    // Copy it into a DIB canvas and compare every pixel, rows in order.
    GdiTestCanvas canvas(kPatternWidth, kPatternHeight, RGB(0, 0, 0));
    ASSERT_TRUE(canvas.IsValid());
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&canvas.DC()));
    source.SelectObject(&bitmap);
    ASSERT_TRUE(canvas.DC().BitBlt(0, 0, kPatternWidth, kPatternHeight, &source, 0, 0, SRCCOPY));
    for (int y = 0; y < kPatternHeight; ++y) {
        for (int x = 0; x < kPatternWidth; ++x)
            EXPECT_EQ(canvas.Pixel(x, y), GdiTestCanvas::PatternColor(x, y)) << x << "," << y;
    }

    // The same through the module handle given explicitly, and by name.
    CBitmap byModule;
    EXPECT_TRUE(byModule.LoadBitmap(kPatternBitmapId, ::GetModuleHandleW(nullptr)));
    CBitmap byName;
    EXPECT_TRUE(byName.LoadBitmap(MAKEINTRESOURCEW(kPatternBitmapId)));
}

TEST(CBitmap, LoadBitmapFailsQuietly)
{
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4711));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
    EXPECT_FALSE(missing.LoadBitmap(static_cast<LPCTSTR>(nullptr)));

    CBitmap loaded;
    ASSERT_TRUE(loaded.LoadBitmap(kPatternBitmapId));
    const HGDIOBJ hFirst = loaded.GetSafeHandle();
    EXPECT_FALSE(loaded.LoadBitmap(kPatternBitmapId)) << "an object holding a bitmap refuses another";
    EXPECT_EQ(loaded.GetSafeHandle(), hFirst);
}

} // namespace
