// XML_Writer: puts an XML_Tree into the bytes of the settings file format.
#pragma once

#include "XML_Tree.h"

#include <cstddef>
#include <string>

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
    // Appends the document to bytes.
    static void WriteTree(XML_Tree* pTree, std::string& bytes);

private:
    static void AppendTagLine(std::string& bytes, std::size_t nDepth, bool bClose, const CString& strName);
    static void AppendValueLine(std::string& bytes, std::size_t nDepth, const CString& strValue);
};
