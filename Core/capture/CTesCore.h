// CTesCore: the capture engine of TesLib, the one class the program talks to.
// It starts and stops the engine and answers for its parts: the six capture
// modes run through the capture sequence (CCaptureSequence), the picture and
// its ways out are the picture store's (CPictureStore), the screen is read by
// CScreenGrabber and the object pick's mouse side is CObjectPick's.
#pragma once

#include "CImageBitmap.h"
#include "CRect.h"
#include "CString.h"
#include "CWnd.h"
#include "TesHookMessages.h"
#include "TesLibApi.h"

#include <memory>

namespace Gdiplus {
class Image;
}
class CBitmap;
class CCaptureSequence;
class CDlgSnapObjHelper;
class CObjectPick;
class CPictureStore;
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
    // that the caller owns and deletes; null when there is nothing to grab.
    // The rules are CScreenGrabber::Grab's.
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
    // When the last SaveImage could not write its file: that file and the
    // system's error code; empty and 0 when it wrote its file, or nothing for
    // another reason (no picture, the dialog cancelled, no encoder).
    CString GetFailedSavePath() const;
    DWORD GetSaveError() const;
    // 1 when an installed encoder knows the extension of strPathName, so a
    // SaveImage to it can write the file.
    int HasEncoderFor(CString strPathName) const;

    CString GetPathName() const;
    CString GetFileName() const;
    void SetPathName(CString strPathName);
    void SetFileName(CString strFileName);

protected:
    DECLARE_MESSAGE_MAP()

    // Grabs rect of hWnd (SnapBitmap), stores it as the captured picture and
    // refreshes.
    int SnapRect(HWND hWnd, CRect rect);
    // Plays "snap.wav" beside the program, asynchronously, when the settings
    // allow it and the engine is not starting.
    void PlaySnapSound();
    // 1 when hWnd names an existing window and, with bExcludeFound, is not
    // the window found by the object pick.
    int CheckWindowValidity(HWND hWnd, int bExcludeFound);
    // The window the user picks in the window chooser (CDlgActiveWin), or
    // null when the chooser is cancelled.
    HWND ChooseWindowFromList();
    int InitGdiplus();
    void TermGdiplus();

    // A new 24-bit GDI+ picture from a bitmap, or null.
    Gdiplus::Image* ConvertImage(HBITMAP hBitmap);
    // A new bitmap holding the picture as GDI+ draws it, or null; the caller
    // owns it.
    CBitmap* ConvertImage(Gdiplus::Image* pImage);
    // Rebuilds the thumbnail of pImage for the preview's client area.
    void SetThubImage(Gdiplus::Image* pImage);
    // Loads both buffers from hBitmap, without refresh.
    void ResetBitmapData(HBITMAP hBitmap);

    // Object pick: the hidden window's messages handed to CObjectPick.
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnEsMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnEsLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnEsRButtonDown(WPARAM wParam, LPARAM lParam);
    int HighlightFoundWindow(HWND hWnd);
    int RefreshFoundWindow(HWND hWnd);
    void LocateSnapObjTip();

private:
    // Ends a running object pick: tip gone, timer stopped, frame off; with
    // bCapture the found window grabbed after the delay; then the common end
    // of a capture.
    void EndObjectPick(BOOL bCapture);
    BOOL IsPickRunning() const;

    ULONG_PTR m_gdiplusToken;
    BOOL m_bGdiplusStarted;
    std::unique_ptr<CPictureStore> m_pStore;
    std::unique_ptr<CTesHook> m_pHook;
    std::unique_ptr<CDlgSnapObjHelper> m_pSnapObjHelper;
    std::unique_ptr<CObjectPick> m_pPick;
    std::unique_ptr<CCaptureSequence> m_pSequence;

public:
    enum { HIDDEN_WND_ID = 100, PICK_TIMER_ID = 1, PICK_TIMER_MS = 500, MAX_SNAP_DELAY = 15000 };
};
