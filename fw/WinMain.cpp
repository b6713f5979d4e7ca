// Entry point of the programs built on this layer. Linked only into programs
// without a main of their own.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    // The programs run their windows modally inside InitInstance, so there is
    // no message loop of the application's own.
    pApp->InitInstance();
    return pApp->ExitInstance();
}
