// CFileDialog: the explorer-style common file dialog and its notification
// hook (see CFileDialog.h).
#include "CFileDialog.h"

#include "Afx.h"
#include "CFileDialogPath.h"
#include "CPathName.h"

#include <cwchar>

#include <dlgs.h>

namespace {

// A CDM_ query of the shown dialog (CDM_GETFILEPATH, CDM_GETSPEC); empty when
// the dialog refuses it.
CString QueryDialogText(HWND hDialog, UINT message)
{
    if (hDialog == nullptr)
        return CString();
    const LRESULT nNeeded = ::SendMessageW(hDialog, message, 0, 0);
    if (nNeeded <= 0)
        return CString();
    CString strText;
    wchar_t* pBuffer = strText.GetBuffer(static_cast<int>(nNeeded));
    const LRESULT nGot = ::SendMessageW(hDialog, message, static_cast<WPARAM>(nNeeded),
                                        reinterpret_cast<LPARAM>(pBuffer));
    strText.ReleaseBuffer(nGot > 0 ? -1 : 0);
    return strText;
}

// The window property that leads the real dialog's window procedure to its object.
const wchar_t kDialogProperty[] = L"CFileDialog.Object";

const wchar_t kPathTooLong[] = L"文件名太长：完整路径最多可有 259 个字符。\n请缩短文件名，或选择路径较短的文件夹。";

} // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL /*bVistaStyle*/)
    : CDialog(static_cast<LPCTSTR>(nullptr), pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog),
      m_pszFileBuffer(new wchar_t[kFileBufferChars]()), m_pfnDialogProc(nullptr)
{
    m_ofn.lStructSize = (dwSize == 0 || dwSize > sizeof(m_ofn)) ? static_cast<DWORD>(sizeof(m_ofn)) : dwSize;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_pszFileBuffer;
    m_ofn.nMaxFile = kFileBufferChars;
    if (lpszFileName != nullptr)
        wcsncpy(m_pszFileBuffer, lpszFileName, kFileBufferChars - 1);
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter != nullptr && *lpszFilter != 0) {
        m_strFilter = lpszFilter;
        wchar_t* pFilter = m_strFilter.GetBuffer();
        for (int i = 0; i < m_strFilter.GetLength(); ++i) {
            if (pFilter[i] == L'|')
                pFilter[i] = 0;
        }
        m_ofn.lpstrFilter = pFilter;
    }
}

CFileDialog::~CFileDialog()
{
    delete[] m_pszFileBuffer;
}

INT_PTR CFileDialog::DoModal()
{
    HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hWndOwner == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && ::IsWindow(pMain->m_hWnd))
            hWndOwner = pMain->m_hWnd;
    }
    if (hWndOwner != nullptr)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);

    m_ofn.hwndOwner = hWndOwner;
    m_ofn.lpstrFile = m_pszFileBuffer;
    m_ofn.nMaxFile = kFileBufferChars;
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    m_ofn.lpfnHook = &HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);

    const BOOL bChosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    // The child normally left the map at WM_NCDESTROY; a dialog that failed
    // half-way may not have sent it.
    if (m_hWnd != nullptr)
        Detach();
    return bChosen ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            // lParam is the dialog's OPENFILENAMEW; lCustData is the object.
            const OPENFILENAMEW* pOfn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
            CFileDialog* pDialog = pOfn != nullptr ? reinterpret_cast<CFileDialog*>(pOfn->lCustData) : nullptr;
            if (pDialog != nullptr && pDialog->m_hWnd == nullptr) {
                pDialog->SubclassWindow(hWnd);
                pDialog->HookDialogWindow(::GetParent(hWnd));
            }
            return TRUE;
        }
        if (message == WM_NOTIFY) {
            CFileDialog* pDialog = static_cast<CFileDialog*>(CWnd::FromHandlePermanent(hWnd));
            if (pDialog == nullptr)
                return FALSE;
            const OFNOTIFYW* pNotify = reinterpret_cast<const OFNOTIFYW*>(lParam);
            // The dialog may keep its own copy of the structure: the chosen
            // type is what the handlers read from m_ofn.
            if (pNotify->lpOFN != nullptr && pNotify->lpOFN != &pDialog->m_ofn)
                pDialog->m_ofn.nFilterIndex = pNotify->lpOFN->nFilterIndex;
            if (pNotify->hdr.code == CDN_FILEOK) {
                const LONG_PTR nKeepOpen = pDialog->OnFileNameOK() ? 1 : 0;
                ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, nKeepOpen);
                return TRUE;
            }
            pDialog->OnNotification(pNotify);
        }
    } catch (...) {
        // No exception may unwind through the common dialog; the message
        // counts as not handled.
    }
    return FALSE;
}

void CFileDialog::OnNotification(const OFNOTIFYW* pNotify)
{
    switch (pNotify->hdr.code) {
    case CDN_INITDONE:
        OnInitDone();
        break;
    case CDN_TYPECHANGE:
        OnTypeChange();
        break;
    default:
        break;
    }
}

HWND CFileDialog::GetDialogWindow() const
{
    return m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
}

void CFileDialog::HookDialogWindow(HWND hDialog)
{
    if (hDialog == nullptr || !::SetPropW(hDialog, kDialogProperty, this))
        return;
    m_pfnDialogProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogWindowProc)));
}

LRESULT CALLBACK CFileDialog::DialogWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CFileDialog* pDialog = static_cast<CFileDialog*>(::GetPropW(hWnd, kDialogProperty));
    const WNDPROC pfnNext = pDialog != nullptr ? pDialog->m_pfnDialogProc : nullptr;
    if (pfnNext == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    try {
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED
            && pDialog->IsTypedPathTooLong(hWnd)) {
            AfxMessageBox(kPathTooLong, MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
    } catch (...) {
        // No exception may unwind through the common dialog; the check is
        // skipped.
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnNext));
        ::RemovePropW(hWnd, kDialogProperty);
        pDialog->m_pfnDialogProc = nullptr;
    }
    return ::CallWindowProcW(pfnNext, hWnd, message, wParam, lParam);
}

BOOL CFileDialog::IsTypedPathTooLong(HWND hDialog) const
{
    // Newer dialogs have an editable combo box for the name, older ones an edit.
    HWND hName = ::GetDlgItem(hDialog, cmb13);
    if (hName == nullptr)
        hName = ::GetDlgItem(hDialog, edt1);
    const int nChars = hName != nullptr ? ::GetWindowTextLengthW(hName) : 0;
    if (nChars <= 0)
        return FALSE;
    CString strTyped;
    ::GetWindowTextW(hName, strTyped.GetBuffer(nChars + 1), nChars + 1);
    strTyped.ReleaseBuffer();
    return !CFileDialogPath::Fits(QueryDialogText(hDialog, CDM_GETFOLDERPATH), strTyped, AppendedExtension());
}

CString CFileDialog::AppendedExtension() const
{
    if (m_ofn.lpstrDefExt == nullptr)
        return CString();
    // The chosen type's pattern list: the second string of its pair.
    const wchar_t* pszEntry = m_ofn.lpstrFilter;
    const DWORD nType = m_ofn.nFilterIndex > 0 ? m_ofn.nFilterIndex : 1;
    for (DWORD i = 1; pszEntry != nullptr && *pszEntry != 0 && i < 2 * nType; ++i)
        pszEntry += wcslen(pszEntry) + 1;
    if (pszEntry != nullptr && *pszEntry != 0) {
        CString strPattern(pszEntry);
        const int nEnd = strPattern.Find(L';');
        if (nEnd >= 0)
            strPattern = strPattern.Left(nEnd);
        const int nDot = strPattern.Find(L'.');
        const CString strExt = nDot >= 0 ? strPattern.Mid(nDot + 1) : CString();
        if (!strExt.IsEmpty() && strExt.FindOneOf(L"*?") < 0)
            return strExt;
    }
    return CString(m_ofn.lpstrDefExt);
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnInitDone()
{
}

void CFileDialog::OnTypeChange()
{
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    HWND hDialog = GetDialogWindow();
    if (hDialog == nullptr)
        return;
    CString strExt;
    if (lpsz != nullptr && *lpsz != 0) {
        const int nChars = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, nullptr, 0);
        if (nChars > 0) {
            ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, strExt.GetBuffer(nChars), nChars);
            strExt.ReleaseBuffer();
        }
    }
    ::SendMessageW(hDialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strExt)));
}

CString CFileDialog::GetPathName() const
{
    if (HWND hDialog = GetDialogWindow())
        return QueryDialogText(hDialog, CDM_GETFILEPATH);
    return CString(m_ofn.lpstrFile != nullptr ? m_ofn.lpstrFile : L"");
}

CString CFileDialog::GetFileName() const
{
    if (HWND hDialog = GetDialogWindow())
        return QueryDialogText(hDialog, CDM_GETSPEC);
    if (m_ofn.lpstrFile == nullptr)
        return CString();
    const CString strPath(m_ofn.lpstrFile);
    const int nSlash = strPath.ReverseFind(L'\\');
    return nSlash < 0 ? strPath : strPath.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    return CPathName::ExtensionOf(GetFileName());
}
