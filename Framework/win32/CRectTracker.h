// CRectTracker: a rectangle on a window that the user can draw with the
// mouse (a rubber band), drawn with a frame and resize handles.
//
// Coordinates are the client coordinates of the window the tracker works on.
// m_rect may be inverted (right < left or bottom < top) while and after a
// rubber band is drawn; every query below works on its normalised form.
//
// The true rectangle is what the tracker covers on screen: m_rect normalised,
// grown by 1 on every side when a frame line is drawn (the frame lies just
// outside m_rect) and by the handle size when the handles lie outside. A
// rubber band from (100, 100) to (200, 150) with style solidLine has the true
// rectangle (99, 99, 201, 151).
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CPoint.h"
#include "CRect.h"

class CDC;
class CWnd;

class FRAMEWORK_API CRectTracker
{
public:
    // Style bits (m_nStyle).
    enum StyleFlags
    {
        solidLine = 1,      // a 1-pixel solid black frame around m_rect
        dottedLine = 2,     // a 1-pixel dotted black frame around m_rect
        resizeInside = 8,   // black square resize handles inside m_rect
        resizeOutside = 16  // the handles outside m_rect
    };

    // HitTest results: the handle under the point (corners 0-3 clockwise from
    // the top left, sides 4-7 clockwise from the top), anywhere else in the
    // true rectangle (hitMiddle), or outside it (hitNothing). Handles are
    // named after the normalised rectangle's corners and sides.
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    // Rectangle empty, no style, handle size 6.
    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    CRectTracker(const CRectTracker& other);
    CRectTracker& operator=(const CRectTracker& other);

    // Shows the band being drawn at lpRect while TrackRubberBand runs. Called
    // after every change with m_bFinalErase FALSE and once at the end with
    // m_bFinalErase TRUE. The default XORs a focus frame into pDC: it removes
    // the frame drawn last (m_rectLast) and, unless this is the final erase,
    // draws one at lpRect and remembers it. pWndClipTo (may be null) is the
    // window whose client area the drawing is clipped to; pWnd the tracked one.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Lets a subclass correct the rectangle while handle nHandle is dragged.
    // The default keeps the dragged corner from crossing the fixed one when
    // inverting is not allowed.
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    // Called after m_rect changed while tracking; rectOld is the value before.
    virtual void OnChangedRect(const CRect& rectOld);
    // Bit i set: handle i (TrackerHit 0-7) is drawn and hit-tested. The side
    // handles are left out of a side shorter than three handles.
    virtual UINT GetHandleMask() const;
    virtual ~CRectTracker();
    // Edge length of the handles for lpRect (m_rect when null): m_nHandleSize,
    // but inside handles never more than half the shorter side.
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;

    // Draws the frame and the handles the style asks for.
    void Draw(CDC* pDC) const;
    void GetTrueRect(LPRECT lpTrueRect) const;
    int HitTest(CPoint point) const;
    // Makes m_rect normalised (left <= right, top <= bottom).
    void NormalizeRect() { m_rect.NormalizeRect(); }

    // Lets the user draw a rectangle on pWnd from point (client coordinates),
    // normally while the left button is down: m_rect starts as (point, point)
    // and its second corner follows the mouse. The tracker captures the mouse
    // and runs its own message loop (other messages, paint among them, are
    // dispatched) until the left button goes up; Esc, the right button, a lost
    // capture or WM_QUIT (posted again) cancel and put m_rect back to
    // (point, point). With bAllowInvert the corner may pass to the left of or
    // above the start. TRUE when the band was accepted and its rectangle is
    // not empty; FALSE when it was cancelled, the mouse did not move, the
    // rectangle is empty, or another window holds the capture.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

    CRect m_rect;
    UINT m_nStyle;
    int m_nHandleSize;

protected:
    // The handle rectangle of handle nHandle (0-7) for the current m_rect.
    CRect GetHandleRect(int nHandle) const;

    // The rectangle DrawTrackerRect drew last, and whether that frame is
    // still on screen.
    CRect m_rectLast;
    BOOL m_bErase;
    BOOL m_bAllowInvert;
    BOOL m_bFinalErase;
};
