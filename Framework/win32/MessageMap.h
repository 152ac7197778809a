// Message maps: the tables that connect window messages, commands and control
// notifications to member functions, and the macros that build them.
//
// Every entry names one handler form (AfxSig); the form says how the message's
// wParam and lParam become the handler's arguments and how its result becomes
// the message result. The forms and the unpacking live in one place,
// MessageDispatch.cpp. Handler forms:
//
//   ON_WM_CREATE          int OnCreate(LPCREATESTRUCT)           -1 fails creation
//   ON_WM_DESTROY         void OnDestroy()
//   ON_WM_CLOSE           void OnClose()
//   ON_WM_PAINT           void OnPaint()
//   ON_WM_ERASEBKGND      BOOL OnEraseBkgnd(CDC* pDC)
//   ON_WM_TIMER           void OnTimer(UINT_PTR nIDEvent)
//   ON_WM_SIZE            void OnSize(UINT nType, int cx, int cy)
//   ON_WM_SYSCOMMAND      void OnSysCommand(UINT nID, LPARAM lParam)
//   ON_WM_HOTKEY          void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2)
//                         (nKey1: MOD_* flags, nKey2: virtual key)
//   ON_WM_KEYDOWN         void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
//   ON_WM_LBUTTONDOWN, ON_WM_LBUTTONUP, ON_WM_LBUTTONDBLCLK, ON_WM_RBUTTONDOWN,
//   ON_WM_RBUTTONUP, ON_WM_MOUSEMOVE
//                         void OnXxx(UINT nFlags, CPoint point)  (client coordinates)
//   ON_WM_SETCURSOR       BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
//   ON_WM_SETFOCUS        void OnSetFocus(CWnd* pOldWnd)
//   ON_WM_KILLFOCUS       void OnKillFocus(CWnd* pNewWnd)
//   ON_WM_CTLCOLOR        HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
//                         (nCtlColor: CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...)
//   ON_WM_CTLCOLOR_REFLECT HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
//                         in the control's own map; a non-null brush answers
//                         the parent's WM_CTLCOLOR* for that control
//   ON_WM_QUERYDRAGICON   HCURSOR OnQueryDragIcon()
//   ON_MESSAGE(msg, fn)   LRESULT fn(WPARAM, LPARAM)
//   ON_REGISTERED_MESSAGE(nVar, fn)  LRESULT fn(WPARAM, LPARAM); nVar is a
//                         UINT variable holding a RegisterWindowMessage number
//   ON_COMMAND(id, fn)    void fn()       menu, accelerator or button command
//   ON_COMMAND_RANGE(first, last, fn)  void fn(UINT nID)
//   ON_UPDATE_COMMAND_UI(id, fn)  void fn(CCmdUI* pCmdUI)
//   ON_BN_CLICKED, ON_LBN_SELCHANGE, ON_LBN_DBLCLK, ON_CBN_SELCHANGE,
//   ON_EN_CHANGE (id, fn) void fn()       WM_COMMAND notifications of a control
//   ON_CONTROL_RANGE(code, first, last, fn)  void fn(UINT nID)
//   ON_NOTIFY(code, id, fn)  void fn(NMHDR* pNMHDR, LRESULT* pResult)
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

class CCmdTarget;
class CCmdUI;
class CDC;
class CPoint;
class CWnd;

// The handler's type for each form. An entry stores its handler in a union of
// these types, built by the constructor that matches the handler, and the
// dispatcher reads the member that the entry's form names, so no member
// function pointer is ever cast to another type.
typedef void (CCmdTarget::*AFX_PMSG_v_v)();
typedef void (CCmdTarget::*AFX_PMSG_v_u)(UINT);
typedef int (CCmdTarget::*AFX_PMSG_i_CREATE)(LPCREATESTRUCT);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_D)(CDC*);
typedef void (CCmdTarget::*AFX_PMSG_v_TIMER)(UINT_PTR);
typedef void (CCmdTarget::*AFX_PMSG_v_uii)(UINT, int, int);
typedef void (CCmdTarget::*AFX_PMSG_v_uL)(UINT, LPARAM);
typedef void (CCmdTarget::*AFX_PMSG_v_uuu)(UINT, UINT, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_uPt)(UINT, CPoint);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_Wuu)(CWnd*, UINT, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_W)(CWnd*);
typedef HBRUSH (CCmdTarget::*AFX_PMSG_h_DWu)(CDC*, CWnd*, UINT);
typedef HBRUSH (CCmdTarget::*AFX_PMSG_h_Du)(CDC*, UINT);
typedef HCURSOR (CCmdTarget::*AFX_PMSG_h_v)();
typedef LRESULT (CCmdTarget::*AFX_PMSG_l_wl)(WPARAM, LPARAM);
typedef void (CCmdTarget::*AFX_PMSG_v_NOTIFY)(NMHDR*, LRESULT*);
typedef void (CCmdTarget::*AFX_PMSG_v_CMDUI)(CCmdUI*);

union AFX_PMSG
{
    AFX_PMSG_v_v pfn_v_v;
    AFX_PMSG_v_u pfn_v_u;
    AFX_PMSG_i_CREATE pfn_i_CREATE;
    AFX_PMSG_b_D pfn_b_D;
    AFX_PMSG_v_TIMER pfn_v_TIMER;
    AFX_PMSG_v_uii pfn_v_uii;
    AFX_PMSG_v_uL pfn_v_uL;
    AFX_PMSG_v_uuu pfn_v_uuu;
    AFX_PMSG_v_uPt pfn_v_uPt;
    AFX_PMSG_b_Wuu pfn_b_Wuu;
    AFX_PMSG_v_W pfn_v_W;
    AFX_PMSG_h_DWu pfn_h_DWu;
    AFX_PMSG_h_Du pfn_h_Du;
    AFX_PMSG_h_v pfn_h_v;
    AFX_PMSG_l_wl pfn_l_wl;
    AFX_PMSG_v_NOTIFY pfn_v_NOTIFY;
    AFX_PMSG_v_CMDUI pfn_v_CMDUI;

    AFX_PMSG(AFX_PMSG_v_v p) : pfn_v_v(p) {}
    AFX_PMSG(AFX_PMSG_v_u p) : pfn_v_u(p) {}
    AFX_PMSG(AFX_PMSG_i_CREATE p) : pfn_i_CREATE(p) {}
    AFX_PMSG(AFX_PMSG_b_D p) : pfn_b_D(p) {}
    AFX_PMSG(AFX_PMSG_v_TIMER p) : pfn_v_TIMER(p) {}
    AFX_PMSG(AFX_PMSG_v_uii p) : pfn_v_uii(p) {}
    AFX_PMSG(AFX_PMSG_v_uL p) : pfn_v_uL(p) {}
    AFX_PMSG(AFX_PMSG_v_uuu p) : pfn_v_uuu(p) {}
    AFX_PMSG(AFX_PMSG_v_uPt p) : pfn_v_uPt(p) {}
    AFX_PMSG(AFX_PMSG_b_Wuu p) : pfn_b_Wuu(p) {}
    AFX_PMSG(AFX_PMSG_v_W p) : pfn_v_W(p) {}
    AFX_PMSG(AFX_PMSG_h_DWu p) : pfn_h_DWu(p) {}
    AFX_PMSG(AFX_PMSG_h_Du p) : pfn_h_Du(p) {}
    AFX_PMSG(AFX_PMSG_h_v p) : pfn_h_v(p) {}
    AFX_PMSG(AFX_PMSG_l_wl p) : pfn_l_wl(p) {}
    AFX_PMSG(AFX_PMSG_v_NOTIFY p) : pfn_v_NOTIFY(p) {}
    AFX_PMSG(AFX_PMSG_v_CMDUI p) : pfn_v_CMDUI(p) {}
};

// Handler forms (see the table above).
enum AfxSig : UINT
{
    AfxSig_end = 0,
    AfxSig_v_v,        // void ()                       commands, notifications, simple messages
    AfxSig_v_u,        // void (UINT nID)               command and control ranges
    AfxSig_i_CREATE,   // int (LPCREATESTRUCT)
    AfxSig_b_D,        // BOOL (CDC*)
    AfxSig_v_TIMER,    // void (UINT_PTR)
    AfxSig_v_uii,      // void (UINT, int, int)          WM_SIZE
    AfxSig_v_uL,       // void (UINT, LPARAM)            WM_SYSCOMMAND
    AfxSig_v_HOTKEY,   // void (UINT, UINT, UINT)        WM_HOTKEY
    AfxSig_v_KEY,      // void (UINT, UINT, UINT)        key messages
    AfxSig_v_uPt,      // void (UINT, CPoint)            mouse messages
    AfxSig_b_Wuu,      // BOOL (CWnd*, UINT, UINT)       WM_SETCURSOR
    AfxSig_v_W,        // void (CWnd*)                   focus messages
    AfxSig_h_DWu,      // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLOR*
    AfxSig_h_Du,       // HBRUSH (CDC*, UINT)            reflected WM_CTLCOLOR*
    AfxSig_h_v,        // HCURSOR ()                     WM_QUERYDRAGICON
    AfxSig_l_wl,       // LRESULT (WPARAM, LPARAM)       ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_v_NOTIFY,   // void (NMHDR*, LRESULT*)        ON_NOTIFY
    AfxSig_v_CMDUI     // void (CCmdUI*)                 ON_UPDATE_COMMAND_UI
};

// Message numbers with a special meaning inside the maps.
const UINT AFX_WM_CTLCOLOR = 0x0019;           // any WM_CTLCOLOR* (the Win16 number)
const UINT AFX_WM_REFLECT_CTLCOLOR = 0xBD19;   // reflected WM_CTLCOLOR*, in the control's map
const UINT AFX_WM_REGISTERED = 0xC000;         // entry whose number is in *pnRegistered
const UINT AFX_CN_UPDATE_COMMAND_UI = static_cast<UINT>(-1);  // nCode of update entries
const UINT AFX_CN_COMMAND = 0;                 // nCode of plain commands

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;             // window message, WM_COMMAND or WM_NOTIFY
    UINT nCode;                // notification code, or 0 for a command
    UINT nID;                  // first control/command id (0 for window messages)
    UINT nLastID;              // last id of a range (equal to nID otherwise)
    AfxSig nSig;
    AFX_PMSG pfn;
    const UINT* pnRegistered;  // for ON_REGISTERED_MESSAGE
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();   // null for CCmdTarget
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// In the class body.
#define DECLARE_MESSAGE_MAP()                                       \
protected:                                                          \
    static const AFX_MSGMAP* GetThisMessageMap();                   \
    const AFX_MSGMAP* GetMessageMap() const override;

// In the class's source file.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const               \
    {                                                               \
        return GetThisMessageMap();                                 \
    }                                                               \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                 \
    {                                                               \
        typedef theClass ThisClass;                                 \
        typedef baseClass TheBaseClass;                             \
        static_assert(sizeof(ThisClass) > 0, "complete class");     \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                           \
            { 0, 0, 0, 0, AfxSig_end,                               \
              AFX_PMSG(static_cast<AFX_PMSG_v_v>(nullptr)), nullptr }\
        };                                                          \
        static const AFX_MSGMAP messageMap = {                      \
            &TheBaseClass::GetThisMessageMap, &_messageEntries[0] };\
        return &messageMap;                                         \
    }

// Converts the handler to its form's type (derived-to-base member pointer,
// which checks its signature) and stores it in the entry's union.
#define AFX_MSG_PFN(type, fn) \
    AFX_PMSG(static_cast<type>(fn))

#define AFX_WM_ENTRY(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, AFX_MSG_PFN(type, &ThisClass::fn), nullptr },

#define ON_WM_CREATE()        AFX_WM_ENTRY(WM_CREATE, AfxSig_i_CREATE, AFX_PMSG_i_CREATE, OnCreate)
#define ON_WM_DESTROY()       AFX_WM_ENTRY(WM_DESTROY, AfxSig_v_v, AFX_PMSG_v_v, OnDestroy)
#define ON_WM_CLOSE()         AFX_WM_ENTRY(WM_CLOSE, AfxSig_v_v, AFX_PMSG_v_v, OnClose)
#define ON_WM_PAINT()         AFX_WM_ENTRY(WM_PAINT, AfxSig_v_v, AFX_PMSG_v_v, OnPaint)
#define ON_WM_ERASEBKGND()    AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_b_D, AFX_PMSG_b_D, OnEraseBkgnd)
#define ON_WM_TIMER()         AFX_WM_ENTRY(WM_TIMER, AfxSig_v_TIMER, AFX_PMSG_v_TIMER, OnTimer)
#define ON_WM_SIZE()          AFX_WM_ENTRY(WM_SIZE, AfxSig_v_uii, AFX_PMSG_v_uii, OnSize)
#define ON_WM_SYSCOMMAND()    AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_v_uL, AFX_PMSG_v_uL, OnSysCommand)
#define ON_WM_HOTKEY()        AFX_WM_ENTRY(WM_HOTKEY, AfxSig_v_HOTKEY, AFX_PMSG_v_uuu, OnHotKey)
#define ON_WM_KEYDOWN()       AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_v_KEY, AFX_PMSG_v_uuu, OnKeyDown)
#define ON_WM_LBUTTONDOWN()   AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnLButtonDown)
#define ON_WM_LBUTTONUP()     AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()   AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnRButtonDown)
#define ON_WM_RBUTTONUP()     AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnRButtonUp)
#define ON_WM_MOUSEMOVE()     AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_v_uPt, AFX_PMSG_v_uPt, OnMouseMove)
#define ON_WM_SETCURSOR()     AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_b_Wuu, AFX_PMSG_b_Wuu, OnSetCursor)
#define ON_WM_SETFOCUS()      AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_v_W, AFX_PMSG_v_W, OnSetFocus)
#define ON_WM_KILLFOCUS()     AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_v_W, AFX_PMSG_v_W, OnKillFocus)
#define ON_WM_CTLCOLOR()      AFX_WM_ENTRY(AFX_WM_CTLCOLOR, AfxSig_h_DWu, AFX_PMSG_h_DWu, OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() AFX_WM_ENTRY(AFX_WM_REFLECT_CTLCOLOR, AfxSig_h_Du, AFX_PMSG_h_Du, CtlColor)
#define ON_WM_QUERYDRAGICON() AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig_h_v, AFX_PMSG_h_v, OnQueryDragIcon)

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_l_wl, \
      AFX_MSG_PFN(AFX_PMSG_l_wl, &ThisClass::memberFxn), nullptr },

#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { AFX_WM_REGISTERED, 0, 0, 0, AfxSig_l_wl, \
      AFX_MSG_PFN(AFX_PMSG_l_wl, &ThisClass::memberFxn), &nMessageVariable },

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, AFX_CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_v_v, \
      AFX_MSG_PFN(AFX_PMSG_v_v, &ThisClass::memberFxn), nullptr },

#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, AFX_CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_v_u, \
      AFX_MSG_PFN(AFX_PMSG_v_u, &ThisClass::memberFxn), nullptr },

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, AFX_CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_v_CMDUI, \
      AFX_MSG_PFN(AFX_PMSG_v_CMDUI, &ThisClass::memberFxn), nullptr },

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, AFX_CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_v_CMDUI, \
      AFX_MSG_PFN(AFX_PMSG_v_CMDUI, &ThisClass::memberFxn), nullptr },

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_v_v, \
      AFX_MSG_PFN(AFX_PMSG_v_v, &ThisClass::memberFxn), nullptr },

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_v_u, \
      AFX_MSG_PFN(AFX_PMSG_v_u, &ThisClass::memberFxn), nullptr },

#define ON_BN_CLICKED(id, memberFxn)    ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)    ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)     ON_CONTROL(EN_CHANGE, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_v_NOTIFY, \
      AFX_MSG_PFN(AFX_PMSG_v_NOTIFY, &ThisClass::memberFxn), nullptr },

// The idle message that a framework modal loop sends to its dialog when the
// message queue is empty: wParam MSGF_DIALOGBOX, lParam the idle count since
// the last message. Answer non-zero to be sent it again before the next
// message arrives.
#ifndef WM_KICKIDLE
#  define WM_KICKIDLE 0x036A
#endif

// The framework's standard command ids.
#define ID_APP_EXIT 0xE141   // 57665: the application closes its main window
