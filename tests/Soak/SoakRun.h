// SoakRun: drives tes.exe from this process for a bounded time with seeded
// random actions — hot keys, menu and tray commands, the options sheet and
// About box, region drags and object picks, effects, saves and copies, and
// restarts — and records what it must assert afterwards: the program never
// died, answered every probe within 5 s, kept its handles, wrote a whole
// config.xml at each close, and showed no window it should not have.
#pragma once

#include <windows.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ProcessUsage.h"
#include "TesInstance.h"

namespace soak {

struct SoakFigures
{
    int nActions = 0;
    int nCapturesStarted = 0;
    int nCapturesTaken = 0;
    int nSaves = 0;
    int nCopies = 0;
    int nRestarts = 0;
    DWORD nProbeMaxMs = 0;
    guitest::ProcessUsage first;
    guitest::ProcessUsage last;
    std::vector<std::wstring> faults;
};

class SoakRun
{
public:
    // folder: a scratch folder holding a copy of the program's files.
    SoakRun(const std::wstring& folder, unsigned int nSeed, DWORD nSeconds);
    // Runs to the end of the time; FALSE when a fault was recorded.
    bool Run();
    const SoakFigures& Figures() const { return m_figures; }

private:
    using Action = void (SoakRun::*)();

    bool StartProgram();
    bool StopProgram();
    void Act();
    bool Settle();
    void HandleWindow(HWND hWnd);
    void AfterAction();
    void Fault(const std::wstring& what);
    int Pick(int nCount);
    bool Chance(int nPercent);
    void Post(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void Log(const wchar_t* pszFormat, ...);

    void HotKey();
    void MenuCapture();
    void TrayDoubleClick();
    void TrayMenu();
    void Effect();
    void Options();
    void About();
    void Save();
    void Copy();
    void ShowHide();

    void Drag(HWND hOverlay);
    void ObjectPick();
    // Posts the message that opens the dialog titled pszTitle, waits for it
    // and sometimes pokes the program while it is open.
    void OpenDialog(UINT nMessage, WPARAM wParam, const wchar_t* pszTitle);
    void PokeWhileModal();
    void CheckLeak();

    std::wstring m_folder;
    unsigned int m_nSeed;
    DWORD m_nSeconds;
    std::mt19937 m_random;
    std::unique_ptr<TesInstance> m_program;
    HWND m_hMain = nullptr;
    int m_nActionsInInstance = 0;
    // This run of the program's samples, one every SAMPLE_EVERY actions.
    std::vector<guitest::ProcessUsage> m_samples;
    bool m_bHiddenByUs = false;
    int m_nSaveName = 0;
    std::set<HWND> m_behind; // modal windows found behind the main window
    SoakFigures m_figures;
};

} // namespace soak
