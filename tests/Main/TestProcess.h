// Small helpers of the program's tests: the test program's folder, files
// read whole, and programs started and waited for with a time limit.
#pragma once

#include <windows.h>

#include <string>

namespace apptest {

// The folder of the running test program, ending in a backslash.
std::wstring BinDir();
// The whole file as UTF-8 text converted to UTF-16 (a byte-order mark and
// carriage returns are dropped); empty when it cannot be read.
std::wstring ReadText(const std::wstring& path);

// A started program, ended (TerminateProcess) if it still runs when the
// object goes.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::wstring& program, const std::wstring& arguments);
    // TRUE when it ended within timeoutMs.
    bool Wait(DWORD timeoutMs);
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// The first visible top-level window of process nProcessId whose class is
// the dialog class, waited for up to timeoutMs.
HWND WaitForDialogOf(DWORD nProcessId, DWORD timeoutMs);

} // namespace apptest
