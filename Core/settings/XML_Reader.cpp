// XML_Reader: the unit-by-unit reader of the settings file format.
#include "XML_Reader.h"

#include "CUnicodeCodec.h"

#include <utility>

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
            while (i < nCount && pUnits[i] != u'<')
                ++i;
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
