// GdiplusCodecs: the encoders and decoders that GDI+ lists, read with plain
// GDI+ calls (independently of the program's own codec code). GDI+ must be
// started.
#pragma once

#include <windows.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

namespace guitest {

class GdiplusCodecs
{
public:
    // One codec as GDI+ lists it.
    struct Codec
    {
        std::wstring format;
        std::wstring mimeType;
        std::wstring extensions;   // lower case
        CLSID clsid;
    };

    // The installed encoders (or decoders), in GDI+'s order.
    static std::vector<Codec> Installed(bool bEncoders);
    // The encoder with this MIME type; false when there is none.
    static bool FindEncoder(const wchar_t* pszMimeType, CLSID& clsid);
};

} // namespace guitest
