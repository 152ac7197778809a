// ProcessUsage: another process's resources (see ProcessUsage.h).
#include "ProcessUsage.h"

#include <psapi.h>
#include <winternl.h>

#include <cwchar>
#include <vector>

#include "RemoteWindows.h"

namespace guitest {

namespace {

// A row of the system handle table (SystemHandleInformation).
struct HandleRow
{
    ULONG nOwnerPid;
    BYTE nObjectType;
    BYTE nFlags;
    USHORT nHandle;
    PVOID pObject;
    ACCESS_MASK nAccess;
};

struct HandleTable
{
    ULONG nCount;
    HandleRow rows[1];
};

const SYSTEM_INFORMATION_CLASS SYSTEM_HANDLE_INFORMATION = static_cast<SYSTEM_INFORMATION_CLASS>(16);
const NTSTATUS STATUS_LENGTH_MISMATCH = static_cast<NTSTATUS>(0xC0000004L);

DWORD HandlesOf(DWORD dwProcessId)
{
    std::vector<unsigned char> buffer(1 << 20);
    ULONG nNeeded = 0;
    NTSTATUS nStatus;
    while ((nStatus = NtQuerySystemInformation(SYSTEM_HANDLE_INFORMATION, buffer.data(),
                                               static_cast<ULONG>(buffer.size()), &nNeeded))
               == STATUS_LENGTH_MISMATCH
           && buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (nStatus != 0)
        return 0;
    const auto* pTable = reinterpret_cast<const HandleTable*>(buffer.data());
    DWORD nCount = 0;
    for (ULONG i = 0; i < pTable->nCount; ++i)
        nCount += pTable->rows[i].nOwnerPid == dwProcessId;
    return nCount;
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD*>(lParam);
    return TRUE;
}

} // namespace

ProcessUsage ProcessUsage::OfWindow(HWND hWnd)
{
    ProcessUsage usage;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    const HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwProcessId);
    if (hProcess == nullptr)
        return usage;
    // The commit charge (PagefileUsage) is the process's private bytes; Wine
    // leaves the newer PrivateUsage field at zero.
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(hProcess, &counters, sizeof(counters));
    usage.dPrivateMiB = counters.PagefileUsage / 1048576.0;
    usage.dWorkingSetMiB = counters.WorkingSetSize / 1048576.0;
    ::SetLastError(0);
    usage.nGdiObjects = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    usage.bGdiReported = usage.nGdiObjects != 0 || ::GetLastError() == 0;
    usage.nUserObjects = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    if (!::GetProcessHandleCount(hProcess, &usage.nHandles) || usage.nHandles == 0)
        usage.nHandles = HandlesOf(dwProcessId);
    for (HWND hTopLevel : RemoteWindows::OfProcess(dwProcessId)) {
        ++usage.nWindows;
        ::EnumChildWindows(hTopLevel, CountWindow, reinterpret_cast<LPARAM>(&usage.nWindows));
    }
    ::CloseHandle(hProcess);
    return usage;
}

std::wstring ProcessUsage::Describe() const
{
    wchar_t szLine[256];
    std::swprintf(szLine, 256,
                  L"private bytes %.1f MiB, working set %.1f MiB, GDI objects %lu%ls, USER objects %lu, "
                  L"kernel handles %lu, windows %lu",
                  dPrivateMiB, dWorkingSetMiB, nGdiObjects, bGdiReported ? L"" : L" (not reported by this system)",
                  nUserObjects, nHandles, nWindows);
    return szLine;
}

} // namespace guitest
