// XML_Tree: building a settings document with an open-element cursor.
#include "XML_Tree.h"

#include <utility>

namespace {

// The decimal digits as "%d" and "%ld" write them, without a format call.
CString DecimalText(long long nValue)
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

} // namespace

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
    AddValue(DecimalText(nValue));
}

void XML_Tree::AddValue(long nValue)
{
    AddValue(DecimalText(nValue));
}

void XML_Tree::EndElement()
{
    if (m_pCursor != nullptr)
        m_pCursor = m_pCursor->GetParent();
}
