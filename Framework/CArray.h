// CArray: the framework's growable array of values, indexed from 0. Not
// copyable (use Copy); GetData gives the contiguous elements.
#pragma once

#include "PlatformTypes.h"

#include <cassert>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialised; nGrowBy is accepted for
    // compatibility, the growth policy is the standard library's.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        m_items.resize(nNewSize > 0 ? static_cast<std::size_t>(nNewSize) : 0);
    }
    void FreeExtra() { m_items.shrink_to_fit(); }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_items[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    const TYPE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    TYPE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        assert(nIndex >= 0);
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_items[static_cast<std::size_t>(nIndex)] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_items.push_back(newElement);
        return GetUpperBound();
    }
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR first = GetSize();
        m_items.insert(m_items.end(), src.m_items.begin(), src.m_items.end());
        return first;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_items = src.m_items;
    }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        assert(nIndex >= 0 && nCount >= 0);
        if (nIndex > GetSize())
            SetSize(nIndex);
        m_items.insert(m_items.begin() + nIndex, static_cast<std::size_t>(nCount), newElement);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        assert(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
        m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
    }

private:
    std::size_t Checked(INT_PTR nIndex) const
    {
        assert(nIndex >= 0 && nIndex < GetSize());
        return static_cast<std::size_t>(nIndex);
    }

    std::vector<TYPE> m_items;
};
