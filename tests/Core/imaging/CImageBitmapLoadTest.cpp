// Tests of CImageBitmap's loaders under Wine: the file-type table, raw
// resources, and BMP, JPEG, GIF and ICO pictures from files and resources.
#include "CImageBitmap.h"
#include "BitmapReader.h"
#include "GdiTestBitmaps.h"
#include "ImageBitmapProbe.h"
#include "ImagingGdiResources.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using guitest::BitmapReader;

namespace {

// The test picture of data/make_test_images.py.
const int kPictureWidth = 48;
const int kPictureHeight = 32;
COLORREF PictureColor(int x, int y)
{
    if (x < 16)
        return RGB(220, 40, 90);
    if (x >= 32 && x < 40 && y >= 8 && y < 16)
        return RGB(30, 180, 70);
    return RGB(20, 60, 200);
}

// The test icon: transparent where the background shows.
const int kIconSize = 32;
COLORREF IconColor(int x, int y, COLORREF clrBackground)
{
    if (x >= 16 && x < 24 && y >= 8 && y < 16)
        return clrBackground;
    return x < 8 ? RGB(40, 90, 220) : RGB(200, 30, 40);
}

const COLORREF kBackground = RGB(51, 102, 153);

HINSTANCE ThisModule()
{
    return ::GetModuleHandleW(nullptr);
}

// The whole resource, through GetResource.
std::vector<BYTE> ResourceBytes(UINT nID)
{
    int nSize = 0;
    if (!CImageBitmap::GetResource(MAKEINTRESOURCEW(nID), L"IMAGE", ThisModule(), nullptr, nSize) || nSize <= 0)
        return std::vector<BYTE>();
    std::vector<BYTE> bytes(static_cast<size_t>(nSize));
    if (!CImageBitmap::GetResource(MAKEINTRESOURCEW(nID), L"IMAGE", ThisModule(), bytes.data(), nSize))
        return std::vector<BYTE>();
    return bytes;
}

// Writes a resource's bytes to a file of the folder; false when the resource
// has none.
bool WriteResourceFile(const TestFolder& folder, UINT nID, const wchar_t* lpszName)
{
    const std::vector<BYTE> bytes = ResourceBytes(nID);
    if (bytes.empty())
        return false;
    folder.WriteBytes(lpszName, std::string(bytes.begin(), bytes.end()));
    return true;
}

// Compares a loaded bitmap with expected(x, y), each channel within tolerance.
::testing::AssertionResult PixelsMatch(HBITMAP hBitmap, int width, int height,
                                       const std::function<COLORREF(int, int)>& expected, int tolerance)
{
    const TestImage image = BitmapReader::Read(hBitmap);
    if (image.Size() != CSize(width, height))
        return ::testing::AssertionFailure()
               << "size " << image.width << " x " << image.height << ", expected " << width << " x " << height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const RGBX seen = image.At(x, y);
            const COLORREF want = expected(x, y);
            if (std::abs(seen.r - GetRValue(want)) > tolerance || std::abs(seen.g - GetGValue(want)) > tolerance
                || std::abs(seen.b - GetBValue(want)) > tolerance)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is (" << int(seen.r) << ", " << int(seen.g) << ", "
                       << int(seen.b) << "), expected (" << int(GetRValue(want)) << ", " << int(GetGValue(want)) << ", "
                       << int(GetBValue(want)) << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

struct PictureFormat
{
    const char* name;
    UINT nID;
    const wchar_t* lpszFileName;
    int width;
    int height;
    int tolerance; // JPEG's colour conversion may round differently
    bool bIcon;
};

const PictureFormat kFormats[] = {
    { "BMP", IDR_PATTERN_BMP, L"pattern.bmp", kPictureWidth, kPictureHeight, 0, false },
    { "JPEG", IDR_PATTERN_JPG, L"pattern.jpg", kPictureWidth, kPictureHeight, 3, false },
    { "GIF", IDR_PATTERN_GIF, L"pattern.gif", kPictureWidth, kPictureHeight, 0, false },
    { "ICO", IDR_PATTERN_ICO, L"pattern.ico", kIconSize, kIconSize, 0, true },
};

std::function<COLORREF(int, int)> ExpectedPixels(const PictureFormat& format, COLORREF clrBackground)
{
    if (format.bIcon)
        return [clrBackground](int x, int y) { return IconColor(x, y, clrBackground); };
    return PictureColor;
}

} // namespace

TEST(CImageBitmapFileType, FirstExtensionFoundAfterTheFirstCharacterDecides)
{
    const struct
    {
        const wchar_t* path;
        int type;
    } cases[] = {
        { L"C:\\pictures\\shot.bmp", 0 },
        { L"shot.BMP", 0 },
        { L"shot.bmp.gif", 0 }, // ".BMP" comes first in the table
        { L"icon.ico", 1 },
        { L"photo.jpeg", 2 },
        { L"photo.Jpg", 2 },
        { L"photo.JPEG.ico", 1 }, // ".ICO" comes before ".JPG"
        { L"anim.gif", 3 },
        { L"shot.png", 4 },
        { L".BMP", 4 }, // a match at the first character does not count
        { L".bmp", 4 },
        { L".BMP.gif", 3 },
        { L"C:\\my.jpg\\notes.txt", 2 }, // found anywhere, not only at the end
        { L"shotbmp", 4 },
        { L"", 4 },
        { nullptr, 4 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImageBitmapProbe::GetFileType(c.path), c.type) << (c.path != nullptr ? c.path : L"(null)");
}

TEST(CImageBitmapResource, SizeQueryCopyAndShortBuffer)
{
    int nSize = -1;
    ASSERT_TRUE(CImageBitmap::GetResource(MAKEINTRESOURCEW(IDR_PATTERN_BMP), L"IMAGE", ThisModule(), nullptr, nSize));
    ASSERT_GT(nSize, static_cast<int>(sizeof(BITMAPFILEHEADER)));

    // One byte short: nothing is copied.
    std::vector<BYTE> buffer(static_cast<size_t>(nSize) + 8, 0xAB);
    int nShort = nSize - 1;
    EXPECT_FALSE(
        CImageBitmap::GetResource(MAKEINTRESOURCEW(IDR_PATTERN_BMP), L"IMAGE", ThisModule(), buffer.data(), nShort));
    for (const BYTE b : buffer)
        ASSERT_EQ(b, 0xAB);

    // Exactly the size, and more: the resource's bytes and no more.
    for (const int nLength : { nSize, nSize + 8 }) {
        std::fill(buffer.begin(), buffer.end(), 0xAB);
        int nGiven = nLength;
        ASSERT_TRUE(CImageBitmap::GetResource(MAKEINTRESOURCEW(IDR_PATTERN_BMP), L"IMAGE", ThisModule(), buffer.data(),
                                              nGiven));
        const BITMAPFILEHEADER* pHeader = reinterpret_cast<const BITMAPFILEHEADER*>(buffer.data());
        EXPECT_EQ(pHeader->bfType, 0x4D42) << "\"BM\"";
        EXPECT_EQ(pHeader->bfSize, static_cast<DWORD>(nSize));
        EXPECT_EQ(buffer[static_cast<size_t>(nSize)], 0xAB) << "nothing written past the resource";
    }

    // A resource that does not exist.
    int nUnchanged = 77;
    EXPECT_FALSE(CImageBitmap::GetResource(MAKEINTRESOURCEW(999), L"IMAGE", ThisModule(), nullptr, nUnchanged));
    EXPECT_FALSE(
        CImageBitmap::GetResource(MAKEINTRESOURCEW(IDR_PATTERN_BMP), L"OTHER", ThisModule(), nullptr, nUnchanged));
    EXPECT_EQ(nUnchanged, 77);
}

TEST(CImageBitmapLoad, EveryFormatFromAResource)
{
    for (const PictureFormat& format : kFormats) {
        SCOPED_TRACE(format.name);
        CImageBitmap bitmap(kBackground);
        ASSERT_TRUE(bitmap.LoadImageW(format.nID, L"IMAGE", ThisModule(), 0xFFFFFFFF));
        EXPECT_TRUE(
            PixelsMatch(bitmap, format.width, format.height, ExpectedPixels(format, kBackground), format.tolerance));

        // A colour given to the loader is painted under the picture instead.
        const COLORREF clrGiven = RGB(250, 240, 5);
        HBITMAP hLoaded = CImageBitmap::LoadImageResource(format.nID, L"IMAGE", ThisModule(), clrGiven);
        ASSERT_NE(hLoaded, nullptr);
        EXPECT_TRUE(
            PixelsMatch(hLoaded, format.width, format.height, ExpectedPixels(format, clrGiven), format.tolerance));
        ::DeleteObject(hLoaded);
    }
}

TEST(CImageBitmapLoad, EveryFormatFromAFile)
{
    for (const PictureFormat& format : kFormats) {
        SCOPED_TRACE(format.name);
        TestFolder folder;
        ASSERT_TRUE(WriteResourceFile(folder, format.nID, format.lpszFileName));
        CImageBitmap bitmap(kBackground);
        ASSERT_TRUE(bitmap.LoadImageW(folder.Path(format.lpszFileName), 0xFFFFFFFF));
        EXPECT_TRUE(
            PixelsMatch(bitmap, format.width, format.height, ExpectedPixels(format, kBackground), format.tolerance));
    }
}

TEST(CImageBitmapLoad, LoadingRefusesAnObjectThatHoldsABitmap)
{
    TestFolder folder;
    ASSERT_TRUE(WriteResourceFile(folder, IDR_PATTERN_GIF, L"refuse.gif"));
    CImageBitmap bitmap(kBackground);
    ASSERT_TRUE(bitmap.LoadImageW(IDR_PATTERN_BMP, L"IMAGE", ThisModule(), 0xFFFFFFFF));
    const HGDIOBJ hBefore = bitmap.GetSafeHandle();
    EXPECT_FALSE(bitmap.LoadImageW(IDR_PATTERN_GIF, L"IMAGE", ThisModule(), 0xFFFFFFFF));
    EXPECT_FALSE(bitmap.LoadImageW(folder.Path(L"refuse.gif"), 0xFFFFFFFF));
    EXPECT_EQ(bitmap.GetSafeHandle(), hBefore);
    EXPECT_TRUE(PixelsMatch(bitmap, kPictureWidth, kPictureHeight, PictureColor, 0));
}

TEST(CImageBitmapLoad, WhatCannotBeLoadedGivesNothing)
{
    // A known type whose file is missing, a type without a loader, a PNG-named
    // file that holds a BMP, a resource that does not exist.
    TestFolder folder;
    ASSERT_TRUE(WriteResourceFile(folder, IDR_PATTERN_BMP, L"really_a_bitmap.png"));
    for (const wchar_t* lpszName : { L"missing.bmp", L"missing.jpg", L"missing.gif", L"missing.ico" }) {
        CImageBitmap bitmap;
        EXPECT_FALSE(bitmap.LoadImageW(folder.Path(lpszName), 0xFFFFFFFF)) << lpszName;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    }
    CImageBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadImageW(folder.Path(L"really_a_bitmap.png"), 0xFFFFFFFF));
    EXPECT_FALSE(bitmap.LoadImageW(999, L"IMAGE", ThisModule(), 0xFFFFFFFF));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);

    // Bytes that are no picture, and no bytes.
    const BYTE garbage[] = "this is not a picture at all";
    EXPECT_EQ(CImageBitmap::LoadFromBuffer(garbage, sizeof(garbage)), nullptr);
    EXPECT_EQ(CImageBitmap::LoadFromBuffer(nullptr, 10), nullptr);
    EXPECT_EQ(CImageBitmap::LoadFromBuffer(garbage, 0), nullptr);
    EXPECT_EQ(ImageBitmapProbe::ExtractBitmap(nullptr, kBackground), nullptr);
}

TEST(CImageBitmapLoad, PictureFromBufferAndExtractedBitmap)
{
    const std::vector<BYTE> bytes = ResourceBytes(IDR_PATTERN_GIF);
    ASSERT_FALSE(bytes.empty());
    IPicture* pPicture = CImageBitmap::LoadFromBuffer(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_NE(pPicture, nullptr);
    short nType = PICTYPE_UNINITIALIZED;
    EXPECT_EQ(pPicture->get_Type(&nType), S_OK);
    EXPECT_EQ(nType, PICTYPE_BITMAP);
    HBITMAP hBitmap = ImageBitmapProbe::ExtractBitmap(pPicture, 0xFFFFFFFF);
    pPicture->Release();
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_TRUE(PixelsMatch(hBitmap, kPictureWidth, kPictureHeight, PictureColor, 0)) << "upright, not mirrored";
    ::DeleteObject(hBitmap);
}
