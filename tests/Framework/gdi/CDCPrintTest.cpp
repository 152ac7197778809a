// Tests of the CDC printing calls on the default printer, with the output
// sent to a file; skipped when the machine has no printer.
#include "CDC.h"

#include "DefaultPrinter.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CDCPrint, OnePageDocumentToAFile)
{
    const std::wstring printer = guitest::DefaultPrinterName();
    if (printer.empty())
        GTEST_SKIP() << "no default printer on this machine";

    const TestFolder folder;
    const CString output = folder.Path(L"gdi-print-test.prn");

    CDC printerDC;
    ASSERT_TRUE(printerDC.CreateDC(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
    EXPECT_EQ(printerDC.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = L"Voruzev";
    docInfo.lpszOutput = output;
    ASSERT_GT(printerDC.StartDoc(&docInfo), 0);
    ASSERT_GT(printerDC.StartPage(), 0);
    EXPECT_EQ(printerDC.SetMapMode(MM_TEXT), MM_TEXT);
    printerDC.FillSolidRect(100, 100, 400, 300, RGB(255, 0, 0));
    EXPECT_TRUE(printerDC.TextOut(100, 450, L"Voruzev", 7));
    EXPECT_GT(printerDC.EndPage(), 0);
    EXPECT_GT(printerDC.EndDoc(), 0);
    EXPECT_TRUE(printerDC.DeleteDC());
    // The driver's output went to the file, titled with the document name.
    const std::string printed = folder.ReadBytes(L"gdi-print-test.prn");
    EXPECT_FALSE(printed.empty());
    EXPECT_NE(printed.find("Voruzev"), std::string::npos);
}

} // namespace
