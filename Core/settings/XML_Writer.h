// XML_Writer: puts an XML_Tree into the bytes of the settings file format.
#pragma once

#include "XML_Tree.h"

#include <cstddef>
#include <string>
#include <vector>

// For a node at depth d: d spaces, "<", the name, ">", LF; when the value is
// not empty, d + 1 spaces, the value with every "/" written as "\colon", LF;
// the children at depth d + 1; d spaces, "</", the name, ">", LF. Each code
// unit is two bytes, little-endian, with no byte-order mark; an empty tree
// writes nothing. Lines, names, values and indentation of any length are
// written whole. The tree is walked in pre-order without recursion, through
// the parent pointers and each node's child cursor, which the walk leaves
// past the last child.
class XML_Writer
{
public:
    // Writes a document element by element onto the end of bytes, in the
    // same lines WriteTree gives for the tree the same calls would build.
    explicit XML_Writer(std::string& bytes);
    XML_Writer(const XML_Writer&) = delete;
    XML_Writer& operator=(const XML_Writer&) = delete;

    // The start tag of a child of the open element (or of the root). The
    // name must stay valid until its element ends.
    void BeginElement(const wchar_t* pszName);
    // The value line of the open element: before its first child, and
    // nothing when the value is empty.
    void AddValue(const CString& strValue);
    // The end tag of the open element.
    void EndElement();

    // Appends the document of a whole tree to bytes.
    static void WriteTree(XML_Tree* pTree, std::string& bytes);

private:
    // A name in place: its units and their count.
    struct Name
    {
        const wchar_t* pUnits;
        std::size_t nLength;
    };

    void BeginElement(Name name);

    std::string& m_bytes;
    std::vector<Name> m_openNames;
};
