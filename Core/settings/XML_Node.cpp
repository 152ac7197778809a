// XML_Node: an element with a name, a value and owned children.
#include "XML_Node.h"

#include "CDecimalText.h"

#include <cwchar>
#include <utility>
#include <vector>

XML_Node::XML_Node(XML_Node* pParent, CString strName)
    : m_strName(std::move(strName)), m_pParent(pParent), m_nChildCursor(-1)
{
    if (pParent != nullptr)
        pParent->AddChild(this);
}

XML_Node::~XML_Node()
{
    // The subtree goes in pre-order, children in array order. Each node's
    // children are taken out of it before it is deleted, so every destructor
    // runs on a childless node and a deep chain does not recurse.
    std::vector<XML_Node*> pending;
    for (INT_PTR i = m_arrChildren.GetSize(); i-- > 0;)
        pending.push_back(m_arrChildren[i]);
    m_arrChildren.RemoveAll();
    while (!pending.empty()) {
        XML_Node* pNode = pending.back();
        pending.pop_back();
        for (INT_PTR i = pNode->m_arrChildren.GetSize(); i-- > 0;)
            pending.push_back(pNode->m_arrChildren[i]);
        pNode->m_arrChildren.RemoveAll();
        delete pNode;
    }
}

CString XML_Node::GetName() const { return m_strName; }
CString XML_Node::GetValue() const { return m_strValue; }
XML_Node* XML_Node::GetParent() const { return m_pParent; }

void XML_Node::AddValue(CString strValue)
{
    m_strValue = std::move(strValue);
}

int XML_Node::GetValueAsInt() const
{
    return CDecimalText::ToInt(m_strValue.GetString());
}

long XML_Node::GetValueAsLong() const
{
    return CDecimalText::ToLong(m_strValue.GetString());
}

XML_Node* XML_Node::GetSubItem(CString strName) const
{
    return FindChild(strName.GetString(), static_cast<std::size_t>(strName.GetLength()));
}

XML_Node* XML_Node::GetSubItem(const wchar_t* pszName) const
{
    return pszName != nullptr ? FindChild(pszName, std::wcslen(pszName)) : nullptr;
}

// Exact comparison of the whole names, terminators inside them included.
XML_Node* XML_Node::FindChild(const wchar_t* pName, std::size_t nLength) const
{
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i) {
        const CString& strChild = m_arrChildren[i]->m_strName;
        if (static_cast<std::size_t>(strChild.GetLength()) == nLength
            && std::wmemcmp(strChild.GetString(), pName, nLength) == 0)
            return m_arrChildren[i];
    }
    return nullptr;
}

XML_Node* XML_Node::GetFirstSubItem()
{
    m_nChildCursor = 0;
    return m_arrChildren.IsEmpty() ? nullptr : m_arrChildren[0];
}

XML_Node* XML_Node::GetNextSubItem()
{
    // The cursor stops one past the last child, so further calls stay null.
    if (m_nChildCursor < 0 || m_nChildCursor >= m_arrChildren.GetSize())
        return nullptr;
    ++m_nChildCursor;
    return m_nChildCursor < m_arrChildren.GetSize() ? m_arrChildren[m_nChildCursor] : nullptr;
}

void XML_Node::AddChild(XML_Node* pChild)
{
    m_arrChildren.Add(pChild);
}
