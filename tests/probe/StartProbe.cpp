// Runs the installer's load-time initialisation and, with the argument
// "config", its start-up up to the wizard, then prints the installer state.
// Tests run it from folders and machines of their choosing.
#include <cstdio>
#include <cstring>

#include "app/InstallerState.h"
#include "app/SetupApp.h"
#include "sys/SystemVersion.h"

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "config") == 0)
        theApp.LoadConfiguration();
    printf("langid=0x%04x\n", GetSystemDefaultLangID());
    printf("loadversion=%d\n", g_nSystemVersion);
    printf("detect=%d\n", DetectSystemVersion());
    printf("appdir=%s\n", g_strAppDir.GetString());
    printf("settingfile=%s\n", g_strSettingFile.GetString());
    printf("languagefile=%s\n", g_strLanguageFile.GetString());
    printf("model=%s\n", g_szModelName);
    return 0;
}
