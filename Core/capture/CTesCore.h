// CTesCore: the capture engine of TesLib. It grabs the screen in six capture
// modes, runs the capture sequence around each grab (hide the main window,
// wait, play the sound, store, copy automatically) and holds the current
// picture: the captured and processed buffers, the GDI+ picture made from the
// processed buffer and its thumbnail for the program's preview.
#pragma once

#include "CImageBitmap.h"
#include "CRect.h"
#include "CString.h"
#include "CWnd.h"
#include "TesHookMessages.h"
#include "TesLibApi.h"

namespace Gdiplus {
class Image;
}
class CBitmap;
class CDlgSnapObjHelper;
class CTesHook;

#include "CTesConfig.h"

// Capture modes, as stored in the settings (SnapMode) and as the program's
// capture-type list numbers its items.
enum TesSnapMode
{
    SNAP_FULL_SCREEN = 0,   // "整个屏幕"
    SNAP_ACTIVE_WIN = 1,    // "活动程序窗口"
    SNAP_CURRENT_WIN = 2,   // "当前窗口"
    SNAP_WIN_CLIENT = 3,    // "活动程序客户区"
    SNAP_WIN_OBJ = 4,       // "界面对象/菜单"
    SNAP_SELECT_RECT = 5    // "选定区域"
};

// Results: 1 when a picture was captured (stored, loaded, saved, copied), 0
// when nothing was; a 0 keeps the previous state. Every operation runs on
// the GUI thread. The picture and thumbnail that GetImage/GetThubImage return
// stay owned by the engine and are valid until the next refresh, open, clear
// or CloseVoruzev.
class TESLIB_API CTesCore : public CWnd
{
    DECLARE_DYNAMIC(CTesCore)
public:
    // Touches nothing of the platform: no window, no GDI+.
    CTesCore();
    ~CTesCore() override;

    CTesCore(const CTesCore&) = delete;
    CTesCore& operator=(const CTesCore&) = delete;

    // All settings; the program reads and writes them directly.
    CTesConfig m_config;

    // Starts GDI+, loads config.xml, creates the hidden child window (id 100
    // of pMainWnd) and, when the settings ask for it, captures the whole
    // screen (50 ms wait, no sound, mode not recorded). Non-zero when the
    // hidden window was made; 0 with a null window pointer (the object is
    // then fit only for CloseVoruzev).
    int InitVoruzev(CWnd* pMainWnd, CWnd* pPreviewWnd);
    // Releases the pictures, stops GDI+ (when it started), saves config.xml
    // and destroys the hidden window.
    void CloseVoruzev();

    // The capture modes. Modes 0 to 4 refuse (0, nothing changed) while
    // another capture of modes 0 to 4 runs.
    int SnapFullScreen();
    int SnapActiveWin();
    int SnapCurrentWin();
    int SnapWinClient();
    // Object pick: 0 when refused, else 1 once the pick has ended (with or
    // without a capture).
    int SnapWinObj();
    int SnapSelectRect();

    // Copies rect of hWnd, as the window shows on screen, into a new picture
    // (background white) that the caller owns and deletes; null when there is
    // nothing to grab.
    //
    // rect is in the coordinates of the window's whole-window DC (the desktop
    // window's are screen coordinates). An empty rect (IsRectEmpty) means the
    // whole window: its on-screen rectangle gives the size, and the copy starts
    // at the window's own top-left corner. The rectangle is clipped to
    // 0 ... SM_CXSCREEN, 0 ... SM_CYSCREEN of the primary screen; when nothing
    // is left, or hWnd is null, the result is null and the window is left
    // alone. Otherwise the window is made topmost for the copy and not topmost
    // afterwards, whatever it was before. Null also when GDI cannot make the
    // picture or copy into it.
    static CImageBitmap* SnapBitmap(HWND hWnd, CRect rect);

    // The image store.
    //
    // Rebuilds the processed buffer from the captured one through the effects
    // switched on in the settings, then the picture (24-bit) and thumbnail;
    // empties the path and file name. Nothing happens without a captured
    // picture.
    void RefreshImageData();
    Gdiplus::Image* GetImage() const;
    // The thumbnail and, in x and y, where it goes in the preview's client area.
    Gdiplus::Image* GetThubImage(int& x, int& y) const;
    // Deletes picture and thumbnail, empties path and file name; the buffers stay.
    void ClearGdiplusImage();
    // Puts the picture (bThumbnail 0) or the thumbnail on the clipboard as
    // CF_BITMAP; 1 when the clipboard took it.
    int CopyImageData(int bThumbnail);
    // Takes a CF_BITMAP from the clipboard as the new captured picture.
    int PasteImageData();
    // Loads a picture file; an empty path asks with the open dialog. Every
    // effect is switched off first.
    int OpenImage(CString strPathName);
    // Writes the picture (bThumbnail 0) or the thumbnail. An empty path asks
    // with the save-as dialog (its file type gives the encoder); a given path
    // is written with the encoder that knows its extension, and an extension
    // no encoder knows writes nothing (0).
    int SaveImage(CString strPathName, int bThumbnail);

    CString GetPathName() const;
    CString GetFileName() const;
    void SetPathName(CString strPathName);
    void SetFileName(CString strFileName);

protected:
    DECLARE_MESSAGE_MAP()

    // Grabs rect of hWnd (SnapBitmap), stores it in both buffers and refreshes.
    int SnapRect(HWND hWnd, CRect rect);
    // Plays "snap.wav" beside the program, asynchronously, when the settings
    // allow it and the engine is not starting.
    void PlaySnapSound();
    // 1 when hWnd names an existing window and, with bExcludeFound, is not
    // the window found by the object pick.
    int CheckWindowValidity(HWND hWnd, int bExcludeFound);
    // The last steps of every capture: when hWnd still exists, the sound,
    // then SnapRect of rect; 0 when the window has gone meanwhile.
    int SnapLiveWindow(HWND hWnd, const CRect& rect);
    // The window the user picks in the window chooser (CDlgActiveWin), or
    // null when the chooser is cancelled.
    HWND ChooseWindowFromList();
    int InitGdiplus();
    void TermGdiplus();

    // A new 24-bit GDI+ picture from a bitmap, or null.
    Gdiplus::Image* ConvertImage(HBITMAP hBitmap);
    // A new screen-compatible bitmap holding the picture, or null; the caller
    // owns it.
    CBitmap* ConvertImage(Gdiplus::Image* pImage);
    // Rebuilds the thumbnail of pImage for the preview's client area.
    void SetThubImage(Gdiplus::Image* pImage);
    // Loads both buffers from hBitmap, without refresh.
    void ResetBitmapData(HBITMAP hBitmap);

    // Object pick.
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnEsMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnEsLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnEsRButtonDown(WPARAM wParam, LPARAM lParam);
    int HighlightFoundWindow(HWND hWnd);
    int RefreshFoundWindow(HWND hWnd);
    void LocateSnapObjTip();

private:
    // The capture delay of the settings, limited to 0 ... MAX_SNAP_DELAY ms.
    DWORD SnapDelay() const;
    // Shows the main window again (when it was to be hidden), empties the
    // names and copies automatically: the common end of every capture.
    void FinishSnap();
    void HideMainWindow();
    void ShowMainWindow();
    // Ends a running object pick: tip gone, timer stopped, frame wiped, the
    // found window grabbed when bCapture, FinishSnap, capture released,
    // flags cleared.
    void EndObjectPick(BOOL bCapture);
    // Answers the hook's calls until it has swallowed the release of the
    // picking click (RELEASE_WAIT_MS at most).
    void WaitForLeftButtonRelease();

    ULONG_PTR m_gdiplusToken;
    BOOL m_bGdiplusStarted;
    CString m_strPathName;
    CString m_strFileName;
    CWnd* m_pMainWnd;
    CWnd* m_pPreviewWnd;
    Gdiplus::Image* m_pImage;
    Gdiplus::Image* m_pThubImage;
    int m_nThubX;
    int m_nThubY;
    CImageBitmap m_bmpCaptured;
    CImageBitmap m_bmpProcessed;
    int m_bStarting;
    int m_bBusy;
    CTesHook* m_pHook;
    CDlgSnapObjHelper* m_pSnapObjHelper;
    HWND m_hFoundWnd;
    int m_bPicking;

public:
    // REGION_SETTLE_MS: the pause between the region overlay's end and the
    // grab, in which the windows it covered repaint.
    enum { HIDDEN_WND_ID = 100, PICK_TIMER_ID = 1, PICK_TIMER_MS = 500, MAX_SNAP_DELAY = 15000, REGION_SETTLE_MS = 100,
           RELEASE_WAIT_MS = 1000 };
};
