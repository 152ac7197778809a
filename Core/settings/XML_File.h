// XML_File: reads and writes settings documents (XML_Tree) as files of
// UTF-16LE code units, or as the same bytes in memory, and offers the format's
// one escape ("/" <-> "\colon").
#pragma once

#include "CString.h"
#include "TesLibApi.h"
#include "XML_Tree.h"

#include <cstddef>
#include <string>

class TESLIB_API XML_File
{
public:
    virtual ~XML_File();

    // Reads the file at strPath into the (empty) tree as ReadXMLBuffer reads
    // its bytes. A file that cannot be opened leaves the tree unchanged.
    // Returns true in every case.
    static bool ReadXMLFile(XML_Tree* pTree, CString strPath);

    // Creates or truncates the file at strPath and writes into it the bytes
    // that WriteXMLBuffer gives. A file that cannot be opened is not written.
    // Returns true in every case.
    static bool WriteXMLFile(XML_Tree* pTree, CString strPath);

    // Reads a document held in memory into the (empty) tree by the rules of
    // XML_Reader; the encoding is found as XML_Decoder describes (the writer's
    // UTF-16LE, UTF-16BE or UTF-8). Returns true in every case.
    static bool ReadXMLBuffer(XML_Tree* pTree, const void* pBytes, std::size_t nBytes);

    // Replaces bytes with the document as XML_Writer lays it out: UTF-16LE
    // code units, no byte-order mark. Returns true in every case.
    static bool WriteXMLBuffer(XML_Tree* pTree, std::string& bytes);

    // "/" -> "\colon" and back, in place.
    static void MakeSaveString(CString& str);
    static void UnmakeSaveString(CString& str);
};
