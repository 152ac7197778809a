// FileDialogDriver: drives the explorer-style common file dialog that this
// thread is showing, from a thread timer that its modal loop dispatches. The
// steps run one per tick once the dialog is visible; when they are done and
// the dialog is still there, or when the time limit passes, the dialog is
// cancelled, so a test never waits for a person.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "PlatformTypes.h"

namespace guitest {

class FileDialogDriver
{
public:
    using Step = std::function<void(HWND hDialog)>;

    explicit FileDialogDriver(std::vector<Step> steps, DWORD intervalMs = 150, DWORD timeoutMs = 15000);
    ~FileDialogDriver();

    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    // Steps that ran.
    size_t StepsRun() const { return m_nStepsRun; }
    // The dialog was still shown after the last step and had to be cancelled.
    bool CancelledAfterSteps() const { return m_bCancelledAfterSteps; }
    // The time limit passed (or another modal window got in the way).
    bool TimedOut() const { return m_bTimedOut; }

    // The visible file dialog of this thread (a dialog with a file-type box),
    // or null.
    static HWND FindDialog();
    // Puts text into the file-name box.
    static void SetFileName(HWND hDialog, const wchar_t* pszName);
    // Selects file type nIndex (from 0) as the user would: the selection,
    // then the box's CBN_SELCHANGE and CBN_SELENDOK to the dialog.
    static void SelectType(HWND hDialog, int nIndex);
    static void PressOK(HWND hDialog);
    static void PressCancel(HWND hDialog);
    // The texts of the file-type box.
    static std::vector<std::wstring> TypeTexts(HWND hDialog);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_nStepsRun;
    DWORD m_nStart;
    DWORD m_nTimeout;
    UINT_PTR m_nTimer;
    bool m_bInStep;
    bool m_bCancelledAfterSteps;
    bool m_bTimedOut;
};

} // namespace guitest
