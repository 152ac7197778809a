// Fuzz target: any bytes as a settings document, entirely in memory. Reading
// must not fail, and a tree the reader made must survive writing and reading
// again unchanged, written the same way both times.
#include "FuzzTree.h"
#include "XML_File.h"
#include "XML_Tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The written documents keep their room from input to input: deep
    // nesting makes them long (the indentation grows with the depth), and a
    // fresh block of that size each time is mapped and unmapped anew.
    static std::string written, again;
    XML_Tree first;
    XML_File::ReadXMLBuffer(&first, data, size);
    XML_File::WriteXMLBuffer(&first, written);
    XML_Tree second;
    XML_File::ReadXMLBuffer(&second, written.data(), written.size());

    // Every tree the reader makes meets the round-trip conditions: its values
    // are trimmed, hold no "<" and no "\colon", and its names no angle brackets.
    if (!FuzzTree::Same(first, second))
        std::abort();
    XML_File::WriteXMLBuffer(&second, again);
    if (written != again)
        std::abort();
    return 0;
}
