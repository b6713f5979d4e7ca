// Process-wide state shared by start-up, the pages and the install sequence.
#pragma once

#include <windows.h>

#include "fw/String.h"

extern CString g_strAppDir;        // program folder, with its trailing backslash
extern CString g_strSettingFile;   // g_strAppDir + "setting.dll"
extern CString g_strLanguageFile;  // language file whose texts the dialogs show
extern char g_szModelName[MAX_PATH];
extern int g_nSystemVersion;       // operating-system code, fixed at load
extern short g_nLanguage;          // texts the install writes: 0 Chinese, 1 English
extern bool g_bInstalled;          // the install sequence has run since the last Back
