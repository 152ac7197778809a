// CFrameWnd: a top-level frame window of the framework's default class, used
// for hidden helper windows. A frame is allocated with new: once Create has
// succeeded it deletes itself when its window is destroyed (PostNcDestroy);
// when Create fails the caller still owns the object. Commands go to its own map,
// then to the application.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CWnd.h"

class FRAMEWORK_API CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // The default position and size (CW_USEDEFAULT).
    static const CRect rectDefault;

    // lpszClassName null: the framework's default class. lpszMenuName: a menu
    // resource of the program or of an extension library, or null.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                        LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void PostNcDestroy() override;

private:
    BOOL m_bCreated;

    // Hides CWnd::Create(class, name, style, rect, parent, id), which makes
    // child windows.
    using CWnd::Create;
};
