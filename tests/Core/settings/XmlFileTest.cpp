// Tests of XML_File: the exact bytes written, the reader's rules on odd and
// damaged input, round trips, and lines and depths of any length.
#include "TestFolder.h"
#include "XML_File.h"
#include "XML_Tree.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A compact picture of a tree: name, "=value" when there is one, and the
// children in brackets, e.g. r(a=1,b(c=x)).
std::wstring Describe(XML_Node* node)
{
    std::wstring text = W(node->GetName());
    if (!node->GetValue().IsEmpty())
        text += L"=" + W(node->GetValue());
    XML_Node* child = node->GetFirstSubItem();
    if (child != nullptr) {
        text += L"(";
        for (bool first = true; child != nullptr; child = node->GetNextSubItem(), first = false)
            text += (first ? L"" : L",") + Describe(child);
        text += L")";
    }
    return text;
}

std::wstring DescribeTree(const XML_Tree& tree)
{
    return tree.GetRoot() == nullptr ? L"<empty>" : Describe(tree.GetRoot());
}

class XmlFile : public ::testing::Test
{
protected:
    // Reads UTF-16 text given as the file's content.
    std::wstring ReadText(const std::u16string& content)
    {
        m_folder.WriteBytes(L"in.xml", TestFolder::Utf16Le(content));
        XML_Tree tree;
        EXPECT_TRUE(XML_File::ReadXMLFile(&tree, m_folder.Path(L"in.xml")));
        return DescribeTree(tree);
    }

    std::string WriteBytes(XML_Tree& tree)
    {
        EXPECT_TRUE(XML_File::WriteXMLFile(&tree, m_folder.Path(L"out.xml")));
        return m_folder.ReadBytes(L"out.xml");
    }

    TestFolder m_folder;
};

TEST_F(XmlFile, AnEmptyTreeGivesAnEmptyFileAndAnEmptyFileAnEmptyTree)
{
    XML_Tree empty;
    EXPECT_EQ(WriteBytes(empty), "");
    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    EXPECT_EQ(read.GetRoot(), nullptr);
}

TEST_F(XmlFile, AMissingFileLeavesTheTreeEmpty)
{
    XML_Tree tree;
    EXPECT_TRUE(XML_File::ReadXMLFile(&tree, m_folder.Path(L"none.xml")));
    EXPECT_EQ(tree.GetRoot(), nullptr);
}

TEST_F(XmlFile, WritesTheDocumentedLayoutByteForByte)
{
    XML_Tree tree;
    tree.AddElement(L"Voruzev");
    tree.AddElement(L"Author");
    tree.AddValue(CString(L"a/b"));
    tree.EndElement();
    tree.EndElement();
    EXPECT_EQ(WriteBytes(tree),
              TestFolder::Utf16Le(u"<Voruzev>\n <Author>\n  a\\colonb\n </Author>\n</Voruzev>\n"));
}

TEST_F(XmlFile, NestingIndentationEmptyValuesAndSiblings)
{
    XML_Tree tree;
    tree.AddElement(L"r");
    tree.AddElement(L"empty");
    tree.EndElement();
    tree.AddElement(L"g");
    tree.AddValue(1);
    tree.AddElement(L"k");
    tree.AddValue(CString(L"v w"));
    tree.EndElement();
    tree.AddElement(L"k2");
    tree.EndElement();
    tree.EndElement();
    tree.AddElement(L"last");
    tree.AddValue(CString(L"\x4E2D\x6587")); // Chinese text
    tree.EndElement();
    tree.EndElement();
    EXPECT_EQ(WriteBytes(tree),
              TestFolder::Utf16Le(u"<r>\n"
                                  u" <empty>\n"
                                  u" </empty>\n"
                                  u" <g>\n"
                                  u"  1\n"
                                  u"  <k>\n"
                                  u"   v w\n"
                                  u"  </k>\n"
                                  u"  <k2>\n"
                                  u"  </k2>\n"
                                  u" </g>\n"
                                  u" <last>\n"
                                  u"  \x4E2D\x6587\n"
                                  u" </last>\n"
                                  u"</r>\n"));
}

TEST_F(XmlFile, WritingLeavesEveryChildCursorPastTheLastChild)
{
    XML_Tree tree;
    tree.AddElement(L"r");
    tree.AddElement(L"a");
    tree.AddElement(L"b");
    tree.EndElement();
    tree.EndElement();
    tree.EndElement();
    WriteBytes(tree);
    EXPECT_EQ(tree.GetRoot()->GetNextSubItem(), nullptr);
    EXPECT_EQ(tree.GetRoot()->GetSubItem(L"a")->GetNextSubItem(), nullptr);
}

TEST_F(XmlFile, CharactersBeyondTheBasicPlaneAreSurrogatePairsOnDisk)
{
    // U+1F600 is one wchar_t where it is 32 bits wide and a pair where 16.
    const CString face(L"\U0001F600");
    XML_Tree tree;
    tree.AddElement(L"r");
    tree.AddValue(face);
    tree.EndElement();
    EXPECT_EQ(WriteBytes(tree), TestFolder::Utf16Le(u"<r>\n \xD83D\xDE00\n</r>\n"));

    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    ASSERT_NE(read.GetRoot(), nullptr);
    EXPECT_EQ(W(read.GetRoot()->GetValue()), W(face));
}

TEST_F(XmlFile, ALoneSurrogateSurvivesARoundTrip)
{
    EXPECT_EQ(ReadText(u"<r>a\xD800z</r>"), std::wstring(L"r=a") + wchar_t(0xD800) + L"z");
    XML_Tree tree;
    XML_File::ReadXMLFile(&tree, m_folder.Path(L"in.xml"));
    WriteBytes(tree);
    EXPECT_EQ(m_folder.ReadBytes(L"out.xml"), TestFolder::Utf16Le(u"<r>\n a\xD800z\n</r>\n"));
}

TEST_F(XmlFile, SlashesAreEscapedOnDiskAndRestoredOnReading)
{
    XML_Tree tree;
    tree.AddElement(L"EditAppPath");
    tree.AddValue(CString(L"C:/x/y"));
    tree.EndElement();
    EXPECT_EQ(WriteBytes(tree), TestFolder::Utf16Le(u"<EditAppPath>\n C:\\colonx\\colony\n</EditAppPath>\n"));
    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    EXPECT_EQ(DescribeTree(read), L"EditAppPath=C:/x/y");
}

TEST_F(XmlFile, ATextThatSpellsTheEscapeReadsBackAsASlash)
{
    XML_Tree tree;
    tree.AddElement(L"r");
    tree.AddValue(CString(L"a\\colonb"));
    tree.EndElement();
    WriteBytes(tree);
    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    EXPECT_EQ(DescribeTree(read), L"r=a/b");
}

TEST(XmlFileEscape, MakeAndUnmakeSaveString)
{
    CString s(L"/a/b//");
    XML_File::MakeSaveString(s);
    EXPECT_EQ(W(s), L"\\colona\\colonb\\colon\\colon");
    XML_File::UnmakeSaveString(s);
    EXPECT_EQ(W(s), L"/a/b//");
    CString plain(L"\\colo\\colonn");
    XML_File::UnmakeSaveString(plain);
    EXPECT_EQ(W(plain), L"\\colo/n");
}

struct ReadCase
{
    const char* what;
    std::u16string content;
    std::wstring tree;
};

TEST_F(XmlFile, ReaderRules)
{
    const ReadCase cases[] = {
        { "one line", u"<a>1</a>", L"a=1" },
        { "outer blanks trimmed, inner kept", u"<a> \t\n x y \n z\t\n</a>", L"a=x y \n z" },
        { "only CR survives trimming", u"<a>\r\n 5\r\n</a>", L"a=\r\n 5\r" },
        { "blank runs give no value", u"<a>\n \t\n<b>  </b>\n</a>", L"a(b)" },
        { "close tag closes whatever is open", u"<a><b></c>1</a>", L"a=1(b)" },
        { "the last text run wins", u"<a>x<b></b>y</a>", L"a=y(b)" },
        { "duplicates kept in order", u"<r><k>1</k><k>2</k></r>", L"r(k=1,k=2)" },
        { "declaration becomes the root", u"<?xml version=\"1.0\"?>\n<r><k>1</k></r>",
          L"?xml version=\"1.0\"?(r(k=1))" },
        { "comment becomes the root", u"<!-- note -->\n<r>1</r>", L"!-- note --(r=1)" },
        { "attributes are part of the name", u"<r><k a=\"1\">5</k></r>", L"r(k a=\"1\"=5)" },
        { "self-closing tag stays open", u"<r><k/><m>1</m></r>", L"r(k/(m=1))" },
        { "text and elements after the root dropped", u"<r>1</r>tail<x>2</x></r>", L"r=1" },
        { "byte-order mark before the root dropped", u"\xFEFF<r>1</r>", L"r=1" },
        { "close tags before the root ignored", u"</x></y><a>1</a>", L"a=1" },
        { "greater-than outside a tag is text", u"<a>x>y</a>", L"a=x>y" },
        { "less-than in a value opens a tag", u"<a>x<y>z</a>", L"a=x(y=z)" },
        { "less-than inside a tag ends it as text", u"<a>x<y<z>1</a>", L"a=y(z=1)" },
        { "less-than in a value line", u"<r>\n <v>\n  a<b\n </v>\n</r>\n", L"r(v=b)" },
        { "unfinished close tag dropped", u"<a>1</a", L"a=1" },
        { "unfinished open tag dropped", u"<a>1<b", L"a=1" },
        { "pending text at the end dropped", u"<a><b>1</b>tail", L"a(b=1)" },
        { "empty name", u"<><>x</></>", L"(=x)" },
        { "escape restored in values only", u"<a\\colon>\\colon\\colon</a\\colon>", L"a\\colon=//" },
        { "name kept untrimmed", u"< a \n>1</a>", L" a \n=1" },
        { "CR LF file", u"<r>\r\n <a>\r\n  7\r\n </a>\r\n</r>\r\n", L"r=\r(a=\r\n  7\r)" },
        // Texts are passed over four units at a time and indentation four
        // spaces at a time: brackets and blanks at every place in a block.
        { "less-than at every place of a block", u"<r><a>1</a><b>12</b><c>123</c><d>1234</d><e>12345</e></r>",
          L"r(a=1,b=12,c=123,d=1234,e=12345)" },
        { "units holding a less-than byte are text", u"<a>\x3C00\x013C\x3C3Cx</a>", L"a=\x3C00\x013C\x3C3Cx" },
        { "long blank runs with a tab anywhere", u"<a>     \t    x  \t     </a>", L"a=x" },
        { "inner spaces kept", u"<a>        x        y        </a>", L"a=x        y" },
        { "blanks only, of every length", u"<r> <a>   </a>    <b>     </b>        </r>", L"r(a,b)" },
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadText(c.content), c.tree) << c.what;
}

// The bytes of a literal that holds zero bytes, without its terminator.
template <std::size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

TEST(XmlBuffer, TheFirstTwoBytesChooseTheEncoding)
{
    const struct
    {
        const char* what;
        std::string bytes;
        std::wstring tree;
    } cases[] = {
        { "UTF-16LE", Bytes("<\0a\0>\0" "1\0<\0/\0>\0"), L"a=1" },
        { "UTF-16BE", Bytes("\0<\0a\0>\0" "1\0<\0/\0>"), L"a=1" },
        { "UTF-16BE with a mark", Bytes("\xFE\xFF\0<\0a\0>\0" "1\0<\0/\0>"), L"a=1" },
        { "UTF-8", "<a>1</a>", L"a=1" },
        { "UTF-8 with a mark", "\xEF\xBB\xBF<a>1</a>", L"a=1" },
        { "two, three and four bytes", "<a>\xC3\xA9\xE6\xB5\x8B\xF0\x9F\x98\x80</a>", L"a=\x00E9\x6D4B\U0001F600" },
        { "lone continuation byte", "<a>x\x80y</a>", L"a=x\xFFFDy" },
        { "bytes that never start a sequence", "<a>\xC0\xAF\xF5\xFF</a>", L"a=\xFFFD\xFFFD\xFFFD\xFFFD" },
        { "overlong form", "<a>\xE0\x80\xAF</a>", L"a=\xFFFD" },
        { "surrogate value", "<a>\xED\xA0\x80</a>", L"a=\xFFFD" },
        { "beyond U+10FFFF", "<a>\xF4\x90\x80\x80</a>", L"a=\xFFFD" },
        { "sequence broken by a tag", "<a>\xE6\xB5<b>1</b></a>", L"a=\xFFFD(b=1)" },
        { "sequence cut by the end", "<a>1<b>\xE6\xB5", L"a=1(b)" },
    };
    for (const auto& c : cases) {
        XML_Tree tree;
        EXPECT_TRUE(XML_File::ReadXMLBuffer(&tree, c.bytes.data(), c.bytes.size()));
        EXPECT_EQ(DescribeTree(tree), c.tree) << c.what;
    }
}

TEST_F(XmlFile, AUtf8CharacterAcrossTwoReadsIsReadWhole)
{
    std::string text = "<a>";
    std::wstring value;
    for (int i = 0; i < 5000; ++i) {
        text += "\xC3\xA9";
        value += L'\x00E9';
    }
    m_folder.WriteBytes(L"in.xml", text + "</a>");
    XML_Tree tree;
    XML_File::ReadXMLFile(&tree, m_folder.Path(L"in.xml"));
    EXPECT_EQ(DescribeTree(tree), L"a=" + value);
}

TEST_F(XmlFile, NumbersInACrLfFileStillConvert)
{
    m_folder.WriteBytes(L"in.xml", TestFolder::Utf16Le(u"<r>\r\n <a>\r\n  7\r\n </a>\r\n</r>\r\n"));
    XML_Tree tree;
    XML_File::ReadXMLFile(&tree, m_folder.Path(L"in.xml"));
    ASSERT_NE(tree.GetRoot(), nullptr);
    EXPECT_EQ(tree.GetRoot()->GetSubItem(L"a")->GetValueAsInt(), 7);
}

TEST_F(XmlFile, AnOddLastByteIsIgnored)
{
    m_folder.WriteBytes(L"in.xml", TestFolder::Utf16Le(u"<a>1</a>") + "<");
    XML_Tree tree;
    XML_File::ReadXMLFile(&tree, m_folder.Path(L"in.xml"));
    EXPECT_EQ(DescribeTree(tree), L"a=1");
}

TEST_F(XmlFile, InputSpanningManyReadBuffersIsReadWhole)
{
    // Files of 60014 bytes (the odd-length prefix makes units straddle the
    // 8 KB reads), of exactly two reads, and of two reads and one unit: the
    // reading ends only at a short read, an empty one after a full file.
    for (const int valueLength : {30000, 8192 - 7, 8192 - 6})
    {
        std::u16string value;
        for (int i = 0; i < valueLength; ++i)
            value += static_cast<char16_t>(u'a' + i % 26);
        EXPECT_EQ(ReadText(u"<r>" + value + u"</r>"), L"r=" + std::wstring(value.begin(), value.end()))
            << valueLength;
    }
}

TEST_F(XmlFile, OpeningForWritingTruncatesTheOldFile)
{
    m_folder.WriteBytes(L"out.xml", std::string(1000, 'x'));
    XML_Tree tree;
    tree.AddElement(L"a");
    EXPECT_EQ(WriteBytes(tree), TestFolder::Utf16Le(u"<a>\n</a>\n"));
}

TEST_F(XmlFile, AFileThatCannotBeOpenedIsNotWrittenButTheResultIsTrue)
{
    XML_Tree tree;
    tree.AddElement(L"a");
    EXPECT_TRUE(XML_File::WriteXMLFile(&tree, m_folder.Path(L"missing") + L"/out.xml"));
    EXPECT_FALSE(m_folder.Exists(L"missing"));
    // A folder where the file should be.
    m_folder.MakeSubfolder(L"dir.xml");
    EXPECT_TRUE(XML_File::WriteXMLFile(&tree, m_folder.Path(L"dir.xml")));
}

TEST_F(XmlFile, ARoundTripKeepsNamesValuesAndOrder)
{
    XML_Tree tree;
    tree.AddElement(L"Voruzev");
    tree.AddElement(L"URL");
    tree.AddValue(CString(L"http://www.example.com/tes/"));
    tree.EndElement();
    tree.AddElement(L"Group");
    tree.AddElement(L"Same");
    tree.AddValue(CString(L"first"));
    tree.EndElement();
    tree.AddElement(L"Same");
    tree.AddValue(CString(L"in\nner  spaces\r"));
    tree.EndElement();
    tree.AddElement(L"\x540D"); // a Chinese name
    tree.AddValue(CString(L"\x503C & > \U00020000"));
    tree.EndElement();
    tree.EndElement();
    tree.AddElement(L"Empty");
    tree.EndElement();
    tree.AddElement(L"Zero");
    tree.AddValue(CString(L"a\0b", 3));
    tree.EndElement();
    tree.EndElement();
    WriteBytes(tree);

    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    EXPECT_EQ(DescribeTree(read), DescribeTree(tree));
    EXPECT_EQ(DescribeTree(read),
              std::wstring(L"Voruzev(URL=http://www.example.com/tes/,Group(Same=first,Same=in\nner  spaces\r,"
                           L"\x540D=\x503C & > \U00020000),Empty,Zero=a") + L'\0' + L"b)");
}

TEST_F(XmlFile, LongTextsRoundTripWhole)
{
    std::wstring path = L"C:/Program Files/";
    while (path.size() < 1000)
        path += L"sub folder/";
    path.resize(996);
    path += L".exe";
    const std::wstring name(400, L'N');

    XML_Tree tree;
    tree.AddElement(L"Voruzev");
    tree.AddElement(L"EditAppPath");
    tree.AddValue(CString(path.c_str()));
    tree.EndElement();
    tree.AddElement(name.c_str());
    tree.EndElement();
    tree.EndElement();
    const std::string bytes = WriteBytes(tree);

    std::u16string escaped;
    for (wchar_t ch : path) {
        if (ch == L'/')
            escaped += u"\\colon";
        else
            escaped += static_cast<char16_t>(ch);
    }
    const std::u16string name16(name.begin(), name.end());
    EXPECT_EQ(bytes, TestFolder::Utf16Le(u"<Voruzev>\n <EditAppPath>\n  " + escaped + u"\n </EditAppPath>\n <" + name16
                                         + u">\n </" + name16 + u">\n</Voruzev>\n"));

    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    ASSERT_NE(read.GetRoot(), nullptr);
    EXPECT_EQ(W(read.GetRoot()->GetSubItem(L"EditAppPath")->GetValue()), path);
    EXPECT_NE(read.GetRoot()->GetSubItem(name.c_str()), nullptr);
}

TEST_F(XmlFile, DeepTreesAreIndentedOneSpacePerLevelBeyondAnyFixedWidth)
{
    const int kDepth = 150;
    XML_Tree tree;
    for (int i = 0; i < kDepth; ++i)
        tree.AddElement(L"d");
    tree.AddValue(CString(L"deep"));
    const std::string bytes = WriteBytes(tree);

    std::u16string expected;
    for (int i = 0; i < kDepth; ++i)
        expected += std::u16string(static_cast<std::size_t>(i), u' ') + u"<d>\n";
    expected += std::u16string(kDepth, u' ') + u"deep\n";
    for (int i = kDepth - 1; i >= 0; --i)
        expected += std::u16string(static_cast<std::size_t>(i), u' ') + u"</d>\n";
    EXPECT_EQ(bytes, TestFolder::Utf16Le(expected));

    XML_Tree read;
    XML_File::ReadXMLFile(&read, m_folder.Path(L"out.xml"));
    EXPECT_EQ(DescribeTree(read), DescribeTree(tree));
}

} // namespace
