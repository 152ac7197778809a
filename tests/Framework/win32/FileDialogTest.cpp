// CFileDialog driven for real: names typed and types chosen in the shown
// dialog, OK and Cancel, the notifications reaching the virtual functions,
// the default extension set while the dialog is shown, and the name queries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFileDialog.h"
#include "FileDialogDriver.h"
#include "TestFolder.h"
#include "WideText.h"

using guitest::FileDialogDriver;

namespace {

// Records what the dialog's notifications and messages did.
class RecordingFileDialog : public CFileDialog
{
public:
    RecordingFileDialog(BOOL bOpen, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, LPCTSTR lpszFilter,
                        CWnd* pParent = nullptr)
        : CFileDialog(bOpen, lpszDefExt, lpszFileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, lpszFilter, pParent)
    {
    }

    int nRefuseOK = 0;   // OK presses to refuse

    int nInitDone = 0;
    int nFileOK = 0;
    int nDestroy = 0;
    std::vector<DWORD> typeIndices;
    HWND hChild = nullptr;
    HWND hDialog = nullptr;
    HWND hOwner = nullptr;
    std::vector<CString> pathsAtOK, namesAtOK, extsAtOK;

    void OnDestroy()
    {
        ++nDestroy;
        CFileDialog::OnDestroy();
    }

protected:
    DECLARE_MESSAGE_MAP()

    void OnInitDone() override
    {
        ++nInitDone;
        hChild = m_hWnd;
        hDialog = ::GetParent(m_hWnd);
        hOwner = ::GetWindow(hDialog, GW_OWNER);
    }
    void OnTypeChange() override { typeIndices.push_back(m_ofn.nFilterIndex); }
    BOOL OnFileNameOK() override
    {
        ++nFileOK;
        pathsAtOK.push_back(GetPathName());
        namesAtOK.push_back(GetFileName());
        extsAtOK.push_back(GetFileExt());
        if (nRefuseOK > 0) {
            --nRefuseOK;
            return TRUE;
        }
        return FALSE;
    }
};

BEGIN_MESSAGE_MAP(RecordingFileDialog, CFileDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

bool SamePath(const CString& a, const CString& b)
{
    return lstrcmpiW(a, b) == 0;
}

FileDialogDriver::Step TypeName(const wchar_t* pszName)
{
    return [pszName](HWND h) { FileDialogDriver::SetFileName(h, pszName); };
}

FileDialogDriver::Step NameAndOK(const wchar_t* pszName)
{
    return [pszName](HWND h) {
        FileDialogDriver::SetFileName(h, pszName);
        FileDialogDriver::PressOK(h);
    };
}

const FileDialogDriver::Step kPressCancel = [](HWND h) { FileDialogDriver::PressCancel(h); };

const wchar_t kTextFilter[] = L"\x6587\x672C (*.txt)|*.txt|Logs (*.log)|*.log|All (*.*)|*.*||";

TEST(FileDialog, OpenChoosesAnExistingFileThroughTheHookChild)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    HANDLE hFile = CreateFileW(folder.Path(L"notes.txt"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                               nullptr));
    RecordingFileDialog dlg(TRUE, nullptr, nullptr, kTextFilter, &owner);
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    std::vector<std::wstring> types;
    bool bChildOfDialog = false;
    FileDialogDriver driver({ [&](HWND h) {
                                 types = FileDialogDriver::TypeTexts(h);
                                 bChildOfDialog = dlg.m_hWnd != nullptr && ::GetParent(dlg.m_hWnd) == h;
                             },
                              NameAndOK(L"notes.txt") });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(2u, driver.StepsRun());
    EXPECT_EQ((std::vector<std::wstring>{ L"\x6587\x672C (*.txt)", L"Logs (*.log)", L"All (*.*)" }), types);
    EXPECT_TRUE(bChildOfDialog);
    EXPECT_EQ(owner.m_hWnd, dlg.hOwner);
    EXPECT_EQ(1, dlg.nInitDone);
    EXPECT_EQ(1, dlg.nFileOK);
    EXPECT_EQ(1, dlg.nDestroy);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dlg.hChild));
    EXPECT_TRUE(SamePath(folder.Path(L"notes.txt"), dlg.GetPathName())) << W(dlg.GetPathName());
    EXPECT_EQ(L"notes.txt", W(dlg.GetFileName()));
    EXPECT_EQ(L"txt", W(dlg.GetFileExt()));
}

TEST(FileDialog, CancelLeavesTheInitialNameAndCallsNoOKHandler)
{
    TestFolder folder;
    RecordingFileDialog dlg(FALSE, L"txt", L"start.txt", kTextFilter);
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    FileDialogDriver driver({ TypeName(L"other.txt"), kPressCancel });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(2u, driver.StepsRun());
    EXPECT_EQ(0, dlg.nFileOK);
    EXPECT_EQ(1, dlg.nDestroy);
    EXPECT_EQ(L"start.txt", W(dlg.GetPathName()));
    EXPECT_EQ(0, folder.EntryCount());
}

TEST(FileDialog, ANonZeroFileNameOKKeepsTheDialogOpen)
{
    TestFolder folder;
    RecordingFileDialog dlg(FALSE, nullptr, nullptr, kTextFilter);
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    dlg.nRefuseOK = 1;
    bool bOpenAfterRefusal = false;
    FileDialogDriver driver({ NameAndOK(L"first.txt"),
                              [&](HWND h) {
                                  bOpenAfterRefusal = IsWindowVisible(h) != FALSE;
                                  NameAndOK(L"second.txt")(h);
                              } });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(bOpenAfterRefusal);
    EXPECT_EQ(2, dlg.nFileOK);
    EXPECT_TRUE(SamePath(folder.Path(L"second.txt"), dlg.GetPathName())) << W(dlg.GetPathName());
}

TEST(FileDialog, ChoosingATypeReportsItsIndex)
{
    RecordingFileDialog dlg(TRUE, nullptr, nullptr, kTextFilter);
    FileDialogDriver driver({ [](HWND h) { FileDialogDriver::SelectType(h, 2); },
                              [](HWND h) { FileDialogDriver::SelectType(h, 1); }, kPressCancel });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ((std::vector<DWORD>{ 3, 2 }), dlg.typeIndices);
    EXPECT_EQ(2u, dlg.m_ofn.nFilterIndex);
}

// Records the CDM_SETDEFEXT messages that reach the real dialog, then lets
// the dialog handle them.
struct DefExtRecorder
{
    static WNDPROC pfnDialog;
    static std::vector<std::wstring> texts;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == CDM_SETDEFEXT)
            texts.push_back(reinterpret_cast<const wchar_t*>(lParam));
        return CallWindowProcW(pfnDialog, hWnd, message, wParam, lParam);
    }
};
WNDPROC DefExtRecorder::pfnDialog = nullptr;
std::vector<std::wstring> DefExtRecorder::texts;

class DefExtDialog : public RecordingFileDialog
{
public:
    DefExtDialog() : RecordingFileDialog(FALSE, nullptr, nullptr, kTextFilter) {}
    std::vector<const char*> narrowExts;

protected:
    void OnInitDone() override
    {
        HWND hDialog = ::GetParent(m_hWnd);
        DefExtRecorder::texts.clear();
        DefExtRecorder::pfnDialog = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefExtRecorder::Proc)));
        for (const char* psz : narrowExts)
            SetDefExt(psz);
        SetWindowLongPtrW(hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefExtRecorder::pfnDialog));
    }
};

TEST(FileDialog, SetDefExtSendsTheExtensionWidenedToTheShownDialog)
{
    DefExtDialog dlg;
    dlg.narrowExts = { "log", "", "jpeg", nullptr };
    FileDialogDriver driver({ kPressCancel });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ((std::vector<std::wstring>{ L"log", L"", L"jpeg", L"" }), DefExtRecorder::texts);
}

TEST(FileDialog, SetDefExtWithoutAShownDialogDoesNothing)
{
    DefExtDialog dlg;
    DefExtRecorder::texts.clear();
    dlg.SetDefExt("log");
    EXPECT_TRUE(DefExtRecorder::texts.empty());
    EXPECT_EQ(nullptr, dlg.m_ofn.lpstrDefExt);
}

TEST(FileDialog, TheConstructorsDefaultExtensionIsAppendedToABareName)
{
    TestFolder folder;
    RecordingFileDialog dlg(FALSE, L"txt", nullptr, kTextFilter);
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    FileDialogDriver driver({ NameAndOK(L"report") });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(SamePath(folder.Path(L"report.txt"), dlg.GetPathName())) << W(dlg.GetPathName());
}

TEST(FileDialog, NameQueriesWhileShownReadTheDialog)
{
    TestFolder folder;
    RecordingFileDialog dlg(FALSE, nullptr, nullptr, kTextFilter);
    dlg.m_ofn.lpstrInitialDir = folder.Path().c_str();
    FileDialogDriver driver({ NameAndOK(L"archive.tar.gz") });

    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1u, dlg.pathsAtOK.size());
    EXPECT_TRUE(SamePath(folder.Path(L"archive.tar.gz"), dlg.pathsAtOK[0])) << W(dlg.pathsAtOK[0]);
    EXPECT_EQ(L"archive.tar.gz", W(dlg.namesAtOK[0]));
    EXPECT_EQ(L"gz", W(dlg.extsAtOK[0]));
    EXPECT_EQ(L"gz", W(dlg.GetFileExt()));
}

} // namespace
