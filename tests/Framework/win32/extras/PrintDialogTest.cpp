// CPrintDialog on the machine's default printer (the CUPS PDF printer of the
// test set-up): the defaults without a dialog, the print and set-up forms
// driven for real, the printer DC handed over once, and the printer blocks
// and an untaken DC freed with the object. Skipped without a default printer.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CPrintDialog.h"
#include "MessagePump.h"
#include "TimedAction.h"

#include "DefaultPrinter.h"

using guitest::MessagePump;
using guitest::ModalWatchdog;
using guitest::TimedAction;

namespace {

// The visible dialog box of this thread, or null.
HWND ThreadDialog()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hWnd, LPARAM lParam) -> BOOL {
        wchar_t szClass[16] = {};
        GetClassNameW(hWnd, szClass, 16);
        if (lstrcmpW(szClass, L"#32770") == 0 && IsWindowVisible(hWnd)) {
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

bool IsFreed(HGLOBAL hMemory)
{
    return hMemory == nullptr || GlobalSize(hMemory) == 0;
}

TEST(PrintDialog, DefaultsGiveThePrinterAndItsDcOnce)
{
    const std::wstring printer = guitest::DefaultPrinterName();
    if (printer.empty())
        GTEST_SKIP() << "no default printer on this machine";
    HGLOBAL hDevMode = nullptr;
    HGLOBAL hDevNames = nullptr;
    {
        CPrintDialog dialog(FALSE);
        ASSERT_TRUE(dialog.GetDefaults());
        EXPECT_EQ(CString(printer.c_str()), dialog.GetDeviceName());
        EXPECT_FALSE(dialog.GetPortName().IsEmpty());
        hDevMode = dialog.m_pd.hDevMode;
        hDevNames = dialog.m_pd.hDevNames;
        EXPECT_FALSE(IsFreed(hDevMode));
        EXPECT_FALSE(IsFreed(hDevNames));
        // The flags the caller chose survive the call.
        EXPECT_EQ(0u, dialog.m_pd.Flags & PD_RETURNDEFAULT);

        HDC hDC = dialog.GetPrinterDC();
        ASSERT_NE(nullptr, hDC);
        EXPECT_EQ(DT_RASPRINTER, GetDeviceCaps(hDC, TECHNOLOGY));
        EXPECT_EQ(nullptr, dialog.GetPrinterDC());
        EXPECT_TRUE(DeleteDC(hDC));

        // Asking again replaces the blocks of the first call.
        ASSERT_TRUE(dialog.GetDefaults());
        EXPECT_TRUE(IsFreed(hDevMode) || hDevMode == dialog.m_pd.hDevMode);
        hDevMode = dialog.m_pd.hDevMode;
        hDevNames = dialog.m_pd.hDevNames;
    }
    EXPECT_TRUE(IsFreed(hDevMode));
    EXPECT_TRUE(IsFreed(hDevNames));
}

TEST(PrintDialog, AnUntakenDcGoesWithTheObject)
{
    if (guitest::DefaultPrinterName().empty())
        GTEST_SKIP() << "no default printer on this machine";
    HDC hDC = nullptr;
    {
        CPrintDialog dialog(FALSE);
        ASSERT_TRUE(dialog.GetDefaults());
        hDC = dialog.m_pd.hDC;
        ASSERT_NE(nullptr, hDC);
        EXPECT_NE(0u, GetObjectType(hDC));
    }
    EXPECT_EQ(0u, GetObjectType(hDC));
}

TEST(PrintDialog, PrintAndSetUpFormsDrivenForReal)
{
    if (guitest::DefaultPrinterName().empty())
        GTEST_SKIP() << "no default printer on this machine";
    struct Case { const char* name; BOOL bSetupOnly; int button; INT_PTR result; bool dc; };
    const Case cases[] = {
        { "print form, OK", FALSE, IDOK, IDOK, true },
        { "print form, Cancel", FALSE, IDCANCEL, IDCANCEL, false },
        { "set-up form, OK", TRUE, IDOK, IDOK, false },
        { "set-up form, Cancel", TRUE, IDCANCEL, IDCANCEL, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HGLOBAL hDevMode = nullptr;
        {
            CPrintDialog dialog(c.bSetupOnly);
            bool bShown = false;
            ModalWatchdog watchdog(20000);
            TimedAction press(1500, [&] {
                HWND hDialog = ThreadDialog();
                bShown = hDialog != nullptr;
                if (bShown)
                    SendMessageW(GetDlgItem(hDialog, c.button), BM_CLICK, 0, 0);
            });
            EXPECT_EQ(c.result, dialog.DoModal());
            EXPECT_TRUE(bShown);
            EXPECT_FALSE(watchdog.Fired());
            HDC hDC = dialog.GetPrinterDC();
            EXPECT_EQ(c.dc, hDC != nullptr);
            if (hDC != nullptr) {
                EXPECT_EQ(DT_RASPRINTER, GetDeviceCaps(hDC, TECHNOLOGY));
                DeleteDC(hDC);
            }
            if (c.result == IDOK) {
                EXPECT_FALSE(dialog.GetDeviceName().IsEmpty());
            }
            hDevMode = dialog.m_pd.hDevMode;
        }
        EXPECT_TRUE(IsFreed(hDevMode));
    }
}

} // namespace
