// CPropertyPage: a page of a property sheet (see CPropertyPage.h).
#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "CClientDC.h"
#include "CFont.h"

#include <cstring>
#include <vector>

namespace {

// The font the system's property sheet dialog is laid out in; it converts the
// pages' sizes to pixels with this font's dialog base units.
const wchar_t kSheetFontFace[] = L"MS Shell Dlg";
const WORD kSheetFontPoints = 8;

// Dialog base units of a font, as the dialog manager derives them: the
// average width of the 52 Latin letters (halved and rounded) and the height.
SIZE DialogBaseUnits(const wchar_t* pszFace, WORD nPoints, WORD nWeight, BYTE bItalic, BYTE nCharSet)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = nPoints * 10;
    logFont.lfWeight = nWeight;
    logFont.lfItalic = bItalic;
    logFont.lfCharSet = nCharSet;
    wcsncpy_s(logFont.lfFaceName, pszFace, _TRUNCATE);
    CFont font;
    CClientDC dc(nullptr);
    TEXTMETRICW metrics = {};
    if (!font.CreatePointFontIndirect(&logFont) || dc.m_hDC == nullptr)
        return { 0, 0 };
    dc.SelectObject(&font);
    const CSize letters = dc.GetTextExtent(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52);
    if (!dc.GetTextMetrics(&metrics))
        return { 0, 0 };
    return { (letters.cx / 26 + 1) / 2, metrics.tmHeight };
}

// Steps over a menu, class or title field: 0x0000 (none), 0xFFFF and an
// ordinal, or a null-terminated string.
const WORD* SkipNameOrOrdinal(const WORD* p)
{
    if (*p == 0x0000)
        return p + 1;
    if (*p == 0xFFFF)
        return p + 2;
    while (*p++ != 0) {
    }
    return p;
}

// The dialog units a length in the page's font needs in the sheet's units so
// that the sheet gives it at least as many pixels; never less than it was.
short InSheetUnits(short nUnits, LONG nPageBase, LONG nSheetBase)
{
    if (nPageBase <= nSheetBase || nSheetBase <= 0)
        return nUnits;
    const LONG nGrown = (static_cast<LONG>(nUnits) * nPageBase + nSheetBase - 1) / nSheetBase;
    return static_cast<short>(nGrown > 0x7FFF ? 0x7FFF : nGrown);
}

// Grows the width and height in a copy of a DIALOGEX or DIALOG template so
// that, read in the sheet's dialog units, they cover the page's real size.
void FitToSheetUnits(std::vector<BYTE>& dialog)
{
    const size_t nHeaderEx = 26, nHeader = 18;
    if (dialog.size() < nHeaderEx)
        return;
    BYTE* p = dialog.data();
    const bool bExtended = reinterpret_cast<const WORD*>(p)[1] == 0xFFFF;
    DWORD style = 0;
    memcpy(&style, p + (bExtended ? 12 : 0), sizeof(style));
    if ((style & DS_SETFONT) == 0)
        return; // The system font: the sheet is sized with that too.
    // Menu, class and title, then the font: point size, and in the extended
    // form weight, italic and character set, then the typeface.
    const WORD* pField = reinterpret_cast<const WORD*>(p + (bExtended ? nHeaderEx : nHeader));
    for (int i = 0; i < 3; ++i)
        pField = SkipNameOrOrdinal(pField);
    const WORD nPoints = *pField++;
    WORD nWeight = FW_NORMAL;
    BYTE bItalic = FALSE, nCharSet = DEFAULT_CHARSET;
    if (bExtended) {
        nWeight = *pField++;
        bItalic = LOBYTE(*pField);
        nCharSet = HIBYTE(*pField++);
    }
    const SIZE page = DialogBaseUnits(reinterpret_cast<const wchar_t*>(pField), nPoints, nWeight, bItalic, nCharSet);
    const SIZE sheet = DialogBaseUnits(kSheetFontFace, kSheetFontPoints, FW_NORMAL, FALSE, DEFAULT_CHARSET);
    short* pSize = reinterpret_cast<short*>(p + (bExtended ? 22 : 14));
    pSize[0] = InSheetUnits(pSize[0], page.cx, sheet.cx);
    pSize[1] = InSheetUnits(pSize[1], page.cy, sheet.cy);
}

} // namespace

struct CPropertyPage::SheetTemplate
{
    std::vector<BYTE> bytes;
};

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate)
    : CDialog(nIDTemplate, nullptr), m_psp(), m_pSheet(nullptr), m_pSheetTemplate(new SheetTemplate)
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    m_psp.dwFlags = PSP_DEFAULT;
}

CPropertyPage::~CPropertyPage() = default;

BOOL CPropertyPage::PrepareForSheet()
{
    LPCWSTR lpszType = reinterpret_cast<LPCWSTR>(RT_DIALOG);
    HINSTANCE hModule = AfxFindResourceHandle(m_lpszTemplateName, lpszType);
    HRSRC hResource = FindResourceW(hModule, m_lpszTemplateName, lpszType);
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hTemplate = LoadResource(hModule, hResource);
    const BYTE* pTemplate = static_cast<const BYTE*>(hTemplate ? LockResource(hTemplate) : nullptr);
    if (pTemplate == nullptr)
        return FALSE;
    std::vector<BYTE>& copy = m_pSheetTemplate->bytes;
    copy.assign(pTemplate, pTemplate + SizeofResource(hModule, hResource));
    FitToSheetUnits(copy);
    m_hTemplateModule = hModule;
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.hInstance = hModule;
    m_psp.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(copy.data());
    m_psp.pfnDlgProc = &PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    return TRUE;
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Every message but the first reaches the object through the framework's
    // window procedure, which the page's window gets here.
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEW* pPsp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    CPropertyPage* pPage = pPsp != nullptr ? reinterpret_cast<CPropertyPage*>(pPsp->lParam) : nullptr;
    if (pPage == nullptr)
        return TRUE;
    if (pPage->m_hWnd == nullptr && !pPage->SubclassWindow(hWnd))
        return TRUE;
    try {
        return pPage->OnInitDialog();
    } catch (...) {
        // No exception may unwind through the dialog manager.
        return FALSE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || m_hWnd == nullptr || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        // Non-zero keeps the page (and the sheet) open.
        *pResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        if (OnApply()) {
            *pResult = PSNRET_NOERROR;
            if (reinterpret_cast<PSHNOTIFY*>(pNMHDR)->lParam && m_pSheet != nullptr)
                m_pSheet->m_bConfirmed = TRUE;
        } else {
            *pResult = PSNRET_INVALID_NOCHANGEPAGE;
        }
        break;
    case PSN_RESET:
        OnCancel();
        *pResult = 0;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer from the message result (and, as for any
    // dialog, from DWLP_MSGRESULT).
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}
