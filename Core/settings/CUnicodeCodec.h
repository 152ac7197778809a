// CUnicodeCodec: conversions between the program's wide strings and the two
// byte encodings the settings meet on disk: UTF-16 code units in the settings
// file and UTF-8 in native file names.
#pragma once

#include "CString.h"

#include <cstddef>
#include <string>

class CUnicodeCodec
{
public:
    // Where wchar_t is 16 bits the units are copied as they are. Where it is 32
    // bits a character above U+FFFF becomes a surrogate pair, a lone surrogate
    // value stays one unit, and a value beyond U+10FFFF becomes U+FFFD.
    static std::u16string ToUtf16(const CString& str);

    // The reverse: where wchar_t is 32 bits a high surrogate followed by a low
    // one becomes one character and a lone surrogate stays as it is, so that
    // FromUtf16(ToUtf16(x)) gives back x and ToUtf16(FromUtf16(u)) gives back u.
    static CString FromUtf16(const char16_t* pUnits, std::size_t nCount);

    // UTF-8 for native file names; lone surrogates and invalid values become
    // U+FFFD, invalid bytes read back as U+FFFD.
    static std::string ToUtf8(const CString& str);
    static CString FromUtf8(const char* pBytes, std::size_t nCount);
};
