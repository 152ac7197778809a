// Tests of the GDI object wrappers: who deletes a handle (owning objects,
// temporary wrappers, Detach), refusals that keep the held handle, and the
// typed Create... operations.
#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

bool IsAlive(HGDIOBJ hObject)
{
    return ::GetObjectType(hObject) != 0;
}

// One owning object of each class, created by its own Create... operation.
struct OwnerCase
{
    const char* name;
    DWORD objectType;
    std::function<std::unique_ptr<CGdiObject>()> make;
};

std::vector<OwnerCase> OwnerCases()
{
    return {
        { "pen", OBJ_PEN, [] { auto p = std::make_unique<CPen>(); p->CreatePen(PS_SOLID, 3, RGB(1, 2, 3)); return std::unique_ptr<CGdiObject>(std::move(p)); } },
        { "brush", OBJ_BRUSH, [] { auto p = std::make_unique<CBrush>(); p->CreateSolidBrush(RGB(4, 5, 6)); return std::unique_ptr<CGdiObject>(std::move(p)); } },
        { "font", OBJ_FONT, [] { auto p = std::make_unique<CFont>(); p->CreatePointFont(90, L"Tahoma"); return std::unique_ptr<CGdiObject>(std::move(p)); } },
        { "bitmap", OBJ_BITMAP, [] { auto p = std::make_unique<CBitmap>(); p->CreateBitmap(4, 3, 1, 32, nullptr); return std::unique_ptr<CGdiObject>(std::move(p)); } },
        { "region", OBJ_REGION, [] { auto p = std::make_unique<CRgn>(); p->CreateRectRgn(0, 0, 5, 5); return std::unique_ptr<CGdiObject>(std::move(p)); } },
        { "palette", OBJ_PAL, [] {
              auto p = std::make_unique<CPalette>();
              struct { WORD version; WORD count; PALETTEENTRY entries[2]; } pal = { 0x300, 2, { { 1, 2, 3, 0 }, { 4, 5, 6, 0 } } };
              p->CreatePalette(reinterpret_cast<const LOGPALETTE*>(&pal));
              return std::unique_ptr<CGdiObject>(std::move(p)); } },
    };
}

TEST(CGdiObject, OwningObjectDeletesItsHandleWhenDestroyed)
{
    for (const OwnerCase& c : OwnerCases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CGdiObject> owner = c.make();
        const HGDIOBJ hObject = owner->GetSafeHandle();
        ASSERT_NE(hObject, nullptr);
        EXPECT_EQ(owner->GetObjectType(), c.objectType);
        EXPECT_EQ(static_cast<DWORD>(::GetObjectType(hObject)), c.objectType);
        owner.reset();
        EXPECT_EQ(::GetObjectType(hObject), 0u);
    }
}

TEST(CGdiObject, DeleteObjectEmptiesTheWrapperAndDetachKeepsTheHandle)
{
    for (const OwnerCase& c : OwnerCases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CGdiObject> deleted = c.make();
        const HGDIOBJ hDeleted = deleted->GetSafeHandle();
        EXPECT_TRUE(deleted->DeleteObject());
        EXPECT_EQ(deleted->GetSafeHandle(), nullptr);
        EXPECT_FALSE(IsAlive(hDeleted));
        EXPECT_FALSE(deleted->DeleteObject()) << "nothing left to delete";

        std::unique_ptr<CGdiObject> detached = c.make();
        const HGDIOBJ hDetached = detached->Detach();
        EXPECT_EQ(detached->GetSafeHandle(), nullptr);
        detached.reset();
        EXPECT_TRUE(IsAlive(hDetached));
        EXPECT_TRUE(::DeleteObject(hDetached));
    }
}

TEST(CGdiObject, TemporaryWrappersNeverDeleteTheirHandles)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(9, 8, 7));
    HBITMAP hBitmap = ::CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_NE(hPen, nullptr);
    ASSERT_NE(hBitmap, nullptr);

    CPen* pPen = CPen::FromHandle(hPen);
    CBitmap* pBitmap = CBitmap::FromHandle(hBitmap);
    CGdiObject* pAny = CGdiObject::FromHandle(hPen);
    ASSERT_NE(pPen, nullptr);
    ASSERT_NE(pBitmap, nullptr);
    EXPECT_EQ(static_cast<HPEN>(*pPen), hPen);
    EXPECT_EQ(static_cast<HBITMAP>(*pBitmap), hBitmap);
    EXPECT_TRUE(pPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(pBitmap->IsKindOf(RUNTIME_CLASS(CBitmap)));
    EXPECT_FALSE(pAny->IsKindOf(RUNTIME_CLASS(CPen))) << "a plain wrapper is asked for, a plain one is made";
    EXPECT_EQ(CPen::FromHandle(hPen), pPen) << "one wrapper per handle and class until the map is emptied";
    EXPECT_EQ(CPen::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);

    CGdiObject::DeleteTempMap();
    EXPECT_TRUE(IsAlive(hPen));
    EXPECT_TRUE(IsAlive(hBitmap));

    // A wrapper made after the map was emptied wraps the same live handle.
    LOGPEN logPen = {};
    EXPECT_EQ(CPen::FromHandle(hPen)->GetLogPen(&logPen), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(logPen.lopnColor, RGB(9, 8, 7));
    CGdiObject::DeleteTempMap();
    EXPECT_TRUE(IsAlive(hPen));

    ::DeleteObject(hPen);
    ::DeleteObject(hBitmap);
}

TEST(CGdiObject, AttachAndCreateRefuseWhenAHandleIsHeld)
{
    CBrush brush;
    EXPECT_FALSE(brush.Attach(nullptr));
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(10, 20, 30)));
    const HGDIOBJ hFirst = brush.GetSafeHandle();

    HBRUSH hOther = ::CreateSolidBrush(RGB(40, 50, 60));
    EXPECT_FALSE(brush.Attach(hOther));
    EXPECT_FALSE(brush.CreateSolidBrush(RGB(70, 80, 90)));
    EXPECT_FALSE(brush.CreateStockObject(BLACK_BRUSH));
    EXPECT_EQ(brush.GetSafeHandle(), hFirst) << "the held brush is kept";
    LOGBRUSH logBrush = {};
    ASSERT_TRUE(brush.GetLogBrush(&logBrush));
    EXPECT_EQ(logBrush.lbColor, RGB(10, 20, 30));
    EXPECT_TRUE(IsAlive(hOther)) << "a refused handle is left to its owner";
    ::DeleteObject(hOther);

    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(pen.CreatePen(PS_DASH, 1, 0));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 1, 1));
    EXPECT_FALSE(rgn.CreateRectRgn(0, 0, 2, 2));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(1, 1, 1, 32, nullptr));
    EXPECT_FALSE(bitmap.CreateBitmap(2, 2, 1, 32, nullptr));
}

TEST(CGdiObject, MissingArgumentsCreateNothing)
{
    CPen pen;
    EXPECT_FALSE(pen.CreatePenIndirect(nullptr));
    CBrush brush;
    EXPECT_FALSE(brush.CreatePatternBrush(nullptr));
    CBitmap emptyBitmap;
    EXPECT_FALSE(brush.CreatePatternBrush(&emptyBitmap));
    EXPECT_FALSE(brush.CreateBrushIndirect(nullptr));
    CFont font;
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
    EXPECT_FALSE(font.CreatePointFont(90, nullptr));
    CRgn rgn;
    EXPECT_FALSE(rgn.CreateRectRgnIndirect(nullptr));
    CPalette palette;
    EXPECT_FALSE(palette.CreatePalette(nullptr));
    EXPECT_FALSE(emptyBitmap.CreateCompatibleBitmap(nullptr, 4, 4));
    for (const CGdiObject* p : std::initializer_list<const CGdiObject*>{ &pen, &brush, &font, &rgn, &palette, &emptyBitmap })
        EXPECT_EQ(p->GetSafeHandle(), nullptr);
}

TEST(CGdiObject, StockObjectsAreWrappedAndSurviveTheirWrapper)
{
    const HGDIOBJ hStock = ::GetStockObject(NULL_BRUSH);
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateStockObject(NULL_BRUSH));
        EXPECT_EQ(brush.GetSafeHandle(), hStock);
    }
    EXPECT_TRUE(IsAlive(hStock));
    LOGBRUSH logBrush = {};
    ASSERT_TRUE(::GetObjectW(hStock, sizeof(logBrush), &logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_NULL));
}

TEST(CPen, DescribesWhatWasCreated)
{
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_DASH, 1, RGB(200, 100, 50)));
    LOGPEN logPen = {};
    ASSERT_TRUE(pen.GetLogPen(&logPen));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(logPen.lopnWidth.x, 1);
    EXPECT_EQ(logPen.lopnColor, RGB(200, 100, 50));
}

TEST(CFont, PointFontHeightFollowsTheDeviceResolution)
{
    HDC hScreen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);

    const struct { int tenths; } cases[] = { { 90 }, { 120 }, { 85 }, { 720 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tenths);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(c.tenths, L"宋体"));
        LOGFONT logFont = {};
        ASSERT_TRUE(font.GetLogFont(&logFont));
        EXPECT_EQ(logFont.lfHeight, -::MulDiv(dpi, c.tenths, 720));
        EXPECT_STREQ(logFont.lfFaceName, L"宋体");
    }

    // A face name longer than a LOGFONT holds is cut, not overrun.
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"An extremely long face name that does not fit in a LOGFONT"));
    LOGFONT logFont = {};
    ASSERT_TRUE(font.GetLogFont(&logFont));
    EXPECT_EQ(wcslen(logFont.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
}

TEST(CPalette, EntriesRoundTrip)
{
    struct { WORD version; WORD count; PALETTEENTRY entries[3]; } pal = {
        0x300, 3, { { 255, 0, 0, 0 }, { 0, 128, 0, 0 }, { 10, 20, 250, 0 } } };
    CPalette palette;
    EXPECT_EQ(palette.GetEntryCount(), 0);
    ASSERT_TRUE(palette.CreatePalette(reinterpret_cast<const LOGPALETTE*>(&pal)));
    EXPECT_EQ(palette.GetEntryCount(), 3);
    PALETTEENTRY entries[3] = {};
    ASSERT_EQ(palette.GetPaletteEntries(0, 3, entries), 3u);
    EXPECT_EQ(entries[2].peRed, 10);
    EXPECT_EQ(entries[2].peGreen, 20);
    EXPECT_EQ(entries[2].peBlue, 250);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 120, 5)), 1u);
    const PALETTEENTRY replacement = { 1, 2, 3, 0 };
    EXPECT_EQ(palette.SetPaletteEntries(1, 1, &replacement), 1u);
    ASSERT_EQ(palette.GetPaletteEntries(1, 1, entries), 1u);
    EXPECT_EQ(entries[0].peBlue, 3);
}

} // namespace
