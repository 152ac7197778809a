// Helpers of the program's tests: folders, files and child processes.
#include "TestProcess.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "RemoteWindows.h"

namespace apptest {

std::wstring BinDir()
{
    std::vector<wchar_t> buffer(4096);
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), n);
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring ReadText(const std::wstring& path)
{
    FILE* pFile = _wfopen(path.c_str(), L"rb");
    if (pFile == nullptr)
        return std::wstring();
    std::string bytes;
    char buffer[4096];
    size_t nRead = 0;
    while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, nRead);
    std::fclose(pFile);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    if (bytes.empty())
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], n);
    return text;
}

ChildProcess::~ChildProcess()
{
    if (m_info.hProcess != nullptr) {
        if (::WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_info.hProcess, 1);
        ::CloseHandle(m_info.hProcess);
        ::CloseHandle(m_info.hThread);
    }
}

bool ChildProcess::Start(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_info) != FALSE;
}

bool ChildProcess::Wait(DWORD timeoutMs)
{
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND WaitForDialogOf(DWORD nProcessId, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND hWnd : guitest::RemoteWindows::OfProcess(nProcessId)) {
            wchar_t szClass[16] = {};
            ::GetClassNameW(hWnd, szClass, 16);
            if (::IsWindowVisible(hWnd) && std::wstring(szClass) == L"#32770")
                return hWnd;
        }
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

} // namespace apptest
