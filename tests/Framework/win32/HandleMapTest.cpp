// The HWND -> object map: permanent objects, temporary wrappers, Attach,
// Detach, subclassing and the end of a window.
#include <gtest/gtest.h>

#include "CFrameWnd.h"
#include "CWnd.h"

#include <stdexcept>

namespace {

const UINT WM_PROBE = WM_APP + 11;

HWND CreatePlainWindow()
{
    return CreateWindowExW(0, L"STATIC", L"普通窗口", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
}

class ProbeWnd : public CWnd
{
public:
    int nProbes = 0;
    bool* pPostNcDestroy = nullptr;
    bool bFailCreate = false;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnProbe(WPARAM, LPARAM) { ++nProbes; return 123; }
    int OnCreate(LPCREATESTRUCT lpcs) { return bFailCreate ? -1 : CWnd::OnCreate(lpcs); }
    void PostNcDestroy() override { if (pPostNcDestroy) *pPostNcDestroy = true; }
};

BEGIN_MESSAGE_MAP(ProbeWnd, CWnd)
    ON_MESSAGE(WM_PROBE, OnProbe)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// A window object that throws from one place of its life.
enum class ThrowFrom
{
    Handler,
    PostNcDestroy
};

class ThrowingWnd : public CWnd
{
public:
    explicit ThrowingWnd(ThrowFrom where) : m_where(where) {}

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ThrowIf(ThrowFrom::Handler);
        return 1;
    }
    void PostNcDestroy() override { ThrowIf(ThrowFrom::PostNcDestroy); }

private:
    void ThrowIf(ThrowFrom where) const
    {
        if (where == m_where)
            throw std::runtime_error("thrown by the window object");
    }
    ThrowFrom m_where;
};

BEGIN_MESSAGE_MAP(ThrowingWnd, CWnd)
    ON_MESSAGE(WM_PROBE, OnProbe)
END_MESSAGE_MAP()

class CountedFrame : public CFrameWnd
{
public:
    explicit CountedFrame(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CountedFrame() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

TEST(HandleMap, FromHandleWrapsAnUnmappedWindowTemporarilyWithoutOwningIt)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));          // one wrapper per window
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));                        // the wrapper never owned it
    DestroyWindow(hWnd);
}

TEST(HandleMap, FromHandleGivesThePermanentObjectOfAFrameworkWindow)
{
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"永久", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    CWnd::DeleteTempMap();
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
}

TEST(HandleMap, TheEntryGoesAtNcDestroyAndPostNcDestroyFollows)
{
    bool bPostNcDestroy = false;
    ProbeWnd wnd;
    wnd.pPostNcDestroy = &bPostNcDestroy;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"结束", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    DestroyWindow(hWnd);   // from outside the object
    EXPECT_TRUE(bPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(HandleMap, AttachAndDetach)
{
    HWND hWnd = CreatePlainWindow();
    CWnd first;
    CWnd second;
    EXPECT_FALSE(first.Attach(nullptr));
    ASSERT_TRUE(first.Attach(hWnd));
    EXPECT_EQ(&first, CWnd::FromHandle(hWnd));
    EXPECT_FALSE(second.Attach(hWnd));                 // one object per window
    EXPECT_EQ(hWnd, first.Detach());
    EXPECT_EQ(nullptr, first.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_TRUE(second.Attach(hWnd));
    EXPECT_EQ(hWnd, second.Detach());
    DestroyWindow(hWnd);
}

TEST(HandleMap, SubclassRoutesMessagesThroughTheMapUntilUnsubclassed)
{
    HWND hWnd = CreatePlainWindow();
    const LONG_PTR originalProc = GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(123, SendMessageW(hWnd, WM_PROBE, 0, 0));
    EXPECT_EQ(1, wnd.nProbes);
    // Unhandled messages still reach the window's own procedure.
    SetWindowTextW(hWnd, L"改名");
    wchar_t szText[16] = {};
    GetWindowTextW(hWnd, szText, 16);
    EXPECT_STREQ(L"改名", szText);
    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(originalProc, GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    SendMessageW(hWnd, WM_PROBE, 0, 0);
    EXPECT_EQ(1, wnd.nProbes);
    DestroyWindow(hWnd);
}

TEST(HandleMap, AnObjectThatGoesDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        ProbeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"作用域", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(HandleMap, RefusedCreationLeavesNoEntry)
{
    ProbeWnd wnd;
    wnd.bFailCreate = true;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, L"失败", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(HandleMap, NoExceptionOfAWindowObjectLeavesTheWindowProcedure)
{
    // AfxWndProc is called directly: the system may swallow an exception that
    // leaves a window procedure (Wine does), which would hide one.
    const struct
    {
        ThrowFrom where;
        UINT message;
    } cases[] = { { ThrowFrom::Handler, WM_PROBE }, { ThrowFrom::PostNcDestroy, WM_NCDESTROY } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ThrowingWnd wnd(c.where);
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"异常", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        HWND hWnd = wnd.m_hWnd;
        EXPECT_NO_THROW(AfxWndProc(hWnd, c.message, 0, 0));
        DestroyWindow(hWnd);
        EXPECT_FALSE(IsWindow(hWnd));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd)) << "the map entry went all the same";
    }
}

TEST(HandleMap, AFrameDeletesItselfOnceItsWindowIsGone)
{
    bool bDeleted = false;
    CountedFrame* pFrame = new CountedFrame(&bDeleted);
    ASSERT_TRUE(pFrame->Create(nullptr, L"CTrayNotifyIcon Animation Notification Window"));
    EXPECT_FALSE(pFrame->IsWindowVisible());
    HWND hWnd = pFrame->m_hWnd;
    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(IsWindow(hWnd));
}

} // namespace
