// XML_Tree: building a settings document with an open-element cursor.
#include "XML_Tree.h"

#include "CDecimalText.h"

#include <utility>

XML_Tree::XML_Tree() : m_pRoot(nullptr), m_pCursor(nullptr) {}

XML_Tree::~XML_Tree()
{
    delete m_pRoot;
}

XML_Node* XML_Tree::GetRoot() const { return m_pRoot; }
XML_Node* XML_Tree::GetOpenElement() const { return m_pCursor; }

void XML_Tree::AddElement(CString strName)
{
    if (m_pRoot == nullptr) {
        m_pRoot = new XML_Node(nullptr, std::move(strName));
        m_pCursor = m_pRoot;
    } else if (m_pCursor != nullptr) {
        m_pCursor = new XML_Node(m_pCursor, std::move(strName));
    }
}

void XML_Tree::AddValue(CString strValue)
{
    if (m_pCursor != nullptr)
        m_pCursor->AddValue(std::move(strValue));
}

void XML_Tree::AddValue(int nValue)
{
    AddValue(CDecimalText::FromNumber(nValue));
}

void XML_Tree::AddValue(long nValue)
{
    AddValue(CDecimalText::FromNumber(nValue));
}

void XML_Tree::EndElement()
{
    if (m_pCursor != nullptr)
        m_pCursor = m_pCursor->GetParent();
}
