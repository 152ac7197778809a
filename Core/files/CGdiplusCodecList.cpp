// CGdiplusCodecList: the installed GDI+ codecs (see CGdiplusCodecList.h).
#include "CGdiplusCodecList.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

CGdiplusCodecList::CGdiplusCodecList() = default;
CGdiplusCodecList::~CGdiplusCodecList() = default;

void CGdiplusCodecList::Read(BOOL bEncoders)
{
    RemoveAll();
    UINT nCount = 0;
    UINT nBytes = 0;
    const Gdiplus::GpStatus sizeStatus = bEncoders ? Gdiplus::DllExports::GdipGetImageEncodersSize(&nCount, &nBytes)
                                                   : Gdiplus::DllExports::GdipGetImageDecodersSize(&nCount, &nBytes);
    if (sizeStatus != Gdiplus::Ok || nCount == 0 || nBytes < nCount * sizeof(Gdiplus::ImageCodecInfo))
        return;
    // The block holds the descriptions followed by the strings they point to.
    std::vector<BYTE> block(nBytes);
    Gdiplus::ImageCodecInfo* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    const Gdiplus::GpStatus listStatus = bEncoders ? Gdiplus::DllExports::GdipGetImageEncoders(nCount, nBytes, pCodecs)
                                                   : Gdiplus::DllExports::GdipGetImageDecoders(nCount, nBytes, pCodecs);
    if (listStatus != Gdiplus::Ok)
        return;
    m_arrCodecs.SetSize(nCount);
    for (UINT i = 0; i < nCount; ++i)
        m_arrCodecs[i] = std::make_unique<CGdiplusCodecInfo>(pCodecs[i].FormatDescription, pCodecs[i].FilenameExtension,
                                                             pCodecs[i].Clsid);
}

void CGdiplusCodecList::RemoveAll()
{
    m_arrCodecs.RemoveAll();
}

INT_PTR CGdiplusCodecList::GetSize() const
{
    return m_arrCodecs.GetSize();
}

BOOL CGdiplusCodecList::IsEmpty() const
{
    return m_arrCodecs.IsEmpty();
}

const CGdiplusCodecInfo& CGdiplusCodecList::GetAt(INT_PTR nIndex) const
{
    return *m_arrCodecs[nIndex];
}

const CGdiplusCodecInfo* CGdiplusCodecList::FindExtension(const wchar_t* lpszExt) const
{
    if (lpszExt == nullptr || *lpszExt == 0)
        return nullptr;
    for (INT_PTR i = 0; i < m_arrCodecs.GetSize(); ++i)
        if (m_arrCodecs[i]->FindExtension(lpszExt))
            return m_arrCodecs[i].get();
    return nullptr;
}
