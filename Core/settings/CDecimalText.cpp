// CDecimalText: saturating decimal reading of the start of a wide string, and
// decimal writing.
#include "CDecimalText.h"

#include <limits>

namespace {

template <class T>
T ParseSaturating(const wchar_t* p)
{
    if (p == nullptr)
        return 0;
    while (*p == L' ' || (*p >= L'\t' && *p <= L'\r'))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = *p == L'-';
        ++p;
    }
    // The magnitude is accumulated up to the largest one the type can take
    // for this sign and held there, so no step can overflow.
    using U = unsigned long long;
    const U limit = negative ? static_cast<U>(std::numeric_limits<T>::max()) + 1u
                             : static_cast<U>(std::numeric_limits<T>::max());
    U magnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        const U digit = static_cast<U>(*p - L'0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (!negative)
        return static_cast<T>(magnitude);
    if (magnitude == limit)
        return std::numeric_limits<T>::min();
    return static_cast<T>(-static_cast<T>(magnitude));
}

} // namespace

int CDecimalText::ToInt(const wchar_t* psz)
{
    return ParseSaturating<int>(psz);
}

long CDecimalText::ToLong(const wchar_t* psz)
{
    return ParseSaturating<long>(psz);
}

CString CDecimalText::FromNumber(long long nValue)
{
    wchar_t digits[24];
    wchar_t* pFirst = digits + 24;
    *--pFirst = L'\0';
    unsigned long long nMagnitude = nValue < 0 ? 0ull - static_cast<unsigned long long>(nValue)
                                               : static_cast<unsigned long long>(nValue);
    do {
        *--pFirst = static_cast<wchar_t>(L'0' + nMagnitude % 10);
        nMagnitude /= 10;
    } while (nMagnitude != 0);
    if (nValue < 0)
        *--pFirst = L'-';
    return CString(pFirst);
}
