// CRect: a rectangle with the platform's rules, layout-compatible with RECT.
// Right and bottom are exclusive: a rectangle is empty when it has no width or
// no height, and PtInRect excludes the right column and the bottom row.
#pragma once

#include "CPoint.h"
#include "CSize.h"

#include <algorithm>

class CRect : public RECT
{
public:
    CRect() { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
    CRect(const RECT& src) { CopyRect(&src); }
    CRect(POINT topLeft, SIZE size) { SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy); }
    CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return (right <= left || bottom <= top) ? TRUE : FALSE; }
    BOOL IsRectNull() const { return (left == 0 && top == 0 && right == 0 && bottom == 0) ? TRUE : FALSE; }
    BOOL PtInRect(POINT pt) const
    {
        return (pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom) ? TRUE : FALSE;
    }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT src) { SetRect(src->left, src->top, src->right, src->bottom); }
    BOOL EqualRect(LPCRECT other) const
    {
        return (left == other->left && top == other->top && right == other->right && bottom == other->bottom) ? TRUE
                                                                                                            : FALSE;
    }

    // Swaps the coordinates where needed so that left <= right and top <= bottom.
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }

    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT r) { InflateRect(r->left, r->top, r->right, r->bottom); }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT r) { InflateRect(-r->left, -r->top, -r->right, -r->bottom); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) { left += x; right += x; top += y; bottom += y; }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }

    // The overlap of two rectangles; no overlap gives the null rectangle and FALSE.
    BOOL IntersectRect(LPCRECT a, LPCRECT b)
    {
        CRect r(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                std::min(a->bottom, b->bottom));
        if (CRect(*a).IsRectEmpty() || CRect(*b).IsRectEmpty() || r.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        *this = r;
        return TRUE;
    }

    // The smallest rectangle holding both; empty rectangles are left out.
    BOOL UnionRect(LPCRECT a, LPCRECT b)
    {
        const bool aEmpty = CRect(*a).IsRectEmpty() != FALSE;
        const bool bEmpty = CRect(*b).IsRectEmpty() != FALSE;
        if (aEmpty && bEmpty) {
            SetRectEmpty();
            return FALSE;
        }
        if (aEmpty) {
            CopyRect(b);
        } else if (bEmpty) {
            CopyRect(a);
        } else {
            SetRect(std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom));
        }
        return TRUE;
    }

    bool operator==(const RECT& other) const { return EqualRect(&other) != FALSE; }
    bool operator!=(const RECT& other) const { return !(*this == other); }
};
