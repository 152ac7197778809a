// Tests of CRgn: point tests at the region edges, the combine modes, refusals
// that keep the region, and clipping a DC to a region.
#include "CRgn.h"
#include "GdiTestCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(CRgn, PtInRegionIncludesLeftTopAndExcludesRightBottom)
{
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(10, 20, 30, 40));
    const struct { int x, y; BOOL inside; } cases[] = {
        { 10, 20, TRUE }, { 29, 39, TRUE }, { 20, 30, TRUE },
        { 30, 39, FALSE }, { 29, 40, FALSE }, { 9, 25, FALSE }, { 15, 19, FALSE }, { -1, -1, FALSE },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rgn.PtInRegion(c.x, c.y) != FALSE, c.inside != FALSE) << c.x << "," << c.y;
        EXPECT_EQ(rgn.PtInRegion(POINT{ c.x, c.y }) != FALSE, c.inside != FALSE) << c.x << "," << c.y;
    }
    RECT box = {};
    EXPECT_EQ(rgn.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(10, 20, 30, 40));
}

TEST(CRgn, CombineModes)
{
    // a = (0,0)-(20,20), b = (10,10)-(30,30); probes in a only, in both, in b only, in neither.
    const POINT inAOnly = { 5, 5 }, inBoth = { 15, 15 }, inBOnly = { 25, 25 }, inNeither = { 25, 5 };
    const struct { int mode; int result; bool aOnly, both, bOnly; } cases[] = {
        { RGN_AND, SIMPLEREGION, false, true, false },
        { RGN_OR, COMPLEXREGION, true, true, true },
        { RGN_XOR, COMPLEXREGION, true, false, true },
        { RGN_DIFF, COMPLEXREGION, true, false, false },
        { RGN_COPY, SIMPLEREGION, true, true, false },
    };
    CRgn a, b;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 20, 20));
    ASSERT_TRUE(b.CreateRectRgn(10, 10, 30, 30));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        CRgn result;
        ASSERT_TRUE(result.CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(result.CombineRgn(&a, &b, c.mode), c.result);
        EXPECT_EQ(result.PtInRegion(inAOnly) != FALSE, c.aOnly);
        EXPECT_EQ(result.PtInRegion(inBoth) != FALSE, c.both);
        EXPECT_EQ(result.PtInRegion(inBOnly) != FALSE, c.bOnly);
        EXPECT_FALSE(result.PtInRegion(inNeither));
    }
}

TEST(CRgn, DialogMinusTipLeavesAHole)
{
    // The repaint region of a full-screen window minus a small window on it.
    CRgn screen, tip, update;
    ASSERT_TRUE(screen.CreateRectRgn(0, 0, 1920, 1080));
    ASSERT_TRUE(tip.CreateRectRgn(10, 10, 230, 263));
    ASSERT_TRUE(update.CreateRectRgn(0, 0, 50, 50));
    EXPECT_EQ(update.CombineRgn(&screen, &tip, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(update.PtInRegion(10, 10));
    EXPECT_FALSE(update.PtInRegion(229, 262));
    EXPECT_TRUE(update.PtInRegion(230, 262));
    EXPECT_TRUE(update.PtInRegion(9, 10));
    EXPECT_TRUE(update.PtInRegion(1919, 1079));
}

TEST(CRgn, FailuresKeepTheRegion)
{
    CRgn a, result;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 5, 5));
    ASSERT_TRUE(result.CreateRectRgn(100, 100, 110, 110));
    EXPECT_EQ(result.CombineRgn(&a, nullptr, RGN_OR), ERROR);
    EXPECT_EQ(result.CombineRgn(nullptr, &a, RGN_AND), ERROR);
    CRgn empty;
    EXPECT_EQ(result.CombineRgn(&a, &empty, RGN_OR), ERROR);
    EXPECT_TRUE(result.PtInRegion(105, 105));
    EXPECT_FALSE(result.PtInRegion(1, 1));

    // A wrapper without a region cannot be combined into, set or tested.
    EXPECT_EQ(empty.CombineRgn(&a, &a, RGN_OR), ERROR);
    EXPECT_FALSE(empty.SetRectRgn(0, 0, 1, 1));
    EXPECT_FALSE(empty.PtInRegion(0, 0));
    RECT box;
    EXPECT_EQ(empty.GetRgnBox(&box), ERROR);
}

TEST(CRgn, SetRectRgnOffsetCopyAndEqual)
{
    CRgn rgn;
    const RECT rc = { 1, 2, 3, 4 };
    ASSERT_TRUE(rgn.CreateRectRgnIndirect(&rc));
    ASSERT_TRUE(rgn.SetRectRgn(50, 60, 70, 80));
    EXPECT_TRUE(rgn.PtInRegion(50, 60));
    EXPECT_FALSE(rgn.PtInRegion(1, 2));
    const RECT moved = { 0, 0, 5, 5 };
    ASSERT_TRUE(rgn.SetRectRgn(&moved));
    EXPECT_EQ(rgn.OffsetRgn(10, 20), SIMPLEREGION);
    EXPECT_TRUE(rgn.PtInRegion(10, 20));
    EXPECT_FALSE(rgn.PtInRegion(0, 0));

    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(copy.CopyRgn(&rgn), SIMPLEREGION);
    EXPECT_TRUE(copy.EqualRgn(&rgn));
    copy.OffsetRgn(1, 0);
    EXPECT_FALSE(copy.EqualRgn(&rgn));
    const RECT probe = { 12, 22, 13, 23 };
    EXPECT_TRUE(rgn.RectInRegion(&probe));
}

TEST(CRgn, ClipRegionLimitsDrawing)
{
    GdiTestCanvas canvas(40, 30, RGB(255, 255, 255));
    ASSERT_TRUE(canvas.IsValid());
    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(5, 5, 15, 10));
    EXPECT_EQ(canvas.DC().SelectClipRgn(&clip), SIMPLEREGION);
    // The DC keeps its own copy: changing the region afterwards changes nothing.
    clip.SetRectRgn(0, 0, 40, 30);
    canvas.DC().FillSolidRect(0, 0, 40, 30, RGB(1, 2, 3));
    EXPECT_EQ(canvas.CountColor(0, 0, 40, 30, RGB(1, 2, 3)), 10 * 5);
    EXPECT_EQ(canvas.CountColor(5, 5, 15, 10, RGB(1, 2, 3)), 10 * 5);

    // Selecting a region through SelectObject clips the same way.
    CRgn second;
    ASSERT_TRUE(second.CreateRectRgn(20, 20, 22, 23));
    EXPECT_EQ(canvas.DC().SelectObject(&second), SIMPLEREGION);
    canvas.DC().FillSolidRect(0, 0, 40, 30, RGB(4, 5, 6));
    EXPECT_EQ(canvas.CountColor(0, 0, 40, 30, RGB(4, 5, 6)), 2 * 3);

    // No region: no clipping.
    EXPECT_EQ(canvas.DC().SelectClipRgn(nullptr), SIMPLEREGION);
    canvas.DC().FillSolidRect(0, 0, 40, 30, RGB(7, 8, 9));
    EXPECT_EQ(canvas.CountColor(0, 0, 40, 30, RGB(7, 8, 9)), 40 * 30);

    // Intersecting with a region through the mode form.
    CRgn left, top;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 30));
    ASSERT_TRUE(top.CreateRectRgn(0, 0, 40, 10));
    canvas.DC().SelectClipRgn(&left);
    EXPECT_EQ(canvas.DC().SelectClipRgn(&top, RGN_AND), SIMPLEREGION);
    RECT box = {};
    EXPECT_EQ(canvas.DC().GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 10, 10));
}

} // namespace
