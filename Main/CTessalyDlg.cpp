// CTessalyDlg: the main window: preview, captures, effects, menu state,
// showing and hiding, hot keys, tray icon and the picture commands.
#include "CTessalyDlg.h"

#include <windows.h>
#include <shellapi.h>

#include "Afx.h"
#include "CClientDC.h"
#include "CCmdUI.h"
#include "CDataExchange.h"
#include "CDlgAbout.h"
#include "CEditorCommand.h"
#include "CHelper.h"
#include "CHotKeyTable.h"
#include "CMenu.h"
#include "CModalFront.h"
#include "COptionsCommand.h"
#include "CPaintDC.h"
#include "CPreviewPainter.h"
#include "CPrintDialog.h"
#include "CPrintJob.h"
#include "CSaveFailureMessage.h"
#include "CStartTrace.h"
#include "CTessalyApp.h"
#include "resource.h"

namespace {

const wchar_t g_szHomePage[] = L"https://brivane.example/";
const wchar_t g_szProductPage[] = L"https://brivane.example/tessaly/";
const wchar_t g_szUpdater[] = L"tes_webinst.exe";
const wchar_t g_szPrintDocName[] = L"Voruzev";
const wchar_t g_szPreviewTip[] = L"点击访问Brivane官网";
const wchar_t g_szTrayFailed[] = L"错误：创建系统图标失败！";
const wchar_t g_szNoEditor[] =
    L"尚未设置图像编辑程序，无法打开图像。\n请在“设置”的“图像”页中选择图像编辑程序。";
const UINT TRAY_ICON_ID = 131;
const UINT TRAY_FRAME_MS = 1000;

struct IdRange
{
    UINT first;
    UINT last;
};

// The id ranges the message map gives the effects' handlers; the table of
// effects must fill them exactly (checked where it is defined).
constexpr IdRange kEffectCommandRanges[] = { { ID_EFFECT_GRAYSCALE, ID_EFFECT_NEGATE },
                                             { ID_EFFECT_FLIP_HORZ, ID_EFFECT_SHARPEN } };
constexpr IdRange kEffectControlRanges[] = { { IDC_GRAYSCALE, IDC_NEGATE },
                                             { IDC_FLIP_HORZ, IDC_SCALE },
                                             { IDC_SHEAR_ACROSS, IDC_SHARPEN } };

// True when the ranges hold the rows' ids (member id) and nothing else: every
// id inside a range, none twice, and as many ids in the ranges as rows.
template <typename Row, typename Id, size_t N, size_t R>
constexpr bool FillsRanges(const Row (&rows)[N], Id Row::*id, const IdRange (&ranges)[R])
{
    size_t nInRanges = 0;
    for (const IdRange& range : ranges)
        nInRanges += range.last - range.first + 1;
    if (nInRanges != N)
        return false;
    for (size_t i = 0; i < N; ++i) {
        const UINT nId = static_cast<UINT>(rows[i].*id);
        bool bInside = false;
        for (const IdRange& range : ranges)
            bInside = bInside || (nId >= range.first && nId <= range.last);
        for (size_t j = 0; j < i; ++j)
            bInside = bInside && static_cast<UINT>(rows[j].*id) != nId;
        if (!bInside)
            return false;
    }
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CTessalyDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_HOTKEY()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(CTessalyDlg::WM_TRAY_NOTIFY, OnTrayMessage)
    ON_MESSAGE(CTessalyDlg::WM_FINISH_START, OnFinishStart)
    ON_COMMAND(ID_SNAP_NEW, OnNewSnap)
    ON_COMMAND(ID_SNAP_FULLSCREEN, OnSnapFullScreen)
    ON_COMMAND(ID_SNAP_ACTIVE_WIN, OnSnapActiveWin)
    ON_COMMAND(ID_SNAP_CURRENT_WIN, OnSnapCurrentWin)
    ON_COMMAND(ID_SNAP_WIN_CLIENT, OnSnapWinClient)
    ON_COMMAND(ID_SNAP_WIN_OBJ, OnSnapWinObj)
    ON_COMMAND(ID_SNAP_SELECT_RECT, OnSnapSelectRect)
    ON_UPDATE_COMMAND_UI(ID_SNAP_FULLSCREEN, OnUpdateSnapFullScreen)
    ON_UPDATE_COMMAND_UI(ID_SNAP_ACTIVE_WIN, OnUpdateSnapActiveWin)
    ON_UPDATE_COMMAND_UI(ID_SNAP_CURRENT_WIN, OnUpdateSnapCurrentWin)
    ON_UPDATE_COMMAND_UI(ID_SNAP_WIN_CLIENT, OnUpdateSnapWinClient)
    ON_UPDATE_COMMAND_UI(ID_SNAP_WIN_OBJ, OnUpdateSnapWinObj)
    ON_UPDATE_COMMAND_UI(ID_SNAP_SELECT_RECT, OnUpdateSnapSelectRect)
    // The effects' id ranges: kEffectCommandRanges and kEffectControlRanges.
    ON_COMMAND_RANGE(ID_EFFECT_GRAYSCALE, ID_EFFECT_NEGATE, OnEffectCommand)
    ON_COMMAND_RANGE(ID_EFFECT_FLIP_HORZ, ID_EFFECT_SHARPEN, OnEffectCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EFFECT_GRAYSCALE, ID_EFFECT_NEGATE, OnUpdateEffect)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EFFECT_FLIP_HORZ, ID_EFFECT_SHARPEN, OnUpdateEffect)
    ON_COMMAND(ID_SHOW_HIDE, OnShowHide)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_GRAYSCALE, IDC_NEGATE, OnEffectClicked)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FLIP_HORZ, IDC_SCALE, OnEffectClicked)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SHEAR_ACROSS, IDC_SHARPEN, OnEffectClicked)
    ON_CONTROL(STN_CLICKED, IDC_PREVIEW, OnHelpHomePage)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_SAVE_THUMB, OnFileSaveThumb)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_COPY_THUMB, OnEditCopyThumb)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_AUTO_COPY, OnAutoCopy)
    ON_UPDATE_COMMAND_UI(ID_AUTO_COPY, OnUpdateAutoCopy)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PAGE_SETUP, OnFilePageSetup)
    ON_COMMAND(ID_EDIT_EXTERNAL, OnEditExternal)
    ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
    ON_COMMAND(ID_HELP_HOMEPAGE, OnHelpHomePage)
    ON_COMMAND(ID_HELP_UPDATE, OnHelpUpdate)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_OPTIONS, OnOptions)
END_MESSAGE_MAP()

CTessalyDlg::CTessalyDlg(CWnd* pParent)
    : CDialog(IDD_TESSALY_DIALOG, pParent), m_nSnapType(0), m_bGrayScale(0), m_bNegate(0), m_bScale(0),
      m_bRotate(0), m_bFlipHorz(0), m_bFlipVert(0), m_bShearDown(0), m_bShearAcross(0), m_bBlur(0),
      m_bSharpen(0), m_hIcon(nullptr), m_hHandCursor(nullptr)
{
    const HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    m_hIcon = ::LoadIconW(hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_hHandCursor = ::LoadCursorW(AfxFindResourceHandle(MAKEINTRESOURCEW(IDC_CURSOR_HAND), RT_GROUP_CURSOR),
                                  MAKEINTRESOURCEW(IDC_CURSOR_HAND));
}

CTessalyDlg::~CTessalyDlg() = default;

void CTessalyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_SNAP_TYPE, m_nSnapType);
    DDX_Control(pDX, IDC_PREVIEW, m_stcPreview);
    for (int i = 0; i < kEffectCount; ++i)
        DDX_Check(pDX, Effects()[i].nControlId, this->*Effects()[i].pFlag);
}

BOOL CTessalyDlg::OnInitDialog()
{
    CStartTrace::Mark("dialog-created");
    CDialog::OnInitDialog();
    LoadAccelTable(IDR_MAINFRAME);

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        wchar_t szAbout[128] = {};
        const HINSTANCE hStrings = AfxFindResourceHandle(MAKEINTRESOURCEW(IDS_ABOUTBOX / 16 + 1), RT_STRING);
        if (::LoadStringW(hStrings, IDS_ABOUTBOX, szAbout, 128) > 0) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, szAbout);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_bmpDefault.Attach(CPreviewPainter::LoadPlaceholder(
        AfxFindResourceHandle(MAKEINTRESOURCEW(IDB_DEFAULT_PREVIEW), RT_BITMAP), IDB_DEFAULT_PREVIEW));

    m_Core.InitVoruzev(this, &m_stcPreview);
    CStartTrace::Mark("settings");
    // The template is topmost; the settings, loaded now, decide.
    COptionsCommand::ApplyKeepOnTop(this, m_Core.m_config);
    CenterWindow();
    m_nSnapType = m_Core.m_config.GetSnapMode();
    SyncEffects(FALSE);
    UpdateData(FALSE);
    SetWindowText(m_Core.m_config.GetAppName());
    // The dialog shows itself when this returns; the rest waits for its
    // first paint.
    PostMessage(WM_FINISH_START);
    CStartTrace::Mark("init-dialog");
    return TRUE;
}

LRESULT CTessalyDlg::OnFinishStart(WPARAM, LPARAM)
{
    UpdateWindow();
    CStartTrace::Mark("first-paint");

    EnableToolTips(TRUE);
    m_ToolTip.Create(this, 0);
    m_ToolTip.Activate(TRUE);
    m_ToolTip.AddTool(&m_stcPreview, g_szPreviewTip, nullptr, 0);
    RegisterHotKeys(FALSE);
    CStartTrace::Mark("hot-keys");
    HICON frames[1] = { m_hIcon };
    if (!m_TrayIcon.AddAnimatedToTray(this, TRAY_ICON_ID, m_Core.m_config.GetAppName(), frames, 1, TRAY_FRAME_MS,
                                      WM_TRAY_NOTIFY))
        AfxMessageBox(g_szTrayFailed, MB_OK | MB_ICONERROR);
    CStartTrace::Mark("tray-icon");
    return 0;
}

BOOL CTessalyDlg::IsTrayIconAdded() const
{
    return m_TrayIcon.IsAdded();
}

BOOL CTessalyDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CTessalyDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAppAbout();
    else if (nID == SC_MINIMIZE)
        ShowWindow(SW_HIDE);
    else
        Default();
}

void CTessalyDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = ::GetSystemMetrics(SM_CXICON);
        const int cyIcon = ::GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        ::DrawIcon(dc.GetSafeHdc(), (rect.Width() - cxIcon + 1) / 2, (rect.Height() - cyIcon + 1) / 2, m_hIcon);
        return;
    }
    Default();
    DrawPreview(FALSE);
}

HCURSOR CTessalyDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CTessalyDlg::DrawPreview(BOOL bPrint)
{
    if (m_stcPreview.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_stcPreview.GetClientRect(&rect);
    int x = 0;
    int y = 0;
    Gdiplus::Image* pImage = m_Core.GetImage();
    Gdiplus::Image* pThumb = pImage != nullptr ? m_Core.GetThubImage(x, y) : nullptr;
    if (!bPrint) {
        CClientDC dc(&m_stcPreview);
        CPreviewPainter::Draw(dc.GetSafeHdc(), rect, m_bmpDefault, pImage, pThumb, x, y);
        return;
    }
    CPrintJob job(this);
    if (!job.ChoosePrinter() || !job.StartPage(g_szPrintDocName))
        return;
    CPreviewPainter::Draw(job.GetDC(), rect, m_bmpDefault, pImage, pThumb, x, y);
    job.EndPage();
}

void CTessalyDlg::OnDestroy()
{
    CDialog::OnDestroy();
    m_Core.CloseVoruzev();
    RegisterHotKeys(TRUE);
    m_bmpDefault.DeleteObject();
    m_TrayIcon.RemoveFromTray();
}

BOOL CTessalyDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() == m_stcPreview.GetSafeHwnd() && m_hHandCursor != nullptr) {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    (void)nHitTest;
    (void)message;
    return static_cast<BOOL>(Default());
}

// ---------------------------------------------------------------- captures

void CTessalyDlg::Snap(int (CTesCore::*pfnSnap)())
{
    if ((m_Core.*pfnSnap)() != 0)
        DrawPreview(FALSE);
    m_nSnapType = m_Core.m_config.GetSnapMode();
    UpdateData(FALSE);
    // The engine showed this window again; a dialog it waits for goes back on top.
    CModalFront::BringForward(m_hWnd);
}

void CTessalyDlg::OnNewSnap()
{
    static int (CTesCore::*const modes[])() = {
        &CTesCore::SnapFullScreen, &CTesCore::SnapActiveWin, &CTesCore::SnapCurrentWin,
        &CTesCore::SnapWinClient, &CTesCore::SnapWinObj, &CTesCore::SnapSelectRect,
    };
    UpdateData(TRUE);
    if (m_nSnapType >= 0 && m_nSnapType < static_cast<int>(sizeof(modes) / sizeof(modes[0])))
        Snap(modes[m_nSnapType]);
}

void CTessalyDlg::OnSnapFullScreen() { Snap(&CTesCore::SnapFullScreen); }
void CTessalyDlg::OnSnapActiveWin() { Snap(&CTesCore::SnapActiveWin); }
void CTessalyDlg::OnSnapCurrentWin() { Snap(&CTesCore::SnapCurrentWin); }
void CTessalyDlg::OnSnapWinClient() { Snap(&CTesCore::SnapWinClient); }
void CTessalyDlg::OnSnapWinObj() { Snap(&CTesCore::SnapWinObj); }
void CTessalyDlg::OnSnapSelectRect() { Snap(&CTesCore::SnapSelectRect); }

void CTessalyDlg::UpdateSnapRadio(CCmdUI* pCmdUI, int nMode)
{
    pCmdUI->SetRadio(m_Core.m_config.GetSnapMode() == nMode);
}

void CTessalyDlg::OnUpdateSnapFullScreen(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_FULL_SCREEN); }
void CTessalyDlg::OnUpdateSnapActiveWin(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_ACTIVE_WIN); }
void CTessalyDlg::OnUpdateSnapCurrentWin(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_CURRENT_WIN); }
void CTessalyDlg::OnUpdateSnapWinClient(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_WIN_CLIENT); }
void CTessalyDlg::OnUpdateSnapWinObj(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_WIN_OBJ); }
void CTessalyDlg::OnUpdateSnapSelectRect(CCmdUI* pCmdUI) { UpdateSnapRadio(pCmdUI, SNAP_SELECT_RECT); }

void CTessalyDlg::OnShowHide()
{
    ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
    // Shown while one of its dialogs runs: that dialog stays in front.
    CModalFront::BringForward(m_hWnd);
}

// ---------------------------------------------------------------- effects

const CTessalyDlg::EffectRow* CTessalyDlg::Effects()
{
    static constexpr EffectRow kRows[kEffectCount] = {
        { ID_EFFECT_GRAYSCALE, IDC_GRAYSCALE, &CTessalyDlg::m_bGrayScale, &CTesConfig::GetGrayScale,
          &CTesConfig::SetGrayScale },
        { ID_EFFECT_NEGATE, IDC_NEGATE, &CTessalyDlg::m_bNegate, &CTesConfig::GetNegate, &CTesConfig::SetNegate },
        { ID_EFFECT_FLIP_HORZ, IDC_FLIP_HORZ, &CTessalyDlg::m_bFlipHorz, &CTesConfig::GetFlipHorz,
          &CTesConfig::SetFlipHorz },
        { ID_EFFECT_FLIP_VERT, IDC_FLIP_VERT, &CTessalyDlg::m_bFlipVert, &CTesConfig::GetFlipVert,
          &CTesConfig::SetFlipVert },
        { ID_EFFECT_ROTATE, IDC_ROTATE, &CTessalyDlg::m_bRotate, &CTesConfig::GetRotate, &CTesConfig::SetRotate },
        { ID_EFFECT_SCALE, IDC_SCALE, &CTessalyDlg::m_bScale, &CTesConfig::GetScale, &CTesConfig::SetScale },
        { ID_EFFECT_SHEAR_ACROSS, IDC_SHEAR_ACROSS, &CTessalyDlg::m_bShearAcross, &CTesConfig::GetShearAcross,
          &CTesConfig::SetShearAcross },
        { ID_EFFECT_SHEAR_DOWN, IDC_SHEAR_DOWN, &CTessalyDlg::m_bShearDown, &CTesConfig::GetShearDown,
          &CTesConfig::SetShearDown },
        { ID_EFFECT_BLUR, IDC_BLUR, &CTessalyDlg::m_bBlur, &CTesConfig::GetBlur, &CTesConfig::SetBlur },
        { ID_EFFECT_SHARPEN, IDC_SHARPEN, &CTessalyDlg::m_bSharpen, &CTesConfig::GetSharpen,
          &CTesConfig::SetSharpen },
    };
    static_assert(FillsRanges(kRows, &EffectRow::nCommand, kEffectCommandRanges),
                  "the effect commands must fill the message map's command ranges");
    static_assert(FillsRanges(kRows, &EffectRow::nControlId, kEffectControlRanges),
                  "the effect check boxes must fill the message map's control ranges");
    return kRows;
}

int* CTessalyDlg::EffectFlag(UINT nID)
{
    for (int i = 0; i < kEffectCount; ++i) {
        const EffectRow& row = Effects()[i];
        if (nID == row.nCommand || nID == static_cast<UINT>(row.nControlId))
            return &(this->*row.pFlag);
    }
    return nullptr;
}

void CTessalyDlg::SyncEffects(BOOL bSave)
{
    CTesConfig& config = m_Core.m_config;
    if (bSave)
        UpdateData(TRUE);
    for (int i = 0; i < kEffectCount; ++i) {
        const EffectRow& row = Effects()[i];
        if (bSave)
            (config.*row.pfnSet)(this->*row.pFlag);
        else
            this->*row.pFlag = (config.*row.pfnGet)();
    }
    if (!bSave)
        UpdateData(FALSE);
}

void CTessalyDlg::ApplyEffects()
{
    SyncEffects(TRUE);
    m_Core.RefreshImageData();
    Invalidate(TRUE);
}

void CTessalyDlg::OnEffectClicked(UINT)
{
    ApplyEffects();
}

void CTessalyDlg::OnEffectCommand(UINT nID)
{
    int* pFlag = EffectFlag(nID);
    if (pFlag == nullptr)
        return;
    *pFlag = !*pFlag;
    UpdateData(FALSE);
    ApplyEffects();
}

void CTessalyDlg::OnUpdateEffect(CCmdUI* pCmdUI)
{
    const int* pFlag = EffectFlag(pCmdUI->m_nID);
    if (pFlag != nullptr)
        pCmdUI->SetCheck(*pFlag ? 1 : 0);
}

LRESULT CTessalyDlg::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, TRUE);
    CMenu* pMenuBar = GetMenu();
    if (pMenuBar == nullptr)
        return 0;
    const int nPopups = pMenuBar->GetMenuItemCount();
    for (int i = 0; i < nPopups; ++i) {
        CMenu* pPopup = pMenuBar->GetSubMenu(i);
        if (pPopup == nullptr)
            continue;
        UpdateMenuCommandUI(pPopup, FALSE);
        const int nItems = pPopup->GetMenuItemCount();
        for (int j = 0; j < nItems; ++j) {
            CMenu* pNested = pPopup->GetSubMenu(j);
            if (pNested != nullptr)
                UpdateMenuCommandUI(pNested, FALSE);
        }
    }
    return 0;
}

// ---------------------------------------------------------------- hot keys and tray

void CTessalyDlg::RegisterHotKeys(BOOL bUnregisterOnly)
{
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow)
        ::UnregisterHotKey(m_hWnd, CHotKeyTable::GetId(nRow));
    if (bUnregisterOnly)
        return;
    for (int nRow = 0; nRow < CHotKeyTable::COUNT; ++nRow) {
        WORD wModifier = 0;
        WORD wVk = 0;
        CHotKeyTable::GetKey(m_Core.m_config, nRow, wModifier, wVk);
        if (!CHotKeyTable::Register(m_hWnd, nRow, wModifier, wVk))
            AfxMessageBox(CHotKeyTable::GetFailureMessage(nRow, wVk), MB_OK);
    }
}

void CTessalyDlg::OnHotKey(UINT nHotKeyId, UINT, UINT)
{
    // A hot key runs its row's command, as the menu and the tray do.
    const int nRow = static_cast<int>(nHotKeyId) - CHotKeyTable::FIRST_ID;
    if (nRow >= 0 && nRow < CHotKeyTable::COUNT)
        SendMessage(WM_COMMAND, CHotKeyTable::GetRow(nRow).nCommand, 0);
}

LRESULT CTessalyDlg::OnTrayMessage(WPARAM wParam, LPARAM lParam)
{
    // While a dialog of this window runs, a click that would open the menu or
    // show and hide the window brings that dialog forward and does no more.
    const bool bActs = lParam == WM_RBUTTONUP || lParam == WM_LBUTTONDBLCLK;
    if (wParam == TRAY_ICON_ID && bActs && CModalFront::BringForward(m_hWnd))
        return 1;
    return m_TrayIcon.HandleNotifyMessage(wParam, lParam);
}

// ---------------------------------------------------------------- picture commands

BOOL CTessalyDlg::DialogAlreadyOpen()
{
    // A command that opens a dialog while one of ours runs (queued before it
    // opened, or sent by another program) brings the open one forward
    // instead: the two would end in either order, and the first would write
    // its old values over the second's.
    return CModalFront::BringForward(m_hWnd);
}

void CTessalyDlg::OnFileOpen()
{
    if (DialogAlreadyOpen())
        return;
    const int bOpened = m_Core.OpenImage(CString());
    // Opening switches every effect off in the settings (a cancelled open
    // changes nothing): the boxes and menu marks follow.
    SyncEffects(FALSE);
    if (bOpened != 0)
        Invalidate(TRUE);
}

void CTessalyDlg::SavePicture(const CString& strPathName, int bThumbnail)
{
    if (DialogAlreadyOpen())
        return;
    if (m_Core.SaveImage(strPathName, bThumbnail) == 0 && !m_Core.GetFailedSavePath().IsEmpty())
        AfxMessageBox(CSaveFailureMessage::Format(m_Core.GetFailedSavePath(), m_Core.GetSaveError()),
                      MB_OK | MB_ICONERROR);
}

void CTessalyDlg::OnFileSave()
{
    // A picture opened from a format that no encoder writes (.ico, .wmf,
    // .emf) is saved under a name chosen in the save-as dialog.
    CString strPathName = m_Core.GetPathName();
    if (!strPathName.IsEmpty() && !m_Core.HasEncoderFor(strPathName))
        strPathName.Empty();
    SavePicture(strPathName, 0);
}

void CTessalyDlg::OnFileSaveAs()
{
    SavePicture(CString(), 0);
}

void CTessalyDlg::OnFileSaveThumb()
{
    SavePicture(CString(), 1);
}

void CTessalyDlg::OnEditCopy() { m_Core.CopyImageData(0); }
void CTessalyDlg::OnEditCopyThumb() { m_Core.CopyImageData(1); }

void CTessalyDlg::OnEditPaste()
{
    if (m_Core.PasteImageData() != 0)
        Invalidate(TRUE);
}

void CTessalyDlg::OnEditClear()
{
    m_Core.ClearGdiplusImage();
    Invalidate(TRUE);
}

void CTessalyDlg::OnAutoCopy()
{
    m_Core.m_config.SetAutoCopy(!m_Core.m_config.GetAutoCopy());
}

void CTessalyDlg::OnUpdateAutoCopy(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_Core.m_config.GetAutoCopy() ? 1 : 0);
}

void CTessalyDlg::OnFilePrint()
{
    if (DialogAlreadyOpen())
        return;
    DrawPreview(TRUE);
}

void CTessalyDlg::OnFilePageSetup()
{
    if (DialogAlreadyOpen())
        return;
    // The choices are not kept: printing always starts from the default printer.
    CPrintDialog setup(TRUE);
    setup.DoModal();
}

void CTessalyDlg::OnEditExternal()
{
    const CString strEditor = m_Core.m_config.GetEditAppPath();
    if (strEditor.IsEmpty()) {
        AfxMessageBox(g_szNoEditor, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_Core.GetPathName().IsEmpty())
        SavePicture(CString(), 0);
    const CEditorCommand command(strEditor, m_Core.GetPathName());
    ::ShellExecuteW(nullptr, L"open", command.GetProgram(),
                    command.GetParameters().IsEmpty() ? nullptr : static_cast<LPCWSTR>(command.GetParameters()),
                    command.GetDirectory().IsEmpty() ? nullptr : static_cast<LPCWSTR>(command.GetDirectory()),
                    SW_SHOW);
}

void CTessalyDlg::OnHelpTopics()
{
    ::ShellExecuteW(nullptr, L"open", g_szProductPage, nullptr, L"", SW_SHOWMAXIMIZED);
}

void CTessalyDlg::OnHelpHomePage()
{
    ::ShellExecuteW(nullptr, L"open", g_szHomePage, nullptr, L"", SW_SHOWMAXIMIZED);
}

void CTessalyDlg::OnHelpUpdate()
{
    CString strUpdater = CHelper::GetAppPath();
    strUpdater += g_szUpdater;
    ::ShellExecuteW(nullptr, L"open", strUpdater, nullptr, L"", SW_SHOW);
}

void CTessalyDlg::OnAppAbout()
{
    if (DialogAlreadyOpen())
        return;
    CDlgAbout about;
    about.DoModal();
}

void CTessalyDlg::OnOptions()
{
    if (DialogAlreadyOpen())
        return;
    RegisterHotKeys(TRUE);
    COptionsCommand::Run(this, m_Core.m_config);
    RegisterHotKeys(FALSE);
    m_Core.RefreshImageData();
    Invalidate(TRUE);
}
