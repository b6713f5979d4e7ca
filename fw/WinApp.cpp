#include "WinApp.h"

static CWinApp* s_pApp = nullptr;

CWinApp::CWinApp() : m_hInstance(GetModuleHandleA(nullptr))
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}
