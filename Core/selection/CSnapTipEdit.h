// CSnapTipEdit: the tip control of the selection windows. A subclassed
// multi-line edit control that paints its own background bitmap, its text and
// a five-times magnified view of the screen around the cursor with a
// cross-hair on the cursor's pixel.
#pragma once

#include "TesLibApi.h"
#include "CImageBitmap.h"
#include "CPalette.h"
#include "CSnapTipLayout.h"
#include "CEdit.h"
#include "CFont.h"

// Layout (CSnapTipLayout, at the DPI of the monitor the tip is on; the
// lengths here are those at 96 DPI), in client coordinates (top = the client
// area's top):
//   background the tip's bitmap, stretched over the client area;
//   text       (left, top + 30) to (right, top + 80), word-wrapped, in the
//              layout's font;
//   magnifier  200 x 150 at (10, top + 90): the 40 x 30 source pixels from
//              (cursor x - 20, cursor y - 15), each drawn as a 5 x 5 block.
//              The source corner is clamped to the virtual screen's left ..
//              right and top .. bottom only, so at its top-left corner the
//              magnifier starts at that corner's pixel, and near the right or
//              bottom edge the source reaches past the screen (that part of
//              the magnifier is black).
//   cross-hair with mx = 5 * (cursor x - sx) + 9 and
//              ly = top + 90 + 5 * (cursor y - sy): a 7 x 150 bar at
//              (mx, top + 90) and a 200 x 7 bar at (10, ly - 1), pure green
//              blended at constant alpha 127, and a black 7 x 7 outline from
//              (mx, ly - 1) to (mx + 6, ly + 5) around the enlarged cursor
//              pixel. Away from the edges the cursor pixel is the block
//              (110, top + 165) to (114, top + 169).
//
// Source: in live mode the magnifier reads the source window's whole-window
// DC (the desktop's: the screen). In frozen mode it reads the picture that was
// on the clipboard when SetSourceWnd was called; the control keeps its own
// copy of that picture, so emptying the clipboard later does not affect it.
// SetFrozenSource gives it a picture to read directly instead, which the
// caller keeps alive while the control shows it.
//
// Corner jumping (real mouse moves over the control, parent covering the
// screen), on the monitor M under the cursor, in M's layout: at M's top-left
// it moves to (M.right - 230, M.top + 10) when the cursor comes within its
// size + 10 of M's top-left corner; at the top-right it moves back to
// (M.left + 10, M.top + 10) when the cursor comes within the strip
// (M.right - 230, M.top) to (M.right, M.top + its height + 10). A tip on
// another monitor moves to the same corner of M first, taking M's layout.
class TESLIB_API CSnapTipEdit : public CEdit
{
    DECLARE_DYNAMIC(CSnapTipEdit)
public:
    CSnapTipEdit();
    ~CSnapTipEdit() override;

    // The lengths it draws with; whoever places the tip sizes it to
    // GetLayout().TipSize().
    const CSnapTipLayout& GetLayout() const { return m_layout; }
    void SetLayout(const CSnapTipLayout& layout);

    // Non-zero while the control sits at the top-left corner of its parent.
    int GetAtTopLeft() const { return m_bAtTopLeft; }
    void SetAtTopLeft(int bAtTopLeft) { m_bAtTopLeft = bAtTopLeft; }

    // The window the magnifier reads (a wrapper valid for the current
    // message, see CWnd::FromHandle); null when none is set.
    CWnd* GetSourceWnd() const;
    // Sets the window to magnify and the mode: bLive non-zero reads it live,
    // 0 reads the clipboard's present picture (CF_BITMAP), copied now.
    void SetSourceWnd(CWnd* pSourceWnd, int bLive);
    // Frozen mode on picture, read where it is (no copy); its pixel (0, 0)
    // shows the screen at ptOrigin.
    void SetFrozenSource(CWnd* pSourceWnd, const CBitmap& picture, CPoint ptOrigin);

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnDestroy();

private:
    // The magnifier, cross-hair and square, read from sourceDC, whose picture
    // covers rcSourceBounds (screen coordinates) and whose (0, 0) shows the
    // screen at ptSourceOrigin.
    void DrawMagnifier(CDC& dc, CDC& sourceDC, const CRect& rcSourceBounds, CPoint ptSourceOrigin,
                       const CRect& rcClient);
    // Replaces the frozen picture with a copy of the clipboard's bitmap;
    // empty when the clipboard has none or stays held by another window for
    // 200 ms.
    void CopyClipboardPicture();

    CSnapTipLayout m_layout;
    // The text's font for m_layout, made at the first paint.
    CFont m_font;
    int m_bAtTopLeft;
    // A handle, not a CWnd pointer: the desktop's CWnd is a temporary wrapper
    // that the framework frees at idle.
    HWND m_hSourceWnd;
    CPalette m_palette;
    // The copy taken from the clipboard, and the picture frozen mode reads:
    // that copy or the caller's picture.
    CImageBitmap m_bmpFrozen;
    HBITMAP m_hFrozen;
    // Where the frozen picture's pixel (0, 0) lies on the screen.
    CPoint m_ptFrozenOrigin;
    // Bitmap resource 4002, loaded at the window's first erase.
    CBitmap m_bmpBackground;
    int m_bLive;
};
