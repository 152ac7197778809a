// CSnapTipEdit: the tip control with its magnifier (see CSnapTipEdit.h).
#include "CSnapTipEdit.h"

#include <vector>

#include "CClipboardScope.h"
#include "CPaintDC.h"
#include "CScreenLayout.h"
#include "CWindowDC.h"
#include "TesLibResource.h"

namespace {

// Cross-hair bars: pure green, half transparent.
const COLORREF kBarColor = RGB(0, 255, 0);
const BYTE kBarAlpha = 127;
// The text's face; its size comes from the layout.
const wchar_t kTextFace[] = L"宋体";
// Opening the clipboard: attempts, 20 ms apart.
const int kClipboardTries = 10;

int Clamp(int nValue, int nLow, int nHigh)
{
    return nValue < nLow ? nLow : (nValue > nHigh ? nHigh : nValue);
}

} // namespace

IMPLEMENT_DYNAMIC(CSnapTipEdit, CEdit)

BEGIN_MESSAGE_MAP(CSnapTipEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSnapTipEdit::CSnapTipEdit()
    : m_bAtTopLeft(1), m_hSourceWnd(nullptr), m_hFrozen(nullptr), m_ptFrozenOrigin(0, 0), m_bLive(0)
{
}

CSnapTipEdit::~CSnapTipEdit() = default;

CWnd* CSnapTipEdit::GetSourceWnd() const
{
    return m_hSourceWnd != nullptr ? CWnd::FromHandle(m_hSourceWnd) : nullptr;
}

void CSnapTipEdit::SetSourceWnd(CWnd* pSourceWnd, int bLive)
{
    m_hSourceWnd = pSourceWnd != nullptr ? pSourceWnd->GetSafeHwnd() : nullptr;
    m_bLive = bLive;
    // The live magnifier never reads the picture, so it is only taken for
    // the frozen one.
    m_bmpFrozen.DeleteObject();
    m_hFrozen = nullptr;
    m_ptFrozenOrigin = CScreenLayout::VirtualScreen().TopLeft();
    if (!m_bLive)
        CopyClipboardPicture();
}

void CSnapTipEdit::SetFrozenSource(CWnd* pSourceWnd, const CBitmap& picture, CPoint ptOrigin)
{
    m_hSourceWnd = pSourceWnd != nullptr ? pSourceWnd->GetSafeHwnd() : nullptr;
    m_bLive = 0;
    m_bmpFrozen.DeleteObject();
    m_hFrozen = static_cast<HBITMAP>(picture.GetSafeHandle());
    m_ptFrozenOrigin = ptOrigin;
}

void CSnapTipEdit::CopyClipboardPicture()
{
    // Whoever watches the clipboard may be reading the picture that was just
    // put there: wait a little for it. The clipboard's bitmap stays the
    // clipboard's and dies at the next EmptyClipboard: keep a copy of our own.
    CClipboardScope clipboard(nullptr, kClipboardTries);
    const HBITMAP hClipboardBitmap = clipboard.GetBitmap();
    if (hClipboardBitmap != nullptr && m_bmpFrozen.CopyImage(hClipboardBitmap))
        m_hFrozen = static_cast<HBITMAP>(m_bmpFrozen.GetSafeHandle());
}

int CSnapTipEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_palette.DeleteObject();
    if (m_hSourceWnd == nullptr)
        return 0;
    // On a palette-based display the magnifier draws through a copy of the
    // system palette.
    CWindowDC dc(CWnd::FromHandle(m_hSourceWnd));
    if (dc.m_hDC == nullptr || (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) == 0)
        return 0;
    const int nBits = dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES);
    if (nBits <= 0 || nBits > 8)
        return 0;
    const UINT nEntries = 1u << nBits;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nEntries * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(nEntries);
    ::GetSystemPaletteEntries(dc.m_hDC, 0, nEntries, pLogPalette->palPalEntry);
    m_palette.CreatePalette(pLogPalette);
    return 0;
}

void CSnapTipEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CRect rcMonitor = CScreenLayout::MonitorAt(ptCursor);
    // The corners and the tip's size are those of the cursor's monitor.
    const CSnapTipLayout layout(CScreenLayout::DpiAt(ptCursor));
    const int nWidth = layout.TipSize().cx;
    const int nHeight = layout.TipSize().cy;
    const int nMargin = layout.Margin();
    // The two corners on the cursor's monitor, in screen coordinates.
    const CPoint ptTopLeft(rcMonitor.left + nMargin, rcMonitor.top + nMargin);
    const CPoint ptTopRight(rcMonitor.right - layout.JumpStrip(), rcMonitor.top + nMargin);
    int bAtTopLeft = m_bAtTopLeft;
    if (bAtTopLeft) {
        const CRect rcNear(rcMonitor.left, rcMonitor.top, rcMonitor.left + nWidth + nMargin,
                           rcMonitor.top + nHeight + nMargin);
        bAtTopLeft = rcNear.PtInRect(ptCursor) ? 0 : 1;
    } else {
        const CRect rcNear(rcMonitor.right - layout.JumpStrip(), rcMonitor.top, rcMonitor.right,
                           rcMonitor.top + nHeight + nMargin);
        bAtTopLeft = rcNear.PtInRect(ptCursor) ? 1 : 0;
    }
    // Only a parent that holds the corner (the overlay, over every monitor)
    // lets the tip jump there.
    CPoint ptPlace = bAtTopLeft ? ptTopLeft : ptTopRight;
    CWnd* pParent = GetParent();
    CRect rcParent;
    if (pParent != nullptr)
        pParent->GetWindowRect(&rcParent);
    const CRect rcPlace(ptPlace.x, ptPlace.y, ptPlace.x + nWidth, ptPlace.y + nHeight);
    CRect rcHeld;
    if (rcPlace == rcWindow) {
        m_bAtTopLeft = bAtTopLeft;
    } else if (pParent != nullptr && rcHeld.IntersectRect(&rcPlace, &rcParent) && rcHeld == rcPlace) {
        pParent->ScreenToClient(&ptPlace);
        SetLayout(layout);
        MoveWindow(ptPlace.x, ptPlace.y, nWidth, nHeight, TRUE);
        m_bAtTopLeft = bAtTopLeft;
    }
    CEdit::OnMouseMove(nFlags, point);
}

void CSnapTipEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    ::HideCaret(m_hWnd);
}

HBRUSH CSnapTipEdit::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkMode(TRANSPARENT);
    return nullptr;
}

BOOL CSnapTipEdit::OnEraseBkgnd(CDC* pDC)
{
    // No selection is ever shown, and the text always starts at its top.
    SetSel(0, 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    // Loaded once per window: the tip repaints on every mouse move.
    if (m_bmpBackground.GetSafeHandle() == nullptr)
        m_bmpBackground.LoadBitmap(IDB_SNAP_TIP_BACKGROUND);
    if (m_bmpBackground.GetSafeHandle() != nullptr) {
        CDC memDC;
        BITMAP bm = {};
        if (memDC.CreateCompatibleDC(pDC) && m_bmpBackground.GetBitmap(&bm) != 0) {
            memDC.SelectObject(&m_bmpBackground);
            const int nOldMode = pDC->SetStretchBltMode(HALFTONE);
            pDC->StretchBlt(0, 0, rcClient.Width(), rcClient.Height(), &memDC, 0, 0, bm.bmWidth, bm.bmHeight,
                            SRCCOPY);
            pDC->SetStretchBltMode(nOldMode);
        }
    }
    return TRUE;
}

void CSnapTipEdit::SetLayout(const CSnapTipLayout& layout)
{
    if (layout.TextPixels() != m_layout.TextPixels())
        m_font.DeleteObject();
    m_layout = layout;
}

void CSnapTipEdit::OnPaint()
{
    // Made once per layout: the tip repaints on every mouse move.
    if (m_font.GetSafeHandle() == nullptr) {
        LOGFONT lf = {};
        lf.lfHeight = -m_layout.TextPixels();
        lf.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynW(lf.lfFaceName, kTextFace, LF_FACESIZE);
        m_font.CreateFontIndirect(&lf);
    }
    CPaintDC dc(this);
    dc.SetBkMode(TRANSPARENT);
    if (m_font.GetSafeHandle() != nullptr)
        dc.SelectObject(&m_font);
    CRect rcClient;
    GetClientRect(&rcClient);

    CString strText;
    GetWindowText(strText);
    CRect rcText(rcClient.left, rcClient.top + m_layout.TextTop(), rcClient.right,
                 rcClient.top + m_layout.TextBottom());
    dc.DrawText(strText, &rcText, DT_WORDBREAK | DT_LEFT | DT_TOP);

    if (m_hSourceWnd == nullptr)
        return;
    if (m_bLive) {
        CWindowDC sourceDC(CWnd::FromHandle(m_hSourceWnd));
        if (sourceDC.m_hDC != nullptr)
            DrawMagnifier(dc, sourceDC, CScreenLayout::VirtualScreen(), CPoint(0, 0), rcClient);
    } else if (m_hFrozen != nullptr) {
        BITMAP bm = {};
        CDC sourceDC;
        if (::GetObjectW(m_hFrozen, sizeof(bm), &bm) != 0 && sourceDC.CreateCompatibleDC(&dc)) {
            sourceDC.SelectObject(CBitmap::FromHandle(m_hFrozen));
            CRect rcPicture(0, 0, bm.bmWidth, bm.bmHeight);
            rcPicture.OffsetRect(m_ptFrozenOrigin);
            DrawMagnifier(dc, sourceDC, rcPicture, m_ptFrozenOrigin, rcClient);
        }
    }
}

void CSnapTipEdit::DrawMagnifier(CDC& dc, CDC& sourceDC, const CRect& rcSourceBounds, CPoint ptSourceOrigin,
                                 const CRect& rcClient)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CRect rcScreen = CScreenLayout::VirtualScreen();
    const int nZoom = m_layout.Zoom();
    const CSize source = m_layout.Source();
    const int sx = Clamp(ptCursor.x - m_layout.SourceOffset().cx, rcScreen.left, rcScreen.right);
    const int sy = Clamp(ptCursor.y - m_layout.SourceOffset().cy, rcScreen.top, rcScreen.bottom);
    const int nLeft = m_layout.MagnifierLeft();
    const int nTop = rcClient.top + m_layout.MagnifierTop();
    const int nBar = m_layout.BarThickness();

    // Both contexts' palettes and pens go back when the contexts are released.
    if (m_palette.GetSafeHandle() != nullptr) {
        dc.SelectPalette(&m_palette, FALSE);
        sourceDC.SelectPalette(&m_palette, FALSE);
        sourceDC.RealizePalette();
    }

    // Near the right or bottom edge the source reaches past the picture: that
    // part is black, and only the part inside is copied (some drivers copy
    // nothing at all from a partly outside source).
    // Whole blocks, one per source pixel.
    dc.SetStretchBltMode(COLORONCOLOR);
    const CRect rcSource(sx, sy, sx + source.cx, sy + source.cy);
    CRect rcInside;
    if (rcInside.IntersectRect(&rcSource, &rcSourceBounds) == FALSE || rcInside != rcSource)
        dc.FillSolidRect(nLeft, nTop, nZoom * source.cx, nZoom * source.cy, RGB(0, 0, 0));
    if (!rcInside.IsRectEmpty())
        dc.StretchBlt(nLeft + nZoom * (rcInside.left - sx), nTop + nZoom * (rcInside.top - sy),
                      nZoom * rcInside.Width(), nZoom * rcInside.Height(), &sourceDC,
                      rcInside.left - ptSourceOrigin.x, rcInside.top - ptSourceOrigin.y, rcInside.Width(),
                      rcInside.Height(), SRCCOPY);

    // The cross-hair: a one-pixel green picture stretched over each bar.
    const int mx = nZoom * (ptCursor.x - sx) + nLeft - 1;
    const int ly = nTop + nZoom * (ptCursor.y - sy);
    CBitmap green;
    CDC greenDC;
    if (green.CreateCompatibleBitmap(&dc, 1, 1) && greenDC.CreateCompatibleDC(&dc)) {
        greenDC.SelectObject(&green);
        greenDC.SetPixel(0, 0, kBarColor);
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, kBarAlpha, 0 };
        dc.AlphaBlend(mx, nTop, nBar, nZoom * source.cy, &greenDC, 0, 0, 1, 1, blend);
        dc.AlphaBlend(nLeft, ly - 1, nZoom * source.cx, nBar, &greenDC, 0, 0, 1, 1, blend);
    }

    // The square around the enlarged cursor pixel.
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(mx, ly - 1);
    dc.LineTo(mx + nBar - 1, ly - 1);
    dc.LineTo(mx + nBar - 1, ly + nBar - 2);
    dc.LineTo(mx, ly + nBar - 2);
    dc.LineTo(mx, ly - 1);
}

void CSnapTipEdit::OnDestroy()
{
    CEdit::OnDestroy();
    m_palette.DeleteObject();
    m_bmpBackground.DeleteObject();
    m_bmpFrozen.DeleteObject();
    m_font.DeleteObject();
    m_hFrozen = nullptr;
}
