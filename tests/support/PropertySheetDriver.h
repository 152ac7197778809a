// PropertySheetDriver: finds a shown property sheet and drives it the way a
// user would, through the sheet's own messages and its buttons.
#pragma once

#include "PlatformTypes.h"

namespace guitest {

// The shown sheet with this caption (null when there is none).
HWND FindSheet(const wchar_t* pszCaption);
HWND TabControl(HWND hSheet);
// The index of the page whose tab is selected.
int CurrentPageIndex(HWND hSheet);
HWND CurrentPage(HWND hSheet);
// Clicks the sheet's button nID, then pumps messages for 50 ms.
void Click(HWND hSheet, int nID);

} // namespace guitest
