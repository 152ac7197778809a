// XML_Reader: turns the 16-bit code units of a settings file, fed in pieces
// of any size, into elements and values of an XML_Tree.
#pragma once

#include "XML_Tree.h"

#include <cstddef>
#include <string>

// The rules, unit by unit:
// - "<" ends the pending text: it is trimmed of space, LF and TAB (not CR) at
//   both ends and, when anything is left, given "\colon" -> "/" and set as the
//   value of the open element. The in-tag flag goes on (also when it already
//   was: the tag text so far is then treated as value text).
// - ">" inside a tag: text starting with "/" closes the open element whatever
//   name follows; any other text, untrimmed, opens an element of that name.
// - Every other unit, ">" outside a tag included, is added to the pending text.
// Text and tags of any length are kept whole. Whatever is pending when the
// input ends is dropped.
class XML_Reader
{
public:
    explicit XML_Reader(XML_Tree* pTree);
    XML_Reader(const XML_Reader&) = delete;
    XML_Reader& operator=(const XML_Reader&) = delete;

    // Runs between tag brackets are taken in whole, so the cost per unit is
    // one look at it.
    void Put(const char16_t* pUnits, std::size_t nCount);

private:
    void EndText();
    void EndTag();

    XML_Tree* m_pTree;
    std::u16string m_pending;
    bool m_bInTag;
};
