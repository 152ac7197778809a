// XML_Writer: writes an XML_Tree in the settings file format and reports
// whether every byte was written.
#pragma once

#include "CWideFile.h"
#include "XML_Tree.h"

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
    // True when the whole document was written to the open file; the walk
    // stops at the first failed write.
    static bool WriteTree(XML_Tree* pTree, CWideFile& file);

private:
    static bool WriteLine(CWideFile& file, const CString& strLine);
};
