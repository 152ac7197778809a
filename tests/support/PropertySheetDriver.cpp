// PropertySheetDriver: property sheets driven for tests (see PropertySheetDriver.h).
#include "PropertySheetDriver.h"

#include "MessagePump.h"

#include <commctrl.h>

namespace guitest {

HWND FindSheet(const wchar_t* pszCaption)
{
    return FindWindowW(L"#32770", pszCaption);
}

HWND TabControl(HWND hSheet)
{
    return reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
}

int CurrentPageIndex(HWND hSheet)
{
    return static_cast<int>(SendMessageW(TabControl(hSheet), TCM_GETCURSEL, 0, 0));
}

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Click(HWND hSheet, int nID)
{
    SendMessageW(GetDlgItem(hSheet, nID), BM_CLICK, 0, 0);
    MessagePump::PumpFor(50);
}

} // namespace guitest
