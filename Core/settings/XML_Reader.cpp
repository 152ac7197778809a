// XML_Reader: the unit-by-unit reader of the settings file format.
#include "XML_Reader.h"

#include "CUnicodeCodec.h"

#include <utility>

XML_Reader::XML_Reader(XML_Tree* pTree) : m_pTree(pTree), m_bInTag(false) {}

void XML_Reader::Put(char16_t unit)
{
    if (unit == u'<') {
        EndText();
        m_bInTag = true;
    } else if (unit == u'>' && m_bInTag) {
        EndTag();
        m_bInTag = false;
    } else {
        m_pending += unit;
    }
}

void XML_Reader::EndText()
{
    // Trimmed in place, so that the blank runs between tags cost nothing.
    const auto IsTrimmed = [](char16_t unit) { return unit == u' ' || unit == u'\n' || unit == u'\t'; };
    std::size_t nFirst = 0;
    std::size_t nEnd = m_pending.size();
    while (nFirst < nEnd && IsTrimmed(m_pending[nFirst]))
        ++nFirst;
    while (nEnd > nFirst && IsTrimmed(m_pending[nEnd - 1]))
        --nEnd;
    if (nFirst < nEnd) {
        CString text = CUnicodeCodec::FromUtf16(m_pending.data() + nFirst, nEnd - nFirst);
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
