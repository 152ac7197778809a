// DialogTemplateReader: field-by-field reading of extended dialog templates
// (see DialogTemplateReader.h).
#include "DialogTemplateReader.h"

#include <cstring>

namespace seltest {

namespace {

// Sequential reader over the template's WORD-aligned data.
class Cursor
{
public:
    Cursor(const BYTE* p, const BYTE* end) : m_p(p), m_end(end) {}

    bool Ok() const { return m_p <= m_end; }
    template <typename T> T Read()
    {
        T value = {};
        if (m_p + sizeof(T) <= m_end)
            memcpy(&value, m_p, sizeof(T));
        m_p += sizeof(T);
        return value;
    }
    std::wstring String()
    {
        std::wstring s;
        for (WCHAR c = Read<WCHAR>(); c != 0 && Ok(); c = Read<WCHAR>())
            s += c;
        return s;
    }
    // A name or ordinal field: 0xFFFF followed by an ordinal, or a string.
    void NameOrOrdinal(WORD& ordinal, std::wstring& name)
    {
        WORD first = 0;
        memcpy(&first, m_p, m_p + 2 <= m_end ? 2 : 0);
        if (first == 0xFFFF) {
            Read<WORD>();
            ordinal = Read<WORD>();
        } else {
            name = String();
        }
    }
    void AlignTo(size_t n, const BYTE* base)
    {
        const size_t offset = static_cast<size_t>(m_p - base);
        m_p += (n - offset % n) % n;
    }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

} // namespace

bool DialogTemplateReader::Read(HMODULE hModule, UINT nID, DialogTemplate& result)
{
    HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW(nID), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    if (hResource == nullptr)
        return false;
    const BYTE* pBase = static_cast<const BYTE*>(LockResource(LoadResource(hModule, hResource)));
    if (pBase == nullptr)
        return false;
    Cursor in(pBase, pBase + SizeofResource(hModule, hResource));
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != 0xFFFF)
        return false;
    in.Read<DWORD>();   // help id
    result.exStyle = in.Read<DWORD>();
    result.style = in.Read<DWORD>();
    const WORD nItems = in.Read<WORD>();
    result.x = in.Read<short>();
    result.y = in.Read<short>();
    result.cx = in.Read<short>();
    result.cy = in.Read<short>();
    WORD ordinal = 0;
    std::wstring name;
    in.NameOrOrdinal(ordinal, name);   // menu
    in.NameOrOrdinal(ordinal, name);   // window class
    result.caption = in.String();
    if (result.style & (DS_SETFONT | DS_SHELLFONT)) {
        result.pointSize = in.Read<WORD>();
        in.Read<WORD>();   // weight
        in.Read<BYTE>();   // italic
        in.Read<BYTE>();   // character set
        result.typeface = in.String();
    }
    for (WORD i = 0; i < nItems && in.Ok(); ++i) {
        in.AlignTo(4, pBase);
        DialogItemTemplate item;
        in.Read<DWORD>();   // help id
        item.exStyle = in.Read<DWORD>();
        item.style = in.Read<DWORD>();
        item.x = in.Read<short>();
        item.y = in.Read<short>();
        item.cx = in.Read<short>();
        item.cy = in.Read<short>();
        item.id = in.Read<DWORD>();
        in.NameOrOrdinal(item.classAtom, item.className);
        WORD textOrdinal = 0;
        in.NameOrOrdinal(textOrdinal, item.text);
        const WORD nExtra = in.Read<WORD>();
        for (WORD j = 0; j < nExtra; ++j)
            in.Read<BYTE>();
        result.items.push_back(item);
    }
    return in.Ok();
}

} // namespace seltest
