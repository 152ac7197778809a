// SoakRun: the soak test's actions and checks (see SoakRun.h).
#include "SoakRun.h"

#include <commctrl.h>
#include <dlgs.h>
#include <prsht.h>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <set>

#include "ConfigCheck.h"
#include "InputSender.h"
#include "OptionsTrayResource.h"
#include "RemoteWindows.h"
#include "resource.h"

using guitest::InputSender;
using guitest::ProcessUsage;
using guitest::RemoteWindows;

namespace soak {

namespace {

const wchar_t kSheetTitle[] = L"参数设置";
const wchar_t kAboutTitle[] = L"关于 Brivane Tessaly";
const wchar_t kChooserTitle[] = L"活动程序窗口";

// The tray icon's callback message and icon id.
const UINT WM_TRAY_NOTIFY = WM_USER + 100;
const WPARAM TRAY_ICON_ID = 131;

const DWORD PROBE_MS = 5000;
const DWORD SETTLE_MS = 30000;

// A leak grows with the actions, while the start and the first use of a
// feature load what they need once: growth is measured from the sample taken
// halfway through one run of the program (and at least ten actions in) to
// the last, within these tolerances.
const int SAMPLE_EVERY = 5;
const long HANDLE_TOLERANCE = 40;
const long USER_TOLERANCE = 20;
const long GDI_TOLERANCE = 40;
const long WINDOW_TOLERANCE = 5;

// The eight hot keys with their default keys, in registration order.
struct HotKeyRow
{
    WORD wModifier; // 0 or VK_CONTROL
    WORD wVk;
    bool bCapture;
    const wchar_t* pszName;
};
const HotKeyRow kHotKeys[] = {
    { 0, VK_SNAPSHOT, true, L"Print Screen" },
    { VK_CONTROL, VK_SNAPSHOT, true, L"Ctrl+Print Screen" },
    { 0, VK_F3, true, L"F3" },
    { 0, VK_F4, true, L"F4" },
    { 0, VK_F5, true, L"F5" },
    { 0, VK_F6, true, L"F6" },
    { 0, VK_F7, true, L"F7" },
    { 0, VK_F8, false, L"F8" },
};

const UINT kCaptureCommands[] = { ID_SNAP_FULLSCREEN, ID_SNAP_ACTIVE_WIN,  ID_SNAP_CURRENT_WIN, ID_SNAP_WIN_CLIENT,
                                  ID_SNAP_WIN_OBJ,    ID_SNAP_SELECT_RECT, ID_SNAP_NEW };

const int kEffectBoxes[] = { IDC_GRAYSCALE, IDC_NEGATE,       IDC_FLIP_HORZ,  IDC_FLIP_VERT, IDC_ROTATE,
                             IDC_SCALE,     IDC_SHEAR_ACROSS, IDC_SHEAR_DOWN, IDC_BLUR,      IDC_SHARPEN };

std::wstring TitleOf(HWND hWnd)
{
    wchar_t szTitle[128] = {};
    ::GetWindowTextW(hWnd, szTitle, 128);
    return szTitle;
}

bool HasClass(HWND hWnd, const wchar_t* pszClass)
{
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    return lstrcmpW(szClass, pszClass) == 0;
}

bool IsFileDialog(HWND hWnd)
{
    return HasClass(hWnd, L"#32770") && ::GetDlgItem(hWnd, cmb1) != nullptr;
}

bool CoversScreen(HWND hWnd)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    return rect.right - rect.left >= ::GetSystemMetrics(SM_CXSCREEN) * 9 / 10
           && rect.bottom - rect.top >= ::GetSystemMetrics(SM_CYSCREEN) * 9 / 10;
}

// The main window's dialogs, one at a time.
bool IsMainDialog(HWND hWnd)
{
    const std::wstring title = TitleOf(hWnd);
    return title == kSheetTitle || title == kAboutTitle || IsFileDialog(hWnd);
}

// The windows of a capture, one at a time: the overlay, the window chooser
// and the object pick's untitled tip. A capture may run over a dialog; its
// window then holds the innermost modal loop, which ends first.
bool IsCaptureWindow(HWND hWnd)
{
    const std::wstring title = TitleOf(hWnd);
    return CoversScreen(hWnd) || title == kChooserTitle
           || (title.empty() && HasClass(hWnd, L"#32770") && !IsFileDialog(hWnd));
}

// The text of a message box (its static control), for a report.
std::wstring BoxText(HWND hWnd)
{
    wchar_t szText[256] = {};
    ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 256);
    return szText;
}

bool WaitForFile(const std::wstring& prefix, int nMs)
{
    for (int waited = 0; waited < nMs; waited += 100) {
        WIN32_FIND_DATAW data;
        const HANDLE hFind = ::FindFirstFileW((prefix + L"*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            ::FindClose(hFind);
            return true;
        }
        ::Sleep(100);
    }
    return false;
}

// Keys for an open menu go to its window: the menu's loop reads them off
// the program's queue whatever the focus, while a key sent as input would
// reach the focused main window when the menu has no focus (Esc there
// closes it).
void MenuKey(HWND hMenu, WORD wVk)
{
    ::PostMessageW(hMenu, WM_KEYDOWN, wVk, 1);
    ::PostMessageW(hMenu, WM_KEYUP, wVk, 0xC0000001);
}

} // namespace

SoakRun::SoakRun(const std::wstring& folder, unsigned int nSeed, DWORD nSeconds)
    : m_folder(folder), m_nSeed(nSeed), m_nSeconds(nSeconds), m_random(nSeed)
{
}

bool SoakRun::Run()
{
    const ULONGLONG nStart = ::GetTickCount64();
    const ULONGLONG nEnd = nStart + m_nSeconds * 1000ULL;
    // Four runs of the program at least, none longer than five minutes.
    const ULONGLONG nLifetime = std::min<ULONGLONG>(std::max<ULONGLONG>(m_nSeconds / 4, 30), 300) * 1000ULL;
    ULONGLONG nStarted = ::GetTickCount64();
    if (!StartProgram())
        return false;
    while (::GetTickCount64() < nEnd) {
        if (::GetTickCount64() - nStarted > nLifetime && nEnd - ::GetTickCount64() > 20000) {
            if (!StopProgram() || !StartProgram())
                return false;
            nStarted = ::GetTickCount64();
        }
        Act();
        if (!m_program->Running()) {
            Fault(L"tes.exe ended by itself, exit code " + std::to_wstring(m_program->ExitCode()));
            if (!StartProgram())
                return false;
            nStarted = ::GetTickCount64();
        }
    }
    StopProgram();
    return m_figures.faults.empty();
}

bool SoakRun::StartProgram()
{
    m_program = std::make_unique<TesInstance>();
    if (!m_program->Start(m_folder)) {
        Fault(L"tes.exe did not show its main window within 30 s of its start");
        return false;
    }
    m_hMain = m_program->Main();
    m_nActionsInInstance = 0;
    m_samples.clear();
    m_bHiddenByUs = false;
    Log(L"tes.exe started");
    return true;
}

bool SoakRun::StopProgram()
{
    Settle();
    CheckLeak();
    m_figures.last = ProcessUsage::OfWindow(m_hMain);
    const int nWay = Pick(3);
    if (nWay == 0) {
        Log(L"close: WM_CLOSE");
        Post(WM_CLOSE, 0, 0);
    } else if (nWay == 1) {
        Log(L"close: exit command");
        Post(WM_COMMAND, ID_APP_EXIT, 0);
    } else {
        // The tray menu's last item is the exit command.
        Log(L"close: tray menu exit");
        Post(WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
        if (const HWND hMenu = RemoteWindows::WaitForOther(m_hMain, false, L"#32768", 3000)) {
            MenuKey(hMenu, VK_UP);
            MenuKey(hMenu, VK_RETURN);
        } else {
            Fault(L"the tray menu did not open; closing with WM_CLOSE");
            Post(WM_CLOSE, 0, 0);
        }
    }
    if (!m_program->WaitForEnd(20000)) {
        std::wstring windows;
        for (HWND hWnd : RemoteWindows::Others(m_hMain))
            windows += L" " + RemoteWindows::Describe(hWnd);
        Fault(L"tes.exe did not end within 20 s of its close; windows:" + windows);
        m_program->Kill();
        return true;
    }
    ++m_figures.nRestarts;
    if (m_program->ExitCode() != 0)
        Fault(L"tes.exe ended with exit code " + std::to_wstring(m_program->ExitCode()));
    const std::wstring problem = ConfigCheck::Problem(m_folder + L"\\config.xml");
    if (!problem.empty())
        Fault(L"config.xml after close: " + problem);
    else
        Log(L"tes.exe ended normally; config.xml reads back whole");
    return true;
}

void SoakRun::Act()
{
    struct Row
    {
        Action pfn;
        int nWeight;
    };
    static const Row kActions[] = {
        { &SoakRun::HotKey, 18 },  { &SoakRun::MenuCapture, 12 }, { &SoakRun::TrayDoubleClick, 4 },
        { &SoakRun::TrayMenu, 8 }, { &SoakRun::Effect, 15 },      { &SoakRun::Options, 6 },
        { &SoakRun::About, 5 },    { &SoakRun::Save, 9 },         { &SoakRun::Copy, 8 },
        { &SoakRun::ShowHide, 4 },
    };
    int nTotal = 0;
    for (const Row& row : kActions)
        nTotal += row.nWeight;
    int nPick = Pick(nTotal);
    for (const Row& row : kActions) {
        if (nPick < row.nWeight) {
            ++m_figures.nActions;
            ++m_nActionsInInstance;
            (this->*row.pfn)();
            break;
        }
        nPick -= row.nWeight;
    }
    AfterAction();
}

void SoakRun::AfterAction()
{
    if (!Settle()) {
        m_program->Kill();
        StartProgram();
        return;
    }
    DWORD nMs = 0;
    if (!RemoteWindows::Probe(m_hMain, PROBE_MS, nMs))
        Fault(L"the main window did not answer WM_NULL within 5 s");
    else if (nMs > m_figures.nProbeMaxMs)
        m_figures.nProbeMaxMs = nMs;
    if (m_nActionsInInstance >= SAMPLE_EVERY * static_cast<int>(m_samples.size() + 1)) {
        m_samples.push_back(ProcessUsage::OfWindow(m_hMain));
        if (m_figures.first.nHandles == 0 && m_samples.size() == 2)
            m_figures.first = m_samples.back();
        Log(L"sample: %ls", m_samples.back().Describe().c_str());
    }
}

bool SoakRun::Settle()
{
    const DWORD nStart = ::GetTickCount();
    DWORD nHiddenSince = 0;
    int nStable = 0;
    std::map<HWND, int> tries;
    bool bReentryReported = false;
    while (::GetTickCount() - nStart < SETTLE_MS) {
        if (!m_program->Running())
            return true; // reported by the caller
        std::vector<HWND> others;
        for (HWND hWnd : RemoteWindows::Others(m_hMain)) {
            // Tooltips come and go with the cursor over the main window.
            if (!HasClass(hWnd, TOOLTIPS_CLASSW))
                others.push_back(hWnd);
        }
        if (!others.empty()) {
            nStable = 0;
            nHiddenSince = 0;
            std::wstring listed;
            int nDialogs = 0;
            int nCaptures = 0;
            HWND hNext = others.front();
            for (HWND hWnd : others) {
                nDialogs += IsMainDialog(hWnd);
                if (IsCaptureWindow(hWnd)) {
                    ++nCaptures;
                    hNext = hWnd;
                }
                listed += L" " + RemoteWindows::Describe(hWnd);
            }
            if ((nDialogs > 1 || nCaptures > 1) && !bReentryReported) {
                bReentryReported = true;
                Fault(L"two dialogs or two captures open at once:" + listed);
            }
            if (++tries[hNext] == 20)
                Fault(L"window does not close: " + RemoteWindows::Describe(hNext));
            HandleWindow(hNext);
            ::Sleep(200);
            continue;
        }
        if (!::IsWindowVisible(m_hMain)) {
            nStable = 0;
            const DWORD nNow = ::GetTickCount();
            if (nHiddenSince == 0)
                nHiddenSince = nNow;
            if ((m_bHiddenByUs && nNow - nHiddenSince > 300) || nNow - nHiddenSince > 10000) {
                if (!m_bHiddenByUs)
                    Fault(L"the main window stayed hidden for 10 s with nothing else shown");
                Log(L"  show the main window again");
                Post(WM_COMMAND, ID_SHOW_HIDE, 0);
                m_bHiddenByUs = false;
                nHiddenSince = nNow;
            }
            ::Sleep(100);
            continue;
        }
        nHiddenSince = 0;
        m_bHiddenByUs = false;
        if (++nStable >= 4)
            return true;
        ::Sleep(200);
    }
    std::wstring windows;
    for (HWND hWnd : RemoteWindows::Others(m_hMain))
        windows += L" " + RemoteWindows::Describe(hWnd);
    Fault(L"not back to the main window alone within 30 s; the program is ended and started again; windows:" + windows);
    return false;
}

void SoakRun::HandleWindow(HWND hWnd)
{
    if (!::IsWindowVisible(hWnd))
        return; // gone in the meantime
    const std::wstring title = TitleOf(hWnd);
    const bool bModal = IsMainDialog(hWnd) || title == kChooserTitle;
    if (bModal && ::IsWindowVisible(m_hMain) && RemoteWindows::IsAbove(m_hMain, hWnd) && m_behind.insert(hWnd).second)
        Fault(L"modal window behind the main window: " + RemoteWindows::Describe(hWnd));
    if (CoversScreen(hWnd)) {
        if (Chance(75)) {
            Drag(hWnd);
        } else {
            Log(L"  overlay: Esc");
            InputSender::Key(VK_ESCAPE);
        }
    } else if (HasClass(hWnd, L"#32768")) {
        Log(L"  menu: Esc");
        MenuKey(hWnd, VK_ESCAPE);
    } else if (title == kSheetTitle) {
        const int nPage = Pick(3);
        DWORD_PTR nResult = 0;
        ::SendMessageTimeoutW(hWnd, PSM_SETCURSEL, nPage, 0, SMTO_NORMAL, PROBE_MS, &nResult);
        const bool bOK = Chance(50);
        Log(L"  options: page %d, %ls", nPage, bOK ? L"OK" : L"Cancel");
        ::PostMessageW(hWnd, WM_COMMAND, bOK ? IDOK : IDCANCEL, 0);
    } else if (title == kAboutTitle) {
        Log(L"  about: close");
        ::PostMessageW(hWnd, WM_COMMAND, Chance(50) ? IDOK : IDCANCEL, 0);
    } else if (title == kChooserTitle) {
        const bool bOK = Chance(60);
        Log(L"  window chooser: %ls", bOK ? L"OK" : L"Cancel");
        m_figures.nCapturesTaken += bOK;
        ::PostMessageW(hWnd, WM_COMMAND, bOK ? IDOK : IDCANCEL, 0);
    } else if (IsFileDialog(hWnd)) {
        Log(L"  file dialog: Cancel");
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    } else if (title.empty() && HasClass(hWnd, L"#32770")) {
        ObjectPick();
    } else {
        Fault(L"unexpected window: " + RemoteWindows::Describe(hWnd) + L" text \"" + BoxText(hWnd) + L"\"");
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    }
}

void SoakRun::Drag(HWND hOverlay)
{
    RECT screen;
    ::GetWindowRect(hOverlay, &screen);
    const int cx = 40 + Pick(400);
    const int cy = 30 + Pick(300);
    const int x0 = screen.left + 20 + Pick(screen.right - screen.left - cx - 40);
    const int y0 = screen.top + 20 + Pick(screen.bottom - screen.top - cy - 40);
    Log(L"  overlay: drag (%d,%d) %dx%d", x0, y0, cx, cy);
    ::Sleep(500); // the overlay grabs and paints the screen first
    InputSender::MoveTo(x0, y0);
    ::Sleep(50);
    InputSender::Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 8; ++step) {
        InputSender::MoveTo(x0 + cx * step / 8, y0 + cy * step / 8);
        ::Sleep(30);
    }
    InputSender::Button(MOUSEEVENTF_LEFTUP);
    ++m_figures.nCapturesTaken;
}

void SoakRun::ObjectPick()
{
    // The right button ends a pick wherever the keyboard focus is (the pick
    // hands the foreground to the front-most window, which takes Esc).
    if (Chance(40)) {
        Log(L"  object pick: right click");
        InputSender::Button(MOUSEEVENTF_RIGHTDOWN);
        InputSender::Button(MOUSEEVENTF_RIGHTUP);
        return;
    }
    const int x = 20 + Pick(::GetSystemMetrics(SM_CXSCREEN) - 40);
    const int y = 20 + Pick(::GetSystemMetrics(SM_CYSCREEN) - 40);
    Log(L"  object pick: click at (%d,%d)", x, y);
    InputSender::MoveTo(x, y);
    ::Sleep(300);
    InputSender::MoveTo(x + 3, y + 2);
    ::Sleep(600);
    InputSender::Button(MOUSEEVENTF_LEFTDOWN);
    InputSender::Button(MOUSEEVENTF_LEFTUP);
    ++m_figures.nCapturesTaken;
}

void SoakRun::HotKey()
{
    const HotKeyRow& row = kHotKeys[Pick(8)];
    Log(L"#%d hot key %ls", m_figures.nActions, row.pszName);
    m_figures.nCapturesStarted += row.bCapture;
    if (!row.bCapture)
        m_bHiddenByUs = true;
    if (row.wModifier != 0)
        InputSender::Chord(row.wModifier, row.wVk);
    else
        InputSender::Key(row.wVk);
    // Full screen and current window capture with no window to drive.
    if (row.wVk == VK_F4 || row.wModifier == VK_CONTROL)
        ++m_figures.nCapturesTaken;
    ::Sleep(300);
}

void SoakRun::MenuCapture()
{
    const UINT nCommand = kCaptureCommands[Pick(7)];
    Log(L"#%d capture command %u", m_figures.nActions, nCommand);
    ++m_figures.nCapturesStarted;
    if (nCommand == ID_SNAP_FULLSCREEN || nCommand == ID_SNAP_CURRENT_WIN)
        ++m_figures.nCapturesTaken;
    Post(WM_COMMAND, nCommand, 0);
    ::Sleep(300);
}

void SoakRun::TrayDoubleClick()
{
    Log(L"#%d tray double click", m_figures.nActions);
    m_bHiddenByUs = true;
    Post(WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    ::Sleep(200);
}

void SoakRun::TrayMenu()
{
    Post(WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
    const HWND hMenu = RemoteWindows::WaitForOther(m_hMain, false, L"#32768", 3000);
    if (hMenu == nullptr) {
        Fault(L"the tray menu did not open");
        return;
    }
    // Items: show/hide, six captures, options, exit (separators skipped);
    // the first Down selects the first item. Exit is left to the restarts.
    const int nItem = Pick(9);
    if (nItem == 8) {
        Log(L"#%d tray menu: Esc", m_figures.nActions);
        MenuKey(hMenu, VK_ESCAPE);
        return;
    }
    Log(L"#%d tray menu: item %d", m_figures.nActions, nItem);
    if (nItem == 0)
        m_bHiddenByUs = true;
    else if (nItem <= 6)
        ++m_figures.nCapturesStarted;
    m_figures.nCapturesTaken += nItem == 1 || nItem == 3;
    for (int i = 0; i <= nItem; ++i)
        MenuKey(hMenu, VK_DOWN);
    MenuKey(hMenu, VK_RETURN);
    ::Sleep(300);
}

void SoakRun::Effect()
{
    const int nBox = kEffectBoxes[Pick(10)];
    Log(L"#%d effect box %d", m_figures.nActions, nBox);
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutW(::GetDlgItem(m_hMain, nBox), BM_CLICK, 0, 0, SMTO_NORMAL, PROBE_MS, &nResult);
}

void SoakRun::Options()
{
    Log(L"#%d options", m_figures.nActions);
    OpenDialog(WM_COMMAND, ID_OPTIONS, kSheetTitle);
}

void SoakRun::About()
{
    Log(L"#%d about", m_figures.nActions);
    if (Chance(50))
        OpenDialog(WM_COMMAND, ID_APP_ABOUT, kAboutTitle);
    else
        OpenDialog(WM_SYSCOMMAND, IDM_ABOUTBOX, kAboutTitle);
}

void SoakRun::OpenDialog(UINT nMessage, WPARAM wParam, const wchar_t* pszTitle)
{
    Post(nMessage, wParam, 0);
    if (RemoteWindows::WaitForTitle(pszTitle, 5000) == nullptr) {
        Fault(std::wstring(L"\"") + pszTitle + L"\" did not open within 5 s");
        return;
    }
    if (Chance(30))
        PokeWhileModal();
}

// What a user can still do while a modal window is open: the tray icon and
// the hot keys. Whatever opens because of it is found by Settle.
void SoakRun::PokeWhileModal()
{
    switch (Pick(3)) {
    case 0:
        Log(L"  while modal: tray double click");
        m_bHiddenByUs = true;
        Post(WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
        break;
    case 1: {
        const UINT nCommand = Chance(50) ? ID_OPTIONS : kCaptureCommands[Pick(6)];
        Log(L"  while modal: tray command %u", nCommand);
        Post(WM_COMMAND, nCommand, 0);
        break;
    }
    default:
        Log(L"  while modal: hot key F7");
        InputSender::Key(VK_F7);
        break;
    }
    ::Sleep(1000);
}

void SoakRun::Save()
{
    static const UINT kCommands[] = { ID_FILE_SAVE_AS, ID_FILE_SAVE_THUMB, ID_FILE_SAVE };
    const UINT nCommand = kCommands[Pick(3)];
    Log(L"#%d save command %u", m_figures.nActions, nCommand);
    Post(WM_COMMAND, nCommand, 0);
    const HWND hDialog = RemoteWindows::WaitForOther(m_hMain, false, L"#32770", 3000);
    if (hDialog == nullptr || !IsFileDialog(hDialog)) {
        Log(L"  no save dialog (no picture, or saved to the last name)");
        return;
    }
    const std::wstring prefix = m_folder + L"\\saved\\soak-" + std::to_wstring(++m_nSaveName);
    const std::wstring name = prefix + L".png";
    const int nEdit = ::GetDlgItem(hDialog, cmb13) != nullptr ? cmb13 : edt1;
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutW(::GetDlgItem(hDialog, nEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                          SMTO_NORMAL, PROBE_MS, &nResult);
    ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
    if (WaitForFile(prefix, 10000)) {
        ++m_figures.nSaves;
        Log(L"  saved %ls", name.c_str());
    } else {
        Fault(L"the save dialog was given " + name + L" but no such file appeared within 10 s");
    }
}

void SoakRun::Copy()
{
    const bool bThumb = Chance(30);
    Log(L"#%d copy%ls", m_figures.nActions, bThumb ? L" thumbnail" : L"");
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    Post(WM_COMMAND, bThumb ? ID_EDIT_COPY_THUMB : ID_EDIT_COPY, 0);
    for (int waited = 0; waited < 3000; waited += 100) {
        if (::IsClipboardFormatAvailable(CF_BITMAP)) {
            ++m_figures.nCopies;
            return;
        }
        ::Sleep(100);
    }
    Log(L"  nothing on the clipboard (no picture yet?)");
}

void SoakRun::ShowHide()
{
    Log(L"#%d show/hide command", m_figures.nActions);
    m_bHiddenByUs = true;
    Post(WM_COMMAND, ID_SHOW_HIDE, 0);
    ::Sleep(200);
}

void SoakRun::CheckLeak()
{
    if (m_samples.size() < 2 || !m_program->Running())
        return;
    const ProcessUsage& warm = m_samples[m_samples.size() / 2];
    const ProcessUsage now = ProcessUsage::OfWindow(m_hMain);
    Log(L"before close: %ls", now.Describe().c_str());
    const long nHandles = static_cast<long>(now.nHandles) - static_cast<long>(warm.nHandles);
    const long nUser = static_cast<long>(now.nUserObjects) - static_cast<long>(warm.nUserObjects);
    const long nGdi = static_cast<long>(now.nGdiObjects) - static_cast<long>(warm.nGdiObjects);
    const long nWindows = static_cast<long>(now.nWindows) - static_cast<long>(warm.nWindows);
    if (nHandles > HANDLE_TOLERANCE || nUser > USER_TOLERANCE || (now.bGdiReported && nGdi > GDI_TOLERANCE)
        || nWindows > WINDOW_TOLERANCE)
        Fault(L"resources grew over " + std::to_wstring(m_nActionsInInstance) + L" actions: from " + warm.Describe()
              + L" to " + now.Describe());
}

void SoakRun::Fault(const std::wstring& what)
{
    const std::wstring line =
        L"seed " + std::to_wstring(m_nSeed) + L", action #" + std::to_wstring(m_figures.nActions) + L": " + what;
    m_figures.faults.push_back(line);
    std::wprintf(L"FAULT %ls\n", line.c_str());
    std::fflush(stdout);
}

int SoakRun::Pick(int nCount)
{
    return std::uniform_int_distribution<int>(0, nCount - 1)(m_random);
}

bool SoakRun::Chance(int nPercent)
{
    return Pick(100) < nPercent;
}

void SoakRun::Post(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    ::PostMessageW(m_hMain, nMessage, wParam, lParam);
}

void SoakRun::Log(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    std::vwprintf(pszFormat, args);
    va_end(args);
    std::wprintf(L"\n");
    std::fflush(stdout);
}

} // namespace soak
