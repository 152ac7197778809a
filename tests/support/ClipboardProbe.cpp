// clipboard_probe.exe W H: another program looking at the clipboard, as a
// user's editor pasting a picture would. Exits 0 when the clipboard offers a
// CF_DIB of W x H pixels, 1 when it offers none, 2 when its size differs.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 3;
    const long nWidth = std::wcstol(argv[1], nullptr, 10);
    const long nHeight = std::wcstol(argv[2], nullptr, 10);
    BOOL bOpen = FALSE;
    for (int nTry = 0; nTry < 50 && !bOpen; ++nTry) {
        bOpen = ::OpenClipboard(nullptr);
        if (!bOpen)
            ::Sleep(20);
    }
    if (!bOpen)
        return 1;
    int nResult = 1;
    const HGLOBAL hDib = ::GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER* pHeader = hDib != nullptr ? static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDib)) : nullptr;
    if (pHeader != nullptr) {
        const long nAbsHeight = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
        nResult = pHeader->biWidth == nWidth && nAbsHeight == nHeight ? 0 : 2;
        ::GlobalUnlock(hDib);
    }
    ::CloseClipboard();
    return nResult;
}
