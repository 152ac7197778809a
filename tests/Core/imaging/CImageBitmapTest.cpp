// Tests of CImageBitmap's pixel side under Wine: bitmap <-> buffer conversion,
// copies, chains run on bitmaps against the chain runner on the same buffer,
// the convenience operations, and failures that keep the bitmap.
#include "CImageBitmap.h"
#include "CImageGrayer.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageShearer.h"
#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageNegator.h"
#include "CImageSharpener.h"
#include "BitmapReader.h"
#include "GdiTestBitmaps.h"
#include "ImageBitmapProbe.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using GdiTestBitmaps::WithoutFourthByte;
using guitest::BitmapReader;

namespace {

// A source picture as a bitmap gives it back (fourth byte 0).
TestImage Pattern(int width, int height)
{
    return WithoutFourthByte(MakePattern(width, height, 3));
}

// A picture object holding image's pixels.
void LoadInto(CImageBitmap& bitmap, const TestImage& image)
{
    ASSERT_TRUE(bitmap.Attach(GdiTestBitmaps::Make(image)));
}

// What the chain runner makes of image, as a bitmap would hold it.
TestImage RunOnBuffer(const CProcessorArray& chain, const TestImage& image, DWORD clrBackground)
{
    std::unique_ptr<RGBX[]> pSource(new RGBX[image.pixels.size()]);
    std::copy(image.pixels.begin(), image.pixels.end(), pSource.get());
    std::unique_ptr<RGBX[]> pResult;
    CSize size;
    if (!CProcessorChain::Run(chain, std::move(pSource), image.Size(), clrBackground, pResult, size))
        return TestImage();
    TestImage result(size.cx, size.cy);
    std::copy(pResult.get(), pResult.get() + static_cast<size_t>(size.cx) * size.cy, result.pixels.begin());
    return WithoutFourthByte(result);
}

// A stage that always fails.
class FailingStage : public CImage32BitProcessor
{
public:
    BOOL ProcessPixels(const RGBX*, CSize, RGBX*, CSize) const override { return FALSE; }
};

} // namespace

TEST(CImageBitmapCopy, RoundTripKeepsEveryPixel)
{
    for (const CSize size : { CSize(1, 1), CSize(37, 23), CSize(23, 37), CSize(640, 3) }) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        const TestImage pattern = Pattern(size.cx, size.cy);
        HBITMAP hSource = GdiTestBitmaps::Make(pattern);
        ASSERT_NE(hSource, nullptr);
        CImageBitmap copy;
        ASSERT_TRUE(copy.CopyImage(hSource));
        EXPECT_NE(copy.GetSafeHandle(), hSource);
        ::DeleteObject(hSource); // the copy stands alone
        EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(copy)));

        // Copying into an object that holds a bitmap replaces it; copying an
        // object's own bitmap gives the same pixels again.
        CImageBitmap second;
        LoadInto(second, Pattern(5, 5));
        ASSERT_TRUE(second.CopyImage(&copy));
        EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(second)));
        ASSERT_TRUE(second.CopyImage(&second));
        EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(second)));
    }
}

TEST(CImageBitmapCopy, ConvertsOtherFormats)
{
    // A monochrome bitmap: 16 x 2, first row left half black, second row
    // right half black (1 bits are white).
    const BYTE bits[] = { 0x00, 0xFF, 0xFF, 0x00 };
    HBITMAP hMono = ::CreateBitmap(16, 2, 1, 1, bits);
    ASSERT_NE(hMono, nullptr);
    CImageBitmap copy;
    ASSERT_TRUE(copy.CopyImage(hMono));
    ::DeleteObject(hMono);
    const TestImage image = BitmapReader::Read(copy);
    ASSERT_EQ(image.Size(), CSize(16, 2));
    const RGBX black(0, 0, 0, 0);
    const RGBX white(255, 255, 255, 0);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(image.At(x, 0), x < 8 ? black : white) << x;
        EXPECT_EQ(image.At(x, 1), x < 8 ? white : black) << x;
    }
}

TEST(CImageBitmapCopy, FailuresKeepTheBitmap)
{
    HBITMAP hDeleted = GdiTestBitmaps::Make(Pattern(4, 4));
    ::DeleteObject(hDeleted);
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    // 40000 x 30000 in one bit per pixel is 150 MB; as 32 bits per pixel it
    // would be 4.8 GB, more than a DIB header can describe.
    HBITMAP hHuge = ::CreateBitmap(40000, 30000, 1, 1, nullptr);
    CBitmap empty;
    struct Case
    {
        const char* name;
        std::function<BOOL(CImageBitmap&)> copy;
    };
    const Case cases[] = {
        { "null handle", [](CImageBitmap& b) { return b.CopyImage(static_cast<HBITMAP>(nullptr)); } },
        { "null object", [](CImageBitmap& b) { return b.CopyImage(static_cast<CBitmap*>(nullptr)); } },
        { "empty object", [&](CImageBitmap& b) { return b.CopyImage(&empty); } },
        { "deleted bitmap", [&](CImageBitmap& b) { return b.CopyImage(hDeleted); } },
        { "brush", [&](CImageBitmap& b) { return b.CopyImage(reinterpret_cast<HBITMAP>(hBrush)); } },
        { "over 4 GB as 32 bits", [&](CImageBitmap& b) { return b.CopyImage(hHuge); } },
    };
    const TestImage pattern = Pattern(9, 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "over 4 GB as 32 bits" && hHuge == nullptr) {
            ADD_FAILURE() << "GDI made no 40000 x 30000 monochrome bitmap";
            continue;
        }
        CImageBitmap bitmap;
        LoadInto(bitmap, pattern);
        const HGDIOBJ hBefore = bitmap.GetSafeHandle();
        EXPECT_FALSE(c.copy(bitmap));
        EXPECT_EQ(bitmap.GetSafeHandle(), hBefore);
        EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(bitmap)));

        CImageBitmap nothing;
        EXPECT_FALSE(c.copy(nothing));
        EXPECT_EQ(nothing.GetSafeHandle(), nullptr);
    }
    ::DeleteObject(hBrush);
    if (hHuge != nullptr)
        ::DeleteObject(hHuge);
}

TEST(CImageBitmapBuffer, PrepareBitmapInfo32DescribesATopDown32BitCopy)
{
    ImageBitmapProbe bitmap;
    BITMAPINFO bmi = {};
    EXPECT_EQ(bitmap.PrepareBitmapInfo32(bmi), 0) << "no bitmap";
    EXPECT_EQ(bitmap.GetDIBits32(), nullptr);

    LoadInto(bitmap, Pattern(13, 5));
    HBITMAP hOther = GdiTestBitmaps::Make(Pattern(6, 11));
    for (const HBITMAP hBitmap : { static_cast<HBITMAP>(nullptr), hOther }) {
        const CSize size = hBitmap == nullptr ? CSize(13, 5) : CSize(6, 11);
        std::memset(&bmi, 0xCD, sizeof(bmi));
        EXPECT_EQ(bitmap.PrepareBitmapInfo32(bmi, hBitmap), size.cy);
        EXPECT_EQ(bmi.bmiHeader.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(bmi.bmiHeader.biWidth, size.cx);
        EXPECT_EQ(bmi.bmiHeader.biHeight, -size.cy);
        EXPECT_EQ(bmi.bmiHeader.biPlanes, 1);
        EXPECT_EQ(bmi.bmiHeader.biBitCount, 32);
        EXPECT_EQ(bmi.bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(bmi.bmiHeader.biSizeImage, static_cast<DWORD>(size.cx * size.cy * 4));
        EXPECT_EQ(bmi.bmiHeader.biClrUsed, 0u);
        EXPECT_EQ(bmi.bmiHeader.biClrImportant, 0u);
    }
    ::DeleteObject(hOther);

    std::unique_ptr<RGBX[]> pPixels(bitmap.GetDIBits32());
    ASSERT_NE(pPixels, nullptr);
    TestImage read(13, 5);
    std::copy(pPixels.get(), pPixels.get() + 65, read.pixels.begin());
    EXPECT_TRUE(ImagesEqual(Pattern(13, 5), WithoutFourthByte(read)));
}

TEST(CImageBitmapBuffer, FillDelegatesToTheChainRunner)
{
    TestImage image(5, 3, RGBX(1, 2, 3, 4));
    EXPECT_TRUE(ImageBitmapProbe::Fill(image.Data(), CSize(5, 3), 0x00FFFFFF));
    EXPECT_EQ(image.At(4, 2), RGBX(0xFF, 0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(ImageBitmapProbe::Fill(image.Data(), CSize(5, 3), 0x000080FF));
    EXPECT_EQ(image.At(0, 0), RGBX(0x00, 0x80, 0xFF, 0));
    EXPECT_EQ(image.At(4, 2), RGBX(0x00, 0x80, 0xFF, 0));
    EXPECT_FALSE(ImageBitmapProbe::Fill(nullptr, CSize(5, 3), 0));
}

TEST(CImageBitmapProcess, ChainsGiveThePixelsOfTheChainRunner)
{
    CImageGrayer grey;
    CImageRotator rotate(30, 1);
    CImageResizer shrink(0.6);
    CImageResizer grow(2.5);
    CImageShearer shear(7, -4, 1);
    CImageFlipper flip(1, 0);
    CImageBlurrer blur(4);
    const std::vector<std::vector<CImage32BitProcessor*>> chains = {
        { &grey },
        { &rotate, &shrink, &shear },
        { &shrink, &grow, &flip, &blur },
    };
    const TestImage pattern = Pattern(41, 27);
    for (size_t i = 0; i < chains.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "chain " << i);
        CProcessorArray chain;
        for (CImage32BitProcessor* pStage : chains[i])
            chain.Add(pStage);
        CImageBitmap bitmap(kTestBackground);
        LoadInto(bitmap, pattern);
        ASSERT_TRUE(bitmap.ProcessImage(chain));
        const TestImage expected = RunOnBuffer(chain, pattern, kTestBackground);
        ASSERT_GT(expected.width, 0);
        EXPECT_TRUE(ImagesEqual(expected, BitmapReader::Read(bitmap)));
    }
}

TEST(CImageBitmapProcess, QuarterTurnOfA100By50PictureShowsBackgroundCorners)
{
    CImageBitmap bitmap(kTestBackground);
    LoadInto(bitmap, TestImage(100, 50, RGBX(10, 200, 30, 0)));
    ASSERT_TRUE(bitmap.RotateImage(90, 0));
    const TestImage image = BitmapReader::Read(bitmap);
    ASSERT_EQ(image.Size(), CSize(52, 102));
    const RGBX background = WithoutFourthByte(TestImage(1, 1, BackgroundPixel())).At(0, 0);
    for (const POINT corner : { POINT{ 0, 0 }, POINT{ 51, 0 }, POINT{ 0, 101 }, POINT{ 51, 101 } })
        EXPECT_EQ(image.At(corner.x, corner.y), background) << corner.x << ", " << corner.y;
    EXPECT_EQ(image.At(26, 51), RGBX(10, 200, 30, 0)) << "the middle holds the picture";
}

TEST(CImageBitmapProcess, EmptyChainAndMissingBitmap)
{
    const TestImage pattern = Pattern(8, 6);
    CImageBitmap bitmap;
    LoadInto(bitmap, pattern);
    const HGDIOBJ hBefore = bitmap.GetSafeHandle();
    EXPECT_TRUE(bitmap.ProcessImage(CProcessorArray()));
    EXPECT_EQ(bitmap.GetSafeHandle(), hBefore);
    EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(bitmap)));

    CImageBitmap nothing;
    CImageGrayer grey;
    EXPECT_FALSE(nothing.ProcessImage(CProcessorArray()));
    EXPECT_FALSE(nothing.ProcessImage(&grey));
    EXPECT_FALSE(nothing.GrayImage());
    EXPECT_EQ(nothing.GetSafeHandle(), nullptr);
}

TEST(CImageBitmapProcess, FailuresKeepTheBitmap)
{
    FailingStage failing;
    CImageGrayer grey;
    CImageResizer huge(400.0); // 100 x 50 becomes 40000 x 20000
    struct Case
    {
        const char* name;
        CSize size;
        std::function<BOOL(CImageBitmap&)> process;
    };
    const Case cases[] = {
        { "failing stage after a good one", CSize(100, 50),
          [&](CImageBitmap& b) {
              CProcessorArray chain;
              chain.Add(&grey);
              chain.Add(&failing);
              return b.ProcessImage(chain);
          } },
        { "null processor", CSize(100, 50),
          [](CImageBitmap& b) { return b.ProcessImage(static_cast<CImage32BitProcessor*>(nullptr)); } },
        { "output over 32767 per side", CSize(100, 50), [&](CImageBitmap& b) { return b.ProcessImage(&huge); } },
        { "output over 32767 per side, convenience", CSize(100, 50),
          [](CImageBitmap& b) { return b.ResizeImage(400.0); } },
        { "output without pixels", CSize(100, 50), [](CImageBitmap& b) { return b.ResizeImage(0.001); } },
        { "input over 32767 wide", CSize(40000, 1), [](CImageBitmap& b) { return b.GrayImage(); } },
        { "input over 32767 high", CSize(1, 33000), [](CImageBitmap& b) { return b.NegateImage(); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TestImage pattern = Pattern(c.size.cx, c.size.cy);
        CImageBitmap bitmap;
        LoadInto(bitmap, pattern);
        const HGDIOBJ hBefore = bitmap.GetSafeHandle();
        EXPECT_FALSE(c.process(bitmap));
        EXPECT_EQ(bitmap.GetSafeHandle(), hBefore);
        EXPECT_TRUE(ImagesEqual(pattern, BitmapReader::Read(bitmap)));
    }
}

TEST(CImageBitmapProcess, ConvenienceOperationsRunTheirProcessorWithTheirArguments)
{
    struct Case
    {
        const char* name;
        std::function<BOOL(CImageBitmap&)> operation;
        std::function<std::unique_ptr<CImage32BitProcessor>()> processor;
    };
    typedef std::unique_ptr<CImage32BitProcessor> Ptr;
    const Case cases[] = {
        { "RotateImage", [](CImageBitmap& b) { return b.RotateImage(33, 1); },
          [] { return Ptr(new CImageRotator(33, 1)); } },
        { "RotateImage nearest", [](CImageBitmap& b) { return b.RotateImage(-71, 0); },
          [] { return Ptr(new CImageRotator(-71, 0)); } },
        { "ShearImage", [](CImageBitmap& b) { return b.ShearImage(9, -3, 1); },
          [] { return Ptr(new CImageShearer(9, -3, 1)); } },
        { "GrayImage", [](CImageBitmap& b) { return b.GrayImage(); }, [] { return Ptr(new CImageGrayer); } },
        { "BlurImage", [](CImageBitmap& b) { return b.BlurImage(6); }, [] { return Ptr(new CImageBlurrer(6)); } },
        { "SharpenImage", [](CImageBitmap& b) { return b.SharpenImage(3); },
          [] { return Ptr(new CImageSharpener(3)); } },
        { "ResizeImage", [](CImageBitmap& b) { return b.ResizeImage(1.7); },
          [] { return Ptr(new CImageResizer(1.7)); } },
        { "FlipImage", [](CImageBitmap& b) { return b.FlipImage(0, 1); }, [] { return Ptr(new CImageFlipper(0, 1)); } },
        { "NegateImage", [](CImageBitmap& b) { return b.NegateImage(); }, [] { return Ptr(new CImageNegator); } },
        { "ReplaceColor", [](CImageBitmap& b) { return b.ReplaceColor(RGB(200, 100, 50), RGB(1, 2, 3)); },
          [] { return Ptr(new CImageColorReplacer(RGB(200, 100, 50), RGB(1, 2, 3))); } },
    };
    TestImage pattern = Pattern(29, 18);
    pattern.At(3, 4) = RGBX(50, 100, 200, 0); // a pixel for ReplaceColor to find
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImageBitmap bitmap(kTestBackground);
        LoadInto(bitmap, pattern);
        ASSERT_TRUE(c.operation(bitmap));
        const Ptr pProcessor = c.processor();
        CProcessorArray chain;
        chain.Add(pProcessor.get());
        EXPECT_TRUE(ImagesEqual(RunOnBuffer(chain, pattern, kTestBackground), BitmapReader::Read(bitmap)));
    }
}
