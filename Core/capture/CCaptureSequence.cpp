// CCaptureSequence: the steps around every capture (see CCaptureSequence.h).
#include "CCaptureSequence.h"

#include "CHelper.h"
#include "CPictureStore.h"
#include "CScreenGrabber.h"
#include "CSystemLibrary.h"
#include "CTesConfig.h"
#include "CWnd.h"

#include <mmsystem.h>

#include <memory>

namespace {

// The client area of hWnd in the coordinates of its whole window: the
// window's outer corner seen from the client origin is (W.left, W.top).
// Empty when it cannot be measured.
CRect ClientAreaInWindow(HWND hWnd)
{
    CRect rcWindow;
    CRect rcClient;
    if (!::GetWindowRect(hWnd, &rcWindow) || !::ScreenToClient(hWnd, reinterpret_cast<POINT*>(&rcWindow.left)) ||
        !::ScreenToClient(hWnd, reinterpret_cast<POINT*>(&rcWindow.right)) || !::GetClientRect(hWnd, &rcClient))
        return CRect(0, 0, 0, 0);
    return CRect(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top, rcClient.right - rcWindow.left,
                 rcClient.bottom - rcWindow.top);
}

} // namespace

CCaptureSequence::CCaptureSequence(CTesConfig& config, CPictureStore& store)
    : m_config(config), m_store(store), m_pMainWnd(nullptr), m_bStarting(TRUE), m_bEntered{ FALSE, FALSE }
{
}

int CCaptureSequence::Run(const Mode& mode, const std::function<Target()>& choose)
{
    if (!Enter(mode.guard))
        return 0;
    if (mode.order == RECORD_HIDE_CHOOSE_WAIT)
        Record(mode.nMode);
    HideMainWindow();
    if (mode.order == HIDE_RECORD_CHOOSE_WAIT)
        Record(mode.nMode);
    if (mode.order == HIDE_WAIT_RECORD_CHOOSE) {
        Wait();
        Record(mode.nMode);
    }
    const Target target = choose();
    int nResult = 0;
    if (target.hWnd != nullptr || target.pPicture) {
        if (mode.order != HIDE_WAIT_RECORD_CHOOSE)
            Wait();
        nResult = Grab(target);
    }
    Leave(mode.guard);
    return nResult;
}

BOOL CCaptureSequence::Enter(Guard guard)
{
    if (m_bEntered[guard])
        return FALSE;
    m_bEntered[guard] = TRUE;
    return TRUE;
}

BOOL CCaptureSequence::IsEntered(Guard guard) const
{
    return m_bEntered[guard];
}

void CCaptureSequence::HideMainWindow()
{
    if (m_config.GetHideMainWnd() && m_pMainWnd != nullptr)
        m_pMainWnd->ShowWindow(SW_HIDE);
}

void CCaptureSequence::Record(int nMode)
{
    if (!m_bStarting)
        m_config.SetSnapMode(nMode);
}

void CCaptureSequence::Wait()
{
    if (m_bStarting) {
        ::Sleep(STARTING_WAIT_MS);
        return;
    }
    // The stored value is taken as it was typed: a negative number waits
    // nothing, anything above the limit waits the limit.
    const int nDelay = static_cast<int>(m_config.GetSnapDelayTime());
    ::Sleep(static_cast<DWORD>(nDelay < 0 ? 0 : (nDelay > MAX_WAIT_MS ? static_cast<int>(MAX_WAIT_MS) : nDelay)));
}

void CCaptureSequence::PlaySnapSound()
{
    if (!m_config.GetPlaySnapSound() || m_bStarting)
        return;
    // winmm is not a known DLL of the system: taken from the system folder at
    // the first sound, never from beside the program. Without it, no sound.
    typedef BOOL(WINAPI * SndPlaySoundFunction)(LPCWSTR, UINT);
    static CSystemLibrary winmm(L"winmm.dll");
    const auto pSndPlaySound = winmm.GetFunction<SndPlaySoundFunction>("sndPlaySoundW");
    if (pSndPlaySound == nullptr)
        return;
    const CString strSound = CHelper::GetAppPath() + L"snap.wav";
    pSndPlaySound(strSound, SND_ASYNC);
}

int CCaptureSequence::Grab(const Target& target)
{
    if (target.pPicture) {
        PlaySnapSound();
        std::unique_ptr<CImageBitmap> pPicture(new CImageBitmap);
        pPicture->TakeOver(*target.pPicture);
        return m_store.StoreGrab(std::move(pPicture)) ? 1 : 0;
    }
    // The window may have gone during the wait.
    if (target.hWnd == nullptr || !::IsWindow(target.hWnd))
        return 0;
    PlaySnapSound();
    if (!target.bClientArea)
        return GrabAndStore(target.hWnd, target.rect);
    // An empty client area would mean the whole window: no grab.
    const CRect rcClient = ClientAreaInWindow(target.hWnd);
    return rcClient.IsRectEmpty() ? 0 : GrabAndStore(target.hWnd, rcClient);
}

int CCaptureSequence::GrabAndStore(HWND hWnd, const CRect& rect)
{
    if (hWnd == nullptr)
        return 0;
    return m_store.StoreGrab(std::unique_ptr<CImageBitmap>(CScreenGrabber::Grab(hWnd, rect))) ? 1 : 0;
}

void CCaptureSequence::Leave(Guard guard)
{
    if (m_config.GetHideMainWnd() && m_pMainWnd != nullptr)
        m_pMainWnd->ShowWindow(SW_SHOW);
    m_store.EmptyNames();
    if (m_config.GetAutoCopy())
        m_store.Copy(0);
    m_bEntered[guard] = FALSE;
}
