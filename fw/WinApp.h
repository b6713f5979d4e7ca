// The application object. A program defines exactly one, statically; the
// entry point constructs nothing and runs that one.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Runs the whole program; its result is not acted on.
    virtual BOOL InitInstance() { return FALSE; }
    // The thread object's clean-up slot; applications may give it a meaning.
    virtual void Delete() {}
    virtual int ExitInstance() { return 0; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
