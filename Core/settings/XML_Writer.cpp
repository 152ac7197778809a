// XML_Writer: the non-recursive pre-order writer of the settings file format.
#include "XML_Writer.h"

#include "CUnicodeCodec.h"

#include <string>

bool XML_Writer::WriteTree(XML_Tree* pTree, CWideFile& file)
{
    XML_Node* pNode = pTree != nullptr ? pTree->GetRoot() : nullptr;
    CString strIndent;
    while (pNode != nullptr) {
        if (!WriteLine(file, strIndent + L"<" + pNode->GetName() + L">\n"))
            return false;
        const CString strValue = pNode->GetValue();
        if (!strValue.IsEmpty()) {
            CString strLine = strIndent + L" " + strValue + L"\n";
            strLine.Replace(L"/", L"\\colon");
            if (!WriteLine(file, strLine))
                return false;
        }

        XML_Node* pNext = pNode->GetFirstSubItem();
        if (pNext != nullptr) {
            strIndent += L' ';
            pNode = pNext;
            continue;
        }
        // Close elements upwards until one of the ancestors has another child.
        while (pNext == nullptr) {
            if (!WriteLine(file, strIndent + L"</" + pNode->GetName() + L">\n"))
                return false;
            pNode = pNode->GetParent();
            if (pNode == nullptr)
                break;
            pNext = pNode->GetNextSubItem();
            strIndent.Delete(strIndent.GetLength() - 1);
        }
        if (pNext != nullptr) {
            strIndent += L' ';
            pNode = pNext;
        }
    }
    return true;
}

bool XML_Writer::WriteLine(CWideFile& file, const CString& strLine)
{
    const std::u16string units = CUnicodeCodec::ToUtf16(strLine);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return file.Write(bytes.data(), bytes.size());
}
