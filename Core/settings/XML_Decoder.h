// XML_Decoder: turns the bytes of a settings document, in pieces of any size,
// into the 16-bit code units that XML_Reader takes, whichever of the usual
// text encodings another tool saved the file in.
#pragma once

#include "XML_Reader.h"

#include <cstddef>

// The first two bytes choose the encoding, and every byte (a byte-order mark
// included, which as text before the root is dropped by the reader) is then
// decoded in it:
//   FF FE                  UTF-16 little-endian (what the writer makes)
//   FE FF                  UTF-16 big-endian
//   xx 00                  UTF-16 little-endian without a mark ("<" is 3C 00)
//   00 xx                  UTF-16 big-endian without a mark ("<" is 00 3C)
//   anything else          UTF-8, with or without its mark EF BB BF
// In UTF-8 a character beyond U+FFFF becomes a surrogate pair; a byte that
// cannot start or continue a sequence, an overlong form, a surrogate value or
// a value beyond U+10FFFF each become one U+FFFD. A unit or sequence left
// incomplete at the end is dropped, as pending text is.
class XML_Decoder
{
public:
    explicit XML_Decoder(XML_Reader& reader);
    XML_Decoder(const XML_Decoder&) = delete;
    XML_Decoder& operator=(const XML_Decoder&) = delete;

    void Put(const unsigned char* pBytes, std::size_t nCount);

private:
    enum class Encoding { Unknown, Utf16Le, Utf16Be, Utf8 };

    void Choose(unsigned char first, unsigned char second);
    void PutUtf8Run(const unsigned char* pBytes, std::size_t nCount);
    void PutUtf8(unsigned char byte);
    void PutCodePoint(char32_t codePoint);
    // Decoded units are handed to the reader in blocks, not one by one.
    void PutUnit(char16_t unit);
    void Flush();

    XML_Reader& m_reader;
    Encoding m_encoding;
    // The first byte of a 16-bit unit (or the file's first byte while the
    // encoding is unknown), when one is held.
    unsigned char m_heldByte;
    bool m_bByteHeld;
    // The UTF-8 sequence in progress: its bits so far, the continuation bytes
    // still to come and the smallest value its length may encode.
    char32_t m_codePoint;
    int m_nMissing;
    char32_t m_minimum;
    static constexpr std::size_t kUnitBlock = 512;
    char16_t m_units[kUnitBlock];
    std::size_t m_nUnits;
};
