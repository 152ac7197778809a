// The image file dialogs driven for real under the GDI+ codecs installed on
// the machine: the filters, the default extension and the encoder that
// follow the chosen type, typed extensions that choose the encoder or keep
// the dialog open, cancel, and the cases in which nothing is shown.
#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "CGdiplusFileOpenDialog.h"
#include "CGdiplusFileSaveAsDialog.h"
#include "FileDialogDriver.h"
#include "GdiplusCodecs.h"
#include "ImportPatch.h"
#include "TestFolder.h"
#include "WideText.h"

using guitest::FileDialogDriver;
using guitest::GdiplusCodecs;
using guitest::ImportPatch;

namespace {

// GDI+ runs for the whole test program, as it does in the program.
class GdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};
::testing::Environment* const g_pGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

using Codec = GdiplusCodecs::Codec;

int EncoderIndex(const wchar_t* pszFormat)
{
    const std::vector<Codec> encoders = GdiplusCodecs::Installed(true);
    for (size_t i = 0; i < encoders.size(); ++i) {
        if (encoders[i].format == pszFormat)
            return static_cast<int>(i);
    }
    ADD_FAILURE() << "no encoder for this format";
    return -1;
}

GUID EncoderClsid(const wchar_t* pszFormat)
{
    const int nIndex = EncoderIndex(pszFormat);
    return nIndex < 0 ? GUID() : GdiplusCodecs::Installed(true)[static_cast<size_t>(nIndex)].clsid;
}

// "文件": "files", in each type's display text.
const std::wstring kFiles = L"\x6587\x4EF6";
// "所有支持的图像文件": all supported image files.
const std::wstring kAllSupported = L"\x6240\x6709\x652F\x6301\x7684\x56FE\x50CF\x6587\x4EF6";

std::wstring TypeText(const Codec& codec)
{
    return codec.format + L" " + kFiles + L"(" + codec.extensions + L")";
}

// The (text, patterns) pairs of a filter in the system's form.
std::vector<std::pair<std::wstring, std::wstring>> FilterPairs(const wchar_t* pszFilter)
{
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    while (pszFilter != nullptr && *pszFilter != 0) {
        std::wstring text = pszFilter;
        pszFilter += text.size() + 1;
        std::wstring patterns = pszFilter;
        pszFilter += patterns.size() + 1;
        pairs.emplace_back(text, patterns);
    }
    return pairs;
}

bool RunningOnWine()
{
    HMODULE hNtdll = GetModuleHandleW(L"ntdll.dll");
    return hNtdll != nullptr && GetProcAddress(hNtdll, "wine_get_version") != nullptr;
}

// Counts the windows this thread creates while it lives.
class WindowCreationCounter
{
public:
    WindowCreationCounter() : m_hHook(SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId()))
    {
        s_nCreated = 0;
    }
    ~WindowCreationCounter() { UnhookWindowsHookEx(m_hHook); }
    int Created() const { return s_nCreated; }

private:
    static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND)
            ++s_nCreated;
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static int s_nCreated;
    HHOOK m_hHook;
};
int WindowCreationCounter::s_nCreated = 0;

// The dialogs with their codec count visible to the test.
class TestSaveAsDialog : public CGdiplusFileSaveAsDialog
{
public:
    explicit TestSaveAsDialog(const wchar_t* pszName = L"") : CGdiplusFileSaveAsDialog(pszName) {}
    INT_PTR CodecCount() const { return m_codecs.GetSize(); }
};

class TestOpenDialog : public CGdiplusFileOpenDialog
{
public:
    INT_PTR CodecCount() const { return m_codecs.GetSize(); }
};

FileDialogDriver::Step Attempt(int nType, const wchar_t* pszName)
{
    return [nType, pszName](HWND h) {
        if (nType >= 0)
            FileDialogDriver::SelectType(h, nType);
        FileDialogDriver::SetFileName(h, pszName);
        FileDialogDriver::PressOK(h);
    };
}

TEST(GdiplusFileDialog, SaveAsOffersOneTypePerEncoderWithItsPatterns)
{
    const std::vector<Codec> encoders = GdiplusCodecs::Installed(true);
    ASSERT_FALSE(encoders.empty());
    TestSaveAsDialog dlg;
    std::vector<std::wstring> shown;
    INT_PTR nCodecsWhileShown = -1;
    FileDialogDriver driver({ [&](HWND h) {
        shown = FileDialogDriver::TypeTexts(h);
        nCodecsWhileShown = dlg.CodecCount();
        FileDialogDriver::PressCancel(h);
    } });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());

    std::vector<std::wstring> expected;
    for (const Codec& codec : encoders)
        expected.push_back(TypeText(codec));
    EXPECT_EQ(expected, shown);
    if (RunningOnWine()) {
        // The five encoders of this platform, each with its exact text.
        EXPECT_EQ((std::vector<std::wstring>{
                      L"BMP " + kFiles + L"(*.bmp;*.dib;*.rle)", L"JPEG " + kFiles + L"(*.jpg;*.jpeg;*.jpe;*.jfif)",
                      L"GIF " + kFiles + L"(*.gif)", L"TIFF " + kFiles + L"(*.tiff;*.tif)",
                      L"PNG " + kFiles + L"(*.png)" }),
                  shown);
    }
    // The filter: one (text, patterns) pair per encoder and nothing else.
    const auto pairs = FilterPairs(dlg.m_ofn.lpstrFilter);
    ASSERT_EQ(encoders.size(), pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(TypeText(encoders[i]), pairs[i].first);
        EXPECT_EQ(encoders[i].extensions, pairs[i].second);
    }
    // The descriptions live while the dialog is shown and go with its window.
    EXPECT_EQ(static_cast<INT_PTR>(encoders.size()), nCodecsWhileShown);
    EXPECT_EQ(0, dlg.CodecCount());
}

TEST(GdiplusFileDialog, OpenStartsWithTheCombinedTypeOfEveryDecoder)
{
    const std::vector<Codec> decoders = GdiplusCodecs::Installed(false);
    ASSERT_FALSE(decoders.empty());
    TestOpenDialog dlg;
    std::vector<std::wstring> shown;
    FileDialogDriver driver({ [&](HWND h) {
        shown = FileDialogDriver::TypeTexts(h);
        FileDialogDriver::PressCancel(h);
    } });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());

    std::wstring allPatterns;
    std::vector<std::wstring> expected{ kAllSupported };
    for (size_t i = 0; i < decoders.size(); ++i) {
        allPatterns += (i == 0 ? L"" : L";") + decoders[i].extensions;
        expected.push_back(TypeText(decoders[i]));
    }
    EXPECT_EQ(expected, shown);
    const auto pairs = FilterPairs(dlg.m_ofn.lpstrFilter);
    ASSERT_EQ(decoders.size() + 1, pairs.size());
    EXPECT_EQ(kAllSupported, pairs[0].first);
    EXPECT_EQ(allPatterns, pairs[0].second);
    for (size_t i = 0; i < decoders.size(); ++i)
        EXPECT_EQ(decoders[i].extensions, pairs[i + 1].second);
    EXPECT_EQ(0, dlg.CodecCount());
}

TEST(GdiplusFileDialog, OpenReturnsTheChosenPicture)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    HANDLE hFile = CreateFileW(folder.Path(L"shot.png"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    TestOpenDialog dlg;
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    FileDialogDriver driver({ Attempt(-1, L"shot.png") });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(0, lstrcmpiW(folder.Path(L"shot.png"), dlg.GetPathName()));
}

TEST(GdiplusFileDialog, SaveAsReportsTheEncoderOfTheTypeOrOfTheTypedExtension)
{
    struct Case
    {
        const char* label;
        std::vector<FileDialogDriver::Step> steps;
        INT_PTR expected;
        const wchar_t* pszSavedName;   // in the temporary folder
        const wchar_t* pszEncoder;     // format of the reported encoder
    };
    const Case cases[] = {
        { "JPEG chosen, bare name", { Attempt(EncoderIndex(L"JPEG"), L"picture") }, IDOK, L"picture.jpg", L"JPEG" },
        { "TIFF chosen, bare name", { Attempt(EncoderIndex(L"TIFF"), L"scan") }, IDOK, L"scan.tiff", L"TIFF" },
        { "BMP chosen, .PNG typed", { Attempt(EncoderIndex(L"BMP"), L"picture.PNG") }, IDOK, L"picture.PNG", L"PNG" },
        { "second pattern typed", { Attempt(-1, L"picture.jpeg") }, IDOK, L"picture.jpeg", L"JPEG" },
        { "typed again after a refusal", { Attempt(-1, L"picture.xyz"), Attempt(-1, L"picture.jpeg") }, IDOK,
          L"picture.jpeg", L"JPEG" },
        { "GIF chosen, two dots", { Attempt(EncoderIndex(L"GIF"), L"photo.old.png") }, IDOK, L"photo.old.png",
          L"PNG" },
        { "dot only in the folder", { Attempt(EncoderIndex(L"PNG"), L"sub.dir\\picture") }, IDOK,
          L"sub.dir\\picture.png", L"PNG" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TestFolder folder;
        ASSERT_FALSE(folder.Path().empty());
        ASSERT_TRUE(CreateDirectoryW(folder.Path(L"sub.dir"), nullptr));
        TestSaveAsDialog dlg;
        dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
        FileDialogDriver driver(c.steps);

        EXPECT_EQ(c.expected, dlg.DoModal());
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_FALSE(driver.CancelledAfterSteps());
        EXPECT_EQ(c.steps.size(), driver.StepsRun());
        EXPECT_EQ(0, lstrcmpiW(folder.Path(c.pszSavedName), dlg.GetPathName())) << W(dlg.GetPathName());
        EXPECT_TRUE(IsEqualGUID(EncoderClsid(c.pszEncoder), dlg.GetCodecCLSID()));
    }
}

TEST(GdiplusFileDialog, SaveAsStaysOpenForAnExtensionNoEncoderKnows)
{
    TestFolder folder;
    TestSaveAsDialog dlg;
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    bool bStillShown = false;
    FileDialogDriver driver({ Attempt(-1, L"picture.xyz"),
                              [&](HWND h) {
                                  bStillShown = IsWindowVisible(h) != FALSE;
                                  FileDialogDriver::PressCancel(h);
                              } });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(2u, driver.StepsRun());
    EXPECT_TRUE(bStillShown);
    EXPECT_EQ(0, folder.EntryCount());
}

TEST(GdiplusFileDialog, ACancelledSaveAsChangesNothing)
{
    TestFolder folder;
    TestSaveAsDialog dlg(L"");
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    FileDialogDriver driver({ [](HWND h) {
        FileDialogDriver::SelectType(h, EncoderIndex(L"PNG"));
        FileDialogDriver::SetFileName(h, L"picture.png");
        FileDialogDriver::PressCancel(h);
    } });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(L"", W(dlg.GetPathName()));
    EXPECT_EQ(L"", W(dlg.GetFileExt()));   // no dialog any more: nothing typed
    EXPECT_EQ(0, folder.EntryCount());
}

// GDI+'s answer to any call before GdiplusStartup, which this platform's
// GDI+ never gives: TesLib's import of the probe is pointed here.
Gdiplus::GpStatus WINGDIPAPI NotStartedCreateBitmap(INT, INT, INT, Gdiplus::PixelFormat, BYTE*,
                                                    Gdiplus::GpBitmap** ppBitmap)
{
    *ppBitmap = nullptr;
    return Gdiplus::GdiplusNotInitialized;
}

// No encoder installed at all.
Gdiplus::GpStatus WINGDIPAPI NoEncodersSize(UINT* pnCount, UINT* pnBytes)
{
    *pnCount = 0;
    *pnBytes = 0;
    return Gdiplus::Ok;
}

TEST(GdiplusFileDialog, WithoutGdiplusStartedNothingIsShownAndTheResultIsCancel)
{
    ImportPatch patch(GetModuleHandleW(L"TesLib.dll"), "gdiplus.dll", "GdipCreateBitmapFromScan0",
                      reinterpret_cast<void*>(&NotStartedCreateBitmap));
    ASSERT_TRUE(patch.Applied());
    {
        TestSaveAsDialog save;
        FileDialogDriver driver({ [](HWND h) { FileDialogDriver::PressCancel(h); } });
        WindowCreationCounter windows;
        EXPECT_EQ(2, save.DoModal());
        EXPECT_EQ(0, windows.Created());
        EXPECT_EQ(0u, driver.StepsRun());
        EXPECT_EQ(0, save.CodecCount());
    }
    {
        TestOpenDialog open;
        WindowCreationCounter windows;
        EXPECT_EQ(2, open.DoModal());
        EXPECT_EQ(0, windows.Created());
        EXPECT_EQ(0, open.CodecCount());
    }
}

TEST(GdiplusFileDialog, SaveAsWithoutAnyEncoderReportsCancelWithoutShowing)
{
    ImportPatch patch(GetModuleHandleW(L"TesLib.dll"), "gdiplus.dll", "GdipGetImageEncodersSize",
                      reinterpret_cast<void*>(&NoEncodersSize));
    ASSERT_TRUE(patch.Applied());
    TestSaveAsDialog dlg;
    FileDialogDriver driver({ [](HWND h) { Attempt(-1, L"picture")(h); } });
    WindowCreationCounter windows;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, windows.Created());
    EXPECT_EQ(0u, driver.StepsRun());
    EXPECT_EQ(0, dlg.CodecCount());
}

} // namespace
