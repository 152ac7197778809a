// CToolTipCtrl: a tooltip control owned by a window. Tools are windows (id
// 0: the tool is the window itself) or rectangles of a window; the owner
// passes its mouse messages on with RelayEvent (from PreTranslateMessage).
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();
    ~CToolTipCtrl() override;

    // A topmost popup tooltip owned by pParentWnd; dwStyle adds TTS_* styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // nIDTool 0: the tool is pWnd itself (lpRectTool ignored); otherwise the
    // rectangle lpRectTool of pWnd, or its whole client area when null.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    int GetToolCount() const;

private:
    using CWnd::Create;
};
