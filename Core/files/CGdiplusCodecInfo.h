// CGdiplusCodecInfo: one installed GDI+ image codec (decoder or encoder) as the
// file dialogs use it: its format, its lower-case extension list, the default
// extension derived from that list and its class identifier.
#pragma once

#include "TesLibApi.h"
#include "PlatformTypes.h"
#include "CString.h"

class TESLIB_API CGdiplusCodecInfo
{
public:
    // lpszFormat: the codec's format description (for example "JPEG"),
    // stored unchanged. lpszExtensions: its pattern list, patterns separated
    // by ";" (for example "*.JPG;*.JPEG"), stored in lower case. The default
    // extension is the first pattern with every "*" and "." removed ("jpg").
    // A null string counts as empty.
    CGdiplusCodecInfo(const wchar_t* lpszFormat, const wchar_t* lpszExtensions, const GUID& clsid);
    CGdiplusCodecInfo(const CGdiplusCodecInfo& other);
    CGdiplusCodecInfo& operator=(const CGdiplusCodecInfo& other);

    CString GetFormat() const;
    CString GetExtensions() const;
    const wchar_t* GetDefExt() const;
    GUID GetCLSID() const;

    // True when "*." followed by lpszExt (a bare extension without its dot)
    // equals one of the patterns, ignoring case.
    bool FindExtension(const wchar_t* lpszExt) const;

protected:
    static void ConvertCopy(CString& strDest, const wchar_t* lpszSource);

private:
    CString m_strFormat;
    CString m_strExtensions;
    CString m_strDefExt;
    GUID m_clsid;
};
