// CLinkCtrl: the framework's link control (see CLinkCtrl.h).
#include "CLinkCtrl.h"

#include <shellapi.h>

namespace {

const COLORREF kLinkColor = RGB(0, 0, 255);

// Per window: the dialog's font, the underlined font made from it (owned),
// and whether the left button went down on the link.
struct LinkState
{
    HFONT hFont = nullptr;
    HFONT hUnderlined = nullptr;
    bool bPressed = false;
};

LinkState* StateOf(HWND hWnd)
{
    return reinterpret_cast<LinkState*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

CString WindowText(HWND hWnd)
{
    CString text;
    const int nLength = ::GetWindowTextLengthW(hWnd);
    const int nCopied = ::GetWindowTextW(hWnd, text.GetBuffer(nLength), nLength + 1);
    text.ReleaseBuffer(nCopied);
    return text;
}

void SetLinkFont(HWND hWnd, LinkState* pState, HFONT hFont)
{
    if (pState->hUnderlined != nullptr)
        ::DeleteObject(pState->hUnderlined);
    pState->hUnderlined = nullptr;
    pState->hFont = hFont;
    LOGFONTW lf = {};
    HGDIOBJ hSource = hFont != nullptr ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT);
    if (::GetObjectW(hSource, sizeof(lf), &lf) == sizeof(lf)) {
        lf.lfUnderline = TRUE;
        pState->hUnderlined = ::CreateFontIndirectW(&lf);
    }
    ::InvalidateRect(hWnd, nullptr, TRUE);
}

void Open(HWND hWnd)
{
    CString text;
    CString url;
    CLinkCtrl::ParseMarkup(WindowText(hWnd), text, url);
    if (!url.IsEmpty())
        ::ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOWNORMAL);
}

void Paint(HWND hWnd, LinkState* pState)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    HWND hParent = ::GetParent(hWnd);
    HBRUSH hBrush = hParent != nullptr ? reinterpret_cast<HBRUSH>(::SendMessageW(
                                             hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                             reinterpret_cast<LPARAM>(hWnd)))
                                       : nullptr;
    ::FillRect(hDC, &rcClient, hBrush != nullptr ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));

    CString text;
    CString url;
    CLinkCtrl::ParseMarkup(WindowText(hWnd), text, url);
    HGDIOBJ hOldFont = pState->hUnderlined != nullptr ? ::SelectObject(hDC, pState->hUnderlined) : nullptr;
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::IsWindowEnabled(hWnd) ? kLinkColor : ::GetSysColor(COLOR_GRAYTEXT));
    RECT rcText = rcClient;
    ::DrawTextW(hDC, text, text.GetLength(), &rcText, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    ::DrawTextW(hDC, text, text.GetLength(), &rcText, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (::GetFocus() == hWnd)
        ::DrawFocusRect(hDC, &rcText);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::EndPaint(hWnd, &ps);
}

LRESULT CALLBACK LinkWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LinkState* pState = StateOf(hWnd);
    switch (message) {
    case WM_NCCREATE:
        pState = new LinkState;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pState));
        SetLinkFont(hWnd, pState, nullptr);
        break;
    case WM_NCDESTROY:
        if (pState != nullptr) {
            if (pState->hUnderlined != nullptr)
                ::DeleteObject(pState->hUnderlined);
            delete pState;
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        }
        break;
    case WM_SETFONT:
        if (pState != nullptr)
            SetLinkFont(hWnd, pState, reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(pState != nullptr ? pState->hFont : nullptr);
    case WM_PAINT:
        if (pState != nullptr) {
            Paint(hWnd, pState);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;   // WM_PAINT fills the whole control
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT lResult = ::DefWindowProcW(hWnd, message, wParam, lParam);
        ::InvalidateRect(hWnd, nullptr, TRUE);
        return lResult;
    }
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_GETDLGCODE: {
        // Enter and Space open the link while it has the focus.
        LRESULT lCode = DLGC_WANTCHARS;
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
            lCode |= DLGC_WANTMESSAGE;
        return lCode;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Open(hWnd);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ') {
            Open(hWnd);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (pState != nullptr) {
            pState->bPressed = true;
            if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_TABSTOP)
                ::SetFocus(hWnd);
            ::SetCapture(hWnd);
        }
        return 0;
    case WM_LBUTTONUP:
        if (pState != nullptr && pState->bPressed) {
            pState->bPressed = false;
            ::ReleaseCapture();
            RECT rcClient;
            ::GetClientRect(hWnd, &rcClient);
            const POINT pt = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
            if (::PtInRect(&rcClient, pt))
                Open(hWnd);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (pState != nullptr)
            pState->bPressed = false;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HINSTANCE FrameworkModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&LinkWndProc), &hModule);
    return hModule;
}

// Position of the first case-insensitive occurrence of pszSub from nStart.
int FindNoCase(const CString& text, const wchar_t* pszSub, int nStart)
{
    const int nSub = lstrlenW(pszSub);
    for (int i = nStart; i + nSub <= text.GetLength(); ++i) {
        if (::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.GetString() + i, nSub, pszSub, nSub)
            == CSTR_EQUAL)
            return i;
    }
    return -1;
}

} // namespace

IMPLEMENT_DYNAMIC(CLinkCtrl, CWnd)

CLinkCtrl::CLinkCtrl() = default;
CLinkCtrl::~CLinkCtrl() = default;

BOOL CLinkCtrl::RegisterClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &LinkWndProc;
        wc.hInstance = FrameworkModule();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_HAND);
        wc.lpszClassName = GetClassName();
        registered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return registered ? TRUE : FALSE;
}

void CLinkCtrl::ParseMarkup(const CString& strMarkup, CString& strText, CString& strUrl)
{
    strText = strMarkup;
    strUrl = strMarkup;
    const int nOpen = FindNoCase(strMarkup, L"<a", 0);
    const int nOpenEnd = nOpen >= 0 ? strMarkup.Find(L'>', nOpen) : -1;
    const int nClose = nOpenEnd >= 0 ? FindNoCase(strMarkup, L"</a>", nOpenEnd) : -1;
    if (nClose < 0)
        return;
    const CString strInner = strMarkup.Mid(nOpenEnd + 1, nClose - nOpenEnd - 1);
    strText = strMarkup.Left(nOpen) + strInner + strMarkup.Mid(nClose + 4);
    strUrl = strInner;
    const CString strTag = strMarkup.Mid(nOpen, nOpenEnd - nOpen);
    const int nHref = FindNoCase(strTag, L"href=\"", 0);
    if (nHref >= 0) {
        const int nStart = nHref + 6;
        const int nEnd = strTag.Find(L'"', nStart);
        if (nEnd >= 0)
            strUrl = strTag.Mid(nStart, nEnd - nStart);
    }
}

CString CLinkCtrl::GetUrl() const
{
    CString text;
    CString url;
    ParseMarkup(WindowText(m_hWnd), text, url);
    return url;
}

CString CLinkCtrl::GetLinkText() const
{
    CString text;
    CString url;
    ParseMarkup(WindowText(m_hWnd), text, url);
    return text;
}
