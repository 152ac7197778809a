// CWnd: a C++ object bound to one Win32 window (HWND), with the window
// wrappers and message-map dispatch the program and its library use.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CObject.h"

class FRAMEWORK_API CWnd : public CObject
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND GetSafeHwnd() const { return this == nullptr ? nullptr : m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to hWnd: the permanent one when the window was created
    // or subclassed by the framework, otherwise a temporary wrapper that never
    // owns the window (see CWnd.cpp for its lifetime).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    HWND m_hWnd;
};
