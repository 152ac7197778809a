// TesInstance: a started tes.exe (see TesInstance.h).
#include "TesInstance.h"

#include "RemoteWindows.h"

namespace soak {

namespace {

const wchar_t kMainTitle[] = L"Tessaly（Brivane作品）";

struct MainSearch
{
    DWORD dwProcessId;
    HWND hFound;
};

BOOL CALLBACK FindMain(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<MainSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    wchar_t szTitle[64] = {};
    ::GetWindowTextW(hWnd, szTitle, 64);
    if (dwProcessId == search.dwProcessId && ::IsWindowVisible(hWnd) && lstrcmpW(szTitle, kMainTitle) == 0) {
        search.hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

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
        MainSearch search = { m_info.dwProcessId, nullptr };
        ::EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.hFound != nullptr) {
            m_hMain = search.hFound;
            return true;
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
