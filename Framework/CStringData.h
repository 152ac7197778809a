// CStringData: the characters of a CString, always terminated. Strings of up
// to kInlineChars characters (nearly every name, number and label) live
// inside the object; longer ones on the heap, which grows by half again when
// it must. Every member is out of line, so the heap is the framework's.
#pragma once

#include "FrameworkApi.h"

#include <cstddef>
#include <string_view>

class FRAMEWORK_API CStringData
{
public:
    CStringData() noexcept;
    CStringData(const CStringData& other);
    CStringData(CStringData&& other) noexcept;
    ~CStringData();
    CStringData& operator=(const CStringData& other);
    CStringData& operator=(CStringData&& other) noexcept;

    std::size_t Size() const;
    const wchar_t* Chars() const;
    wchar_t* Chars();
    std::wstring_view View() const;

    // New characters take the value ch.
    void Resize(std::size_t nLength, wchar_t ch = L'\0');
    void Assign(const wchar_t* pch, std::size_t nLength);
    // Replaces nCount characters at nAt by nLength characters from pch, which
    // may point into this string.
    void Replace(std::size_t nAt, std::size_t nCount, const wchar_t* pch, std::size_t nLength);
    void Append(const wchar_t* pch, std::size_t nLength);
    void Swap(CStringData& other) noexcept;

private:
    static constexpr std::size_t kInlineChars = 15;

    bool IsOnHeap() const;
    // Room for at least nLength characters and the terminator; the
    // characters so far are kept.
    void Reserve(std::size_t nLength);
    void TakeOver(CStringData& other) noexcept;

    std::size_t m_nLength;
    std::size_t m_nCapacity; // characters without the terminator
    wchar_t* m_pHeap;        // null while the characters are inline
    wchar_t m_inline[kInlineChars + 1];
};
