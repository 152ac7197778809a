// CLinkCtrl: the link markup split into text and address, the control made
// from a dialog template (class registered by AfxEnableControlContainer),
// drawn in blue and underlined, the hand cursor, and the address opened by a
// click and by the keyboard (a recorder program stands in for the browser).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "CDialog.h"
#include "CLinkCtrl.h"
#include "ExtrasResources.h"
#include "InputSender.h"
#include "MessagePump.h"
#include "ScreenReader.h"

using guitest::InputSender;
using guitest::MessagePump;
using guitest::ScreenReader;

namespace {

TEST(LinkCtrl, MarkupGivesTheShownTextAndTheAddress)
{
    struct Case { const wchar_t* markup; const wchar_t* text; const wchar_t* url; };
    const Case cases[] = {
        { L"<a href=\"https://example.org/\">示例</a>", L"示例", L"https://example.org/" },
        { L"主页：<A HREF=\"http://a.example/x?y=1\">网站</A>。", L"主页：网站。", L"http://a.example/x?y=1" },
        { L"<a>https://b.example/</a>", L"https://b.example/", L"https://b.example/" },
        { L"mailto:someone@example.org", L"mailto:someone@example.org", L"mailto:someone@example.org" },
        { L"<a href=\"https://c.example/\">unclosed", L"<a href=\"https://c.example/\">unclosed",
          L"<a href=\"https://c.example/\">unclosed" },
        { L"", L"", L"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.markup).GetString());
        CString text, url;
        CLinkCtrl::ParseMarkup(c.markup, text, url);
        EXPECT_EQ(CString(c.text), text);
        EXPECT_EQ(CString(c.url), url);
    }
}

CString RecorderMarker()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    *wcsrchr(path, L'\\') = 0;
    return CString(path) + L"\\link-opened.txt";
}

CString RecorderProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    *wcsrchr(path, L'\\') = 0;
    return CString(path) + L"\\link_open_recorder.exe";
}

bool WaitForMarker()
{
    const CString marker = RecorderMarker();
    return MessagePump::PumpUntil([&] { return GetFileAttributesW(marker) != INVALID_FILE_ATTRIBUTES; }, 15000);
}

class LinksDialog : public CDialog
{
public:
    LinksDialog() : CDialog(IDD_LINKS) {}
    CLinkCtrl m_markup;
    CLinkCtrl m_plain;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_markup.SubclassDlgItem(IDC_LINK_MARKUP, this);
        m_plain.SubclassDlgItem(IDC_LINK_PLAIN, this);
        return TRUE;
    }
};

TEST(LinkCtrl, FromATemplateDrawnAsALinkAndOpenedByClickAndKey)
{
    LinksDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_LINKS));
    dialog.SetWindowPos(&CWnd::wndTopMost, 200, 200, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    MessagePump::PumpFor(300);
    EXPECT_EQ(CString(L"https://example.org/tes"), dialog.m_markup.GetUrl());
    EXPECT_EQ(CString(L"主页：示例网站"), dialog.m_markup.GetLinkText());
    EXPECT_EQ(CString(L"mailto:someone@example.org"), dialog.m_plain.GetUrl());

    // Blue ink with an underline: a horizontal run of link-blue pixels.
    RECT rc;
    dialog.m_plain.GetWindowRect(&rc);
    const std::vector<COLORREF> pixels = ScreenReader::Rect(rc);
    ASSERT_FALSE(pixels.empty());
    const int width = rc.right - rc.left;
    int longestRun = 0;
    for (int y = 0; y < rc.bottom - rc.top; ++y) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            run = pixels[static_cast<size_t>(y * width + x)] == RGB(0, 0, 255) ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GT(longestRun, 40);

    // The hand over the link.
    dialog.m_plain.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.m_plain.m_hWnd),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());

    // Opened by a click, then by Space and Enter while it has the focus.
    dialog.m_plain.SetWindowText(RecorderProgram());
    struct Case { const char* how; void (*open)(CLinkCtrl&); };
    const Case cases[] = {
        { "click", [](CLinkCtrl& link) {
              RECT r;
              link.GetWindowRect(&r);
              InputSender::Click(r.left + 6, (r.top + r.bottom) / 2);
          } },
        { "space", [](CLinkCtrl& link) { link.SetFocus(); link.SendMessage(WM_CHAR, L' ', 0); } },
        { "enter", [](CLinkCtrl& link) { link.SetFocus(); link.SendMessage(WM_KEYDOWN, VK_RETURN, 0); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        DeleteFileW(RecorderMarker());
        c.open(dialog.m_plain);
        EXPECT_TRUE(WaitForMarker());
    }
    DeleteFileW(RecorderMarker());
    dialog.DestroyWindow();
}

} // namespace
