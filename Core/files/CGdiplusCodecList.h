// CGdiplusCodecList: the image encoders or decoders GDI+ has installed, as
// the file dialogs list them and the picture store looks them up by extension.
#pragma once

#include "TesLibApi.h"
#include "CArray.h"
#include "CGdiplusCodecInfo.h"

#include <memory>

// Read from GDI+ (which must have been started) whenever Read is called, in
// the order GDI+ lists them; empty when GDI+ cannot list them.
class TESLIB_API CGdiplusCodecList
{
public:
    CGdiplusCodecList();
    ~CGdiplusCodecList();
    CGdiplusCodecList(const CGdiplusCodecList&) = delete;
    CGdiplusCodecList& operator=(const CGdiplusCodecList&) = delete;

    // Replaces the list by the installed encoders (bEncoders) or decoders.
    void Read(BOOL bEncoders);
    void RemoveAll();

    INT_PTR GetSize() const;
    BOOL IsEmpty() const;
    // The codec at nIndex (0 ... GetSize() - 1).
    const CGdiplusCodecInfo& GetAt(INT_PTR nIndex) const;
    // The first codec that knows the bare extension lpszExt (no dot, any
    // case), or null.
    const CGdiplusCodecInfo* FindExtension(const wchar_t* lpszExt) const;

private:
    CArray<std::unique_ptr<CGdiplusCodecInfo>> m_arrCodecs;
};
