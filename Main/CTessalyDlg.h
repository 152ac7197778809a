// CTessalyDlg: the program's main window, a modal dialog that lives for the
// whole run. It owns the capture engine, the tray icon and the global hot
// keys; it shows the preview, the capture-type list and the ten effect check
// boxes, and carries the menu bar whose commands act on the engine's current
// picture. Every capture calls one CTesCore operation and then redraws;
// hiding, waiting and the effects themselves happen inside the engine.
#pragma once

#include "CBitmap.h"
#include "CDialog.h"
#include "CStatic.h"
#include "CTesCore.h"
#include "CToolTipCtrl.h"
#include "CTrayNotifyIcon.h"

class CTessalyDlg : public CDialog
{
public:
    explicit CTessalyDlg(CWnd* pParent = nullptr);
    ~CTessalyDlg() override;

    // The tray icon's callback message; the message this window posts itself
    // while it starts, to finish the start once it is painted.
    enum { WM_TRAY_NOTIFY = WM_USER + 100, WM_FINISH_START = WM_USER + 101 };

    // Draws the preview on screen (FALSE) or prints it (TRUE).
    void DrawPreview(BOOL bPrint);
    // Moves the ten effect flags from the boxes to the settings (TRUE) or
    // from the settings to the boxes (FALSE).
    void SyncEffects(BOOL bSave);
    // Releases the eight hot keys and, unless bUnregisterOnly, registers them
    // again from the settings, reporting each one that fails.
    void RegisterHotKeys(BOOL bUnregisterOnly);

    CTesCore& GetCore() { return m_Core; }
    // TRUE while the tray icon is in the notification area.
    BOOL IsTrayIconAdded() const;

    // Capture handlers, also reached through the hot keys.
    void OnNewSnap();
    void OnSnapFullScreen();
    void OnSnapActiveWin();
    void OnSnapCurrentWin();
    void OnSnapWinClient();
    void OnSnapWinObj();
    void OnSnapSelectRect();
    void OnShowHide();

protected:
    DECLARE_MESSAGE_MAP()

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    LRESULT OnTrayMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    // The part of the start that the first sight of the window need not wait
    // for: the preview's tip, the hot keys and the tray icon.
    LRESULT OnFinishStart(WPARAM wParam, LPARAM lParam);

    // Effects.
    // A click on any of the ten check boxes.
    void OnEffectClicked(UINT nID);
    void OnEffectCommand(UINT nID);
    void OnUpdateEffect(CCmdUI* pCmdUI);

    // Radio marks of the capture items.
    void OnUpdateSnapFullScreen(CCmdUI* pCmdUI);
    void OnUpdateSnapActiveWin(CCmdUI* pCmdUI);
    void OnUpdateSnapCurrentWin(CCmdUI* pCmdUI);
    void OnUpdateSnapWinClient(CCmdUI* pCmdUI);
    void OnUpdateSnapWinObj(CCmdUI* pCmdUI);
    void OnUpdateSnapSelectRect(CCmdUI* pCmdUI);

    // Picture, clipboard, printing and outside programs.
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileSaveThumb();
    void OnEditCopy();
    void OnEditCopyThumb();
    void OnEditPaste();
    void OnEditClear();
    void OnAutoCopy();
    void OnUpdateAutoCopy(CCmdUI* pCmdUI);
    void OnFilePrint();
    void OnFilePageSetup();
    void OnEditExternal();
    void OnHelpTopics();
    void OnHelpHomePage();
    void OnHelpUpdate();
    void OnAppAbout();
    void OnOptions();

private:
    // Runs one capture operation of the engine, redraws after a new picture
    // and shows the mode the engine recorded.
    void Snap(int (CTesCore::*pfnSnap)());
    void UpdateSnapRadio(CCmdUI* pCmdUI, int nMode);
    // TRUE, with that dialog brought forward, while a dialog of this window
    // runs: commands that open a dialog then do nothing.
    BOOL DialogAlreadyOpen();
    // Saves through the engine; a file that could not be written is reported
    // with the reason.
    void SavePicture(const CString& strPathName, int bThumbnail);
    // The ten effects, one row each, read by every effect handler: the menu
    // command, the check box, the flag behind both and the setting.
    struct EffectRow
    {
        UINT nCommand;
        int nControlId;
        int CTessalyDlg::*pFlag;
        int (CTesConfig::*pfnGet)() const;
        void (CTesConfig::*pfnSet)(int);
    };
    enum { kEffectCount = 10 };
    static const EffectRow* Effects();
    // The flag member of an effect's menu command or check box.
    int* EffectFlag(UINT nID);
    void ApplyEffects();

    int m_nSnapType;
    CStatic m_stcPreview;
    int m_bGrayScale;
    int m_bNegate;
    int m_bScale;
    int m_bRotate;
    int m_bFlipHorz;
    int m_bFlipVert;
    int m_bShearDown;
    int m_bShearAcross;
    int m_bBlur;
    int m_bSharpen;
    HICON m_hIcon;
    HCURSOR m_hHandCursor;
    CBitmap m_bmpDefault;
    CTrayNotifyIcon m_TrayIcon;
    CToolTipCtrl m_ToolTip;
    CTesCore m_Core;
};
