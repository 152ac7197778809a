// CClipboardScope: the open clipboard (see CClipboardScope.h).
#include "CClipboardScope.h"

#include "CBitmap.h"

CClipboardScope::CClipboardScope(HWND hOwner, int nTries) : m_bOpen(FALSE)
{
    for (int nTry = 0; nTry < nTries || nTry == 0; ++nTry) {
        if (nTry > 0)
            ::Sleep(RETRY_MS);
        m_bOpen = ::OpenClipboard(hOwner);
        if (m_bOpen)
            break;
    }
}

CClipboardScope::~CClipboardScope()
{
    if (m_bOpen)
        ::CloseClipboard();
}

BOOL CClipboardScope::PutBitmap(CBitmap& bitmap)
{
    if (!m_bOpen || bitmap.m_hObject == nullptr || !::EmptyClipboard() ||
        ::SetClipboardData(CF_BITMAP, bitmap.m_hObject) == nullptr)
        return FALSE;
    bitmap.Detach();
    return TRUE;
}

HBITMAP CClipboardScope::GetBitmap() const
{
    if (!m_bOpen || !::IsClipboardFormatAvailable(CF_BITMAP))
        return nullptr;
    return static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
}
