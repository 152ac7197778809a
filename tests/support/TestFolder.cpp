// TestFolder: a scratch folder per test (see TestFolder.h).
#include "TestFolder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#  include <process.h>
#  define TES_PROCESS_ID _getpid()
#else
#  include <unistd.h>
#  define TES_PROCESS_ID getpid()
#endif

TestFolder::TestFolder()
{
    static int s_nCounter = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // No dot in the folder's name, so that a dot in a path is always the
    // test's own.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate =
            base / ("tes-test-" + std::to_string(TES_PROCESS_ID) + "-" + std::to_string(++s_nCounter));
        if (std::filesystem::create_directory(candidate)) {
            m_folder = candidate;
            m_path = candidate.wstring();
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

CString TestFolder::Path(const wchar_t* pszName) const
{
    const std::wstring path = (m_folder / pszName).wstring();
    return CString(path.c_str());
}

void TestFolder::WriteBytes(const wchar_t* pszName, const std::string& bytes) const
{
    std::ofstream out(m_folder / pszName, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("test file could not be written");
}

std::string TestFolder::ReadBytes(const wchar_t* pszName) const
{
    std::ifstream in(m_folder / pszName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TestFolder::Exists(const wchar_t* pszName) const
{
    return std::filesystem::exists(m_folder / pszName);
}

void TestFolder::MakeSubfolder(const wchar_t* pszName) const
{
    std::filesystem::create_directory(m_folder / pszName);
}

int TestFolder::EntryCount() const
{
    return static_cast<int>(
        std::distance(std::filesystem::directory_iterator(m_folder), std::filesystem::directory_iterator()));
}

std::string TestFolder::Utf16Le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
