// CLinkCtrl: a link control for dialogs: its text drawn in blue and
// underlined, a hand cursor over it, and a click (or Enter or Space while it
// has the focus) that opens its address with ShellExecuteW ("open").
//
// Its window class is "TesLinkCtrl" (registered by AfxEnableControlContainer),
// so a dialog template names it directly:
//   CONTROL "<a href=""https://example.org/"">Example</a>", 1040, "TesLinkCtrl", WS_TABSTOP, x, y, cx, cy
// The window text uses the link markup of the system's SysLink control, one
// link: the text inside <a> is shown, the href is opened; plain text without
// markup is shown and opened as it is. The control draws with the font its
// dialog gives it (WM_SETFONT) on the background its parent gives static
// controls (WM_CTLCOLORSTATIC).
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CString.h"
#include "CWnd.h"

class FRAMEWORK_API CLinkCtrl : public CWnd
{
    DECLARE_DYNAMIC(CLinkCtrl)
public:
    CLinkCtrl();
    ~CLinkCtrl() override;

    static LPCTSTR GetClassName() { return L"TesLinkCtrl"; }
    // Registers the window class (once per process); FALSE when it fails.
    static BOOL RegisterClass();

    // Splits link markup into the shown text and the address (see above).
    static void ParseMarkup(const CString& strMarkup, CString& strText, CString& strUrl);

    // The address and text of this control's window.
    CString GetUrl() const;
    CString GetLinkText() const;
};
