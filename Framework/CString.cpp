// CString: wide-character string of the framework (see CString.h).
#include "CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

const wchar_t kWhiteSpace[] = L" \t\r\n\v\f";

int ToInt(std::size_t n)
{
    return static_cast<int>(n);
}

wchar_t UpperOf(wchar_t ch)
{
    if (ch >= L'a' && ch <= L'z')
        return static_cast<wchar_t>(ch - L'a' + L'A');
    return ch < 0x80 ? ch : static_cast<wchar_t>(std::towupper(ch));
}

wchar_t LowerOf(wchar_t ch)
{
    if (ch >= L'A' && ch <= L'Z')
        return static_cast<wchar_t>(ch - L'A' + L'a');
    return ch < 0x80 ? ch : static_cast<wchar_t>(std::towlower(ch));
}

// One conversion of a format string, as parsed by FormatInto.
struct FormatConversion
{
    std::string flags;
    int width = -1;
    int precision = -1;
    enum class Size { Default, Short, Long, LongLong } size = Size::Default;
    wchar_t type = 0;
};

void AppendPadded(std::wstring& out, const std::wstring& text, const FormatConversion& conv)
{
    const bool leftAlign = conv.flags.find('-') != std::string::npos;
    const int pad = conv.width > ToInt(text.size()) ? conv.width - ToInt(text.size()) : 0;
    if (!leftAlign)
        out.append(static_cast<std::size_t>(pad), L' ');
    out += text;
    if (leftAlign)
        out.append(static_cast<std::size_t>(pad), L' ');
}

std::wstring WideStringArg(const wchar_t* psz, int precision)
{
    if (psz == nullptr)
        psz = L"(null)";
    std::size_t len = std::wcslen(psz);
    if (precision >= 0 && static_cast<std::size_t>(precision) < len)
        len = static_cast<std::size_t>(precision);
    return std::wstring(psz, len);
}

std::wstring NarrowStringArg(const char* psz, int precision)
{
    if (psz == nullptr)
        psz = "(null)";
    std::size_t len = std::strlen(psz);
    if (precision >= 0 && static_cast<std::size_t>(precision) < len)
        len = static_cast<std::size_t>(precision);
    std::wstring text;
    text.reserve(len);
    for (std::size_t i = 0; i < len; ++i)
        text += static_cast<wchar_t>(static_cast<unsigned char>(psz[i]));
    return text;
}

// Formats one numeric argument through the C library's narrow printf, which
// agrees on every platform for these conversions.
template <typename T>
std::wstring NumberArg(const FormatConversion& conv, T value)
{
    std::string fmt = "%" + conv.flags;
    if (conv.width >= 0)
        fmt += std::to_string(conv.width);
    if (conv.precision >= 0)
        fmt += "." + std::to_string(conv.precision);
    switch (conv.size) {
    case FormatConversion::Size::Short: fmt += "h"; break;
    case FormatConversion::Size::Long: fmt += "l"; break;
    case FormatConversion::Size::LongLong: fmt += "ll"; break;
    default: break;
    }
    fmt += static_cast<char>(conv.type);
    const int needed = std::snprintf(nullptr, 0, fmt.c_str(), value);
    if (needed <= 0)
        return std::wstring();
    std::string narrow(static_cast<std::size_t>(needed) + 1, '\0');
    std::snprintf(&narrow[0], narrow.size(), fmt.c_str(), value);
    narrow.resize(static_cast<std::size_t>(needed));
    return std::wstring(narrow.begin(), narrow.end());
}

void FormatInto(std::wstring& out, const wchar_t* format, va_list args)
{
    if (format == nullptr)
        return;
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        ++p;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        FormatConversion conv;
        while (*p && std::wcschr(L"-+ #0", *p))
            conv.flags += static_cast<char>(*p++);
        if (*p == L'*') {
            conv.width = va_arg(args, int);
            if (conv.width < 0) {
                conv.flags += '-';
                conv.width = -conv.width;
            }
            ++p;
        } else {
            while (*p >= L'0' && *p <= L'9')
                conv.width = (conv.width < 0 ? 0 : conv.width * 10) + (*p++ - L'0');
        }
        if (*p == L'.') {
            ++p;
            conv.precision = 0;
            if (*p == L'*') {
                conv.precision = va_arg(args, int);
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9')
                    conv.precision = conv.precision * 10 + (*p++ - L'0');
            }
        }
        bool narrowString = false;
        bool wideString = false;
        if (*p == L'h') {
            conv.size = FormatConversion::Size::Short;
            narrowString = true;
            ++p;
        } else if (*p == L'l') {
            ++p;
            wideString = true;
            conv.size = FormatConversion::Size::Long;
            if (*p == L'l') {
                conv.size = FormatConversion::Size::LongLong;
                ++p;
            }
        } else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            conv.size = FormatConversion::Size::LongLong;
            p += 3;
        }
        conv.type = *p;
        if (*p)
            ++p;
        switch (conv.type) {
        case L's':
            if (narrowString)
                AppendPadded(out, NarrowStringArg(va_arg(args, const char*), conv.precision), conv);
            else
                AppendPadded(out, WideStringArg(va_arg(args, const wchar_t*), conv.precision), conv);
            break;
        case L'S':
            if (wideString)
                AppendPadded(out, WideStringArg(va_arg(args, const wchar_t*), conv.precision), conv);
            else
                AppendPadded(out, NarrowStringArg(va_arg(args, const char*), conv.precision), conv);
            break;
        case L'c':
        case L'C':
            AppendPadded(out, std::wstring(1, static_cast<wchar_t>(va_arg(args, int))), conv);
            break;
        case L'd':
        case L'i':
            if (conv.size == FormatConversion::Size::LongLong)
                out += NumberArg(conv, va_arg(args, long long));
            else if (conv.size == FormatConversion::Size::Long)
                out += NumberArg(conv, va_arg(args, long));
            else
                out += NumberArg(conv, va_arg(args, int));
            break;
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            if (conv.size == FormatConversion::Size::LongLong)
                out += NumberArg(conv, va_arg(args, unsigned long long));
            else if (conv.size == FormatConversion::Size::Long)
                out += NumberArg(conv, va_arg(args, unsigned long));
            else
                out += NumberArg(conv, va_arg(args, unsigned int));
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
            conv.size = FormatConversion::Size::Default;
            out += NumberArg(conv, va_arg(args, double));
            break;
        case L'p':
            conv.size = FormatConversion::Size::Default;
            out += NumberArg(conv, va_arg(args, void*));
            break;
        default:
            // An unknown conversion is copied as it stands.
            out += L'%';
            if (conv.type)
                out += conv.type;
            break;
        }
    }
}

// A position for GetAt and SetAt: outside the string it throws.
std::size_t CheckedIndex(int nIndex, int nLength)
{
    if (nIndex < 0 || nIndex >= nLength)
        throw std::out_of_range("CString position");
    return static_cast<std::size_t>(nIndex);
}

std::size_t TrimLeftPos(std::wstring_view s, const wchar_t* targets)
{
    std::size_t i = 0;
    while (i < s.size() && std::wcschr(targets, s[i]) != nullptr && s[i] != L'\0')
        ++i;
    return i;
}

std::size_t TrimRightEnd(std::wstring_view s, const wchar_t* targets)
{
    std::size_t n = s.size();
    while (n > 0 && std::wcschr(targets, s[n - 1]) != nullptr && s[n - 1] != L'\0')
        --n;
    return n;
}

} // namespace

CString::CString() = default;
CString::CString(const CString& other) = default;
CString::CString(CString&& other) noexcept : m_str(std::move(other.m_str)) {}
CString::CString(const wchar_t* psz)
{
    if (psz != nullptr)
        m_str.Assign(psz, std::wcslen(psz));
}
CString::CString(const wchar_t* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.Assign(pch, static_cast<std::size_t>(nLength));
}
CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.Resize(static_cast<std::size_t>(nRepeat), ch);
}
CString::~CString() = default;

CString& CString::operator=(const CString& other) = default;
CString& CString::operator=(CString&& other) noexcept
{
    m_str = std::move(other.m_str);
    return *this;
}
CString& CString::operator=(const wchar_t* psz)
{
    if (psz != nullptr)
        m_str.Assign(psz, std::wcslen(psz));
    else
        m_str.Resize(0);
    return *this;
}
CString& CString::operator=(wchar_t ch)
{
    m_str.Assign(&ch, 1);
    return *this;
}

int CString::GetLength() const { return ToInt(m_str.Size()); }
BOOL CString::IsEmpty() const { return m_str.Size() == 0 ? TRUE : FALSE; }
void CString::Empty() { m_str.Resize(0); }
wchar_t CString::GetAt(int nIndex) const { return m_str.Chars()[CheckedIndex(nIndex, GetLength())]; }
void CString::SetAt(int nIndex, wchar_t ch) { m_str.Chars()[CheckedIndex(nIndex, GetLength())] = ch; }
wchar_t CString::operator[](int nIndex) const { return GetAt(nIndex); }
const wchar_t* CString::GetString() const { return m_str.Chars(); }
CString::operator const wchar_t*() const { return m_str.Chars(); }

CString& CString::operator+=(const CString& other)
{
    m_str.Append(other.m_str.Chars(), other.m_str.Size());
    return *this;
}
CString& CString::operator+=(const wchar_t* psz)
{
    if (psz)
        m_str.Append(psz, std::wcslen(psz));
    return *this;
}
CString& CString::operator+=(wchar_t ch)
{
    m_str.Append(&ch, 1);
    return *this;
}
void CString::Append(const wchar_t* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.Append(pch, static_cast<std::size_t>(nLength));
}

int CString::Compare(const wchar_t* psz) const
{
    return m_str.View().compare(psz ? psz : L"");
}

int CString::CompareNoCase(const wchar_t* psz) const
{
    const wchar_t* a = m_str.Chars();
    const wchar_t* b = psz ? psz : L"";
    for (;; ++a, ++b) {
        const wchar_t ca = LowerOf(*a);
        const wchar_t cb = LowerOf(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == L'\0')
            return 0;
    }
}

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    std::wstring out;
    FormatInto(out, pszFormat, args);
    m_str.Assign(out.data(), out.size());
}

void CString::AppendFormatV(const wchar_t* pszFormat, va_list args)
{
    std::wstring out;
    FormatInto(out, pszFormat, args);
    m_str.Append(out.data(), out.size());
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew)
{
    const std::size_t oldLen = pszOld ? std::wcslen(pszOld) : 0;
    if (oldLen == 0)
        return 0;
    const std::wstring_view replacement(pszNew ? pszNew : L"");
    const std::wstring_view text = m_str.View();
    std::wstring out;
    int count = 0;
    std::size_t from = 0;
    for (std::size_t at = text.find(pszOld, 0, oldLen); at != std::wstring_view::npos;
         at = text.find(pszOld, from, oldLen)) {
        out.append(text.substr(from, at - from));
        out += replacement;
        from = at + oldLen;
        ++count;
    }
    if (count > 0) {
        out.append(text.substr(from));
        m_str.Assign(out.data(), out.size());
    }
    return count;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    wchar_t* p = m_str.Chars();
    for (std::size_t i = 0; i < m_str.Size(); ++i) {
        if (p[i] == chOld) {
            p[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    const std::size_t before = m_str.Size();
    wchar_t* p = m_str.Chars();
    m_str.Resize(static_cast<std::size_t>(std::remove(p, p + before, ch) - p));
    return ToInt(before - m_str.Size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    const std::size_t at = static_cast<std::size_t>(std::clamp(nIndex, 0, GetLength()));
    m_str.Replace(at, 0, &ch, 1);
    return GetLength();
}

int CString::Insert(int nIndex, const wchar_t* psz)
{
    const std::size_t at = static_cast<std::size_t>(std::clamp(nIndex, 0, GetLength()));
    if (psz)
        m_str.Replace(at, 0, psz, std::wcslen(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.Replace(static_cast<std::size_t>(nIndex), static_cast<std::size_t>(std::min(nCount, GetLength() - nIndex)),
                      nullptr, 0);
    return GetLength();
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const std::size_t at = m_str.View().find(ch, static_cast<std::size_t>(nStart));
    return at == std::wstring_view::npos ? -1 : ToInt(at);
}

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    const std::size_t at = m_str.View().find(pszSub, static_cast<std::size_t>(nStart));
    return at == std::wstring_view::npos ? -1 : ToInt(at);
}

int CString::FindOneOf(const wchar_t* pszCharSet) const
{
    if (pszCharSet == nullptr)
        return -1;
    const std::size_t at = m_str.View().find_first_of(pszCharSet);
    return at == std::wstring_view::npos ? -1 : ToInt(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    const std::size_t at = m_str.View().rfind(ch);
    return at == std::wstring_view::npos ? -1 : ToInt(at);
}

CString CString::Left(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.Chars(), nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.Chars() + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.Chars() + (GetLength() - nCount), nCount);
}

CString& CString::MakeUpper()
{
    std::transform(m_str.Chars(), m_str.Chars() + m_str.Size(), m_str.Chars(), UpperOf);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_str.Chars(), m_str.Chars() + m_str.Size(), m_str.Chars(), LowerOf);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.Chars(), m_str.Chars() + m_str.Size());
    return *this;
}

CString& CString::Trim() { return Trim(kWhiteSpace); }
CString& CString::Trim(wchar_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(const wchar_t* pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t targets[2] = { chTarget, L'\0' };
    return TrimLeft(targets);
}
CString& CString::TrimLeft(const wchar_t* pszTargets)
{
    if (pszTargets != nullptr)
        m_str.Replace(0, TrimLeftPos(m_str.View(), pszTargets), nullptr, 0);
    return *this;
}
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }
CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t targets[2] = { chTarget, L'\0' };
    return TrimRight(targets);
}
CString& CString::TrimRight(const wchar_t* pszTargets)
{
    if (pszTargets != nullptr)
        m_str.Resize(TrimRightEnd(m_str.View(), pszTargets));
    return *this;
}

wchar_t* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.Resize(static_cast<std::size_t>(nMinBufLength));
    return m_str.Chars();
}

wchar_t* CString::GetBufferSetLength(int nNewLength)
{
    m_str.Resize(static_cast<std::size_t>(std::max(nNewLength, 0)));
    return m_str.Chars();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = ToInt(std::wcslen(m_str.Chars()));
    m_str.Resize(static_cast<std::size_t>(std::min(nNewLength, GetLength())));
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
CString operator+(wchar_t a, const CString& b) { CString r(a); r += b; return r; }

bool operator==(const CString& a, const CString& b)
{
    // Length-aware, so strings holding a NUL compare whole.
    return a.GetLength() == b.GetLength()
        && std::wmemcmp(a.GetString(), b.GetString(), static_cast<std::size_t>(a.GetLength())) == 0;
}
bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
bool operator!=(const wchar_t* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const wchar_t* b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, const wchar_t* b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
