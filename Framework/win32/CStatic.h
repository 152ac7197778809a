// CStatic: a static control (text, frame, icon or bitmap).
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();
    ~CStatic() override;

    // Shows a bitmap (SS_BITMAP); returns the previous one. The control does
    // not own the bitmap: the caller keeps and deletes it.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};
