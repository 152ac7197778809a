// XML_Reader: the unit-by-unit reader of the settings file format.
#include "XML_Reader.h"

#include "CUnicodeCodec.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Four units at a time: indentation and long texts are passed over in
// blocks of four, and only the block that holds what is looked for is read
// unit by unit.
std::uint64_t LoadFour(const char16_t* pUnits)
{
    std::uint64_t block;
    std::memcpy(&block, pUnits, sizeof(block));
    return block;
}

constexpr std::uint64_t kLowBits = 0x0001000100010001ull;
constexpr std::uint64_t kHighBits = 0x8000800080008000ull;

// True when one of the four units of block equals unit (a lane of
// block ^ (unit in every lane) is zero).
bool HoldsUnit(std::uint64_t block, char16_t unit)
{
    const std::uint64_t lanes = block ^ (kLowBits * unit);
    return ((lanes - kLowBits) & ~lanes & kHighBits) != 0;
}

// The first i from nFrom on with pUnits[i] == unit, or nCount.
std::size_t FindUnit(const char16_t* pUnits, std::size_t nFrom, std::size_t nCount, char16_t unit)
{
    std::size_t i = nFrom;
    while (i + 4 <= nCount && !HoldsUnit(LoadFour(pUnits + i), unit))
        i += 4;
    while (i < nCount && pUnits[i] != unit)
        ++i;
    return i;
}

bool IsTrimmed(char16_t unit)
{
    return unit == u' ' || unit == u'\n' || unit == u'\t';
}

} // namespace

XML_Reader::XML_Reader(XML_Tree* pTree) : m_pTree(pTree), m_bInTag(false) {}

void XML_Reader::Put(const char16_t* pUnits, std::size_t nCount)
{
    std::size_t nRunStart = 0;
    for (std::size_t i = 0;; ++i) {
        // On to the next unit that ends the run: "<" anywhere, ">" in a tag.
        if (m_bInTag) {
            while (i < nCount && pUnits[i] != u'<' && pUnits[i] != u'>')
                ++i;
        } else {
            i = FindUnit(pUnits, i, nCount, u'<');
        }
        if (i == nCount)
            break;
        m_pending.append(pUnits + nRunStart, i - nRunStart);
        nRunStart = i + 1;
        const bool bOpens = pUnits[i] == u'<';
        if (bOpens)
            EndText();
        else
            EndTag();
        m_bInTag = bOpens;
    }
    m_pending.append(pUnits + nRunStart, nCount - nRunStart);
}

void XML_Reader::EndText()
{
    // Trimmed in place, so that the blank runs between tags cost nothing;
    // runs of spaces (the indentation) are passed over four at a time.
    const std::uint64_t kFourSpaces = kLowBits * u' ';
    const char16_t* pText = m_pending.data();
    std::size_t nFirst = 0;
    std::size_t nEnd = m_pending.size();
    for (;;) {
        while (nFirst + 4 <= nEnd && LoadFour(pText + nFirst) == kFourSpaces)
            nFirst += 4;
        if (nFirst == nEnd || !IsTrimmed(pText[nFirst]))
            break;
        ++nFirst;
    }
    for (;;) {
        while (nEnd >= nFirst + 4 && LoadFour(pText + nEnd - 4) == kFourSpaces)
            nEnd -= 4;
        if (nEnd == nFirst || !IsTrimmed(pText[nEnd - 1]))
            break;
        --nEnd;
    }
    if (nFirst < nEnd) {
        CString text = CUnicodeCodec::FromUtf16(pText + nFirst, nEnd - nFirst);
        text.Replace(L"\\colon", L"/");
        m_pTree->AddValue(std::move(text));
    }
    m_pending.clear();
}

void XML_Reader::EndTag()
{
    if (!m_pending.empty() && m_pending[0] == u'/')
        m_pTree->EndElement();
    else
        m_pTree->AddElement(CUnicodeCodec::FromUtf16(m_pending.data(), m_pending.size()));
    m_pending.clear();
}
