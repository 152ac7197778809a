// CString: a growable string of wide characters with the framework's usual
// operations (formatting, searching, slicing, case and trimming). Every member
// is out of line so that memory is always allocated and freed by the framework
// library itself, whichever module uses the string; short strings need no
// memory of their own (CStringData).
#pragma once

#include "CStringData.h"
#include "FrameworkApi.h"
#include "PlatformTypes.h"

#include <cstdarg>

class FRAMEWORK_API CString
{
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const wchar_t* psz);               // NULL gives an empty string
    CString(const wchar_t* pch, int nLength);  // exactly nLength characters
    explicit CString(wchar_t ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const wchar_t* psz);
    CString& operator=(wchar_t ch);

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const;
    const wchar_t* GetString() const;
    operator const wchar_t*() const;

    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch);
    void Append(const wchar_t* pch, int nLength);

    // Ordinal comparison of code units: <0, 0 or >0.
    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    // printf-style formatting with the Windows meaning of the conversions in a
    // wide format on every platform: %s and %ls take a wide string, %S and %hs
    // a narrow one, %c a wide character.
    void Format(const wchar_t* pszFormat, ...);
    void AppendFormat(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormatV(const wchar_t* pszFormat, va_list args);

    // Replaces every non-overlapping occurrence, left to right; returns the count.
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);
    int Replace(wchar_t chOld, wchar_t chNew);
    int Remove(wchar_t ch);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, const wchar_t* psz);
    int Delete(int nIndex, int nCount = 1);

    // Positions are zero-based; -1 when not found or when nStart is past the end.
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    int FindOneOf(const wchar_t* pszCharSet) const;
    int ReverseFind(wchar_t ch) const;

    // Counts are clamped to the string, as the framework does.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Without an argument white space is trimmed (space, tab, CR, LF, VT, FF).
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(const wchar_t* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(const wchar_t* pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(const wchar_t* pszTargets);

    // Direct access for platform calls that fill a buffer: the buffer holds at
    // least nMinBufLength characters plus a terminator; ReleaseBuffer(-1) takes
    // the length up to the first terminator.
    wchar_t* GetBuffer(int nMinBufLength = 0);
    wchar_t* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    CStringData m_str;
};

FRAMEWORK_API CString operator+(const CString& a, const CString& b);
FRAMEWORK_API CString operator+(const CString& a, const wchar_t* b);
FRAMEWORK_API CString operator+(const wchar_t* a, const CString& b);
FRAMEWORK_API CString operator+(const CString& a, wchar_t b);
FRAMEWORK_API CString operator+(wchar_t a, const CString& b);

FRAMEWORK_API bool operator==(const CString& a, const CString& b);
FRAMEWORK_API bool operator==(const CString& a, const wchar_t* b);
FRAMEWORK_API bool operator==(const wchar_t* a, const CString& b);
FRAMEWORK_API bool operator!=(const CString& a, const CString& b);
FRAMEWORK_API bool operator!=(const CString& a, const wchar_t* b);
FRAMEWORK_API bool operator!=(const wchar_t* a, const CString& b);
FRAMEWORK_API bool operator<(const CString& a, const CString& b);
FRAMEWORK_API bool operator<(const CString& a, const wchar_t* b);
FRAMEWORK_API bool operator>(const CString& a, const CString& b);
FRAMEWORK_API bool operator>(const CString& a, const wchar_t* b);
FRAMEWORK_API bool operator<=(const CString& a, const CString& b);
FRAMEWORK_API bool operator>=(const CString& a, const CString& b);
