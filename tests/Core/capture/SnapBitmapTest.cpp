// Tests of CTesCore::SnapBitmap on real windows under the virtual display:
// exact pixels, the whole-window and explicit rectangles, windows partly off
// the screen, another program's control, the desktop, and the topmost state
// around a grab.
#include "CTesCore.h"
#include "BitmapReader.h"
#include "CoreTestHarness.h"
#include "MessagePump.h"
#include "PatternWindow.h"
#include "ScreenReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using guitest::BitmapReader;
using guitest::MessagePump;
using guitest::PatternWindow;
using guitest::ScreenReader;

namespace {

bool IsTopmost(HWND hWnd)
{
    return (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// TRUE when hUpper lies above hLower in the Z order.
bool IsAbove(HWND hUpper, HWND hLower)
{
    for (HWND h = ::GetWindow(hLower, GW_HWNDPREV); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV))
        if (h == hUpper)
            return true;
    return false;
}

// A pattern window at rect, shown and painted; not topmost unless asked.
class ShownPattern
{
public:
    ShownPattern(const CRect& rect, bool bTopmost, const wchar_t* lpszTitle = L"已知像素")
    {
        m_bCreated = m_window.Create(lpszTitle, rect) != FALSE;
        if (!m_bCreated)
            return;
        if (!bTopmost)
            ::SetWindowPos(m_window.m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_window.UpdateWindow();
        // Wait (bounded) until the window's left band shows on the screen.
        CRect onScreen;
        ::GetWindowRect(m_window.m_hWnd, &onScreen);
        const int x = onScreen.left < 0 ? 0 : onScreen.left;
        const int y = onScreen.top < 0 ? 0 : onScreen.top;
        const COLORREF band =
            PatternWindow::ExpectedColor(x - onScreen.left, y - onScreen.top, onScreen.Width(), onScreen.Height());
        m_bPainted = MessagePump::PumpUntil([&] { return guitest::ScreenReader::Pixel(x, y) == band; }, 3000);
    }

    bool Ready() const { return m_bCreated && m_bPainted; }
    HWND Handle() const { return m_window.m_hWnd; }

private:
    PatternWindow m_window;
    bool m_bCreated = false;
    bool m_bPainted = false;
};

// Every pixel of the grab in columns [x0, x1) and rows [y0, y1) against the
// pattern of a w x h window, grab pixel (x, y) showing window pixel
// (x + dx, y + dy).
::testing::AssertionResult ShowsPattern(const TestImage& grab, int w, int h, int dx, int dy, int x0, int y0, int x1,
                                        int y1)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (grab.Color(x, y) != PatternWindow::ExpectedColor(x + dx, y + dy, w, h))
                return ::testing::AssertionFailure()
                       << "grab pixel (" << x << ", " << y << ") is 0x" << std::hex << grab.Color(x, y)
                       << ", expected 0x" << PatternWindow::ExpectedColor(x + dx, y + dy, w, h);
    return ::testing::AssertionSuccess();
}

const CRect kWindowRect(300, 200, 540, 360);   // 240 x 160

// Another program (Notepad), started without activation and ended when the
// object goes, whatever the test did in between.
class OtherProgram
{
public:
    OtherProgram()
    {
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNOACTIVATE;
        wchar_t szCommand[] = L"notepad.exe";
        if (!::CreateProcessW(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info))
            return;
        // Its window is found as soon as it exists; the edit area comes with
        // its creation, and the window is shown last.
        MessagePump::PumpUntil(
            [&] {
                m_hWnd = ::FindWindowW(L"Notepad", nullptr);
                m_hEdit = m_hWnd != nullptr ? ::FindWindowExW(m_hWnd, nullptr, L"Edit", nullptr) : nullptr;
                return m_hEdit != nullptr && ::IsWindowVisible(m_hWnd);
            },
            15000);
    }
    ~OtherProgram()
    {
        if (m_info.hProcess == nullptr)
            return;
        ::TerminateProcess(m_info.hProcess, 0);
        ::WaitForSingleObject(m_info.hProcess, 5000);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND Window() const { return m_hWnd; }
    HWND EditArea() const { return m_hEdit; }

private:
    PROCESS_INFORMATION m_info = {};
    HWND m_hWnd = nullptr;
    HWND m_hEdit = nullptr;
};

} // namespace

TEST(SnapBitmap, WholeWindowGivesItsExactPixels)
{
    ShownPattern window(kWindowRect, true);
    ASSERT_TRUE(window.Ready());
    // An empty rectangle in any form means the whole window.
    for (const CRect rect : {CRect(), CRect(100, 100, 50, 50), CRect(10, 10, 10, 90), CRect(10, 90, 90, 10)}) {
        SCOPED_TRACE(testing::Message() << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom);
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(window.Handle(), rect));
        ASSERT_NE(pGrab, nullptr);
        const TestImage grab = BitmapReader::Read(*pGrab);
        ASSERT_EQ(grab.width, 240);
        ASSERT_EQ(grab.height, 160);
        EXPECT_TRUE(ShowsPattern(grab, 240, 160, 0, 0, 0, 0, 240, 160));
    }
}

TEST(SnapBitmap, ExplicitRectangleIsInWindowCoordinates)
{
    ShownPattern window(kWindowRect, true);
    ASSERT_TRUE(window.Ready());
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(window.Handle(), CRect(30, 20, 200, 100)));
    ASSERT_NE(pGrab, nullptr);
    const TestImage grab = BitmapReader::Read(*pGrab);
    ASSERT_EQ(grab.width, 170);
    ASSERT_EQ(grab.height, 80);
    EXPECT_TRUE(ShowsPattern(grab, 240, 160, 30, 20, 0, 0, 170, 80));
}

TEST(SnapBitmap, WindowPartlyOffTheScreenIsCopiedFromItsOwnCorner)
{
    const struct
    {
        int left;
        int top;
    } cases[] = { { -60, 300 }, { 500, -40 }, { -60, -40 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "window at " << c.left << ", " << c.top);
        const CRect rect(c.left, c.top, c.left + 240, c.top + 160);
        ShownPattern window(rect, true);
        ASSERT_TRUE(window.Ready());
        CRect placed;
        ::GetWindowRect(window.Handle(), &placed);
        ASSERT_EQ(placed, rect) << "the window manager moved the window";
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(window.Handle(), CRect()));
        ASSERT_NE(pGrab, nullptr);
        const TestImage grab = BitmapReader::Read(*pGrab);
        // As large as the on-screen part...
        const int offX = c.left < 0 ? -c.left : 0;
        const int offY = c.top < 0 ? -c.top : 0;
        ASSERT_EQ(grab.width, 240 - offX);
        ASSERT_EQ(grab.height, 160 - offY);
        // ...with grab pixel (x, y) = window pixel (x, y), checked where that
        // window pixel is on the screen.
        EXPECT_TRUE(ShowsPattern(grab, 240, 160, 0, 0, offX, offY, grab.width, grab.height));
    }
}

// A control of another program is read through the screen, whole and in
// part (its own DC gives nothing under Wine): Notepad's edit area, with text.
TEST(SnapBitmap, ControlOfAnotherProgramGivesWhatTheScreenShows)
{
    OtherProgram notepad;
    const HWND hEdit = notepad.EditArea();
    ASSERT_NE(hEdit, nullptr);
    ::SetWindowPos(notepad.Window(), HWND_TOPMOST, 200, 150, 500, 350, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"读出屏幕 grabbed through the screen"));
    MessagePump::PumpFor(800);
    CRect rcEdit;
    ::GetWindowRect(hEdit, &rcEdit);
    const CRect part(10, 5, 120, 40);
    const CRect partOnScreen(rcEdit.left + 10, rcEdit.top + 5, rcEdit.left + 120, rcEdit.top + 40);
    for (const auto& c : { std::make_pair(CRect(), rcEdit), std::make_pair(part, partOnScreen) }) {
        const TestImage screen = ScreenReader::Rect(c.second);
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(hEdit, c.first));
        ASSERT_NE(pGrab, nullptr);
        EXPECT_EQ(screen, BitmapReader::Read(*pGrab)) << c.first.left;
        EXPECT_NE(screen.CountColor(screen.Color(0, 0)), screen.width * screen.height);   // the text shows
    }
}

TEST(SnapBitmap, DesktopGrabIsExactlyThePrimaryScreen)
{
    ShownPattern window(kWindowRect, true);
    ASSERT_TRUE(window.Ready());
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(::GetDesktopWindow(), CRect()));
    ASSERT_NE(pGrab, nullptr);
    const TestImage screen = BitmapReader::Read(*pGrab);
    ASSERT_EQ(screen.width, ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(screen.height, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(ShowsPattern(screen, 240, 160, -kWindowRect.left, -kWindowRect.top, kWindowRect.left,
                             kWindowRect.top, kWindowRect.right, kWindowRect.bottom));

    // A desktop rectangle is in screen coordinates and is clipped to the screen.
    pGrab.reset(CTesCore::SnapBitmap(::GetDesktopWindow(), kWindowRect));
    ASSERT_NE(pGrab, nullptr);
    EXPECT_TRUE(ShowsPattern(BitmapReader::Read(*pGrab), 240, 160, 0, 0, 0, 0, 240, 160));
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    pGrab.reset(CTesCore::SnapBitmap(::GetDesktopWindow(), CRect(cx - 120, cy - 80, cx + 300, cy + 200)));
    ASSERT_NE(pGrab, nullptr);
    const TestImage corner = BitmapReader::Read(*pGrab);
    EXPECT_EQ(corner.width, 120);
    EXPECT_EQ(corner.height, 80);
}

TEST(SnapBitmap, GrabbedWindowIsRaisedAndEndsNotTopmost)
{
    // A topmost window is no longer topmost after its grab.
    {
        ShownPattern window(kWindowRect, true);
        ASSERT_TRUE(window.Ready());
        ASSERT_TRUE(IsTopmost(window.Handle()));
        std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(window.Handle(), CRect()));
        ASSERT_NE(pGrab, nullptr);
        EXPECT_FALSE(IsTopmost(window.Handle()));
    }
    // A window under another ends above it: it was made topmost for the grab
    // and then put back at the top of the windows that are not topmost.
    ShownPattern lower(kWindowRect, false, L"下面");
    ShownPattern upper(CRect(400, 250, 700, 450), false, L"上面");
    ASSERT_TRUE(lower.Ready());
    ASSERT_TRUE(upper.Ready());
    ASSERT_TRUE(IsAbove(upper.Handle(), lower.Handle()));
    std::unique_ptr<CImageBitmap> pGrab(CTesCore::SnapBitmap(lower.Handle(), CRect()));
    ASSERT_NE(pGrab, nullptr);
    EXPECT_FALSE(IsTopmost(lower.Handle()));
    EXPECT_TRUE(IsAbove(lower.Handle(), upper.Handle()));
}

TEST(SnapBitmap, NothingToGrabGivesNullAndLeavesTheWindowAlone)
{
    EXPECT_EQ(CTesCore::SnapBitmap(nullptr, CRect()), nullptr);
    EXPECT_EQ(CTesCore::SnapBitmap(nullptr, CRect(0, 0, 100, 100)), nullptr);

    ShownPattern topmost(CRect(100, 100, 300, 250), true, L"最上面");
    ShownPattern lower(kWindowRect, false, L"下面");
    ShownPattern upper(CRect(400, 250, 700, 450), false, L"上面");
    ASSERT_TRUE(topmost.Ready());
    ASSERT_TRUE(lower.Ready());
    ASSERT_TRUE(upper.Ready());
    ASSERT_TRUE(IsAbove(upper.Handle(), lower.Handle()));
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    // Rectangles that clip to nothing: beyond the right or bottom edge, or
    // before the left or top edge.
    for (const CRect rect : {CRect(cx, 10, cx + 100, 50), CRect(10, cy + 5, 50, cy + 60),
                             CRect(-80, 10, -10, 50), CRect(10, -80, 50, -20)}) {
        SCOPED_TRACE(testing::Message() << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom);
        EXPECT_EQ(CTesCore::SnapBitmap(topmost.Handle(), rect), nullptr);
        EXPECT_TRUE(IsTopmost(topmost.Handle())) << "a topmost window stays topmost";
        EXPECT_EQ(CTesCore::SnapBitmap(lower.Handle(), rect), nullptr);
        EXPECT_FALSE(IsTopmost(lower.Handle()));
        EXPECT_TRUE(IsAbove(upper.Handle(), lower.Handle())) << "the lower window was not raised";
    }
}
