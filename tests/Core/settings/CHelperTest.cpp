// Tests of CHelper::GetAppPath: the folder of the running test program.
#include "CHelper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

#ifdef _WIN32
const wchar_t kSeparator = L'\\';
const wchar_t kProgramName[] = L"settings_tests.exe";
#else
const wchar_t kSeparator = L'/';
const wchar_t kProgramName[] = L"settings_tests";
#endif

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

} // namespace
