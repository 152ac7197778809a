// CGdiplusCodecInfo: one installed GDI+ codec (see CGdiplusCodecInfo.h).
#include "CGdiplusCodecInfo.h"

CGdiplusCodecInfo::CGdiplusCodecInfo(const wchar_t* lpszFormat, const wchar_t* lpszExtensions, const GUID& clsid)
    : m_clsid(clsid)
{
    ConvertCopy(m_strFormat, lpszFormat);
    ConvertCopy(m_strExtensions, lpszExtensions);
    m_strExtensions.MakeLower();

    const int nSeparator = m_strExtensions.Find(L';');
    m_strDefExt = nSeparator < 0 ? m_strExtensions : m_strExtensions.Left(nSeparator);
    m_strDefExt.Remove(L'*');
    m_strDefExt.Remove(L'.');
}

CGdiplusCodecInfo::CGdiplusCodecInfo(const CGdiplusCodecInfo& other) = default;

CGdiplusCodecInfo& CGdiplusCodecInfo::operator=(const CGdiplusCodecInfo& other) = default;

CString CGdiplusCodecInfo::GetFormat() const
{
    return m_strFormat;
}

CString CGdiplusCodecInfo::GetExtensions() const
{
    return m_strExtensions;
}

const wchar_t* CGdiplusCodecInfo::GetDefExt() const
{
    return m_strDefExt;
}

GUID CGdiplusCodecInfo::GetCLSID() const
{
    return m_clsid;
}

bool CGdiplusCodecInfo::FindExtension(const wchar_t* lpszExt) const
{
    if (lpszExt == nullptr)
        return false;
    const CString strWanted = CString(L"*.") + lpszExt;
    int nStart = 0;
    while (nStart <= m_strExtensions.GetLength()) {
        int nEnd = m_strExtensions.Find(L';', nStart);
        if (nEnd < 0)
            nEnd = m_strExtensions.GetLength();
        if (m_strExtensions.Mid(nStart, nEnd - nStart).CompareNoCase(strWanted) == 0)
            return true;
        nStart = nEnd + 1;
    }
    return false;
}

void CGdiplusCodecInfo::ConvertCopy(CString& strDest, const wchar_t* lpszSource)
{
    strDest = lpszSource;
}
