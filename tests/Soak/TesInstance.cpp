// TesInstance: a started tes.exe (see TesInstance.h).
#include "TesInstance.h"

#include "RemoteWindows.h"

namespace soak {

namespace {

const wchar_t kMainTitle[] = L"Tessaly（Brivane作品）";

} // namespace

TesInstance::~TesInstance()
{
    Kill();
    if (m_info.hProcess != nullptr) {
        ::CloseHandle(m_info.hProcess);
        ::CloseHandle(m_info.hThread);
    }
}

bool TesInstance::Start(const std::wstring& folder)
{
    const std::wstring program = folder + L"\\tes.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &m_info))
        return false;
    for (int waited = 0; waited < 30000 && Running(); waited += 50) {
        for (HWND hWnd : guitest::RemoteWindows::OfProcess(m_info.dwProcessId)) {
            wchar_t szTitle[64] = {};
            ::GetWindowTextW(hWnd, szTitle, 64);
            if (::IsWindowVisible(hWnd) && lstrcmpW(szTitle, kMainTitle) == 0) {
                m_hMain = hWnd;
                return true;
            }
        }
        ::Sleep(50);
    }
    return false;
}

bool TesInstance::Running() const
{
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TesInstance::ExitCode() const
{
    DWORD dwCode = STILL_ACTIVE;
    if (m_info.hProcess != nullptr)
        ::GetExitCodeProcess(m_info.hProcess, &dwCode);
    return dwCode;
}

bool TesInstance::WaitForEnd(DWORD nMs) const
{
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, nMs) == WAIT_OBJECT_0;
}

void TesInstance::Kill()
{
    if (Running()) {
        ::TerminateProcess(m_info.hProcess, 99);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
}

} // namespace soak
