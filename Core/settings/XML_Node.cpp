// XML_Node: an element with a name, a value and owned children.
#include "XML_Node.h"

#include "CDecimalText.h"

#include <cwchar>
#include <utility>
#include <vector>

namespace {

// Exact comparison of the whole strings, terminators inside them included.
bool SameText(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength()
        && std::wmemcmp(a.GetString(), b.GetString(), static_cast<std::size_t>(a.GetLength())) == 0;
}

} // namespace

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
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i) {
        if (SameText(m_arrChildren[i]->m_strName, strName))
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
