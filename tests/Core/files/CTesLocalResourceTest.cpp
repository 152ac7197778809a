// TesLib as a framework extension library: its registration, the resource
// scope CTesLocalResource (switching, nesting, restoring) and the module
// chosen with TesSetResourceHandle, checked through the dialog template that
// the window chooser really loads.
#include <gtest/gtest.h>

#include "CDlgActiveWin.h"
#include "CDynLinkLibrary.h"
#include "CTesLocalResource.h"
#include "TimedAction.h"

namespace {

const LPCWSTR kOtherModule = L"teslib_test_other_resources.dll";

// Opens the window chooser, reads its caption while it initialises and
// closes it again.
class CaptionReader : public CDlgActiveWin
{
public:
    CString strCaption;

protected:
    BOOL OnInitDialog() override
    {
        CDlgActiveWin::OnInitDialog();
        GetWindowText(strCaption);
        EndDialog(IDCANCEL);
        return TRUE;
    }
};

CString ChooserCaption()
{
    CaptionReader dlg;
    guitest::ModalWatchdog watchdog(10000);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    return dlg.strCaption;
}

bool HasChooserTemplate(HINSTANCE hModule)
{
    return FindResourceW(hModule, MAKEINTRESOURCEW(IDD_ACTIVE_WIN), reinterpret_cast<LPCWSTR>(RT_DIALOG)) != nullptr;
}

class LocalResourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hLibrary = GetModuleHandleW(L"TesLib.dll");
        ASSERT_NE(nullptr, hLibrary);
        hOther = LoadLibraryW(kOtherModule);
        ASSERT_NE(nullptr, hOther);
        hProgram = AfxGetInstanceHandle();
        AfxSetResourceHandle(nullptr);
    }
    void TearDown() override
    {
        TesSetResourceHandle(nullptr);
        AfxSetResourceHandle(nullptr);
        if (hOther != nullptr)
            FreeLibrary(hOther);
    }

    HINSTANCE hLibrary = nullptr;
    HINSTANCE hOther = nullptr;
    HINSTANCE hProgram = nullptr;
};

TEST_F(LocalResourceTest, TheLibraryIsLinkedIntoTheFrameworkWhenLoaded)
{
    const CDynLinkLibrary* pLink = nullptr;
    for (const CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p != nullptr; p = p->m_pNextDLL) {
        if (p->m_hModule == hLibrary) {
            EXPECT_EQ(nullptr, pLink) << "linked twice";
            pLink = p;
        }
    }
    ASSERT_NE(nullptr, pLink);
    EXPECT_EQ(hLibrary, pLink->m_hResource);
    // The program has no chooser template of its own; the framework finds
    // the library's through that link.
    EXPECT_FALSE(HasChooserTemplate(hProgram));
    EXPECT_TRUE(HasChooserTemplate(hLibrary));
    EXPECT_EQ(hLibrary, AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_ACTIVE_WIN), reinterpret_cast<LPCWSTR>(RT_DIALOG)));
}

TEST_F(LocalResourceTest, TheScopeMakesTheLibraryCurrentAndRestoresWhatItFound)
{
    struct Case { const char* name; HINSTANCE hBefore; };
    const Case cases[] = { { "program current", hProgram }, { "another module current", hOther } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AfxSetResourceHandle(c.hBefore);
        ASSERT_EQ(c.hBefore, AfxGetResourceHandle());
        {
            CTesLocalResource scope;
            EXPECT_EQ(hLibrary, AfxGetResourceHandle());
            EXPECT_TRUE(HasChooserTemplate(AfxGetResourceHandle()));
            EXPECT_EQ(CString(L"活动程序窗口"), ChooserCaption());
            EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        }
        EXPECT_EQ(c.hBefore, AfxGetResourceHandle());
    }
}

TEST_F(LocalResourceTest, NestedScopesEachRestoreTheHandleTheyFound)
{
    AfxSetResourceHandle(hOther);
    {
        CTesLocalResource outer;
        EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        {
            CTesLocalResource inner;
            EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        }
        EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        // An inner scope made after another module was chosen switches to
        // that module and gives the outer scope's handle back.
        TesSetResourceHandle(hOther);
        {
            CTesLocalResource inner;
            EXPECT_EQ(hOther, AfxGetResourceHandle());
            TesSetResourceHandle(nullptr);
            {
                CTesLocalResource innermost;
                EXPECT_EQ(hLibrary, AfxGetResourceHandle());
            }
            EXPECT_EQ(hOther, AfxGetResourceHandle());
        }
        EXPECT_EQ(hLibrary, AfxGetResourceHandle());
    }
    EXPECT_EQ(hOther, AfxGetResourceHandle());
}

TEST_F(LocalResourceTest, TesSetResourceHandleChoosesTheModuleOfLaterScopes)
{
    TesSetResourceHandle(hOther);
    EXPECT_EQ(hProgram, AfxGetResourceHandle());   // nothing switches before a scope
    {
        CTesLocalResource scope;
        EXPECT_EQ(hOther, AfxGetResourceHandle());
        EXPECT_EQ(CString(L"另一个模块的窗口列表"), ChooserCaption());
    }
    EXPECT_EQ(hProgram, AfxGetResourceHandle());

    TesSetResourceHandle(nullptr);
    {
        CTesLocalResource scope;
        EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        EXPECT_EQ(CString(L"活动程序窗口"), ChooserCaption());
    }
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
}

} // namespace
