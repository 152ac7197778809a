// Tests of CHelper::GetAppPath: the folder of the running test program, also
// when that folder's path is longer than the platform's usual path buffer.
#include "CHelper.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <csignal>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

namespace {

#ifdef _WIN32
const wchar_t kSeparator = L'\\';
const wchar_t kProgramName[] = L"settings_tests.exe";
#else
const wchar_t kSeparator = L'/';
const wchar_t kProgramName[] = L"settings_tests";
#endif

// Set only in the environment of a copy of this program that the long-path
// test starts from a deep folder: the folder that the copy must report.
const char kExpectedFolderVariable[] = "TES_TEST_EXPECTED_APP_PATH";
const char kChildFilter[] = "--gtest_filter=CHelper.CopyInADeepFolderReportsThatFolder";

std::wstring ExpectedFolder()
{
    const char* value = std::getenv(kExpectedFolderVariable);
    return value != nullptr ? std::filesystem::path(value).wstring() : std::wstring();
}

enum class CopyRun { NotStarted, TimedOut, Finished };

// Starts the program with the expected folder in its environment and waits at
// most a minute; exitCode is set when it finished.
CopyRun RunCopy(const std::filesystem::path& program, const std::wstring& expectedFolder, unsigned long& exitCode)
{
#ifdef _WIN32
    SetEnvironmentVariableW(L"TES_TEST_EXPECTED_APP_PATH", expectedFolder.c_str());
    std::wstring commandLine = L"\"" + program.wstring() + L"\" --gtest_filter=CHelper.CopyInADeepFolderReportsThatFolder";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(program.wstring().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(L"TES_TEST_EXPECTED_APP_PATH", nullptr);
    if (!started)
        return CopyRun::NotStarted;
    const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    exitCode = code;
    return waited == WAIT_OBJECT_0 ? CopyRun::Finished : CopyRun::TimedOut;
#else
    const std::string programPath = program.string();
    const std::string expected = std::filesystem::path(expectedFolder).string();
    const pid_t pid = fork();
    if (pid < 0)
        return CopyRun::NotStarted;
    if (pid == 0) {
        setenv(kExpectedFolderVariable, expected.c_str(), 1);
        execl(programPath.c_str(), programPath.c_str(), kChildFilter, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    for (int i = 0; i < 600; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exitCode = WIFEXITED(status) ? static_cast<unsigned long>(WEXITSTATUS(status)) : 255ul;
            return CopyRun::Finished;
        }
        usleep(100000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return CopyRun::TimedOut;
#endif
}

TEST(CHelper, GetAppPathIsTheRunningProgramsFolderWithATrailingSeparator)
{
    const CString folder = CHelper::GetAppPath();
    const std::wstring text(folder.GetString(), static_cast<std::size_t>(folder.GetLength()));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.back(), kSeparator);
    EXPECT_NE(text[text.size() - 2], kSeparator);
    EXPECT_TRUE(std::filesystem::path(text).is_absolute()) << folder.GetString();
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(text + kProgramName)))
        << "the test program is not in " << folder.GetString();
}

TEST(CHelper, CopyInADeepFolderReportsThatFolder)
{
    const std::wstring expected = ExpectedFolder();
    if (expected.empty())
        GTEST_SKIP() << "runs inside the copy started by the long-path test";
    const CString folder = CHelper::GetAppPath();
    ASSERT_EQ(std::wstring(folder.GetString(), static_cast<std::size_t>(folder.GetLength())), expected);
    std::ofstream(std::filesystem::path(expected + L"matched")) << "ok";
}

TEST(CHelper, AFolderLongerThanThePathBufferIsReturnedWhole)
{
    if (!ExpectedFolder().empty())
        GTEST_SKIP() << "this is the copy";
    TestFolder scratch;
    std::filesystem::path deep(scratch.Path(L"").GetString());
    for (int i = 0; i < 5; ++i)
        deep /= std::wstring(60, static_cast<wchar_t>(L'a' + i));
    std::filesystem::create_directories(deep);
    const std::wstring deepFolder = deep.wstring() + kSeparator;
    ASSERT_GT(deepFolder.size(), 300u);

    // The program and the libraries it loads, side by side as in the build.
    const std::filesystem::path source(CHelper::GetAppPath().GetString());
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        const std::wstring name = entry.path().filename().wstring();
        if (entry.path().extension() == L".dll" || name == kProgramName)
            std::filesystem::copy_file(entry.path(), deep / name);
    }

    unsigned long exitCode = 1;
    const CopyRun run = RunCopy(deep / kProgramName, deepFolder, exitCode);
    if (run == CopyRun::NotStarted)
        GTEST_SKIP() << "this system does not start programs from a path this long";
    ASSERT_EQ(run, CopyRun::Finished) << "the copy did not end within a minute";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(std::filesystem::exists(deep / L"matched")) << "the copy did not check its folder";
}

} // namespace
