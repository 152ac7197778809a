// Tests of CRect, CPoint and CSize: the platform's rectangle rules.
#include "CRect.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, EmptinessAndExclusiveEdges)
{
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect(100, 100, 50, 50).IsRectEmpty());
    EXPECT_TRUE(CRect(0, 0, 10, 0).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
    EXPECT_FALSE(r.PtInRect(CPoint(9, 25)));
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_EQ(r.Size(), CSize(20, 20));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
}

TEST(CRect, NormalizeInflateDeflateOffset)
{
    CRect r(100, 100, 50, 60);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(50, 60, 100, 100));
    r.InflateRect(5, 10);
    EXPECT_EQ(r, CRect(45, 50, 105, 110));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(46, 52, 102, 106));
    r.OffsetRect(-46, -52);
    EXPECT_EQ(r, CRect(0, 0, 56, 54));
    r.DeflateRect(CSize(28, 27));
    EXPECT_TRUE(r.IsRectEmpty());
}

TEST(CRect, IntersectAndUnion)
{
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 8)));
    EXPECT_EQ(r, CRect(0, 0, 6, 8));
    EXPECT_TRUE(r.UnionRect(CRect(), CRect(2, 2, 3, 3)));
    EXPECT_EQ(r, CRect(2, 2, 3, 3));
}

TEST(CRect, LayoutMatchesThePlatformTypes)
{
    static_assert(sizeof(CRect) == sizeof(RECT), "CRect must be a RECT");
    static_assert(sizeof(CPoint) == sizeof(POINT), "CPoint must be a POINT");
    static_assert(sizeof(CSize) == sizeof(SIZE), "CSize must be a SIZE");
    CRect r(1, 2, 3, 4);
    const RECT* raw = r;
    EXPECT_EQ(raw->left, 1);
    EXPECT_EQ(raw->bottom, 4);
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p - CPoint(1, 1), CSize(3, 4));
}

} // namespace
