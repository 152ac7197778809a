// XML_Writer: the non-recursive pre-order writer of the settings file format.
#include "XML_Writer.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr char16_t kEscapedSlash[] = u"\\colon";
constexpr std::size_t kEscapedSlashUnits = sizeof(kEscapedSlash) / sizeof(kEscapedSlash[0]) - 1;

// Makes room for nUnits more units at the end of bytes and returns where the
// first of them goes.
unsigned char* Grow(std::string& bytes, std::size_t nUnits)
{
    const std::size_t nStart = bytes.size();
    bytes.resize(nStart + 2 * nUnits);
    return reinterpret_cast<unsigned char*>(&bytes[nStart]);
}

void PutUnit(unsigned char* pOut, char16_t unit)
{
    pOut[0] = static_cast<unsigned char>(unit & 0xFF);
    pOut[1] = static_cast<unsigned char>(unit >> 8);
}

void AppendUnit(std::string& bytes, char16_t unit)
{
    PutUnit(Grow(bytes, 1), unit);
}

// Indentation is copied from a run of spaces made once.
void AppendIndent(std::string& bytes, std::size_t nDepth)
{
    static const std::string kSpaces = [] {
        std::string spaces;
        for (int i = 0; i < 64; ++i)
            spaces.append(" \0", 2);
        return spaces;
    }();
    for (std::size_t nLeft = nDepth; nLeft != 0;) {
        const std::size_t nTake = std::min(nLeft, kSpaces.size() / 2);
        bytes.append(kSpaces, 0, 2 * nTake);
        nLeft -= nTake;
    }
}

// One character by the full rule: "/" escaped when asked; where wchar_t has
// 32 bits a character above U+FFFF as a surrogate pair and one beyond
// U+10FFFF as U+FFFD.
void AppendCharacter(std::string& bytes, wchar_t ch, bool bEscapeSlash)
{
    const unsigned long code = static_cast<unsigned long>(ch);
    if (bEscapeSlash && code == L'/') {
        unsigned char* pOut = Grow(bytes, kEscapedSlashUnits);
        for (std::size_t k = 0; k < kEscapedSlashUnits; ++k)
            PutUnit(pOut + 2 * k, kEscapedSlash[k]);
    } else if (code <= 0xFFFF) {
        AppendUnit(bytes, static_cast<char16_t>(code));
    } else if (code <= 0x10FFFF) {
        AppendUnit(bytes, static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        AppendUnit(bytes, static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        AppendUnit(bytes, u'\xFFFD');
    }
}

// Names and values are nearly always one unit per character with nothing to
// escape: they are copied in one pass, and only text with a "/" to escape or
// a character beyond 16 bits goes character by character.
void AppendText(std::string& bytes, const wchar_t* pText, std::size_t nLength, bool bEscapeSlash)
{
    const bool bHasSlash = bEscapeSlash && std::wmemchr(pText, L'/', nLength) != nullptr;
    if (!bHasSlash) {
        const std::size_t nStart = bytes.size();
        unsigned char* pOut = Grow(bytes, nLength);
        unsigned long wide = 0;
        for (std::size_t i = 0; i < nLength; ++i) {
            const unsigned long code = static_cast<unsigned long>(pText[i]);
            wide |= code;
            pOut[2 * i] = static_cast<unsigned char>(code & 0xFF);
            pOut[2 * i + 1] = static_cast<unsigned char>((code >> 8) & 0xFF);
        }
        if ((wide >> 16) == 0)
            return;
        bytes.resize(nStart);
    }
    for (std::size_t i = 0; i < nLength; ++i)
        AppendCharacter(bytes, pText[i], bEscapeSlash);
}

// "<name>" or "</name>" on a line of its own at depth nDepth.
void AppendTagLine(std::string& bytes, std::size_t nDepth, bool bClose, const wchar_t* pName, std::size_t nLength)
{
    AppendIndent(bytes, nDepth);
    AppendUnit(bytes, u'<');
    if (bClose)
        AppendUnit(bytes, u'/');
    AppendText(bytes, pName, nLength, false);
    AppendUnit(bytes, u'>');
    AppendUnit(bytes, u'\n');
}

} // namespace

XML_Writer::XML_Writer(std::string& bytes) : m_bytes(bytes)
{
    m_openNames.reserve(8);
}

void XML_Writer::BeginElement(const wchar_t* pszName)
{
    BeginElement(Name{pszName, std::wcslen(pszName)});
}

void XML_Writer::BeginElement(Name name)
{
    AppendTagLine(m_bytes, m_openNames.size(), false, name.pUnits, name.nLength);
    m_openNames.push_back(name);
}

void XML_Writer::AddValue(const CString& strValue)
{
    if (strValue.IsEmpty())
        return;
    AppendIndent(m_bytes, m_openNames.size());
    AppendText(m_bytes, strValue.GetString(), static_cast<std::size_t>(strValue.GetLength()), true);
    AppendUnit(m_bytes, u'\n');
}

void XML_Writer::EndElement()
{
    if (m_openNames.empty())
        return;
    const Name name = m_openNames.back();
    m_openNames.pop_back();
    AppendTagLine(m_bytes, m_openNames.size(), true, name.pUnits, name.nLength);
}

void XML_Writer::WriteTree(XML_Tree* pTree, std::string& bytes)
{
    XML_Node* pNode = pTree != nullptr ? pTree->GetRoot() : nullptr;
    bytes.reserve(bytes.size() + 1024);
    XML_Writer writer(bytes);
    while (pNode != nullptr) {
        writer.BeginElement(Name{pNode->m_strName.GetString(), static_cast<std::size_t>(pNode->m_strName.GetLength())});
        writer.AddValue(pNode->m_strValue);

        XML_Node* pNext = pNode->GetFirstSubItem();
        if (pNext != nullptr) {
            pNode = pNext;
            continue;
        }
        // Close elements upwards until one of the ancestors has another child.
        while (pNext == nullptr) {
            writer.EndElement();
            pNode = pNode->GetParent();
            if (pNode == nullptr)
                break;
            pNext = pNode->GetNextSubItem();
        }
        pNode = pNext;
    }
}
