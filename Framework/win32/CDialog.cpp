// CDialog: modal and modeless dialogs from templates (see CDialog.h).
#include "CDialog.h"
#include "CWinApp.h"
#include "CWndCreationScope.h"

#include <map>
#include <vector>

namespace {

const WORD kRtDlgInit = 240;
const WORD kDlgInitListBoxAdd = 0x0401;   // LB_ADDSTRING in dialog-init records
const WORD kDlgInitComboBoxAdd = 0x0403;  // CB_ADDSTRING in dialog-init records

// Item text of a dialog-init record: UTF-8 when it is valid UTF-8, else the
// ANSI code page.
CString DecodeItemText(const char* pText, int nBytes)
{
    while (nBytes > 0 && pText[nBytes - 1] == 0)
        --nBytes;
    if (nBytes == 0)
        return CString();
    UINT codePage = CP_UTF8;
    int nChars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, pText, nBytes, nullptr, 0);
    if (nChars == 0) {
        codePage = CP_ACP;
        nChars = MultiByteToWideChar(CP_ACP, 0, pText, nBytes, nullptr, 0);
    }
    CString text;
    MultiByteToWideChar(codePage, 0, pText, nBytes, text.GetBuffer(nChars), nChars);
    text.ReleaseBuffer(nChars);
    return text;
}

void AddItem(HWND hDlg, int nIDC, bool bComboBox, LPCTSTR lpszText)
{
    ::SendDlgItemMessageW(hDlg, nIDC, bComboBox ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

bool IsListOrComboBox(HWND hWnd, bool* pbComboBox)
{
    wchar_t szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, 32);
    *pbComboBox = lstrcmpiW(szClass, L"ComboBox") == 0;
    return *pbComboBox || lstrcmpiW(szClass, L"ListBox") == 0;
}

} // namespace

struct CDialog::InitialItems
{
    std::map<int, std::vector<CString>> items;
};

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CDialog::CDialog() : CDialog(static_cast<LPCTSTR>(nullptr), nullptr)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(MAKEINTRESOURCEW(nIDTemplate), pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd), m_hAccelTable(nullptr),
      m_hTemplateModule(nullptr), m_bModal(FALSE), m_bEndModal(FALSE), m_nModalResult(-1),
      m_pInitialItems(new InitialItems)
{
}

CDialog::~CDialog() = default;

void CDialog::SetInitialItems(int nIDC, const CString* pItems, int nCount)
{
    std::vector<CString>& items = m_pInitialItems->items[nIDC];
    items.assign(pItems, pItems + nCount);
}

HWND CDialog::CreateFromTemplate(HWND hWndOwner)
{
    if (m_lpszTemplateName == nullptr || m_hWnd != nullptr)
        return nullptr;
    LPCWSTR lpszType = reinterpret_cast<LPCWSTR>(RT_DIALOG);
    HINSTANCE hModule = AfxFindResourceHandle(m_lpszTemplateName, lpszType);
    HRSRC hResource = FindResourceW(hModule, m_lpszTemplateName, lpszType);
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hTemplate = LoadResource(hModule, hResource);
    const DLGTEMPLATE* pTemplate = hTemplate ? static_cast<const DLGTEMPLATE*>(LockResource(hTemplate)) : nullptr;
    if (pTemplate == nullptr)
        return nullptr;
    m_hTemplateModule = hModule;
    HWND hWnd;
    {
        CWndCreationScope scope(this);
        hWnd = CreateDialogIndirectParamW(hModule, pTemplate, hWndOwner, &DialogProc, reinterpret_cast<LPARAM>(this));
    }
    if (hWnd == nullptr && m_hWnd != nullptr)
        Detach();
    return hWnd;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
    if (pDialog == nullptr || pDialog->m_hWnd != hWnd)
        return TRUE;
    try {
        return pDialog->OnInitDialog();
    } catch (...) {
        // No exception may unwind through the dialog manager.
        pDialog->EndDialog(-1);
        return FALSE;
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (hWndOwner == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain != this && ::IsWindow(pMain->m_hWnd))
            hWndOwner = pMain->m_hWnd;
    }
    if (hWndOwner != nullptr)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);
    const bool bDisableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
    if (bDisableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_bModal = TRUE;
    m_bEndModal = FALSE;
    m_nModalResult = -1;
    HWND hWnd = CreateFromTemplate(hWndOwner);
    if (hWnd != nullptr) {
        if (!m_bEndModal)
            RunModalLoop();
        // Hide first, then give the owner back its input before the dialog
        // goes, so that activation returns to the owner.
        if (m_hWnd != nullptr)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (bDisableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_bModal = FALSE;
    return hWnd != nullptr ? m_nModalResult : -1;
}

void CDialog::RunModalLoop()
{
    bool bShowAtIdle = (GetStyle() & WS_VISIBLE) == 0;
    bool bIdle = true;
    LONG lIdleCount = 0;
    MSG msg = {};
    POINT lastMousePos = { -1, -1 };
    while (!m_bEndModal && m_hWnd != nullptr) {
        while (bIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowAtIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowAtIdle = false;
            }
            if (lIdleCount == 0)
                AfxDeleteTempMaps();
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
            if (m_bEndModal || m_hWnd == nullptr)
                return;
        }
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            // WM_QUIT ends the dialog and is passed on to the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (bGot == -1)
            return;
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Painting, caret blinks and mouse moves that did not move start no
        // new idle phase.
        const bool bMouseMove = msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE;
        const bool bStill = bMouseMove && msg.pt.x == lastMousePos.x && msg.pt.y == lastMousePos.y;
        if (bMouseMove)
            lastMousePos = msg.pt;
        if (msg.message != WM_PAINT && msg.message != 0x0118 && !bStill) {
            bIdle = true;
            lIdleCount = 0;
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bEndModal = TRUE;
        if (m_hWnd != nullptr)
            PostMessage(WM_NULL);   // wakes the modal loop
    } else if (m_hWnd != nullptr) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    if (!ExecuteDlgInit(m_lpszTemplateName) || !UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName != nullptr && m_hTemplateModule != nullptr) {
        LPCWSTR lpszType = MAKEINTRESOURCEW(kRtDlgInit);
        HRSRC hResource = FindResourceW(m_hTemplateModule, lpszResourceName, lpszType);
        if (hResource != nullptr) {
            HGLOBAL hData = LoadResource(m_hTemplateModule, hResource);
            const BYTE* p = hData ? static_cast<const BYTE*>(LockResource(hData)) : nullptr;
            const DWORD nSize = SizeofResource(m_hTemplateModule, hResource);
            if (p == nullptr)
                return FALSE;
            // Each record is checked against the resource's size before it is read.
            const BYTE* pEnd = p + nSize;
            for (;;) {
                if (pEnd - p < 2)
                    return FALSE;
                WORD nIDC;
                memcpy(&nIDC, p, 2);
                if (nIDC == 0)
                    break;
                if (pEnd - p < 8)
                    return FALSE;
                WORD nMsg;
                DWORD nLength;
                memcpy(&nMsg, p + 2, 2);
                memcpy(&nLength, p + 4, 4);
                p += 8;
                if (static_cast<DWORD>(pEnd - p) < nLength)
                    return FALSE;
                if (nMsg == kDlgInitListBoxAdd || nMsg == kDlgInitComboBoxAdd) {
                    const CString text = DecodeItemText(reinterpret_cast<const char*>(p), static_cast<int>(nLength));
                    AddItem(m_hWnd, nIDC, nMsg == kDlgInitComboBoxAdd, text);
                }
                p += nLength;
            }
        }
    }
    for (const auto& entry : m_pInitialItems->items) {
        bool bComboBox = false;
        HWND hControl = ::GetDlgItem(m_hWnd, entry.first);
        if (hControl == nullptr || !IsListOrComboBox(hControl, &bComboBox))
            continue;
        for (const CString& item : entry.second)
            AddItem(m_hWnd, entry.first, bComboBox, item);
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    return 0;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    const bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
                        || (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || m_hWnd == nullptr)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    if (m_hAccelTable != nullptr && ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::LoadAccelTable(UINT nIDResource)
{
    LPCTSTR lpszName = MAKEINTRESOURCEW(nIDResource);
    m_hAccelTable = ::LoadAcceleratorsW(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
    return m_hAccelTable != nullptr;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
