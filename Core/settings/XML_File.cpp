// XML_File: the settings document's file reading and writing.
#include "XML_File.h"

#include "CWideFile.h"
#include "XML_Reader.h"
#include "XML_Writer.h"

#include <cstddef>

XML_File::~XML_File() = default;

bool XML_File::ReadXMLFile(XML_Tree* pTree, CString strPath)
{
    CWideFile file;
    if (pTree == nullptr || !file.Open(strPath, L"rb"))
        return true;
    XML_Reader reader(pTree);
    unsigned char buffer[8192];
    std::size_t nHeld = 0; // bytes at the start of buffer left from the last read
    for (;;) {
        const std::size_t nRead = file.Read(buffer + nHeld, sizeof(buffer) - nHeld);
        if (nRead == 0)
            break;
        const std::size_t nBytes = nHeld + nRead;
        const std::size_t nWhole = nBytes & ~static_cast<std::size_t>(1);
        for (std::size_t i = 0; i < nWhole; i += 2)
            reader.Put(static_cast<char16_t>(buffer[i] | (buffer[i + 1] << 8)));
        nHeld = nBytes - nWhole;
        if (nHeld != 0)
            buffer[0] = buffer[nWhole];
    }
    return true;
}

bool XML_File::WriteXMLFile(XML_Tree* pTree, CString strPath)
{
    CWideFile file;
    if (file.Open(strPath, L"wb"))
        XML_Writer::WriteTree(pTree, file);
    return true;
}

void XML_File::MakeSaveString(CString& str)
{
    str.Replace(L"/", L"\\colon");
}

void XML_File::UnmakeSaveString(CString& str)
{
    str.Replace(L"\\colon", L"/");
}
