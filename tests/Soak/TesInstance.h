// TesInstance: one run of tes.exe started by the soak test, from a folder of
// its own: its main window, whether it still runs, and its end.
#pragma once

#include <windows.h>

#include <string>

namespace soak {

class TesInstance
{
public:
    TesInstance() = default;
    ~TesInstance();
    TesInstance(const TesInstance&) = delete;
    TesInstance& operator=(const TesInstance&) = delete;

    // Starts folder\tes.exe and waits up to 30 s for its main window.
    bool Start(const std::wstring& folder);
    HWND Main() const { return m_hMain; }
    bool Running() const;
    // The exit code once it ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    // Waits up to nMs for the process to end; TRUE when it did.
    bool WaitForEnd(DWORD nMs) const;
    // Ends it by force (only after a failure).
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
    HWND m_hMain = nullptr;
};

} // namespace soak
