// tes_soak: the soak test. Copies tes.exe and its files into a scratch
// folder beside this program, then drives it from this process for a bounded
// time with seeded random actions (SoakRun) and prints the figures and every
// fault. Exit code 0 when nothing went wrong.
//   tes_soak [SECONDS] [--seed N]
// SECONDS defaults to TES_SOAK_SECONDS, else 120; the seed to TES_SOAK_SEED,
// else one taken from the clock (printed, so that a run can be replayed).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "SoakRun.h"

namespace {

std::wstring ProgramFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring path(szPath);
    return path.substr(0, path.find_last_of(L'\\'));
}

// A fresh folder holding exactly the shipped files.
bool PrepareFolder(const std::wstring& from, const std::wstring& folder)
{
    static const wchar_t* const kFiles[] = { L"tes.exe", L"TesLib.dll", L"Framework.dll", L"hook.dll" };
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\saved").c_str(), nullptr);
    ::DeleteFileW((folder + L"\\config.xml").c_str());
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW((folder + L"\\saved\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileW((folder + L"\\saved\\" + data.cFileName).c_str());
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    for (const wchar_t* pszFile : kFiles) {
        if (!::CopyFileW((from + L"\\" + pszFile).c_str(), (folder + L"\\" + pszFile).c_str(), FALSE)) {
            std::wprintf(L"cannot copy %ls into %ls\n", pszFile, folder.c_str());
            return false;
        }
    }
    ::CopyFileW((from + L"\\snap.wav").c_str(), (folder + L"\\snap.wav").c_str(), FALSE);
    return true;
}

unsigned long Setting(const wchar_t* pszVariable, unsigned long nDefault)
{
    const wchar_t* pszValue = _wgetenv(pszVariable);
    return pszValue != nullptr && *pszValue != 0 ? std::wcstoul(pszValue, nullptr, 10) : nDefault;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Window titles in the report are Chinese: write UTF-8.
    _setmode(_fileno(stdout), _O_U8TEXT);
    unsigned long nSeconds = Setting(L"TES_SOAK_SECONDS", 120);
    unsigned long nSeed = Setting(L"TES_SOAK_SEED", ::GetTickCount() ^ ::GetCurrentProcessId());
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--seed") == 0 && i + 1 < argc)
            nSeed = std::wcstoul(argv[++i], nullptr, 10);
        else
            nSeconds = std::wcstoul(argv[i], nullptr, 10);
    }
    const std::wstring from = ProgramFolder();
    const std::wstring folder = from + L"\\soak-run";
    std::wprintf(L"soak: %lu s, seed %lu (replay with --seed %lu), folder %ls\n", nSeconds, nSeed, nSeed,
                 folder.c_str());
    std::fflush(stdout);
    if (!PrepareFolder(from, folder))
        return 1;

    soak::SoakRun run(folder, nSeed, nSeconds);
    const bool bPassed = run.Run();
    const soak::SoakFigures& figures = run.Figures();
    std::wprintf(L"\nsoak figures (seed %lu, %lu s)\n", nSeed, nSeconds);
    std::wprintf(L"  actions %d, captures started %d, driven to a picture %d, saves %d, copies %d, closes %d\n",
                 figures.nActions, figures.nCapturesStarted, figures.nCapturesTaken, figures.nSaves, figures.nCopies,
                 figures.nRestarts);
    std::wprintf(L"  longest probe answer %lu ms\n", figures.nProbeMaxMs);
    std::wprintf(L"  first warm sample: %ls\n", figures.first.Describe().c_str());
    std::wprintf(L"  last sample:       %ls\n", figures.last.Describe().c_str());
    std::wprintf(L"  faults: %zu\n", figures.faults.size());
    for (const std::wstring& fault : figures.faults)
        std::wprintf(L"    %ls\n", fault.c_str());
    std::wprintf(L"%ls\n", bPassed ? L"SOAK PASSED" : L"SOAK FAILED");
    return bPassed ? 0 : 1;
}
