// The setup program's application object.
#pragma once

#include "fw/String.h"
#include "fw/WinApp.h"

class SetupApp : public CWinApp {
public:
    BOOL InitInstance() override;

    // Start-up up to the wizard: program folder, language file, setting file
    // and model name.
    void LoadConfiguration();
    // Makes sure a language file declares strLanguage; otherwise writes the
    // default files and falls back to English.
    void LoadLanguage(CString strLanguage);
    // Writes one embedded payload to a file, replacing it; silent on failure.
    void ExtractPayload(WORD nId, const char* pszTarget);
};

extern SetupApp theApp;
