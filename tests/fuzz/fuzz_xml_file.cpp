// Fuzz target for the file layer: any bytes as a settings file. Reading the
// file must give the tree that reading the same bytes in memory gives when
// they arrive in pieces of every small size (as reads of a file do), and
// writing a file must put down exactly the bytes of the memory writer.
#include "FuzzTree.h"
#include "XML_Decoder.h"
#include "XML_File.h"
#include "XML_Reader.h"
#include "XML_Tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// One folder per fuzzing process, in memory-backed /dev/shm where there is
// one, with the two files' paths made once. The harness keeps a descriptor of
// each file: the input is put down through one, and the file layer's output
// (which truncates the same file, never replaces it) is read back through
// the other, so that the system calls counted per input are the file
// layer's own.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/fuzz_xml_file.XXXXXX"
                                                            : "/tmp/fuzz_xml_file.XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr)
            std::abort();
        m_folder = pattern;
        m_in = m_folder + "/in.xml";
        m_out = m_folder + "/out.xml";
        m_wideIn = Wide(m_in);
        m_wideOut = Wide(m_out);
        m_inFile = open(m_in.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        m_outFile = open(m_out.c_str(), O_RDONLY | O_CREAT | O_TRUNC, 0600);
        if (m_inFile < 0 || m_outFile < 0)
            std::abort();
    }
    ~ScratchFolder()
    {
        close(m_inFile);
        close(m_outFile);
        std::remove(m_in.c_str());
        std::remove(m_out.c_str());
        rmdir(m_folder.c_str());
    }

    const CString& WideIn() const { return m_wideIn; }
    const CString& WideOut() const { return m_wideOut; }

    // Makes the bytes the whole input file.
    void PutInput(const std::uint8_t* data, std::size_t size) const
    {
        if (pwrite(m_inFile, data, size, 0) != static_cast<ssize_t>(size) ||
            ftruncate(m_inFile, static_cast<off_t>(size)) != 0)
            std::abort();
    }

    // Whether the output file holds exactly the bytes.
    bool OutputHolds(const std::string& bytes) const
    {
        static std::string onDisk;
        onDisk.resize(bytes.size() + 1);
        const ssize_t got = pread(m_outFile, &onDisk[0], onDisk.size(), 0);
        return got == static_cast<ssize_t>(bytes.size()) && onDisk.compare(0, bytes.size(), bytes) == 0;
    }

private:
    static CString Wide(const std::string& ascii) { return CString(std::wstring(ascii.begin(), ascii.end()).c_str()); }

    std::string m_folder, m_in, m_out;
    CString m_wideIn, m_wideOut;
    int m_inFile, m_outFile;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFolder folder;
    folder.PutInput(data, size);

    XML_Tree fromFile;
    XML_File::ReadXMLFile(&fromFile, folder.WideIn());

    // The same bytes in memory, in pieces of 1, 2, 3, 1, 2, 3 ... bytes. A
    // file under the read size arrives whole, so this also holds the file
    // reading against the memory reading.
    XML_Tree fromPieces;
    {
        XML_Reader reader(&fromPieces);
        XML_Decoder decoder(reader);
        std::size_t piece = 1;
        for (std::size_t at = 0; at < size; at += piece, piece = piece % 3 + 1)
            decoder.Put(data + at, piece < size - at ? piece : size - at);
    }
    if (!FuzzTree::Same(fromFile, fromPieces))
        std::abort();

    XML_File::WriteXMLFile(&fromFile, folder.WideOut());
    static std::string written;
    XML_File::WriteXMLBuffer(&fromPieces, written);
    if (!folder.OutputHolds(written))
        std::abort();
    return 0;
}
