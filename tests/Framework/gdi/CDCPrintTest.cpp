// Tests of the CDC printing calls on the default printer, with the output
// sent to a file; skipped when the machine has no printer.
#include "CDC.h"

#include "DefaultPrinter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string ReadFile(const std::wstring& path)
{
    std::string bytes;
    FILE* pFile = _wfopen(path.c_str(), L"rb");
    if (pFile == nullptr)
        return bytes;
    char buffer[4096];
    size_t nRead = 0;
    while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, nRead);
    std::fclose(pFile);
    return bytes;
}

TEST(CDCPrint, OnePageDocumentToAFile)
{
    const std::wstring printer = guitest::DefaultPrinterName();
    if (printer.empty())
        GTEST_SKIP() << "no default printer on this machine";

    wchar_t tempDir[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, tempDir), 0u);
    const std::wstring output = std::wstring(tempDir) + L"gdi-print-test.prn";
    ::DeleteFileW(output.c_str());

    CDC printerDC;
    ASSERT_TRUE(printerDC.CreateDC(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
    EXPECT_EQ(printerDC.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = L"Voruzev";
    docInfo.lpszOutput = output.c_str();
    ASSERT_GT(printerDC.StartDoc(&docInfo), 0);
    ASSERT_GT(printerDC.StartPage(), 0);
    EXPECT_EQ(printerDC.SetMapMode(MM_TEXT), MM_TEXT);
    printerDC.FillSolidRect(100, 100, 400, 300, RGB(255, 0, 0));
    EXPECT_TRUE(printerDC.TextOut(100, 450, L"Voruzev", 7));
    EXPECT_GT(printerDC.EndPage(), 0);
    EXPECT_GT(printerDC.EndDoc(), 0);
    EXPECT_TRUE(printerDC.DeleteDC());
    // The driver's output went to the file, titled with the document name.
    const std::string printed = ReadFile(output);
    EXPECT_FALSE(printed.empty());
    EXPECT_NE(printed.find("Voruzev"), std::string::npos);
    ::DeleteFileW(output.c_str());
}

} // namespace
