// CTesCore: the capture engine (see CTesCore.h): its life cycle, the six
// modes as orders of the capture sequence, and the hidden window's messages.
#include "CTesCore.h"

#include "CCaptureSequence.h"
#include "CDlgActiveWin.h"
#include "CDlgSnapObjHelper.h"
#include "CDlgSnapRectHelper.h"
#include "CObjectPick.h"
#include "CPictureStore.h"
#include "CQualifyingWindows.h"
#include "CScreenGrabber.h"
#include "CTesHook.h"
#include "CTesLocalResource.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

IMPLEMENT_DYNAMIC(CTesCore, CWnd)

BEGIN_MESSAGE_MAP(CTesCore, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_ES_LBUTTONDOWN, OnEsLButtonDown)
    ON_MESSAGE(WM_ES_MOUSEMOVE, OnEsMouseMove)
    ON_MESSAGE(WM_ES_RBUTTONDOWN, OnEsRButtonDown)
END_MESSAGE_MAP()

static_assert(int(CTesCore::PICK_TIMER_ID) == int(CObjectPick::TIMER_ID) &&
                  int(CTesCore::PICK_TIMER_MS) == int(CObjectPick::TIMER_MS),
              "the engine names the pick's timer");
static_assert(int(CTesCore::MAX_SNAP_DELAY) == int(CCaptureSequence::MAX_WAIT_MS), "one limit on the capture delay");
static_assert(CTesCore::HIDDEN_WND_ID == TES_CORE_WINDOW_ID, "the hook finds the engine's window by its id");

namespace {

typedef CCaptureSequence Sequence;

// The modes with their guard and the order of their first steps.
const Sequence::Mode kFullScreen = { SNAP_FULL_SCREEN, Sequence::GUARD_BUSY, Sequence::HIDE_WAIT_RECORD_CHOOSE };
const Sequence::Mode kActiveWin = { SNAP_ACTIVE_WIN, Sequence::GUARD_BUSY, Sequence::HIDE_RECORD_CHOOSE_WAIT };
const Sequence::Mode kCurrentWin = { SNAP_CURRENT_WIN, Sequence::GUARD_BUSY, Sequence::RECORD_HIDE_CHOOSE_WAIT };
const Sequence::Mode kWinClient = { SNAP_WIN_CLIENT, Sequence::GUARD_BUSY, Sequence::HIDE_RECORD_CHOOSE_WAIT };
const Sequence::Mode kSelectRect = { SNAP_SELECT_RECT, Sequence::GUARD_REGION, Sequence::HIDE_WAIT_RECORD_CHOOSE };

Sequence::Target WholeWindow(HWND hWnd)
{
    return Sequence::Target{ hWnd, CRect(0, 0, 0, 0), FALSE, nullptr };
}

} // namespace

CTesCore::CTesCore()
    : m_gdiplusToken(0), m_bGdiplusStarted(FALSE), m_pStore(new CPictureStore(m_config)), m_pHook(new CTesHook),
      m_pSnapObjHelper(new CDlgSnapObjHelper(nullptr)), m_pPick(new CObjectPick(*m_pSnapObjHelper)),
      m_pSequence(new CCaptureSequence(m_config, *m_pStore))
{
}

CTesCore::~CTesCore() = default;

// ---------------------------------------------------------------------------
// Life cycle

int CTesCore::InitGdiplus()
{
    Gdiplus::GdiplusStartupInput input;   // version 1, no callback, thread and codecs on
    m_bGdiplusStarted = Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) == Gdiplus::Ok;
    return m_bGdiplusStarted ? 1 : 0;
}

void CTesCore::TermGdiplus()
{
    if (!m_bGdiplusStarted)
        return;
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_bGdiplusStarted = FALSE;
    m_gdiplusToken = 0;
}

int CTesCore::InitVoruzev(CWnd* pMainWnd, CWnd* pPreviewWnd)
{
    InitGdiplus();
    m_config.LoadConfig();
    if (pMainWnd == nullptr || pPreviewWnd == nullptr)
        return 0;
    m_pStore->SetWindows(pMainWnd, pPreviewWnd);
    m_pSequence->SetMainWindow(pMainWnd);
    const BOOL bCreated = Create(nullptr, nullptr, 0, CRect(0, 0, 0, 0), pMainWnd, HIDDEN_WND_ID);
    if (m_config.GetSnapOnStart())
        SnapFullScreen();
    m_pSequence->EndStartUp();
    return bCreated ? 1 : 0;
}

void CTesCore::CloseVoruzev()
{
    ClearGdiplusImage();
    TermGdiplus();
    m_config.SaveConfig();
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// The capture modes

int CTesCore::SnapFullScreen()
{
    return m_pSequence->Run(kFullScreen, [] { return WholeWindow(::GetDesktopWindow()); });
}

int CTesCore::SnapActiveWin()
{
    return m_pSequence->Run(kActiveWin, [this] {
        const HWND hTarget = ChooseWindowFromList();
        if (hTarget != nullptr)
            ::SetForegroundWindow(hTarget);
        return WholeWindow(hTarget);
    });
}

int CTesCore::SnapCurrentWin()
{
    return m_pSequence->Run(kCurrentWin, [] {
        CQualifyingWindows windows;
        return WholeWindow(windows.Enumerate() > 0 ? windows.GetWindow(0) : nullptr);
    });
}

int CTesCore::SnapWinClient()
{
    return m_pSequence->Run(kWinClient, [this] {
        return Sequence::Target{ ChooseWindowFromList(), CRect(0, 0, 0, 0), TRUE, nullptr };
    });
}

int CTesCore::SnapSelectRect()
{
    // A second region capture while one runs changes nothing at all.
    if (m_pSequence->IsEntered(Sequence::GUARD_REGION))
        return 0;
    // A pick in progress would lose the mouse to the selector: end it first.
    if (IsPickRunning())
        EndObjectPick(FALSE);
    return m_pSequence->Run(kSelectRect, [] {
        CTesLocalResource resourceScope;
        CDlgSnapRectHelper dlg(nullptr);
        dlg.DoModal();
        // The picture is the selected part of the frozen screen, as the user
        // saw it: the screen itself may still show the overlay's band and tip
        // where the windows under it have not repainted yet.
        Sequence::Target target = WholeWindow(nullptr);
        target.pPicture.reset(dlg.CutSelection());
        return target;
    });
}

HWND CTesCore::ChooseWindowFromList()
{
    CTesLocalResource resourceScope;
    CDlgActiveWin dlg(nullptr);
    dlg.DoModal();
    return dlg.GetSelectedWindow();
}

CImageBitmap* CTesCore::SnapBitmap(HWND hWnd, CRect rect)
{
    return CScreenGrabber::Grab(hWnd, rect);
}

int CTesCore::SnapRect(HWND hWnd, CRect rect)
{
    return m_pSequence->GrabAndStore(hWnd, rect);
}

void CTesCore::PlaySnapSound()
{
    m_pSequence->PlaySnapSound();
}

int CTesCore::CheckWindowValidity(HWND hWnd, int bExcludeFound)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return 0;
    if (bExcludeFound && hWnd == m_pPick->GetFoundWindow())
        return 0;
    return 1;
}

// ---------------------------------------------------------------------------
// The image store

void CTesCore::RefreshImageData()
{
    m_pStore->Refresh();
}

Gdiplus::Image* CTesCore::GetImage() const
{
    return m_pStore->GetImage();
}

Gdiplus::Image* CTesCore::GetThubImage(int& x, int& y) const
{
    return m_pStore->GetThumbnail(x, y);
}

void CTesCore::ClearGdiplusImage()
{
    m_pStore->Clear();
}

Gdiplus::Image* CTesCore::ConvertImage(HBITMAP hBitmap)
{
    return m_pStore->ConvertImage(hBitmap);
}

CBitmap* CTesCore::ConvertImage(Gdiplus::Image* pImage)
{
    return m_pStore->ConvertImage(pImage);
}

void CTesCore::SetThubImage(Gdiplus::Image* pImage)
{
    m_pStore->SetThumbnail(pImage);
}

void CTesCore::ResetBitmapData(HBITMAP hBitmap)
{
    m_pStore->ResetBuffers(hBitmap);
}

int CTesCore::CopyImageData(int bThumbnail)
{
    return m_pStore->Copy(bThumbnail);
}

int CTesCore::PasteImageData()
{
    return m_pStore->Paste();
}

int CTesCore::OpenImage(CString strPathName)
{
    return m_pStore->Open(strPathName);
}

int CTesCore::SaveImage(CString strPathName, int bThumbnail)
{
    return m_pStore->Save(strPathName, bThumbnail);
}

CString CTesCore::GetFailedSavePath() const
{
    return m_pStore->GetFailedPath();
}

DWORD CTesCore::GetSaveError() const
{
    return m_pStore->GetSaveError();
}

int CTesCore::HasEncoderFor(CString strPathName) const
{
    return CPictureStore::HasEncoderFor(strPathName) ? 1 : 0;
}

CString CTesCore::GetPathName() const
{
    return m_pStore->GetPathName();
}

CString CTesCore::GetFileName() const
{
    return m_pStore->GetFileName();
}

void CTesCore::SetPathName(CString strPathName)
{
    m_pStore->SetPathName(strPathName);
}

void CTesCore::SetFileName(CString strFileName)
{
    m_pStore->SetFileName(strFileName);
}

// ---------------------------------------------------------------------------
// Object pick

int CTesCore::SnapWinObj()
{
    if (!::IsWindow(m_hWnd) || !m_pSequence->Enter(Sequence::GUARD_BUSY))
        return 0;
    m_pSequence->HideMainWindow();
    m_pSequence->Record(SNAP_WIN_OBJ);
    m_pPick->Start(m_hWnd);
    m_pPick->RunTip();
    // The tip ended without the click (cancelled, or it could not open).
    if (m_pPick->IsPicking())
        EndObjectPick(FALSE);
    return 1;
}

BOOL CTesCore::IsPickRunning() const
{
    return m_pPick->IsPicking();
}

void CTesCore::EndObjectPick(BOOL bCapture)
{
    // The tip and the frame go first; the delay then lets the screen repaint
    // where they were before the grab.
    const HWND hFound = m_pPick->Stop(bCapture ? 1 : IDCANCEL);
    if (bCapture && hFound != nullptr) {
        m_pSequence->Wait();
        m_pSequence->Grab(WholeWindow(hFound));
    }
    m_pSequence->Leave(Sequence::GUARD_BUSY);
}

void CTesCore::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != PICK_TIMER_ID) {
        Default();
        return;
    }
    if (!m_pPick->IsPicking())
        return;
    m_pPick->OnTimerTick();
    Default();
}

LRESULT CTesCore::OnEsMouseMove(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_pPick->IsPicking())
        m_pPick->OnMouseMove();
    return 0;
}

LRESULT CTesCore::OnEsLButtonDown(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_pPick->IsPicking() && m_pPick->IsTipOpen())
        EndObjectPick(TRUE);
    return 0;
}

LRESULT CTesCore::OnEsRButtonDown(WPARAM, LPARAM)
{
    if (m_config.GetSnapMode() == SNAP_WIN_OBJ && m_pPick->IsPicking() && m_pPick->IsTipOpen())
        EndObjectPick(FALSE);
    return 0;
}

int CTesCore::HighlightFoundWindow(HWND hWnd)
{
    m_pPick->HighlightFoundWindow(hWnd);
    return 0;
}

int CTesCore::RefreshFoundWindow(HWND hWnd)
{
    CObjectPick::RefreshFoundWindow(hWnd);
    return 0;
}

void CTesCore::LocateSnapObjTip()
{
    m_pPick->LocateSnapObjTip();
}
