// Tests of the capture engine under Wine: its life cycle, each direct capture
// mode on windows of known pixels, the capture sequence (refusal while busy,
// automatic copy after a cancel, targets that die during the wait) and the
// image store (effects chain order, thumbnail rule, clipboard, files).
#include "CoreTestHarness.h"

#include "CImageBitmap.h"
#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageSharpener.h"
#include "CImageShearer.h"
#include "BitmapReader.h"
#include "ChildProgram.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "TesLibResource.h"
#include "TestFolder.h"
#include "TimedAction.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

using namespace coretest;
using guitest::BitmapReader;
using guitest::MessagePump;
using guitest::PatternWindow;

namespace {

const RECT kPatternRect = { 200, 150, 440, 310 };   // 240 x 160

bool ShowsPattern(const TestImage& pixels, int dx, int dy, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pixels.Color(x + dx, y + dy) != PatternWindow::ExpectedColor(x, y, w, h))
                return false;
    return true;
}

// The window chooser of this thread, or null. It may not be shown yet: a
// modal loop shows its dialog when the queue first runs empty, which it
// cannot while a timed action pumps inside it.
HWND FindChooser()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (::GetDlgItem(hWnd, IDOK) != nullptr &&
                ::FindWindowExW(hWnd, nullptr, L"ListBox", nullptr) != nullptr) {
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

// Runs the next chooser: selects hTarget (null: cancels), after before() ran
// inside the chooser's loop.
class ChooserDriver
{
public:
    ChooserDriver(HWND hTarget, std::function<void()> before = nullptr)
        : m_action(100, [this, hTarget, before] {
              HWND hDlg = nullptr;
              m_bFound = MessagePump::PumpUntil([&] { return (hDlg = FindChooser()) != nullptr; });
              if (!m_bFound)
                  return;
              if (before)
                  before();
              HWND hList = ::FindWindowExW(hDlg, nullptr, L"ListBox", nullptr);
              if (hTarget == nullptr || hList == nullptr) {
                  ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
                  return;
              }
              const int nCount = static_cast<int>(::SendMessageW(hList, LB_GETCOUNT, 0, 0));
              for (int i = 0; i < nCount; ++i)
                  if (reinterpret_cast<HWND>(::SendMessageW(hList, LB_GETITEMDATA, i, 0)) == hTarget) {
                      ::SendMessageW(hList, LB_SETCURSEL, i, 0);
                      m_bSelected = true;
                  }
              ::PostMessageW(hDlg, WM_COMMAND, m_bSelected ? IDOK : IDCANCEL, 0);
          })
    {
    }
    bool Found() const { return m_bFound; }
    bool Selected() const { return m_bSelected; }

private:
    guitest::ModalWatchdog m_watchdog{ 15000 };
    bool m_bFound = false;
    bool m_bSelected = false;
    guitest::TimedAction m_action;
};

// The region overlay of this thread (the full-screen dialog with the tip
// control), or null.
HWND FindOverlay()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (!::IsWindowVisible(hWnd) || ::GetDlgItem(hWnd, IDC_SNAP_RECT_TIP) == nullptr)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

HBITMAP MakeBitmap(int w, int h, COLORREF color)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    RECT rc = { 0, 0, w, h };
    HBRUSH hBrush = ::CreateSolidBrush(color);
    ::FillRect(hMemory, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

bool PutBitmapOnClipboard(HBITMAP hBitmap)
{
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    const bool bSet = ::SetClipboardData(CF_BITMAP, hBitmap) != nullptr;
    ::CloseClipboard();
    return bSet;
}

TestImage ClipboardBitmap()
{
    TestImage pixels;
    if (!::OpenClipboard(nullptr))
        return pixels;
    pixels = BitmapReader::Read(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)));
    ::CloseClipboard();
    return pixels;
}

class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(engine.Ready()); }

    EngineHarness engine;
};

} // namespace

TEST_F(EngineTest, HiddenWindowIsChild100OfTheMainWindow)
{
    HWND hCore = engine.CoreWindow();
    ASSERT_TRUE(::IsWindow(hCore));
    EXPECT_EQ(engine.MainWnd().m_hWnd, ::GetParent(hCore));
    EXPECT_EQ(100, ::GetDlgCtrlID(hCore));
    EXPECT_NE(0, ::GetWindowLongW(hCore, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(::IsWindowVisible(hCore));
}

TEST(EngineLifeCycle, NullWindowGivesNoHiddenWindow)
{
    ::DeleteFileW(ConfigPath());
    CWnd wndMain;
    ASSERT_TRUE(wndMain.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    for (int i = 0; i < 2; ++i) {
        TestCore core;
        EXPECT_EQ(0, core.InitVoruzev(i ? &wndMain : nullptr, i ? nullptr : &wndMain));
        EXPECT_EQ(nullptr, core.m_hWnd);
        core.CloseVoruzev();
    }
    ::DeleteFileW(ConfigPath());
}

TEST(EngineLifeCycle, StartUpCaptureWaitsFiftyMillisecondsAndKeepsTheMode)
{
    CTesConfig stored;
    stored.SetSnapOnStart(1);
    stored.SetSnapMode(3);
    stored.SetSnapDelayTime(14000);   // never waited at start-up
    stored.SetPlaySnapSound(0);
    stored.SetHideMainWnd(0);
    stored.SaveConfig();
    CWnd wndMain;
    CWnd wndPreview;
    ASSERT_TRUE(wndMain.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(wndPreview.CreateEx(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, wndMain.m_hWnd, nullptr));
    {
        TestCore core;
        const DWORD tStart = ::GetTickCount();
        EXPECT_EQ(1, core.InitVoruzev(&wndMain, &wndPreview));
        EXPECT_LT(::GetTickCount() - tStart, 10000u);
        ASSERT_NE(nullptr, core.GetImage());
        EXPECT_EQ(static_cast<UINT>(::GetSystemMetrics(SM_CXSCREEN)), core.GetImage()->GetWidth());
        EXPECT_EQ(3, core.m_config.GetSnapMode());
        // After the start, a capture records its mode and waits the delay.
        core.m_config.SetSnapDelayTime(0);
        EXPECT_EQ(1, core.SnapFullScreen());
        EXPECT_EQ(0, core.m_config.GetSnapMode());
        core.CloseVoruzev();
    }
    ::DeleteFileW(ConfigPath());
}

TEST_F(EngineTest, EachDirectModeCapturesItsTarget)
{
    struct Case
    {
        const char* name;
        bool bFramed;
        int nMode;
        std::function<int(CTesCore&)> snap;
        bool bThroughChooser;
    };
    const Case cases[] = {
        { "whole screen", false, 0, [](CTesCore& c) { return c.SnapFullScreen(); }, false },
        { "active window", false, 1, [](CTesCore& c) { return c.SnapActiveWin(); }, true },
        { "current window", false, 2, [](CTesCore& c) { return c.SnapCurrentWin(); }, false },
        { "client area", true, 3, [](CTesCore& c) { return c.SnapWinClient(); }, true },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ForeignPatternWindow window(kPatternRect, test.bFramed);
        ASSERT_NE(nullptr, window.Handle());
        engine.Core().m_config.SetSnapMode(5);
        engine.Core().SetPathName(L"C:\\old.png");
        std::unique_ptr<ChooserDriver> pDriver(test.bThroughChooser ? new ChooserDriver(window.Handle()) : nullptr);
        ASSERT_EQ(1, test.snap(engine.Core()));
        if (pDriver) {
            EXPECT_TRUE(pDriver->Selected());
        }
        EXPECT_EQ(test.nMode, engine.Core().m_config.GetSnapMode());
        EXPECT_TRUE(engine.Core().GetPathName().IsEmpty());
        EXPECT_TRUE(engine.MainWnd().IsWindowVisible());
        const TestImage picture = ReadPixels(engine.Core().GetImage());
        RECT rcClient;
        ::GetClientRect(window.Handle(), &rcClient);
        POINT ptClient = { 0, 0 };
        ::ClientToScreen(window.Handle(), &ptClient);
        const int w = rcClient.right;
        const int h = rcClient.bottom;
        if (test.nMode == 0) {
            ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), picture.width);
            ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), picture.height);
            EXPECT_TRUE(ShowsPattern(picture, ptClient.x, ptClient.y, w, h));
        } else {
            ASSERT_EQ(w, picture.width);
            ASSERT_EQ(h, picture.height);
            EXPECT_TRUE(ShowsPattern(picture, 0, 0, w, h));
        }
        if (test.bFramed) {
            RECT rcWindow;
            ::GetWindowRect(window.Handle(), &rcWindow);
            EXPECT_LT(w, rcWindow.right - rcWindow.left);   // the frame really is left out
        }
    }
}

// The region is cut from the screen as the overlay froze it: the window
// under it goes while the overlay is open, and the picture still shows it.
TEST_F(EngineTest, RegionDraggedOverTheFrozenScreenIsCaptured)
{
    ForeignPatternWindow window(kPatternRect, false);
    ASSERT_NE(nullptr, window.Handle());
    using Step = MouseScript::Step;
    std::unique_ptr<MouseScript> pScript;
    guitest::ModalWatchdog watchdog(15000);
    guitest::TimedAction drag(600, [&] {
        window.DestroyAfter(0);
        MessagePump::PumpUntil([&] { return !::IsWindow(window.Handle()); });
        pScript.reset(new MouseScript({ { Step::MOVE, 250, 180 }, { Step::LEFT_DOWN, 0, 0 }, { Step::MOVE, 290, 220 },
                                        { Step::MOVE, 330, 250 }, { Step::LEFT_UP, 0, 0 } }));
    });
    EXPECT_EQ(1, engine.Core().SnapSelectRect());
    EXPECT_FALSE(watchdog.Fired());
    pScript.reset();
    EXPECT_EQ(5, engine.Core().m_config.GetSnapMode());
    // The band's true rectangle: (249, 179) - (331, 251).
    const TestImage picture = ReadPixels(engine.Core().GetImage());
    ASSERT_EQ(82, picture.width);
    ASSERT_EQ(72, picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            ASSERT_EQ(PatternWindow::ExpectedColor(x + 49, y + 29, 240, 160), picture.Color(x, y)) << x << ", " << y;
}

TEST_F(EngineTest, CancelledChooserCopiesThePreviousPictureAndEmptiesThePath)
{
    ForeignPatternWindow window(kPatternRect, false);
    ASSERT_EQ(1, engine.Core().SnapCurrentWin());
    const TestImage before = ReadPixels(engine.Core().GetImage());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    engine.Core().m_config.SetAutoCopy(1);
    engine.Core().SetPathName(L"C:\\before.bmp");
    engine.Core().SetFileName(L"before.bmp");
    for (auto snap : { &CTesCore::SnapActiveWin, &CTesCore::SnapWinClient }) {
        ChooserDriver cancel(nullptr);
        EXPECT_EQ(0, (engine.Core().*snap)());
        EXPECT_TRUE(cancel.Found());
        EXPECT_TRUE(engine.Core().GetPathName().IsEmpty());
        EXPECT_TRUE(engine.Core().GetFileName().IsEmpty());
        EXPECT_EQ(before, ClipboardBitmap());
        EXPECT_TRUE(engine.MainWnd().IsWindowVisible());
    }
}

TEST_F(EngineTest, CaptureInsideARunningCaptureIsRefused)
{
    ForeignPatternWindow window(kPatternRect, false);
    std::vector<int> results;
    bool bMainVisible = true;
    int nModeInside = -1;
    ChooserDriver driver(nullptr, [&] {
        CTesCore& core = engine.Core();
        results = { core.SnapFullScreen(), core.SnapActiveWin(), core.SnapCurrentWin(), core.SnapWinClient(),
                    core.SnapWinObj() };
        bMainVisible = engine.MainWnd().IsWindowVisible() != FALSE;
        nModeInside = core.m_config.GetSnapMode();
    });
    EXPECT_EQ(0, engine.Core().SnapActiveWin());
    EXPECT_EQ((std::vector<int>{ 0, 0, 0, 0, 0 }), results);
    EXPECT_FALSE(bMainVisible);   // still hidden by the running capture
    EXPECT_EQ(1, nModeInside);
    EXPECT_EQ(nullptr, engine.Core().GetImage());
    // Afterwards captures run again.
    EXPECT_EQ(1, engine.Core().SnapCurrentWin());
}

// A region capture asked for while one runs (a second region hot key, a held
// key) returns 0 before it hides, waits or copies anything.
TEST_F(EngineTest, RegionCaptureInsideARunningRegionCaptureChangesNothing)
{
    engine.Core().m_config.SetAutoCopy(1);
    int nInner = -1;
    bool bMainVisible = true;
    DWORD nSequenceBefore = 0;
    DWORD nSequenceAfter = 1;
    guitest::ModalWatchdog watchdog(15000);
    guitest::TimedAction inner(800, [&] {
        nSequenceBefore = ::GetClipboardSequenceNumber();
        nInner = engine.Core().SnapSelectRect();
        nSequenceAfter = ::GetClipboardSequenceNumber();
        bMainVisible = engine.MainWnd().IsWindowVisible() != FALSE;
        ::PostMessageW(FindOverlay(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, engine.Core().SnapSelectRect());
    EXPECT_TRUE(inner.HasRun());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(0, nInner);
    EXPECT_EQ(nSequenceBefore, nSequenceAfter);
    EXPECT_FALSE(bMainVisible);   // still hidden by the running capture
    EXPECT_TRUE(engine.MainWnd().IsWindowVisible());
}

TEST_F(EngineTest, TargetThatDiesDuringTheWaitIsNotCaptured)
{
    engine.Core().m_config.SetSnapDelayTime(700);
    struct Case
    {
        const char* name;
        int (CTesCore::*snap)();
        bool bChooser;
    };
    for (const Case& test : { Case{ "current window", &CTesCore::SnapCurrentWin, false },
                              Case{ "active window", &CTesCore::SnapActiveWin, true },
                              Case{ "client area", &CTesCore::SnapWinClient, true } }) {
        SCOPED_TRACE(test.name);
        ForeignPatternWindow window(kPatternRect, true);
        ASSERT_NE(nullptr, window.Handle());
        std::unique_ptr<ChooserDriver> pDriver;
        if (test.bChooser)
            pDriver.reset(new ChooserDriver(window.Handle(), [&] { window.DestroyAfter(250); }));
        else
            window.DestroyAfter(250);
        Gdiplus::Image* pBefore = engine.Core().GetImage();
        EXPECT_EQ(0, (engine.Core().*test.snap)());
        EXPECT_FALSE(::IsWindow(window.Handle()));
        EXPECT_EQ(pBefore, engine.Core().GetImage());
    }
}

TEST_F(EngineTest, StoredDelayOfMinusOneDoesNotWaitForever)
{
    engine.Core().m_config.SetSnapDelayTime(static_cast<unsigned int>(-1));
    const DWORD tStart = ::GetTickCount();
    EXPECT_EQ(1, engine.Core().SnapFullScreen());
    EXPECT_LT(::GetTickCount() - tStart, 15000u);
    EXPECT_EQ(static_cast<unsigned int>(-1), engine.Core().m_config.GetSnapDelayTime());
}

// ---------------------------------------------------------------------------
// Image store

namespace {

// The pattern window's own pixels as a picture object, and the picture the
// engine made of them.
class StoreTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        pWindow.reset(new ForeignPatternWindow(kPatternRect, false));
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(pWindow->Handle(), CRect(0, 0, 0, 0)));
        ASSERT_NE(nullptr, pGrab);
        ASSERT_TRUE(captured.CopyImage(pGrab.get()));
        ASSERT_EQ(1, engine.Core().SnapCurrentWin());
    }

    TestImage Reference(const std::vector<CImage32BitProcessor*>& processors)
    {
        CImageBitmap copy;
        EXPECT_TRUE(copy.CopyImage(&captured));
        CProcessorArray chain;
        for (CImage32BitProcessor* p : processors)
            chain.Add(p);
        EXPECT_TRUE(copy.ProcessImage(chain));
        return BitmapReader::Read(static_cast<HBITMAP>(copy.GetSafeHandle()));
    }

    std::unique_ptr<ForeignPatternWindow> pWindow;
    CImageBitmap captured;
};

} // namespace

TEST_F(StoreTest, EffectsRunInTheFixedOrderWhateverWasSwitchedOnFirst)
{
    CTesConfig& config = engine.Core().m_config;
    // Switched on from last to first.
    config.SetSharpen(1);
    config.SetSharpenFactor(3);
    config.SetBlur(1);
    config.SetBlurFactor(2);
    config.SetShearAcross(1);
    config.SetShearAcrossAmout(20);
    config.SetShearDown(1);
    config.SetShearDownAmout(-12);
    config.SetScale(1);
    config.SetScaleFactor(150);
    config.SetRotate(1);
    config.SetRotateAngle(30);
    config.SetFlipHorz(1);
    engine.Core().m_config.m_bReplaceColor = 1;
    config.SetNegate(1);
    config.SetGrayScale(1);
    engine.Core().SetPathName(L"C:\\kept.png");
    engine.Core().RefreshImageData();
    EXPECT_TRUE(engine.Core().GetPathName().IsEmpty());

    CImageGrayer grayer;
    CImageNegator negator;
    CImageColorReplacer replacer(RGB(0, 0, 0), RGB(255, 0, 0));
    CImageFlipper flipper(1, 0);
    CImageRotator rotator(30, 1);
    CImageResizer resizer(1.5);
    CImageShearer shearer(20, -12, 1);
    CImageBlurrer blurrer(2);
    CImageSharpener sharpener(3);
    const TestImage expected = Reference(
        { &grayer, &negator, &replacer, &flipper, &rotator, &resizer, &shearer, &blurrer, &sharpener });
    const TestImage reversed = Reference(
        { &sharpener, &blurrer, &shearer, &resizer, &rotator, &flipper, &replacer, &negator, &grayer });
    ASSERT_FALSE(expected == reversed);   // the order shows in the pixels
    EXPECT_EQ(expected, ReadPixels(engine.Core().GetImage()));
    EXPECT_EQ(24u, Gdiplus::GetPixelFormatSize(engine.Core().GetImage()->GetPixelFormat()));
}

TEST_F(StoreTest, EffectSwitchesAndArgumentsGiveTheirChain)
{
    CTesConfig& config = engine.Core().m_config;
    CImageShearer downOnly(0, 33, 1);
    CImageFlipper flipBoth(1, 1);
    CImageGrayer grayer;
    struct Case
    {
        const char* name;
        std::function<void()> configure;
        std::vector<CImage32BitProcessor*> expected;
    };
    const Case cases[] = {
        { "nothing on: the captured pixels", [] {}, {} },
        { "only the down shear: across amount 0",
          [&] {
              config.SetShearDown(1);
              config.SetShearDownAmout(33);
              config.SetShearAcrossAmout(77);
          },
          { &downOnly } },
        { "both flips", [&] { config.SetFlipVert(1); config.SetFlipHorz(1); }, { &flipBoth } },
        { "effects switch off", [&] { config.SetGrayScale(1); config.m_bEffects = 0; }, {} },
        { "effects switch on again", [&] { config.SetGrayScale(1); }, { &grayer } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        config.ResetImageOption();
        config.m_bEffects = 1;
        test.configure();
        engine.Core().RefreshImageData();
        EXPECT_EQ(Reference(test.expected), ReadPixels(engine.Core().GetImage()));
    }
}

// The picture is made 24-bit in one step, whose rows are padded to 4 bytes:
// widths on each side of the padding keep every pixel.
TEST_F(EngineTest, ConvertedPictureKeepsEveryPixelAtAnyWidth)
{
    for (const int nWidth : { 1, 2, 3, 4, 5, 7, 641 }) {
        SCOPED_TRACE(nWidth);
        const int nHeight = 3;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        const HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        ASSERT_NE(nullptr, hBitmap);
        DWORD* pPixels = static_cast<DWORD*>(pBits);
        for (int i = 0; i < nWidth * nHeight; ++i)
            pPixels[i] = static_cast<DWORD>((i * 37) & 0xFF) | static_cast<DWORD>((i * 91 + 13) & 0xFF) << 8 |
                         static_cast<DWORD>((255 - i) & 0xFF) << 16;
        std::unique_ptr<Gdiplus::Image> pImage(engine.Core().ConvertImage(hBitmap));
        ASSERT_NE(nullptr, pImage);
        EXPECT_EQ(24u, Gdiplus::GetPixelFormatSize(pImage->GetPixelFormat()));
        EXPECT_EQ(BitmapReader::Read(hBitmap), ReadPixels(pImage.get()));
        ::DeleteObject(hBitmap);
    }
}

TEST_F(StoreTest, ClearKeepsTheBuffersForTheNextRefresh)
{
    const TestImage before = ReadPixels(engine.Core().GetImage());
    engine.Core().ClearGdiplusImage();
    int x = -1, y = -1;
    EXPECT_EQ(nullptr, engine.Core().GetImage());
    EXPECT_EQ(nullptr, engine.Core().GetThubImage(x, y));
    EXPECT_EQ(0, engine.Core().CopyImageData(0));
    EXPECT_EQ(0, engine.Core().SaveImage(L"C:\\cleared.png", 0));
    engine.Core().RefreshImageData();
    EXPECT_EQ(before, ReadPixels(engine.Core().GetImage()));
}

TEST_F(EngineTest, ThumbnailFitsTheRoomCentredAndNeverGrows)
{
    struct Case
    {
        int pictureW, pictureH, previewW, previewH;
        bool bThumbnail;
        int thumbW, thumbH, x, y;
    };
    const Case cases[] = {
        { 1024, 768, 400, 300, true, 394, 296, 3, 2 },
        { 100, 50, 400, 300, true, 100, 50, 150, 125 },
        { 396, 296, 400, 300, true, 396, 296, 2, 2 },
        { 2000, 3, 400, 300, true, 396, 1, 2, 149 },
        { 5, 3000, 400, 300, true, 1, 296, 199, 2 },
        { 100, 100, 4, 300, false, 0, 0, 0, 0 },
        { 100, 100, 400, 3, false, 0, 0, 0, 0 },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.pictureW << "x" << test.pictureH << " in " << test.previewW << "x"
                                        << test.previewH);
        engine.PreviewWnd().MoveWindow(10, 10, test.previewW, test.previewH, FALSE);
        ASSERT_TRUE(PutBitmapOnClipboard(MakeBitmap(test.pictureW, test.pictureH, RGB(10, 20, 30))));
        ASSERT_EQ(1, engine.Core().PasteImageData());
        int x = -1, y = -1;
        Gdiplus::Image* pThumb = engine.Core().GetThubImage(x, y);
        ASSERT_EQ(test.bThumbnail, pThumb != nullptr);
        if (!test.bThumbnail)
            continue;
        EXPECT_EQ(static_cast<UINT>(test.thumbW), pThumb->GetWidth());
        EXPECT_EQ(static_cast<UINT>(test.thumbH), pThumb->GetHeight());
        EXPECT_EQ(test.x, x);
        EXPECT_EQ(test.y, y);
    }
}

TEST_F(StoreTest, CopyPutsThePictureOrThumbnailOnTheClipboard)
{
    const TestImage picture = ReadPixels(engine.Core().GetImage());
    ASSERT_EQ(1, engine.Core().CopyImageData(0));
    EXPECT_EQ(picture, ClipboardBitmap());
    // Another program can read it as a DIB too.
    EXPECT_EQ(0, guitest::RunChildProgram(L"clipboard_probe.exe",
                                          std::to_wstring(picture.width) + L" " + std::to_wstring(picture.height)));

    int x, y;
    const TestImage thumbnail = ReadPixels(engine.Core().GetThubImage(x, y));
    ASSERT_EQ(1, engine.Core().CopyImageData(1));
    EXPECT_EQ(thumbnail, ClipboardBitmap());
}

TEST_F(StoreTest, CopyFailsWhenTheClipboardCannotBeOpened)
{
    std::atomic<int> stage{ 0 };
    std::thread holder([&stage] {
        if (::OpenClipboard(nullptr)) {
            stage = 1;
            while (stage != 2)
                ::Sleep(5);
            ::CloseClipboard();
        } else {
            stage = 3;
        }
    });
    while (stage == 0)
        ::Sleep(5);
    ASSERT_EQ(1, stage.load());
    EXPECT_EQ(0, engine.Core().CopyImageData(0));
    stage = 2;
    holder.join();
    EXPECT_EQ(1, engine.Core().CopyImageData(0));
}

TEST_F(StoreTest, PasteTakesABitmapThroughTheEffectsAndRefusesText)
{
    // Text only: refused, nothing changed, the clipboard closed again.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    wcscpy(static_cast<wchar_t*>(::GlobalLock(hText)), L"abc");
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_UNICODETEXT, hText);
    ::CloseClipboard();
    Gdiplus::Image* pBefore = engine.Core().GetImage();
    engine.Core().SetPathName(L"C:\\kept.png");
    EXPECT_EQ(0, engine.Core().PasteImageData());
    EXPECT_EQ(pBefore, engine.Core().GetImage());
    EXPECT_EQ(CString(L"C:\\kept.png"), engine.Core().GetPathName());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::CloseClipboard();

    ASSERT_TRUE(PutBitmapOnClipboard(MakeBitmap(30, 20, RGB(10, 200, 60))));
    engine.Core().m_config.SetNegate(1);
    EXPECT_EQ(1, engine.Core().PasteImageData());
    EXPECT_TRUE(engine.Core().GetPathName().IsEmpty());
    const TestImage pasted = ReadPixels(engine.Core().GetImage());
    ASSERT_EQ(30, pasted.width);
    ASSERT_EQ(20, pasted.height);
    EXPECT_EQ(RGB(245, 55, 195), pasted.Color(29, 19));
}

namespace {

// Same size, and every pixel within nTolerance per channel, except for at
// most 3 % of them (a lossy codec's colour edges) when nTolerance is not 0.
::testing::AssertionResult CloseTo(const TestImage& expected, const TestImage& actual, int nTolerance)
{
    if (expected.width != actual.width || expected.height != actual.height)
        return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height;
    size_t nOff = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const RGBX &a = expected.At(x, y), &b = actual.At(x, y);
            nOff += std::max({ std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b) }) > nTolerance;
        }
    const size_t nAllowed = nTolerance == 0 ? 0 : static_cast<size_t>(expected.width) * expected.height * 3 / 100;
    if (nOff > nAllowed)
        return ::testing::AssertionFailure() << nOff << " pixels differ";
    return ::testing::AssertionSuccess();
}

bool FileExists(const CString& strPath)
{
    return ::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST_F(StoreTest, SaveChoosesTheEncoderByExtensionAndOpenReadsItBack)
{
    const TestFolder folder;
    const TestImage picture = ReadPixels(engine.Core().GetImage());
    struct Case
    {
        const wchar_t* name;
        int nTolerance;   // JPEG loses a little, most at the colour edges
        const char* magic;
    };
    for (const Case& test : { Case{ L"tes_round.bmp", 0, "BM" }, Case{ L"tes_round.PNG", 0, "\x89PNG" },
                              Case{ L"tes_round.tif", 0, "II" }, Case{ L"tes_round.jpeg", 12, "\xFF\xD8" } }) {
        SCOPED_TRACE(testing::Message() << test.name);
        const CString strPath = folder.Path(test.name);
        ASSERT_EQ(1, engine.Core().SaveImage(strPath, 0));
        EXPECT_EQ(strPath, engine.Core().GetPathName());
        EXPECT_EQ(CString(test.name), engine.Core().GetFileName());
        // The file really has the format its extension names.
        char szHead[4] = {};
        FILE* pFile = _wfopen(strPath, L"rb");
        ASSERT_NE(nullptr, pFile);
        fread(szHead, 1, 4, pFile);
        fclose(pFile);
        EXPECT_EQ(0, memcmp(szHead, test.magic, strlen(test.magic)));

        engine.Core().m_config.SetGrayScale(1);
        ASSERT_EQ(1, engine.Core().OpenImage(strPath));
        EXPECT_EQ(0, engine.Core().m_config.GetGrayScale());   // every effect off
        EXPECT_EQ(strPath, engine.Core().GetPathName());
        EXPECT_TRUE(engine.Core().GetFileName().IsEmpty());
        EXPECT_TRUE(CloseTo(picture, ReadPixels(engine.Core().GetImage()), test.nTolerance));
        // The shown file is not locked: saved over and deleted while shown.
        EXPECT_EQ(1, engine.Core().SaveImage(strPath, 0));
        EXPECT_TRUE(::DeleteFileW(strPath));
        // The buffers hold the opened picture: a refresh gives it again.
        engine.Core().RefreshImageData();
        EXPECT_TRUE(CloseTo(picture, ReadPixels(engine.Core().GetImage()), test.nTolerance));
    }
}

TEST_F(StoreTest, SaveWithAnExtensionNoEncoderKnowsWritesNothing)
{
    const TestFolder folder;
    for (const wchar_t* name : { L"tes_unknown.xyz", L"tes_no_extension", L"tes_dot." }) {
        const CString strPath = folder.Path(name);
        engine.Core().SetPathName(L"C:\\kept.png");
        EXPECT_EQ(0, engine.Core().SaveImage(strPath, 0));
        EXPECT_FALSE(FileExists(strPath));
        EXPECT_EQ(CString(L"C:\\kept.png"), engine.Core().GetPathName());
    }
}

TEST_F(StoreTest, SavingTheThumbnailKeepsTheNames)
{
    const TestFolder folder;
    const CString strPath = folder.Path(L"tes_thumb.png");
    engine.Core().SetPathName(L"C:\\kept.png");
    engine.Core().SetFileName(L"kept.png");
    ASSERT_EQ(1, engine.Core().SaveImage(strPath, 1));
    EXPECT_EQ(CString(L"C:\\kept.png"), engine.Core().GetPathName());
    EXPECT_EQ(CString(L"kept.png"), engine.Core().GetFileName());
    int x, y;
    const UINT nThumbWidth = engine.Core().GetThubImage(x, y)->GetWidth();
    ASSERT_EQ(1, engine.Core().OpenImage(strPath));
    EXPECT_EQ(nThumbWidth, engine.Core().GetImage()->GetWidth());
}

TEST_F(StoreTest, FailedOpenHoldsNoPicture)
{
    const TestFolder folder;
    const CString strPath = folder.Path(L"tes_garbage.png");
    FILE* pFile = _wfopen(strPath, L"wb");
    ASSERT_NE(nullptr, pFile);
    fputs("not a picture at all", pFile);
    fclose(pFile);
    engine.Core().m_config.SetNegate(1);
    for (const CString& path : { strPath, folder.Path(L"tes_missing_file.png") }) {
        EXPECT_EQ(0, engine.Core().OpenImage(path));
        EXPECT_EQ(0, engine.Core().m_config.GetNegate());
        EXPECT_EQ(nullptr, engine.Core().GetImage());
        int x, y;
        EXPECT_EQ(nullptr, engine.Core().GetThubImage(x, y));
        EXPECT_EQ(0, engine.Core().CopyImageData(0));
        EXPECT_EQ(0, engine.Core().SaveImage(folder.Path(L"tes_after_failure.png"), 0));
        EXPECT_FALSE(FileExists(folder.Path(L"tes_after_failure.png")));
    }
    // The buffers still hold the capture.
    engine.Core().RefreshImageData();
    EXPECT_EQ(Reference({}), ReadPixels(engine.Core().GetImage()));
}
