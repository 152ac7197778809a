// CUnicodeCodec: UTF-16 and UTF-8 conversions of wide strings.
#include "CUnicodeCodec.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code points of a wide string: pairs combined on 16-bit wchar_t, values
// taken as they are on 32-bit wchar_t.
template <class Visit>
void ForEachCodePoint(const CString& str, Visit visit)
{
    const wchar_t* p = str.GetString();
    const int n = str.GetLength();
    for (int i = 0; i < n; ++i) {
        char32_t c = static_cast<char32_t>(p[i]);
        if (sizeof(wchar_t) == 2 && IsHighSurrogate(c) && i + 1 < n
            && IsLowSurrogate(static_cast<char32_t>(p[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(p[i + 1]) - 0xDC00);
            ++i;
        }
        visit(c);
    }
}

void AppendWide(std::wstring& out, char32_t c)
{
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

CString ToCString(const std::wstring& s)
{
    return CString(s.data(), static_cast<int>(s.size()));
}

} // namespace

std::u16string CUnicodeCodec::ToUtf16(const CString& str)
{
    std::u16string out;
    out.reserve(static_cast<std::size_t>(str.GetLength()));
    ForEachCodePoint(str, [&out](char32_t c) {
        if (c > 0x10FFFF)
            c = kReplacement;
        if (c > 0xFFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    });
    return out;
}

CString CUnicodeCodec::FromUtf16(const char16_t* pUnits, std::size_t nCount)
{
    // Written straight into the string's own buffer: one allocation. Units
    // are copied as they are in one pass; only where wchar_t has 32 bits and
    // a surrogate was seen does a second pass combine the pairs.
    CString out;
    wchar_t* pOut = out.GetBufferSetLength(static_cast<int>(nCount));
    unsigned int nSurrogates = 0;
    for (std::size_t i = 0; i < nCount; ++i) {
        pOut[i] = static_cast<wchar_t>(pUnits[i]);
        // 1 exactly when the unit is D800-DFFF, counted without a branch.
        nSurrogates += ((static_cast<unsigned int>(pUnits[i] & 0xF800) ^ 0xD800u) - 1u) >> 31;
    }
    if (sizeof(wchar_t) == 2 || nSurrogates == 0)
        return out;
    std::size_t nOut = 0;
    for (std::size_t i = 0; i < nCount; ++i) {
        const char32_t c = pUnits[i];
        if (IsHighSurrogate(c) && i + 1 < nCount && IsLowSurrogate(pUnits[i + 1])) {
            pOut[nOut++] = static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (pUnits[i + 1] - 0xDC00));
            ++i;
        } else {
            pOut[nOut++] = static_cast<wchar_t>(c);
        }
    }
    out.GetBufferSetLength(static_cast<int>(nOut));
    return out;
}

std::string CUnicodeCodec::ToUtf8(const CString& str)
{
    std::string out;
    ForEachCodePoint(str, [&out](char32_t c) {
        if (c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
            c = kReplacement;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    });
    return out;
}

CString CUnicodeCodec::FromUtf8(const char* pBytes, std::size_t nCount)
{
    std::wstring out;
    std::size_t i = 0;
    while (i < nCount) {
        const unsigned char lead = static_cast<unsigned char>(pBytes[i]);
        int nTrail = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            nTrail = 1; c = lead & 0x1F; minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            nTrail = 2; c = lead & 0x0F; minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            nTrail = 3; c = lead & 0x07; minimum = 0x10000;
        } else {
            nTrail = -1;
        }
        std::size_t next = i + 1;
        bool valid = nTrail >= 0;
        for (int k = 0; valid && k < nTrail; ++k, ++next) {
            if (next >= nCount || (static_cast<unsigned char>(pBytes[next]) & 0xC0) != 0x80)
                valid = false;
            else
                c = (c << 6) | (static_cast<unsigned char>(pBytes[next]) & 0x3F);
        }
        if (!valid || c < minimum || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendWide(out, kReplacement);
            i += 1;
        } else {
            AppendWide(out, c);
            i = next;
        }
    }
    return ToCString(out);
}
