// ChildProgram: a program of the test folder, run to its end (see ChildProgram.h).
#include "ChildProgram.h"

#include <windows.h>

#include <vector>

namespace guitest {

int RunChildProgram(const std::wstring& program, const std::wstring& arguments, unsigned long timeoutMs)
{
    wchar_t szSelf[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    std::wstring path(szSelf);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD dwExit = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(dwExit);
}

} // namespace guitest
