// GdiplusCodecs: GDI+'s codec lists for tests (see GdiplusCodecs.h).
#include "GdiplusCodecs.h"

#include <algorithm>
#include <cwctype>

namespace guitest {

bool GdiplusCodecs::FindEncoder(const wchar_t* pszMimeType, CLSID& clsid)
{
    for (const Codec& codec : Installed(true)) {
        if (codec.mimeType == pszMimeType) {
            clsid = codec.clsid;
            return true;
        }
    }
    return false;
}

std::vector<GdiplusCodecs::Codec> GdiplusCodecs::Installed(bool bEncoders)
{
    UINT nCount = 0, nBytes = 0;
    if (bEncoders)
        Gdiplus::GetImageEncodersSize(&nCount, &nBytes);
    else
        Gdiplus::GetImageDecodersSize(&nCount, &nBytes);
    // The codec records are followed by their strings in the same block.
    std::vector<Gdiplus::ImageCodecInfo> block(nBytes / sizeof(Gdiplus::ImageCodecInfo) + 1);
    Gdiplus::ImageCodecInfo* pInfo = block.data();
    const Gdiplus::Status status = bEncoders ? Gdiplus::GetImageEncoders(nCount, nBytes, pInfo)
                                             : Gdiplus::GetImageDecoders(nCount, nBytes, pInfo);
    std::vector<Codec> codecs;
    if (status != Gdiplus::Ok)
        return codecs;
    for (UINT i = 0; i < nCount; ++i) {
        std::wstring extensions = pInfo[i].FilenameExtension;
        std::transform(extensions.begin(), extensions.end(), extensions.begin(),
                       [](wchar_t ch) { return static_cast<wchar_t>(std::towlower(ch)); });
        codecs.push_back({ pInfo[i].FormatDescription, pInfo[i].MimeType, extensions, pInfo[i].Clsid });
    }
    return codecs;
}

} // namespace guitest
