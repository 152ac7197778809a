// CButton: a button control (push button, check box, radio button, group box).
#pragma once

#include "FrameworkApi.h"
#include "CWnd.h"

class FRAMEWORK_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton();
    ~CButton() override;

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // BM_GETSTATE flags (checked, pushed, focus).
    UINT GetState() const;
    // The bitmap of a BS_BITMAP button; returns the previous one (not owned).
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};
