// FileDialogDriver: timer-driven steps against the common file dialog (see
// FileDialogDriver.h).
#include "FileDialogDriver.h"

#include <cwchar>

#include <dlgs.h>

namespace guitest {

namespace {

// The one driver of the thread; the timer procedure has no other way to it.
FileDialogDriver* g_pDriver = nullptr;

BOOL CALLBACK FindFileDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    GetClassNameW(hWnd, szClass, 16);
    if (lstrcmpW(szClass, L"#32770") == 0 && IsWindowVisible(hWnd) && GetDlgItem(hWnd, cmb1) != nullptr) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

FileDialogDriver::FileDialogDriver(std::vector<Step> steps, DWORD intervalMs, DWORD timeoutMs)
    : m_steps(std::move(steps)), m_nStepsRun(0), m_nStart(GetTickCount()), m_nTimeout(timeoutMs),
      m_nTimer(SetTimer(nullptr, 0, intervalMs, &OnTimer)), m_bInStep(false), m_bCancelledAfterSteps(false),
      m_bTimedOut(false)
{
    g_pDriver = this;
}

FileDialogDriver::~FileDialogDriver()
{
    KillTimer(nullptr, m_nTimer);
    if (g_pDriver == this)
        g_pDriver = nullptr;
}

void CALLBACK FileDialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDriver != nullptr)
        g_pDriver->Tick();
}

void FileDialogDriver::Tick()
{
    if (m_bInStep) {
        // A step opened a modal window of its own (a message box): close it.
        m_bTimedOut = true;
        if (HWND hActive = GetActiveWindow())
            PostMessageW(hActive, WM_CLOSE, 0, 0);
        return;
    }
    HWND hDialog = FindDialog();
    if (GetTickCount() - m_nStart > m_nTimeout) {
        m_bTimedOut = true;
        if (hDialog != nullptr)
            PressCancel(hDialog);
        return;
    }
    if (hDialog == nullptr)
        return;
    if (m_nStepsRun < m_steps.size()) {
        m_bInStep = true;
        m_steps[m_nStepsRun++](hDialog);
        m_bInStep = false;
    } else {
        m_bCancelledAfterSteps = true;
        PressCancel(hDialog);
    }
}

HWND FileDialogDriver::FindDialog()
{
    HWND hDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindFileDialog, reinterpret_cast<LPARAM>(&hDialog));
    return hDialog;
}

void FileDialogDriver::SetFileName(HWND hDialog, const wchar_t* pszName)
{
    // Newer dialogs have an editable combo box for the name, older ones an edit.
    const int nID = GetDlgItem(hDialog, cmb13) != nullptr ? cmb13 : edt1;
    SetDlgItemTextW(hDialog, nID, pszName);
}

void FileDialogDriver::SelectType(HWND hDialog, int nIndex)
{
    HWND hTypes = GetDlgItem(hDialog, cmb1);
    SendMessageW(hTypes, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    // A pick from the drop-down list sends both notifications, in this order.
    SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hTypes));
    SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(hTypes));
}

void FileDialogDriver::PressOK(HWND hDialog)
{
    SendMessageW(GetDlgItem(hDialog, IDOK), BM_CLICK, 0, 0);
}

void FileDialogDriver::PressCancel(HWND hDialog)
{
    SendMessageW(GetDlgItem(hDialog, IDCANCEL), BM_CLICK, 0, 0);
}

std::vector<std::wstring> FileDialogDriver::TypeTexts(HWND hDialog)
{
    std::vector<std::wstring> texts;
    HWND hTypes = GetDlgItem(hDialog, cmb1);
    const LRESULT nCount = SendMessageW(hTypes, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < nCount; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(hTypes, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(hTypes, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(wcslen(text.c_str()));
        texts.push_back(text);
    }
    return texts;
}

} // namespace guitest
