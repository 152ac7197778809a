// XML_Reader: the unit-by-unit reader of the settings file format.
#include "XML_Reader.h"

#include "CUnicodeCodec.h"

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
    CString text = CUnicodeCodec::FromUtf16(m_pending.data(), m_pending.size());
    m_pending.clear();
    text.Trim(L" \n\t");
    if (!text.IsEmpty()) {
        text.Replace(L"\\colon", L"/");
        m_pTree->AddValue(text);
    }
}

void XML_Reader::EndTag()
{
    if (!m_pending.empty() && m_pending[0] == u'/')
        m_pTree->EndElement();
    else
        m_pTree->AddElement(CUnicodeCodec::FromUtf16(m_pending.data(), m_pending.size()));
    m_pending.clear();
}
