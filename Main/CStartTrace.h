// CStartTrace: how long each stage of the program's start takes. When the
// variable TES_START_TRACE names a file, each stage appends one line to it,
// "stage milliseconds", the time since the process was created; without the
// variable nothing is written and each mark only tests a flag.
#pragma once

class CStartTrace
{
public:
    // Reads the variable and marks the stage "entry"; called once, first
    // thing in wWinMain.
    static void Begin();
    // Appends the stage pszStage (one short ASCII word) with the time now.
    static void Mark(const char* pszStage);
};
