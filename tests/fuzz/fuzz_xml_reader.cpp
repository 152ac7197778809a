// Fuzz target: any bytes as a settings file. Reading must not fail, and a tree
// the reader made must survive writing and reading again unchanged, written
// the same way both times.
#include "XML_File.h"
#include "XML_Tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

// One folder per fuzzing process, removed at exit.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/fuzz_xml_reader.XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        for (const char* name : { "/in.xml", "/out.xml", "/again.xml" })
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

struct FlatNode
{
    std::size_t depth;
    std::wstring name;
    std::wstring value;
    bool operator==(const FlatNode& o) const { return depth == o.depth && name == o.name && value == o.value; }
};

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<std::size_t>(s.GetLength()));
}

// The tree in pre-order with depths, without recursion (inputs nest deeply).
std::vector<FlatNode> Flatten(const XML_Tree& tree)
{
    std::vector<FlatNode> flat;
    std::vector<std::pair<XML_Node*, std::size_t>> pending;
    if (tree.GetRoot() != nullptr)
        pending.emplace_back(tree.GetRoot(), 0);
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        flat.push_back({ depth, Text(node->GetName()), Text(node->GetValue()) });
        std::vector<XML_Node*> children;
        for (XML_Node* child = node->GetFirstSubItem(); child != nullptr; child = node->GetNextSubItem())
            children.push_back(child);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return flat;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFolder folder;
    {
        std::ofstream out(folder.File("in.xml"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    XML_Tree first;
    XML_File::ReadXMLFile(&first, Wide(folder.File("in.xml")));
    XML_File::WriteXMLFile(&first, Wide(folder.File("out.xml")));
    XML_Tree second;
    XML_File::ReadXMLFile(&second, Wide(folder.File("out.xml")));

    // Every tree the reader makes meets the round-trip conditions: its values
    // are trimmed, hold no "<" and no "\colon", and its names no angle brackets.
    if (!(Flatten(first) == Flatten(second)))
        std::abort();
    XML_File::WriteXMLFile(&second, Wide(folder.File("again.xml")));
    if (Bytes(folder.File("out.xml")) != Bytes(folder.File("again.xml")))
        std::abort();
    return 0;
}
