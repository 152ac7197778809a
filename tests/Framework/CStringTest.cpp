// Tests of CString: formatting on both platforms, searching, slicing, case,
// trimming and replacement.
#include "CString.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(CStringFormat, WideStringConversionsAreWideOnEveryPlatform)
{
    CString s;
    s.Format(L"%s<%s>\n", L"  ", L"Image");
    EXPECT_EQ(W(s), L"  <Image>\n");
    s.Format(L"[%ls|%S|%hs]", L"wide", "narrow", "short");
    EXPECT_EQ(W(s), L"[wide|narrow|short]");
    s.Format(L"[%5s|%-5s|%.2s]", L"ab", L"cd", L"efgh");
    EXPECT_EQ(W(s), L"[   ab|cd   |ef]");
    s.Format(L"%s", static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(W(s), L"(null)");
}

TEST(CStringFormat, Numbers)
{
    CString s;
    s.Format(L"%d %ld %u %x %X %05d %-4d|", -7, 123456L, 4000000000u, 255, 255, 42, 3);
    EXPECT_EQ(W(s), L"-7 123456 4000000000 ff FF 00042 3   |");
    s.Format(L"%d %d", INT_MIN, INT_MAX);
    EXPECT_EQ(W(s), L"-2147483648 2147483647");
    s.Format(L"%.2f %g %%", 3.14159, 0.5);
    EXPECT_EQ(W(s), L"3.14 0.5 %");
    s.Format(L"%*d|%c", 4, 7, L'\x4e2d');
    EXPECT_EQ(W(s), L"   7|\x4e2d");
    s.Format(L"%I64d %lld", 1234567890123LL, -5LL);
    EXPECT_EQ(W(s), L"1234567890123 -5");
}

TEST(CStringFormat, LongResultsAreNotCut)
{
    const std::wstring path(1000, L'p');
    CString s;
    s.Format(L"%s%s\n", L" ", path.c_str());
    EXPECT_EQ(s.GetLength(), 1002);
    s.AppendFormat(L"%d", 5);
    EXPECT_EQ(W(s.Right(2)), L"\n5");
}

TEST(CStringSearch, FindAndReverseFind)
{
    const CString s(L"C:\\dir\\tes.exe");
    EXPECT_EQ(s.Find(L'\\'), 2);
    EXPECT_EQ(s.Find(L'\\', 3), 6);
    EXPECT_EQ(s.Find(L"tes"), 7);
    EXPECT_EQ(s.Find(L"zzz"), -1);
    EXPECT_EQ(s.Find(L'x', 100), -1);
    EXPECT_EQ(s.Find(L"", 0), 0);
    EXPECT_EQ(s.ReverseFind(L'\\'), 6);
    EXPECT_EQ(s.ReverseFind(L'#'), -1);
    EXPECT_EQ(s.FindOneOf(L".:"), 1);
}

TEST(CStringSlicing, CountsAreClampedToTheString)
{
    const CString s(L"abcdef");
    EXPECT_EQ(W(s.Left(2)), L"ab");
    EXPECT_EQ(W(s.Left(100)), L"abcdef");
    EXPECT_EQ(W(s.Left(-1)), L"");
    EXPECT_EQ(W(s.Mid(4)), L"ef");
    EXPECT_EQ(W(s.Mid(1, 3)), L"bcd");
    EXPECT_EQ(W(s.Mid(5, 10)), L"f");
    EXPECT_EQ(W(s.Mid(10)), L"");
    EXPECT_EQ(W(s.Right(2)), L"ef");
    EXPECT_EQ(W(s.Right(10)), L"abcdef");
}

TEST(CStringEditing, ReplaceCountsNonOverlappingMatches)
{
    CString s(L"a/b//c");
    EXPECT_EQ(s.Replace(L"/", L"\\colon"), 3);
    EXPECT_EQ(W(s), L"a\\colonb\\colon\\colonc");
    EXPECT_EQ(s.Replace(L"\\colon", L"/"), 3);
    EXPECT_EQ(W(s), L"a/b//c");
    CString t(L"aaaa");
    EXPECT_EQ(t.Replace(L"aa", L"a"), 2);
    EXPECT_EQ(W(t), L"aa");
    EXPECT_EQ(t.Replace(L"", L"x"), 0);
    EXPECT_EQ(t.Replace(L'a', L'b'), 2);
    EXPECT_EQ(W(t), L"bb");
}

TEST(CStringEditing, CaseAndTrim)
{
    CString s(L"Photo.Jpeg");
    EXPECT_EQ(W(s.MakeUpper()), L"PHOTO.JPEG");
    EXPECT_EQ(W(s.MakeLower()), L"photo.jpeg");
    CString t(L" \t\n value \n\t ");
    EXPECT_EQ(W(t.Trim()), L"value");
    CString u(L"xxabcxx");
    EXPECT_EQ(W(u.TrimLeft(L'x')), L"abcxx");
    EXPECT_EQ(W(u.TrimRight(L"x")), L"abc");
    CString v(L" \r\n");
    EXPECT_EQ(W(v.Trim(L" \n\t")), L"\r");
}

TEST(CStringBasics, EmptinessComparisonAndConcatenation)
{
    CString s;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.GetLength(), 0);
    s = L"abc";
    EXPECT_FALSE(s.IsEmpty());
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    CString a(L"Voruzev");
    EXPECT_TRUE(a == L"Voruzev");
    EXPECT_TRUE(L"Voruzev" == a);
    EXPECT_TRUE(a != L"voruzev");
    EXPECT_EQ(a.CompareNoCase(L"VORUZEV"), 0);
    EXPECT_LT(CString(L"a"), CString(L"b"));
    const CString joined = CString(L"x") + L"/" + CString(L"y") + L'z';
    EXPECT_EQ(W(joined), L"x/yz");
    const wchar_t* raw = a;
    EXPECT_EQ(std::wstring(raw), L"Voruzev");
    EXPECT_EQ(W(CString(static_cast<const wchar_t*>(nullptr))), L"");
    EXPECT_TRUE(CString(L"a\0b", 3) == CString(L"a\0b", 3));
    EXPECT_FALSE(CString(L"a\0b", 3) == CString(L"a\0c", 3));
}

TEST(CStringBasics, BufferAccessForPlatformCalls)
{
    CString s;
    wchar_t* buf = s.GetBuffer(10);
    buf[0] = L'h';
    buf[1] = L'i';
    buf[2] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"hi");
    s.Insert(0, L'>');
    s.Delete(1);
    EXPECT_EQ(W(s), L">i");
}

// Lengths on both sides of the inline storage: growing, copying, moving,
// swapping and inserting a string's own text keep every character.
TEST(CStringBasics, StorageOfEveryLengthSurvivesCopiesMovesAndSelfInsertion)
{
    for (int length : { 0, 1, 14, 15, 16, 17, 40 }) {
        std::wstring expected;
        CString grown;
        for (int i = 0; i < length; ++i) {
            const wchar_t ch = static_cast<wchar_t>(L'a' + i % 26);
            grown += ch;
            expected += ch;
        }
        SCOPED_TRACE(length);
        EXPECT_EQ(W(grown), expected);
        EXPECT_EQ(grown.GetString()[length], L'\0');

        CString copy(grown);
        CString moved(std::move(copy));
        EXPECT_EQ(W(moved), expected);
        EXPECT_TRUE(copy.IsEmpty());
        CString assigned(L"previous text longer than the inline part");
        assigned = std::move(moved);
        EXPECT_EQ(W(assigned), expected);

        CString other(L"xy");
        std::swap(assigned, other);
        EXPECT_EQ(W(other), expected);
        EXPECT_EQ(W(assigned), L"xy");

        other.Insert(1, other.GetString());
        EXPECT_EQ(W(other), expected.empty() ? L"" : expected.substr(0, 1) + expected + expected.substr(1));
    }
}

} // namespace
