// CapturingApp: the application object of a GUI test program. Every
// framework message box (AfxMessageBox) is recorded instead of shown and
// answered with a chosen button, so tests can check the texts without a
// person.
#pragma once

#include <vector>

#include "CString.h"
#include "CWinApp.h"

namespace guitest {

class CapturingApp : public CWinApp
{
public:
    CapturingApp();

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    struct Box
    {
        CString text;
        UINT type;
        // The window that had the focus when the box would have opened.
        HWND hWndFocus;
    };
    std::vector<Box> m_boxes;
    int m_nAnswer;
};

} // namespace guitest
