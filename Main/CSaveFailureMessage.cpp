// CSaveFailureMessage: the failed-save message (see CSaveFailureMessage.h).
#include "CSaveFailureMessage.h"

#include <windows.h>

namespace {

struct Reason
{
    DWORD dwError;
    const wchar_t* pszReason;
};

const Reason g_reasons[] = {
    { ERROR_FILE_NOT_FOUND, L"保存位置的文件夹不存在。" },
    { ERROR_PATH_NOT_FOUND, L"保存位置的文件夹不存在。" },
    { ERROR_INVALID_DRIVE, L"保存位置的驱动器不存在。" },
    { ERROR_ACCESS_DENIED, L"没有在该位置写入的权限（同名的文件可能是只读的，或是一个文件夹）。" },
    { ERROR_WRITE_PROTECT, L"磁盘处于写保护状态。" },
    { ERROR_SHARING_VIOLATION, L"文件正被其他程序使用。" },
    { ERROR_LOCK_VIOLATION, L"文件正被其他程序使用。" },
    { ERROR_HANDLE_DISK_FULL, L"磁盘空间不足。" },
    { ERROR_DISK_FULL, L"磁盘空间不足。" },
    { ERROR_INVALID_NAME, L"文件名无效。" },
    { ERROR_FILENAME_EXCED_RANGE, L"文件名或路径太长。" },
};

} // namespace

CString CSaveFailureMessage::Format(const CString& strPath, DWORD dwError)
{
    CString strReason;
    for (const Reason& reason : g_reasons) {
        if (reason.dwError == dwError)
            strReason = reason.pszReason;
    }
    if (strReason.IsEmpty())
        strReason.Format(L"写入文件时出错（错误代码 %lu）。", dwError);
    CString strMessage;
    strMessage.Format(L"错误：图像未保存！\n无法写入文件“%s”：\n%s", static_cast<LPCWSTR>(strPath),
                      static_cast<LPCWSTR>(strReason));
    return strMessage;
}
