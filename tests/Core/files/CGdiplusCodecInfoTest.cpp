// CGdiplusCodecInfo: the lower-case pattern list, the default extension
// derived from it, the case-insensitive extension search and the copies.
#include <gtest/gtest.h>

#include <string>

#include "CGdiplusCodecInfo.h"
#include "WideText.h"

namespace {

const GUID kSomeClsid = { 0x557cf401, 0x1a04, 0x11d3, { 0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e } };
const GUID kOtherClsid = { 0x557cf406, 0x1a04, 0x11d3, { 0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e } };

TEST(GdiplusCodecInfo, StoresTheFormatAndTheLowerCaseListAndDerivesTheDefaultExtension)
{
    const struct {
        const wchar_t* pszFormat;
        const wchar_t* pszExtensions;
        const wchar_t* pszLower;
        const wchar_t* pszDefExt;
    } cases[] = {
        { L"JPEG", L"*.JPG;*.JPEG;*.JPE;*.JFIF", L"*.jpg;*.jpeg;*.jpe;*.jfif", L"jpg" },
        { L"BMP", L"*.BMP;*.DIB;*.RLE", L"*.bmp;*.dib;*.rle", L"bmp" },
        { L"TIFF", L"*.TIFF;*.TIF", L"*.tiff;*.tif", L"tiff" },
        { L"PNG", L"*.PNG", L"*.png", L"png" },        // one pattern, no ";"
        { L"Odd", L"*.Tar.GZ", L"*.tar.gz", L"targz" }, // every "." goes, not just the first
        { L"Bare", L"WebP", L"webp", L"webp" },
        { L"Empty", L"", L"", L"" },
        { L"Null", nullptr, L"", L"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszFormat);
        const CGdiplusCodecInfo info(c.pszFormat, c.pszExtensions, kSomeClsid);
        EXPECT_EQ(c.pszFormat, W(info.GetFormat()));
        EXPECT_EQ(c.pszLower, W(info.GetExtensions()));
        EXPECT_EQ(std::wstring(c.pszDefExt), info.GetDefExt());
        EXPECT_TRUE(IsEqualGUID(kSomeClsid, info.GetCLSID()));
    }
}

TEST(GdiplusCodecInfo, TheFormatKeepsItsCase)
{
    const CGdiplusCodecInfo info(L"Jpeg Image", L"*.JPG", kSomeClsid);
    EXPECT_EQ(L"Jpeg Image", W(info.GetFormat()));
}

TEST(GdiplusCodecInfo, FindExtensionMatchesWholePatternsIgnoringCase)
{
    const CGdiplusCodecInfo info(L"JPEG", L"*.JPG;*.JPEG;*.JPE;*.JFIF", kSomeClsid);
    const struct { const wchar_t* pszExt; bool bFound; } cases[] = {
        { L"jpg", true }, { L"JPG", true }, { L"jpeg", true }, { L"JpEg", true }, { L"jfif", true },
        { L"jpe", true },
        { L"jp", false },           // a prefix of a pattern is not a pattern
        { L"jpegs", false },
        { L"png", false },
        { L"", false },
        { L".jpg", false },         // the extension comes without its dot
        { L"*.jpg", false },
        { L"jpg;*.jpeg", false },   // never across the separator
        { nullptr, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bFound, info.FindExtension(c.pszExt)) << (c.pszExt ? c.pszExt : L"(null)");
    EXPECT_EQ(L"*.jpg;*.jpeg;*.jpe;*.jfif", W(info.GetExtensions()));
}

TEST(GdiplusCodecInfo, FindExtensionInASinglePatternList)
{
    const CGdiplusCodecInfo info(L"PNG", L"*.PNG", kSomeClsid);
    EXPECT_TRUE(info.FindExtension(L"png"));
    EXPECT_TRUE(info.FindExtension(L"PNG"));
    EXPECT_FALSE(info.FindExtension(L"pn"));
}

TEST(GdiplusCodecInfo, CopiesCarryEveryField)
{
    const CGdiplusCodecInfo original(L"GIF", L"*.GIF", kOtherClsid);
    const CGdiplusCodecInfo copy(original);
    CGdiplusCodecInfo assigned(L"BMP", L"*.BMP;*.DIB", kSomeClsid);
    assigned = original;
    for (const CGdiplusCodecInfo* p : { &copy, static_cast<const CGdiplusCodecInfo*>(&assigned) }) {
        EXPECT_EQ(L"GIF", W(p->GetFormat()));
        EXPECT_EQ(L"*.gif", W(p->GetExtensions()));
        EXPECT_EQ(std::wstring(L"gif"), p->GetDefExt());
        EXPECT_TRUE(IsEqualGUID(kOtherClsid, p->GetCLSID()));
    }
}

} // namespace
