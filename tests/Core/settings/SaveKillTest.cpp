// The settings file survives a kill: a helper program saves the settings in a
// loop with changing values and is killed (SIGKILL natively, TerminateProcess
// on Windows) at random moments; after every kill config.xml must be a whole
// file of one of the saves, with every value loading intact, and a temporary
// file left behind must not stop the next save.
#include "CHelper.h"
#include "IndexedSettings.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <csignal>
#  include <sys/wait.h>
#  include <time.h>
#  include <unistd.h>
#endif

namespace {

#ifdef _WIN32
const wchar_t kLoopProgram[] = L"settings_save_loop.exe";
const int kRounds = 15;
#else
const wchar_t kLoopProgram[] = L"settings_save_loop";
const int kRounds = 100;
#endif

std::string Narrow(const CString& s)
{
    std::string text;
    for (int i = 0; i < s.GetLength(); ++i)
        text += static_cast<char>(s[i]);
    return text;
}

void PauseMicroseconds(unsigned int nMicroseconds)
{
#ifdef _WIN32
    Sleep((nMicroseconds + 999) / 1000);
#else
    const timespec pause = { static_cast<time_t>(nMicroseconds / 1000000),
                             static_cast<long>(nMicroseconds % 1000000) * 1000 };
    nanosleep(&pause, nullptr);
#endif
}

// The save loop as a child process, killed at the latest when the object goes.
class SaveLoopProcess
{
public:
    SaveLoopProcess(const CString& strConfigPath, unsigned int nFirstIndex)
    {
        const std::string program = Narrow(CHelper::GetAppPath() + kLoopProgram);
        const std::string path = Narrow(strConfigPath);
        const std::string first = std::to_string(nFirstIndex);
#ifdef _WIN32
        std::string commandLine = "\"" + program + "\" \"" + path + "\" " + first;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        m_bStarted = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &m_process) != FALSE;
#else
        m_pid = fork();
        if (m_pid == 0) {
            execl(program.c_str(), program.c_str(), path.c_str(), first.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        m_bStarted = m_pid > 0;
#endif
    }
    ~SaveLoopProcess() { Kill(); }
    SaveLoopProcess(const SaveLoopProcess&) = delete;
    SaveLoopProcess& operator=(const SaveLoopProcess&) = delete;

    bool Started() const { return m_bStarted; }

    // Kills the process at once and waits until it is gone.
    void Kill()
    {
        if (!m_bStarted)
            return;
        m_bStarted = false;
#ifdef _WIN32
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, INFINITE);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
#else
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
#endif
    }

private:
    bool m_bStarted = false;
#ifdef _WIN32
    PROCESS_INFORMATION m_process = {};
#else
    pid_t m_pid = -1;
#endif
};

// The index of the save that wrote the file (0 when there is none).
unsigned int IndexInFile(const CString& strPath)
{
    IndexedSettings settings;
    settings.SetSnapDelayTime(0);
    settings.LoadConfig(strPath);
    return settings.Index();
}

TEST(SettingsSave, AKillAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    TestFolder folder;
    const CString strPath = folder.Path(L"config.xml");
    IndexedSettings first;
    first.ApplyIndex(1);
    first.SaveConfig(strPath);

    const unsigned int seed = std::random_device()();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<unsigned int> delay(0, 20000);

    unsigned int nLast = 1;
    int nTemporaryLeft = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        SaveLoopProcess loop(strPath, nLast + 1);
        ASSERT_TRUE(loop.Started());
        // Once the loop has replaced the file, it is saving all the time:
        // the kill lands at a random point of some save.
        unsigned int nSeen = nLast;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while ((nSeen = IndexInFile(strPath)) <= nLast && std::chrono::steady_clock::now() < giveUp)
            PauseMicroseconds(500);
        ASSERT_GT(nSeen, nLast) << "the save loop did not save within 30 s";
        PauseMicroseconds(delay(random));
        loop.Kill();

        nTemporaryLeft += folder.Exists(L"config.xml.tmp") ? 1 : 0;
        const std::string bytes = folder.ReadBytes(L"config.xml");
        IndexedSettings loaded;
        loaded.LoadConfig(strPath);
        const unsigned int nIndex = loaded.Index();
        ASSERT_GE(nIndex, nSeen);
        IndexedSettings expected;
        expected.ApplyIndex(nIndex);
        ASSERT_EQ(bytes, expected.SaveConfigToBuffer()) << "config.xml is not the whole file of save " << nIndex;
        // Every stored value came back: saving the loaded settings gives the same file.
        ASSERT_EQ(loaded.SaveConfigToBuffer(), bytes);
        nLast = nIndex;
    }
    std::printf("%d kills, %d left a temporary file, last save %u\n", kRounds, nTemporaryLeft, nLast);

    IndexedSettings after;
    after.ApplyIndex(nLast + 1);
    after.SaveConfig(strPath);
    EXPECT_EQ(folder.ReadBytes(L"config.xml"), after.SaveConfigToBuffer());
    EXPECT_FALSE(folder.Exists(L"config.xml.tmp"));
}

} // namespace
