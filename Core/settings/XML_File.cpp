// XML_File: the settings document's file and memory reading and writing; the
// file side only moves bytes, the memory side holds the format.
#include "XML_File.h"

#include "CWideFile.h"
#include "XML_Decoder.h"
#include "XML_Reader.h"
#include "XML_Writer.h"

XML_File::~XML_File() = default;

bool XML_File::ReadXMLFile(XML_Tree* pTree, CString strPath)
{
    CWideFile file;
    if (pTree == nullptr || !file.Open(strPath, L"rb"))
        return true;
    XML_Reader reader(pTree);
    XML_Decoder decoder(reader);
    unsigned char buffer[8192];
    // A short block is the last one: the file ended (or could not be read).
    for (std::size_t nRead = sizeof(buffer); nRead == sizeof(buffer);)
    {
        nRead = file.Read(buffer, sizeof(buffer));
        decoder.Put(buffer, nRead);
    }
    return true;
}

bool XML_File::WriteXMLFile(XML_Tree* pTree, CString strPath)
{
    std::string bytes;
    WriteXMLBuffer(pTree, bytes);
    CWideFile file;
    if (file.Open(strPath, L"wb"))
        file.Write(bytes.data(), bytes.size());
    return true;
}

bool XML_File::ReadXMLBuffer(XML_Tree* pTree, const void* pBytes, std::size_t nBytes)
{
    if (pTree == nullptr || pBytes == nullptr)
        return true;
    XML_Reader reader(pTree);
    XML_Decoder decoder(reader);
    decoder.Put(static_cast<const unsigned char*>(pBytes), nBytes);
    return true;
}

bool XML_File::WriteXMLBuffer(XML_Tree* pTree, std::string& bytes)
{
    bytes.clear();
    XML_Writer::WriteTree(pTree, bytes);
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
