// Tests of CDC itself: ownership of the DC, selection returning the previous
// object, the initial objects put back before a DC ends, saved states,
// coordinate mapping and the printing calls on a device that cannot print.
#include "CBitmap.h"
#include "CBrush.h"
#include "CDC.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"

#include <gtest/gtest.h>

namespace {

// Exposes the restoring step so that its effect can be seen on a live DC.
class RestoringDC : public CDC
{
public:
    using CDC::RestoreInitialObjects;
};

struct InitialObjects
{
    HGDIOBJ pen, brush, font, bitmap;
};

InitialObjects CurrentObjects(HDC hDC)
{
    return { ::GetCurrentObject(hDC, OBJ_PEN), ::GetCurrentObject(hDC, OBJ_BRUSH),
             ::GetCurrentObject(hDC, OBJ_FONT), ::GetCurrentObject(hDC, OBJ_BITMAP) };
}

TEST(CDC, MemoryDCIsDeletedWithItsObject)
{
    HDC hDC = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hDC = dc.GetSafeHdc();
        EXPECT_EQ(static_cast<DWORD>(::GetObjectType(hDC)), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_FALSE(dc.CreateCompatibleDC(nullptr)) << "one DC per object";
        EXPECT_EQ(dc.GetSafeHdc(), hDC);
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    hDC = dc.m_hDC;
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_EQ(::GetObjectType(hDC), 0u);
    EXPECT_FALSE(dc.DeleteDC());
}

TEST(CDC, AttachOwnsDetachAndTemporaryWrappersDoNot)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    ASSERT_NE(hDC, nullptr);
    {
        CDC dc;
        EXPECT_FALSE(dc.Attach(nullptr));
        ASSERT_TRUE(dc.Attach(hDC));
        EXPECT_FALSE(dc.Attach(hDC));
        EXPECT_EQ(dc.Detach(), hDC);
    }
    EXPECT_NE(::GetObjectType(hDC), 0u) << "a detached DC lives on";

    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hDC, hDC);
    EXPECT_EQ(CDC::FromHandle(hDC), pTemp);
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(1, 1, 1)));
    pTemp->SelectObject(&pen);
    CDC::DeleteTempMap();
    EXPECT_NE(::GetObjectType(hDC), 0u) << "a temporary wrapper never deletes its DC";
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), pen.GetSafeHandle()) << "nor changes what is selected";
    ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));

    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(hDC));
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u) << "an attached DC belongs to the object";
}

TEST(CDC, SelectObjectReturnsThePreviousObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const InitialObjects initial = CurrentObjects(dc.m_hDC);

    CPen pen1, pen2;
    ASSERT_TRUE(pen1.CreatePen(PS_SOLID, 1, RGB(1, 0, 0)));
    ASSERT_TRUE(pen2.CreatePen(PS_SOLID, 2, RGB(2, 0, 0)));
    CPen* pOldPen = dc.SelectObject(&pen1);
    ASSERT_NE(pOldPen, nullptr);
    EXPECT_EQ(pOldPen->GetSafeHandle(), initial.pen);
    EXPECT_EQ(dc.SelectObject(&pen2)->GetSafeHandle(), pen1.GetSafeHandle());
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), pen2.GetSafeHandle());

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(3, 3, 3)));
    EXPECT_EQ(dc.SelectObject(&brush)->GetSafeHandle(), initial.brush);
    EXPECT_EQ(dc.GetCurrentBrush()->GetSafeHandle(), brush.GetSafeHandle());

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    EXPECT_EQ(dc.SelectObject(&font)->GetSafeHandle(), initial.font);
    EXPECT_EQ(dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle());

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 8, 8));
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    ASSERT_NE(pOldBitmap, nullptr);
    EXPECT_EQ(pOldBitmap->GetSafeHandle(), initial.bitmap);
    EXPECT_EQ(dc.GetCurrentBitmap()->GetSafeHandle(), bitmap.GetSafeHandle());

    // Through the base class and the stock objects: the previous one each time.
    CGdiObject* pPrevious = dc.SelectObject(static_cast<CGdiObject*>(&pen1));
    ASSERT_NE(pPrevious, nullptr);
    EXPECT_EQ(pPrevious->GetSafeHandle(), pen2.GetSafeHandle());
    EXPECT_EQ(dc.SelectStockObject(NULL_PEN)->GetSafeHandle(), pen1.GetSafeHandle());
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH)->GetSafeHandle(), brush.GetSafeHandle());

    // Nothing to select: null, and nothing changes.
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    CPen empty;
    EXPECT_EQ(dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), ::GetStockObject(NULL_PEN));

    // Selecting the old objects back is the usual way to undo a selection.
    dc.SelectObject(pOldBitmap);
    EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_BITMAP), initial.bitmap);
}

TEST(CDC, InitialObjectsArePutBackBeforeTheDCEnds)
{
    RestoringDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const InitialObjects initial = CurrentObjects(dc.m_hDC);

    CPen pen1, pen2;
    CBrush brush;
    CFont font;
    CBitmap bitmap1, bitmap2;
    ASSERT_TRUE(pen1.CreatePen(PS_SOLID, 1, 0));
    ASSERT_TRUE(pen2.CreatePen(PS_SOLID, 1, 0));
    ASSERT_TRUE(brush.CreateSolidBrush(0));
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    ASSERT_TRUE(bitmap1.CreateCompatibleBitmap(&dc, 4, 4));
    ASSERT_TRUE(bitmap2.CreateCompatibleBitmap(&dc, 4, 4));
    dc.SelectObject(&pen1);
    dc.SelectObject(&pen2); // the second selection must not be taken for the initial pen
    dc.SelectObject(&brush);
    dc.SelectObject(&font);
    dc.SelectObject(&bitmap1);
    dc.SelectObject(&bitmap2);

    dc.RestoreInitialObjects();
    const InitialObjects after = CurrentObjects(dc.m_hDC);
    EXPECT_EQ(after.pen, initial.pen);
    EXPECT_EQ(after.brush, initial.brush);
    EXPECT_EQ(after.font, initial.font);
    EXPECT_EQ(after.bitmap, initial.bitmap);

    // Nothing is remembered any more: a second restore leaves a new selection.
    dc.SelectObject(&pen1);
    EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_PEN), pen1.GetSafeHandle());
    dc.RestoreInitialObjects();
    EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_PEN), initial.pen);

    // After the DC is gone every object it used can be deleted.
    dc.SelectObject(&bitmap1);
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_TRUE(bitmap1.DeleteObject());
    EXPECT_TRUE(pen1.DeleteObject());
}

TEST(CDC, ABitmapLeftSelectedIsFreedForAnotherDC)
{
    // A bitmap can be selected into one memory DC at a time.
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
    {
        CDC first;
        ASSERT_TRUE(first.CreateCompatibleDC(nullptr));
        ASSERT_NE(first.SelectObject(&bitmap), nullptr);
    }
    CDC second;
    ASSERT_TRUE(second.CreateCompatibleDC(nullptr));
    EXPECT_NE(second.SelectObject(&bitmap), nullptr);
}

TEST(CDC, SaveAndRestoreState)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    dc.SetROP2(R2_COPYPEN);
    const int saved = dc.SaveDC();
    ASSERT_GT(saved, 0);
    dc.SetTextColor(RGB(4, 5, 6));
    dc.SetBkMode(TRANSPARENT);
    dc.SetROP2(R2_NOTXORPEN);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, 0));
    const HGDIOBJ hInitialPen = dc.SelectObject(&pen)->GetSafeHandle();
    ASSERT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), hInitialPen);
    EXPECT_FALSE(dc.RestoreDC(saved + 5)) << "no such saved state";
}

TEST(CDC, DisplayDCReportsTheScreen)
{
    CDC screen;
    ASSERT_TRUE(screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr));
    EXPECT_EQ(screen.GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(screen.GetDeviceCaps(VERTRES), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(screen.GetDeviceCaps(LOGPIXELSY), 0);
    EXPECT_EQ(screen.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    CDC fails;
    EXPECT_FALSE(fails.CreateDC(L"NO SUCH DRIVER", L"NO SUCH DEVICE", nullptr, nullptr));
    EXPECT_EQ(fails.m_hDC, nullptr);
}

TEST(CDC, DeviceAndLogicalCoordinates)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.SetViewportOrg(10, 20), CPoint(0, 0));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 20));

    const struct { POINT device; POINT logical; } points[] = {
        { { 10, 20 }, { 0, 0 } }, { { 0, 0 }, { -10, -20 } }, { { 110, 70 }, { 100, 50 } } };
    for (const auto& c : points) {
        POINT p = c.device;
        ASSERT_TRUE(dc.DPtoLP(&p));
        EXPECT_EQ(CPoint(p), CPoint(c.logical));
        ASSERT_TRUE(dc.LPtoDP(&p));
        EXPECT_EQ(CPoint(p), CPoint(c.device));
    }
    RECT rc = { 10, 20, 30, 50 };
    ASSERT_TRUE(dc.DPtoLP(&rc));
    EXPECT_EQ(CRect(rc), CRect(0, 0, 20, 30));
    SIZE size = { 20, 30 };
    ASSERT_TRUE(dc.DPtoLP(&size));
    EXPECT_EQ(CSize(size), CSize(20, 30)) << "a size does not move with the origin";

    // Tenths of a millimetre, y growing upwards.
    dc.SetViewportOrg(0, 0);
    EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
    POINT p = { 100, 100 };
    ASSERT_TRUE(dc.DPtoLP(&p));
    EXPECT_GT(p.x, 0);
    EXPECT_LT(p.y, 0);
    SIZE mm = { 100, 100 };
    ASSERT_TRUE(dc.LPtoDP(&mm));
    EXPECT_GT(mm.cx, 0);
    EXPECT_LT(mm.cy, 0);
    POINT back = p;
    ASSERT_TRUE(dc.LPtoDP(&back));
    EXPECT_NEAR(back.x, 100, 1);
    EXPECT_NEAR(back.y, 100, 1);
    EXPECT_EQ(dc.SetMapMode(MM_TEXT), MM_LOMETRIC);
    EXPECT_FALSE(dc.DPtoLP(static_cast<LPPOINT>(nullptr)));
}

TEST(CDC, PrintingCallsFailOnADeviceThatCannotPrint)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_LE(dc.StartDoc(L"Voruzev"), 0);
    EXPECT_LE(dc.StartDoc(static_cast<LPDOCINFO>(nullptr)), 0);
    CDC none;
    EXPECT_LE(none.StartDoc(L"Voruzev"), 0);
}

TEST(CDC, PaletteSelectionReturnsThePreviousPalette)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HGDIOBJ hDefault = ::GetStockObject(DEFAULT_PALETTE);
    CPalette palette;
    ASSERT_TRUE(palette.CreateHalftonePalette(&dc));
    EXPECT_GT(palette.GetEntryCount(), 0);
    CPalette* pOld = dc.SelectPalette(&palette, FALSE);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(pOld->GetSafeHandle(), hDefault);
    EXPECT_EQ(dc.GetCurrentPalette()->GetSafeHandle(), palette.GetSafeHandle());
    dc.RealizePalette();
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_TRUE(palette.DeleteObject());
}

} // namespace
