// XML_Writer: the non-recursive pre-order writer of the settings file format.
#include "XML_Writer.h"

#include "CUnicodeCodec.h"

#include <string_view>

void XML_Writer::WriteTree(XML_Tree* pTree, std::string& bytes)
{
    XML_Node* pNode = pTree != nullptr ? pTree->GetRoot() : nullptr;
    std::size_t nDepth = 0;
    bytes.reserve(bytes.size() + 4096);
    while (pNode != nullptr) {
        AppendTagLine(bytes, nDepth, false, pNode->m_strName);
        if (!pNode->m_strValue.IsEmpty()) {
            AppendIndent(bytes, nDepth + 1);
            AppendText(bytes, pNode->m_strValue, true);
            AppendUnit(bytes, u'\n');
        }

        XML_Node* pNext = pNode->GetFirstSubItem();
        if (pNext != nullptr) {
            ++nDepth;
            pNode = pNext;
            continue;
        }
        // Close elements upwards until one of the ancestors has another child.
        while (pNext == nullptr) {
            AppendTagLine(bytes, nDepth, true, pNode->m_strName);
            pNode = pNode->GetParent();
            if (pNode == nullptr)
                break;
            pNext = pNode->GetNextSubItem();
            --nDepth;
        }
        if (pNext != nullptr) {
            ++nDepth;
            pNode = pNext;
        }
    }
}

void XML_Writer::AppendUnit(std::string& bytes, char16_t unit)
{
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
}

void XML_Writer::AppendIndent(std::string& bytes, std::size_t nDepth)
{
    for (std::size_t i = 0; i < nDepth; ++i)
        AppendUnit(bytes, u' ');
}

void XML_Writer::AppendText(std::string& bytes, const CString& strText, bool bEscapeSlash)
{
    const wchar_t* pText = strText.GetString();
    const int nLength = strText.GetLength();
    for (int i = 0; i < nLength; ++i) {
        const unsigned long ch = static_cast<unsigned long>(pText[i]);
        if (bEscapeSlash && ch == L'/') {
            for (char16_t escaped : std::u16string_view(u"\\colon"))
                AppendUnit(bytes, escaped);
        } else if (ch <= 0xFFFF) {
            AppendUnit(bytes, static_cast<char16_t>(ch));
        } else {
            // Only where wchar_t has 32 bits: a surrogate pair.
            for (char16_t unit : CUnicodeCodec::ToUtf16(CString(pText + i, 1)))
                AppendUnit(bytes, unit);
        }
    }
}

void XML_Writer::AppendTagLine(std::string& bytes, std::size_t nDepth, bool bClose, const CString& strName)
{
    AppendIndent(bytes, nDepth);
    AppendUnit(bytes, u'<');
    if (bClose)
        AppendUnit(bytes, u'/');
    AppendText(bytes, strName, false);
    AppendUnit(bytes, u'>');
    AppendUnit(bytes, u'\n');
}
