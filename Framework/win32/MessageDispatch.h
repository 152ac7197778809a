// The one place where a message's wParam and lParam become a handler's
// arguments, and its result the message result, for each handler form of
// MessageMap.h. Internal to the framework library.
#pragma once

#include "MessageMap.h"

class CCmdTarget;
class CWnd;

// Calls a window-message entry of pWnd's map; returns the message result.
LRESULT AfxDispatchWindowMessage(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry,
                                 UINT message, WPARAM wParam, LPARAM lParam);

// Calls a command, notification or command-update entry; pExtra is null, an
// AFX_NOTIFY or the CCmdUI. TRUE when the handler ran.
BOOL AfxDispatchCommand(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, UINT nID, void* pExtra);
