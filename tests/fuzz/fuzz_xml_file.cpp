// Fuzz target for the file layer: any bytes as a settings file. Reading the
// file must give the tree that reading the same bytes in memory gives, also
// when the bytes arrive in pieces of every small size (as reads of a file do),
// and writing a file must put down exactly the bytes of the memory writer.
#include "FuzzTree.h"
#include "XML_Decoder.h"
#include "XML_File.h"
#include "XML_Reader.h"
#include "XML_Tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace {

// One folder per fuzzing process, in memory-backed /dev/shm where there is one.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/fuzz_xml_file.XXXXXX"
                                                            : "/tmp/fuzz_xml_file.XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        for (const char* name : { "/in.xml", "/out.xml" })
            std::remove((m_path + name).c_str());
        rmdir(m_path.c_str());
    }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

CString Wide(const std::string& ascii)
{
    return CString(std::wstring(ascii.begin(), ascii.end()).c_str());
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFolder folder;
    {
        std::ofstream out(folder.File("in.xml"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    XML_Tree fromFile;
    XML_File::ReadXMLFile(&fromFile, Wide(folder.File("in.xml")));
    XML_Tree fromMemory;
    XML_File::ReadXMLBuffer(&fromMemory, data, size);
    if (!FuzzTree::Same(fromFile, fromMemory))
        std::abort();

    // Pieces of 1, 2, 3, 1, 2, 3 ... bytes.
    XML_Tree fromPieces;
    {
        XML_Reader reader(&fromPieces);
        XML_Decoder decoder(reader);
        std::size_t piece = 1;
        for (std::size_t at = 0; at < size; at += piece, piece = piece % 3 + 1)
            decoder.Put(data + at, piece < size - at ? piece : size - at);
    }
    if (!FuzzTree::Same(fromPieces, fromMemory))
        std::abort();

    XML_File::WriteXMLFile(&fromFile, Wide(folder.File("out.xml")));
    std::string written;
    XML_File::WriteXMLBuffer(&fromMemory, written);
    if (Bytes(folder.File("out.xml")) != written)
        std::abort();
    return 0;
}
