// CHelper: the program's folder, from the executable's own file name.
#include "CHelper.h"

#include "CPathName.h"
#include "PlatformTypes.h"

#ifndef _WIN32
#  include "CUnicodeCodec.h"
#  include <unistd.h>
#  include <vector>
#endif

namespace {

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';

// The full file name of the program's module (not of this library), with a
// buffer that grows until the name fits.
CString ExecutablePath()
{
    const HMODULE hProgram = GetModuleHandleW(nullptr);
    for (DWORD nSize = MAX_PATH; nSize <= 0x100000; nSize *= 2) {
        CString strPath;
        const DWORD nLength = GetModuleFileNameW(hProgram, strPath.GetBuffer(static_cast<int>(nSize)), nSize);
        if (nLength == 0)
            return CString();
        if (nLength < nSize) {
            strPath.ReleaseBuffer(static_cast<int>(nLength));
            return strPath;
        }
    }
    return CString();
}
#else
constexpr wchar_t kSeparator = L'/';

CString ExecutablePath()
{
    for (std::size_t nSize = 256; nSize <= 0x100000; nSize *= 2) {
        std::vector<char> buffer(nSize);
        const ssize_t nLength = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (nLength < 0)
            return CString();
        if (static_cast<std::size_t>(nLength) < nSize)
            return CUnicodeCodec::FromUtf8(buffer.data(), static_cast<std::size_t>(nLength));
    }
    return CString();
}
#endif

} // namespace

CHelper::CHelper() = default;
CHelper::~CHelper() = default;

CString CHelper::GetAppPath()
{
    const CString strFolder = CPathName::FolderOf(ExecutablePath());
    return strFolder.IsEmpty() ? CString(kSeparator) : strFolder;
}
