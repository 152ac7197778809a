// XML_Node: an element with a name, a value and owned children.
#include "XML_Node.h"

#include "CDecimalText.h"

#include <cwchar>
#include <utility>

XML_Node::XML_Node(XML_Node* pParent, CString strName)
    : m_strName(std::move(strName)), m_pParent(pParent), m_pFirstChild(nullptr), m_pLastChild(nullptr),
      m_pNextSibling(nullptr), m_pChildCursor(nullptr)
{
    if (pParent != nullptr)
        pParent->AddChild(this);
}

XML_Node::~XML_Node()
{
    // The subtree goes in pre-order, children in their order: the nodes
    // still to delete form one chain through m_pNextSibling, and each node's
    // children are spliced in at its place before it is deleted, so every
    // destructor runs on a childless node and a deep chain does not recurse.
    XML_Node* pPending = m_pFirstChild;
    m_pFirstChild = m_pLastChild = nullptr;
    while (pPending != nullptr) {
        XML_Node* pNode = pPending;
        pPending = pNode->m_pNextSibling;
        if (pNode->m_pFirstChild != nullptr) {
            pNode->m_pLastChild->m_pNextSibling = pPending;
            pPending = pNode->m_pFirstChild;
            pNode->m_pFirstChild = pNode->m_pLastChild = nullptr;
        }
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
    for (XML_Node* pChild = m_pFirstChild; pChild != nullptr; pChild = pChild->m_pNextSibling) {
        const CString& strChild = pChild->m_strName;
        if (static_cast<std::size_t>(strChild.GetLength()) == nLength
            && std::wmemcmp(strChild.GetString(), pName, nLength) == 0)
            return pChild;
    }
    return nullptr;
}

XML_Node* XML_Node::GetFirstSubItem()
{
    m_pChildCursor = m_pFirstChild;
    return m_pChildCursor;
}

XML_Node* XML_Node::GetNextSubItem()
{
    if (m_pChildCursor != nullptr)
        m_pChildCursor = m_pChildCursor->m_pNextSibling;
    return m_pChildCursor;
}

void XML_Node::AddChild(XML_Node* pChild)
{
    if (m_pLastChild != nullptr)
        m_pLastChild->m_pNextSibling = pChild;
    else
        m_pFirstChild = pChild;
    m_pLastChild = pChild;
}
