// CapturingApp: records message boxes instead of showing them (see
// CapturingApp.h).
#include "CapturingApp.h"

namespace guitest {

CapturingApp::CapturingApp() : CWinApp(L"GuiTest"), m_nAnswer(IDOK)
{
}

int CapturingApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    m_boxes.push_back(Box{ CString(lpszPrompt), nType, GetFocus() });
    return m_nAnswer;
}

} // namespace guitest
