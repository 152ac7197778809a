// Resource search: the current resource module, the chain of extension
// libraries (a real test DLL that registers itself), then the program.
#include <gtest/gtest.h>

#include "CDialog.h"
#include "CDynLinkLibrary.h"
#include "TestResources.h"
#include "TimedAction.h"

namespace {

class CaptionDialog : public CDialog
{
public:
    explicit CaptionDialog(UINT nID) : CDialog(nID) {}
    CString strCaption;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetWindowText(strCaption);
        EndDialog(IDOK);
        return TRUE;
    }
};

CString CaptionOf(UINT nID, INT_PTR* pResult = nullptr)
{
    CaptionDialog dlg(nID);
    guitest::ModalWatchdog watchdog(10000);
    const INT_PTR result = dlg.DoModal();
    if (pResult != nullptr)
        *pResult = result;
    return dlg.strCaption;
}

bool InChain(HMODULE hModule)
{
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p != nullptr; p = p->m_pNextDLL) {
        if (p->m_hModule == hModule)
            return true;
    }
    return false;
}

TEST(ResourceSearch, TheChainTheCurrentModuleAndTheProgramAreSearchedInOrder)
{
    HMODULE hLibrary = LoadLibraryW(L"win32_test_extension.dll");
    ASSERT_NE(nullptr, hLibrary);
    EXPECT_TRUE(InChain(hLibrary));
    const LPCWSTR rtDialog = reinterpret_cast<LPCWSTR>(RT_DIALOG);

    // Only the library has it: found through the chain.
    EXPECT_EQ(hLibrary, AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_LIBRARY_ONLY), rtDialog));
    EXPECT_EQ(CString(L"扩展库对话框"), CaptionOf(IDD_LIBRARY_ONLY));
    // Both have it: the current resource module (the program) wins.
    EXPECT_EQ(CString(L"程序中的对话框"), CaptionOf(IDD_SHARED));
    // Switched to the library: its template wins.
    AfxSetResourceHandle(hLibrary);
    EXPECT_EQ(hLibrary, AfxGetResourceHandle());
    EXPECT_EQ(CString(L"扩展库中的对话框"), CaptionOf(IDD_SHARED));
    // Only the program has it: found at the end of the search.
    EXPECT_EQ(CString(L"程序对话框"), CaptionOf(IDD_SIMPLE));
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
    EXPECT_EQ(CString(L"程序中的对话框"), CaptionOf(IDD_SHARED));

    // Unloading the library takes it out of the chain.
    ASSERT_TRUE(FreeLibrary(hLibrary));
    EXPECT_FALSE(InChain(hLibrary));
    INT_PTR result = 0;
    CaptionOf(IDD_LIBRARY_ONLY, &result);
    EXPECT_EQ(-1, result);
}

TEST(ResourceSearch, ExtensionModuleRecordLifecycle)
{
    AFX_EXTENSION_MODULE record = {};
    EXPECT_FALSE(AfxInitExtensionModule(record, nullptr));
    EXPECT_FALSE(record.bInitialized);
    HMODULE hSelf = GetModuleHandleW(nullptr);
    ASSERT_TRUE(AfxInitExtensionModule(record, hSelf));
    EXPECT_TRUE(record.bInitialized);
    EXPECT_EQ(hSelf, record.hModule);
    EXPECT_EQ(hSelf, record.hResource);
    EXPECT_TRUE(AfxInitExtensionModule(record, hSelf));   // already initialised
    new CDynLinkLibrary(record);
    EXPECT_TRUE(InChain(hSelf));
    AfxTermExtensionModule(record);
    EXPECT_FALSE(InChain(hSelf));
    EXPECT_FALSE(record.bInitialized);
}

} // namespace
