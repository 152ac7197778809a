// XML_File: reads and writes settings documents (XML_Tree) as files of
// UTF-16LE code units, and offers the format's one escape ("/" <-> "\colon").
#pragma once

#include "CString.h"
#include "TesLibApi.h"
#include "XML_Tree.h"

class TESLIB_API XML_File
{
public:
    virtual ~XML_File();

    // Reads the file at strPath into the (empty) tree by the rules of
    // XML_Reader. A file that cannot be opened leaves the tree unchanged; an
    // odd last byte is ignored. Returns true in every case.
    static bool ReadXMLFile(XML_Tree* pTree, CString strPath);

    // Creates or truncates the file at strPath and writes the tree into it as
    // XML_Writer describes. A file that cannot be opened is not written.
    // Returns true in every case.
    static bool WriteXMLFile(XML_Tree* pTree, CString strPath);

    // "/" -> "\colon" and back, in place.
    static void MakeSaveString(CString& str);
    static void UnmakeSaveString(CString& str);
};
