// Load-time initialisation, in this order: the paths, the operating-system
// code, then the application object.
#include "InstallerState.h"

#include "SetupApp.h"
#include "sys/SystemVersion.h"

CString g_strAppDir;
CString g_strSettingFile;
CString g_strLanguageFile;
int g_nSystemVersion = DetectSystemVersion();
char g_szModelName[MAX_PATH];
short g_nLanguage;
bool g_bInstalled;

SetupApp theApp;
