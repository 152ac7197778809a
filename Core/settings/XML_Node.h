// XML_Node: one element of a settings document: a name, at most one text
// value, and the child elements it owns, in the order they were added.
#pragma once

#include "CString.h"
#include "TesLibApi.h"

#include <cstddef>

class TESLIB_API XML_Node
{
public:
    // Makes a node with an empty value and no children; when pParent is not
    // null the node appends itself as the parent's last child.
    XML_Node(XML_Node* pParent, CString strName);
    // Destroys the whole subtree (without recursion, so any depth is safe).
    virtual ~XML_Node();
    XML_Node(const XML_Node&) = delete;
    XML_Node& operator=(const XML_Node&) = delete;

    CString GetName() const;
    CString GetValue() const;
    XML_Node* GetParent() const;

    // Replaces the value.
    void AddValue(CString strValue);

    // The value read as a decimal number (see CDecimalText): leading white
    // space, optional sign, digits up to the first other character; 0
    // without digits; out-of-range numbers saturate.
    int GetValueAsInt() const;
    long GetValueAsLong() const;

    // The first child whose name equals strName exactly, or null.
    XML_Node* GetSubItem(CString strName) const;
    // The same for a name given as text, without making a string of it.
    XML_Node* GetSubItem(const wchar_t* pszName) const;

    // Child iteration with the node's own cursor: GetFirstSubItem starts at
    // the first child; GetNextSubItem moves on and gives null once past the
    // last child, and keeps giving null until GetFirstSubItem is called again.
    XML_Node* GetFirstSubItem();
    XML_Node* GetNextSubItem();

protected:
    XML_Node* FindChild(const wchar_t* pName, std::size_t nLength) const;
    // Appends an existing node to the children without touching its parent.
    void AddChild(XML_Node* pChild);

private:
    // The writer reads names and values in place instead of copying them.
    friend class XML_Writer;

    CString m_strName;
    CString m_strValue;
    XML_Node* m_pParent;
    // The children as a chain through their m_pNextSibling, so that adding
    // one never allocates.
    XML_Node* m_pFirstChild;
    XML_Node* m_pLastChild;
    XML_Node* m_pNextSibling;
    XML_Node* m_pChildCursor; // null while unset and once past the last child
};
