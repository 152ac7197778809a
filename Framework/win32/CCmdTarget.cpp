// CCmdTarget: message-map lookup and command routing (see CCmdTarget.h).
#include "CCmdTarget.h"
#include "MessageDispatch.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        { 0, 0, 0, 0, AfxSig_end, AFX_PMSG(static_cast<AFX_PMSG_v_v>(nullptr)), nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            const UINT message = p->pnRegistered ? *p->pnRegistered : p->nMessage;
            if (message != 0 && message == nMessage && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
                return p;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool bNotify = pExtra != nullptr && nCode != static_cast<int>(AFX_CN_UPDATE_COMMAND_UI)
                         && nCode != static_cast<int>(AFX_CN_COMMAND);
    const UINT nMessage = bNotify ? WM_NOTIFY : WM_COMMAND;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), nMessage, static_cast<UINT>(nCode), nID);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    return AfxDispatchCommand(this, pEntry, nID, pExtra);
}
