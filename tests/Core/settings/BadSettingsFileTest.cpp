// Settings files from outside: saved by other tools in other encodings,
// empty, or cut off at any length. Each loads what it can, keeps the defaults
// for the rest, and the next save writes a whole, correct file.
#include "IndexedSettings.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::u16string Units(const std::string& utf16le)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(utf16le[i])
                                       | (static_cast<unsigned char>(utf16le[i + 1]) << 8));
    return units;
}

std::string Utf16Be(const std::u16string& units)
{
    std::string bytes;
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

std::string Utf8(const std::u16string& units)
{
    std::string bytes;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

struct Leaf
{
    std::u16string value;
    std::size_t closeAt; // unit offset of the "<" of its close tag
};

// The keys of a document in the writer's layout (open tag, value line, close
// tag, one per line) with their values.
std::map<std::u16string, Leaf> Leaves(const std::u16string& text)
{
    std::vector<std::pair<std::size_t, std::u16string>> lines; // start offset, trimmed line
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find(u'\n', at);
        const std::size_t stop = end == std::u16string::npos ? text.size() : end;
        std::size_t first = at;
        while (first < stop && text[first] == u' ')
            ++first;
        lines.emplace_back(first, text.substr(first, stop - first));
        at = stop + 1;
    }
    std::map<std::u16string, Leaf> leaves;
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
        const std::u16string& open = lines[i].second;
        if (open.size() > 2 && open[0] == u'<' && open[1] != u'/' && lines[i + 1].second[0] != u'<')
            leaves[open.substr(1, open.size() - 2)] = { lines[i + 1].second, lines[i + 2].first };
    }
    return leaves;
}

class BadSettingsFile : public ::testing::Test
{
protected:
    BadSettingsFile()
    {
        m_saved.ApplyIndex(7);
        m_savedBytes = m_saved.SaveConfigToBuffer();
        m_defaultBytes = IndexedSettings().SaveConfigToBuffer();
    }

    CString Path() const { return m_folder.Path(L"config.xml"); }

    TestFolder m_folder;
    IndexedSettings m_saved;
    std::string m_savedBytes;
    std::string m_defaultBytes;
};

TEST_F(BadSettingsFile, OtherEncodingsLoadEveryValueAndTheNextSaveIsTheUsualFile)
{
    const std::u16string text = Units(m_savedBytes);
    ASSERT_NE(text.find(u"\\colon"), std::u16string::npos);
    ASSERT_NE(text.find(u"\xD83D\xDE00"), std::u16string::npos);
    const struct
    {
        const char* name;
        std::string bytes;
        const std::string& loads; // what saving the loaded settings gives
    } files[] = {
        { "UTF-16LE as written", m_savedBytes, m_savedBytes },
        { "UTF-16LE with a mark", "\xFF\xFE" + m_savedBytes, m_savedBytes },
        { "UTF-16BE with a mark", "\xFE\xFF" + Utf16Be(text), m_savedBytes },
        { "UTF-16BE without a mark", Utf16Be(text), m_savedBytes },
        { "UTF-8 with a mark", "\xEF\xBB\xBF" + Utf8(text), m_savedBytes },
        { "UTF-8 without a mark", Utf8(text), m_savedBytes },
        { "empty", "", m_defaultBytes },
        { "one byte", "<", m_defaultBytes },
        { "only a mark", "\xEF\xBB\xBF", m_defaultBytes },
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        m_folder.WriteBytes(L"config.xml", file.bytes);
        IndexedSettings loaded;
        loaded.LoadConfig(Path());
        EXPECT_EQ(loaded.SaveConfigToBuffer(), file.loads);
        loaded.SaveConfig(Path());
        EXPECT_EQ(m_folder.ReadBytes(L"config.xml"), loaded.SaveConfigToBuffer());
        EXPECT_FALSE(m_folder.Exists(L"config.xml.tmp"));
        IndexedSettings again;
        again.LoadConfig(Path());
        EXPECT_EQ(again.SaveConfigToBuffer(), loaded.SaveConfigToBuffer());
    }
}

TEST_F(BadSettingsFile, AFileCutAtAnyLengthLoadsTheKeysBeforeTheCutAndDefaultsAfterIt)
{
    const std::map<std::u16string, Leaf> saved = Leaves(Units(m_savedBytes));
    const std::map<std::u16string, Leaf> defaults = Leaves(Units(m_defaultBytes));
    ASSERT_EQ(saved.size(), 44u);
    ASSERT_EQ(defaults.size(), 44u);
    // All but the four texts without accessors differ from their defaults.
    int nChanged = 0;
    for (const auto& key : saved)
        nChanged += key.second.value != defaults.at(key.first).value ? 1 : 0;
    ASSERT_EQ(nChanged, 40);

    for (std::size_t length = 0; length <= m_savedBytes.size(); ++length) {
        m_folder.WriteBytes(L"config.xml", m_savedBytes.substr(0, length));
        IndexedSettings loaded;
        loaded.LoadConfig(Path());
        // A value counts once the "<" after it is read: no value is ever cut.
        std::map<std::u16string, std::u16string> expected;
        for (const auto& key : saved) {
            const bool bRead = length >= 2 * key.second.closeAt + 2;
            expected[key.first] = bRead ? key.second.value : defaults.at(key.first).value;
        }
        std::map<std::u16string, std::u16string> got;
        const std::string loadedBytes = loaded.SaveConfigToBuffer();
        for (const auto& key : Leaves(Units(loadedBytes)))
            got[key.first] = key.second.value;
        ASSERT_EQ(got, expected) << "cut at " << length << " bytes";

        // A save after every 64th cut (saves wait for the disk).
        if (length % 64 == 0 || length == m_savedBytes.size()) {
            loaded.SaveConfig(Path());
            ASSERT_EQ(m_folder.ReadBytes(L"config.xml"), loadedBytes) << "cut at " << length << " bytes";
        }
    }
}

} // namespace
