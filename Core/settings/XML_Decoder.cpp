// XML_Decoder: encoding choice and decoding of settings document bytes.
#include "XML_Decoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Units already in the host's byte order are copied as they are.
bool HostIsLittleEndian()
{
    const char16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

} // namespace

XML_Decoder::XML_Decoder(XML_Reader& reader)
    : m_reader(reader),
      m_encoding(Encoding::Unknown),
      m_heldByte(0),
      m_bByteHeld(false),
      m_codePoint(0),
      m_nMissing(0),
      m_minimum(0),
      m_nUnits(0)
{
}

void XML_Decoder::Put(const unsigned char* pBytes, std::size_t nCount)
{
    std::size_t i = 0;
    if (m_encoding == Encoding::Unknown) {
        if (nCount == 0)
            return;
        if (!m_bByteHeld) {
            m_heldByte = pBytes[0];
            m_bByteHeld = true;
            i = 1;
            if (nCount == 1)
                return;
        }
        Choose(m_heldByte, pBytes[i]);
        if (m_encoding == Encoding::Utf8) {
            m_bByteHeld = false;
            PutUtf8(m_heldByte);
        }
    }

    switch (m_encoding) {
    case Encoding::Utf8:
        PutUtf8Run(pBytes + i, nCount - i);
        break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
        const bool bLittle = m_encoding == Encoding::Utf16Le;
        if (m_bByteHeld && i < nCount) {
            const unsigned char first = m_heldByte;
            const unsigned char second = pBytes[i++];
            PutUnit(static_cast<char16_t>(bLittle ? first | (second << 8) : (first << 8) | second));
            m_bByteHeld = false;
        }
        // Whole units straight into the block, a block's room at a time.
        while (nCount - i >= 2) {
            if (m_nUnits == kUnitBlock)
                Flush();
            const std::size_t nTake = std::min((nCount - i) / 2, kUnitBlock - m_nUnits);
            const unsigned char* pIn = pBytes + i;
            char16_t* pOut = m_units + m_nUnits;
            if (bLittle == HostIsLittleEndian()) {
                std::memcpy(pOut, pIn, 2 * nTake);
            } else {
                const int nLowShift = bLittle ? 0 : 8;
                const int nHighShift = 8 - nLowShift;
                for (std::size_t k = 0; k < nTake; ++k)
                    pOut[k] = static_cast<char16_t>((pIn[2 * k] << nLowShift) | (pIn[2 * k + 1] << nHighShift));
            }
            m_nUnits += nTake;
            i += 2 * nTake;
        }
        if (i < nCount) {
            m_heldByte = pBytes[i];
            m_bByteHeld = true;
        }
        break;
    }
    case Encoding::Unknown:
        break;
    }
    Flush();
}

void XML_Decoder::Choose(unsigned char first, unsigned char second)
{
    if (first == 0xFF && second == 0xFE)
        m_encoding = Encoding::Utf16Le;
    else if (first == 0xFE && second == 0xFF)
        m_encoding = Encoding::Utf16Be;
    else if (second == 0)
        m_encoding = Encoding::Utf16Le;
    else if (first == 0)
        m_encoding = Encoding::Utf16Be;
    else
        m_encoding = Encoding::Utf8;
}

void XML_Decoder::PutUtf8Run(const unsigned char* pBytes, std::size_t nCount)
{
    std::size_t i = 0;
    while (i < nCount) {
        // Plain ASCII outside a sequence is copied a block's room at a time.
        if (m_nMissing == 0 && pBytes[i] < 0x80) {
            if (m_nUnits == kUnitBlock)
                Flush();
            const std::size_t nEnd = i + std::min(nCount - i, kUnitBlock - m_nUnits);
            char16_t* pOut = m_units + m_nUnits;
            std::size_t k = i;
            for (; k < nEnd && pBytes[k] < 0x80; ++k)
                *pOut++ = pBytes[k];
            m_nUnits += k - i;
            i = k;
            continue;
        }
        PutUtf8(pBytes[i++]);
    }
}

void XML_Decoder::PutUtf8(unsigned char byte)
{
    if (m_nMissing != 0) {
        if ((byte & 0xC0) == 0x80) {
            m_codePoint = (m_codePoint << 6) | (byte & 0x3F);
            if (--m_nMissing == 0) {
                const bool bSurrogate = m_codePoint >= 0xD800 && m_codePoint <= 0xDFFF;
                const bool bValid = m_codePoint >= m_minimum && m_codePoint <= 0x10FFFF && !bSurrogate;
                PutCodePoint(bValid ? m_codePoint : kReplacement);
            }
            return;
        }
        // The sequence broke off: it stands for one U+FFFD, and this byte
        // starts afresh.
        m_nMissing = 0;
        PutCodePoint(kReplacement);
    }

    if (byte < 0x80) {
        PutCodePoint(byte);
    } else if (byte >= 0xC2 && byte <= 0xDF) {
        m_codePoint = byte & 0x1F;
        m_nMissing = 1;
        m_minimum = 0x80;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        m_codePoint = byte & 0x0F;
        m_nMissing = 2;
        m_minimum = 0x800;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        m_codePoint = byte & 0x07;
        m_nMissing = 3;
        m_minimum = 0x10000;
    } else {
        PutCodePoint(kReplacement);
    }
}

void XML_Decoder::PutCodePoint(char32_t codePoint)
{
    if (codePoint > 0xFFFF) {
        codePoint -= 0x10000;
        PutUnit(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        PutUnit(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
        PutUnit(static_cast<char16_t>(codePoint));
    }
}

void XML_Decoder::PutUnit(char16_t unit)
{
    if (m_nUnits == kUnitBlock)
        Flush();
    m_units[m_nUnits++] = unit;
}

void XML_Decoder::Flush()
{
    m_reader.Put(m_units, m_nUnits);
    m_nUnits = 0;
}
