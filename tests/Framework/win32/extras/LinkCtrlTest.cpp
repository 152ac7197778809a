// Link controls of dialog templates (SysLink, registered by
// AfxEnableControlContainer): a click or Enter on a link opens its address
// through the shell unless the dialog handles the notification itself, and a
// link without an address opens nothing. A recorder program stands in for
// the browser.
#include <gtest/gtest.h>

#include <string>

#include "CDialog.h"
#include "ExtrasResources.h"
#include "InputSender.h"
#include "MessagePump.h"

#include <commctrl.h>

using guitest::InputSender;
using guitest::MessagePump;

namespace {

CString BesideProgram(const wchar_t* pszName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    *wcsrchr(path, L'\\') = 0;
    return CString(path) + L"\\" + pszName;
}

bool MarkerAppears(DWORD timeoutMs)
{
    const CString marker = BesideProgram(L"link-opened.txt");
    return MessagePump::PumpUntil([&] { return GetFileAttributesW(marker) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
}

// The dialog with its two links and no handlers of its own.
class LinksDialog : public CDialog
{
public:
    LinksDialog() : CDialog(IDD_LINKS) {}
    int m_nOwnClicks = 0;
};

// The same dialog handling clicks on its first link itself.
class HandlingLinksDialog : public LinksDialog
{
protected:
    DECLARE_MESSAGE_MAP()
    void OnLinkClick(NMHDR*, LRESULT* pResult)
    {
        ++m_nOwnClicks;
        *pResult = 0;
    }
};

BEGIN_MESSAGE_MAP(HandlingLinksDialog, LinksDialog)
    ON_NOTIFY(NM_CLICK, IDC_LINK_MARKUP, OnLinkClick)
END_MESSAGE_MAP()

TEST(LinkControls, ClickAndEnterOpenTheAddressUnlessTheDialogHandlesThem)
{
    const CString marker = BesideProgram(L"link-opened.txt");
    const CString markup = L"打开：<a href=\"" + BesideProgram(L"link_open_recorder.exe") + L"\">记录程序</a>";
    struct Case { const char* how; bool ownHandler; int nID; bool opened; };
    const Case cases[] = {
        { "click", false, IDC_LINK_MARKUP, true },
        { "enter (its notification)", false, IDC_LINK_MARKUP, true },
        { "click handled by the dialog", true, IDC_LINK_MARKUP, false },
        { "click on a link without an address", false, IDC_LINK_PLAIN, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        LinksDialog plain;
        HandlingLinksDialog handling;
        LinksDialog& dialog = c.ownHandler ? handling : plain;
        ASSERT_TRUE(dialog.Create(IDD_LINKS));
        HWND hLink = GetDlgItem(dialog.m_hWnd, c.nID);
        wchar_t szClass[16] = {};
        GetClassNameW(hLink, szClass, 16);
        EXPECT_EQ(CString(WC_LINK), CString(szClass));
        if (c.nID == IDC_LINK_MARKUP)
            SetWindowTextW(hLink, markup);
        dialog.SetWindowPos(&CWnd::wndTopMost, 200, 200, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        MessagePump::PumpFor(300);
        DeleteFileW(marker);

        RECT rc;
        GetWindowRect(hLink, &rc);
        // The linked text: after "打开：" in the markup link, at the start of the other.
        const int x = rc.left + (c.nID == IDC_LINK_MARKUP ? 45 : 8);
        if (std::string(c.how).rfind("enter", 0) == 0) {
            // Wine 8's link control sends no NM_RETURN for a typed Enter (it
            // does on Windows): the notification it would send, by hand.
            NMLINK link = {};
            link.hdr.hwndFrom = hLink;
            link.hdr.idFrom = static_cast<UINT_PTR>(c.nID);
            link.hdr.code = NM_RETURN;
            lstrcpynW(link.item.szUrl, BesideProgram(L"link_open_recorder.exe"), L_MAX_URL_LENGTH);
            dialog.SendMessage(WM_NOTIFY, static_cast<WPARAM>(c.nID), reinterpret_cast<LPARAM>(&link));
        } else {
            InputSender::Click(x, (rc.top + rc.bottom) / 2);
        }
        EXPECT_EQ(c.opened, MarkerAppears(c.opened ? 15000 : 3000));
        if (c.ownHandler) {
            EXPECT_EQ(1, dialog.m_nOwnClicks);
        }
        dialog.DestroyWindow();
    }
    DeleteFileW(marker);
}

} // namespace
