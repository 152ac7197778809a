// CStringData: inline or heap storage of a CString's characters.
#include "CStringData.h"

#include <cwchar>
#include <functional>
#include <new>
#include <utility>

CStringData::CStringData() noexcept : m_nLength(0), m_nCapacity(kInlineChars), m_pHeap(nullptr)
{
    m_inline[0] = L'\0';
}

CStringData::CStringData(const CStringData& other) : CStringData()
{
    Assign(other.Chars(), other.m_nLength);
}

CStringData::CStringData(CStringData&& other) noexcept : CStringData()
{
    TakeOver(other);
}

CStringData::~CStringData()
{
    delete[] m_pHeap;
}

CStringData& CStringData::operator=(const CStringData& other)
{
    if (this != &other)
        Assign(other.Chars(), other.m_nLength);
    return *this;
}

CStringData& CStringData::operator=(CStringData&& other) noexcept
{
    if (this != &other) {
        delete[] m_pHeap;
        m_pHeap = nullptr;
        m_nCapacity = kInlineChars;
        m_nLength = 0;
        m_inline[0] = L'\0';
        TakeOver(other);
    }
    return *this;
}

// This object is empty and inline; other is left so.
void CStringData::TakeOver(CStringData& other) noexcept
{
    if (other.IsOnHeap()) {
        m_pHeap = other.m_pHeap;
        m_nCapacity = other.m_nCapacity;
        other.m_pHeap = nullptr;
        other.m_nCapacity = kInlineChars;
    } else {
        std::wmemcpy(m_inline, other.m_inline, other.m_nLength + 1);
    }
    m_nLength = other.m_nLength;
    other.m_nLength = 0;
    other.m_inline[0] = L'\0';
}

bool CStringData::IsOnHeap() const { return m_pHeap != nullptr; }
std::size_t CStringData::Size() const { return m_nLength; }
const wchar_t* CStringData::Chars() const { return IsOnHeap() ? m_pHeap : m_inline; }
wchar_t* CStringData::Chars() { return IsOnHeap() ? m_pHeap : m_inline; }
std::wstring_view CStringData::View() const { return std::wstring_view(Chars(), m_nLength); }

void CStringData::Reserve(std::size_t nLength)
{
    if (nLength <= m_nCapacity)
        return;
    std::size_t nCapacity = m_nCapacity + m_nCapacity / 2;
    if (nCapacity < nLength)
        nCapacity = nLength;
    if (nCapacity + 1 < nCapacity || nCapacity + 1 > static_cast<std::size_t>(-1) / sizeof(wchar_t))
        throw std::bad_alloc();
    wchar_t* pNew = new wchar_t[nCapacity + 1];
    std::wmemcpy(pNew, Chars(), m_nLength + 1);
    delete[] m_pHeap;
    m_pHeap = pNew;
    m_nCapacity = nCapacity;
}

void CStringData::Resize(std::size_t nLength, wchar_t ch)
{
    Reserve(nLength);
    wchar_t* p = Chars();
    if (nLength > m_nLength)
        std::wmemset(p + m_nLength, ch, nLength - m_nLength);
    m_nLength = nLength;
    p[nLength] = L'\0';
}

void CStringData::Assign(const wchar_t* pch, std::size_t nLength)
{
    Replace(0, m_nLength, pch, nLength);
}

void CStringData::Append(const wchar_t* pch, std::size_t nLength)
{
    Replace(m_nLength, 0, pch, nLength);
}

void CStringData::Replace(std::size_t nAt, std::size_t nCount, const wchar_t* pch, std::size_t nLength)
{
    const std::size_t nTail = m_nLength - nAt - nCount;
    const std::size_t nNewLength = nAt + nLength + nTail;
    const wchar_t* pOld = Chars();
    const std::less<const wchar_t*> before;
    if (pch != nullptr && !before(pch, pOld) && !before(pOld + m_nLength, pch)) {
        // Text from this string: copied out first, growing may move it.
        CStringData copy;
        copy.Assign(pch, nLength);
        Replace(nAt, nCount, copy.Chars(), nLength);
        return;
    }
    Reserve(nNewLength);
    wchar_t* p = Chars();
    std::wmemmove(p + nAt + nLength, p + nAt + nCount, nTail + 1);
    if (nLength != 0)
        std::wmemcpy(p + nAt, pch, nLength);
    m_nLength = nNewLength;
}

void CStringData::Swap(CStringData& other) noexcept
{
    CStringData held(std::move(other));
    other = std::move(*this);
    *this = std::move(held);
}
