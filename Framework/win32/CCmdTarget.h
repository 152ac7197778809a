// CCmdTarget: an object that has a message map and can handle commands.
// Commands (WM_COMMAND ids, control notifications, WM_NOTIFY codes and
// command-update requests) are routed to it through OnCmdMsg.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CObject.h"
#include "MessageMap.h"

class CCmdUI;

// Filled by OnCmdMsg instead of calling the handler, to ask whether a
// command has one (used by the command-update route).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class FRAMEWORK_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Looks for a handler of (nID, nCode) in this object's message map and its
    // bases. nCode is AFX_CN_COMMAND for commands, a notification code for
    // WM_COMMAND notifications (pExtra null), WM_NOTIFY's code with pExtra an
    // AFX_NOTIFY, or AFX_CN_UPDATE_COMMAND_UI with pExtra the CCmdUI. With
    // pHandlerInfo the handler is only reported, not called. TRUE when a
    // handler was found (and called). Windows extend the route (window, then
    // the application).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of the map chain for (nMessage, nCode, nID).
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);
};

// What OnCmdMsg receives in pExtra for WM_NOTIFY.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};
