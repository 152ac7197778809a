// The program's entry and its one application object.
#include <windows.h>

#include "Afx.h"
#include "CTessalyApp.h"

CTessalyApp theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
