// CQualifyingWindows: the front-to-back list of capturable top-level windows.
#include "CQualifyingWindows.h"

CQualifyingWindows::CQualifyingWindows() : m_nCount(0)
{
}

int CQualifyingWindows::Enumerate()
{
    m_nCount = 0;
    EnumWindows(&CQualifyingWindows::EnumWindowsProc, reinterpret_cast<LPARAM>(this));
    return m_nCount;
}

HWND CQualifyingWindows::GetWindow(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_entries[nIndex].hWnd : nullptr;
}

LPCWSTR CQualifyingWindows::GetTitle(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_entries[nIndex].szTitle : L"";
}

BOOL CALLBACK CQualifyingWindows::EnumWindowsProc(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<CQualifyingWindows*>(lParam)->Consider(hWnd);
    return TRUE;   // always visit every window
}

void CQualifyingWindows::Consider(HWND hWnd)
{
    if (m_nCount >= MAX_WINDOWS || !IsWindowVisible(hWnd) || IsIconic(hWnd))
        return;
    RECT rcClient;
    if (!GetClientRect(hWnd, &rcClient) || rcClient.right <= 4 || rcClient.bottom <= 4)
        return;
    Entry& entry = m_entries[m_nCount];
    if (GetWindowTextW(hWnd, entry.szTitle, MAX_TITLE + 1) == 0)
        return;
    entry.hWnd = hWnd;
    ++m_nCount;
}
