#include "SetupApp.h"

#include "InstallerState.h"
#include "fw/FileFind.h"
#include "payload/Payload.h"

static bool IsChinese(LANGID lang)
{
    return (lang & 0xFF) == LANG_CHINESE;
}

BOOL SetupApp::InitInstance()
{
    LoadConfiguration();
    return FALSE;
}

void SetupApp::LoadConfiguration()
{
    // There is no control container or 3D look to enable on plain Win32.

    char szModule[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    const CString strModule(szModule);
    g_strAppDir = strModule.Left(strModule.ReverseFind('\\') + 1);

    const CString strLanguageDir = g_strAppDir + "Language";
    CreateDirectoryA(strLanguageDir, nullptr);

    const LANGID lang = GetSystemDefaultLangID();
    if (IsChinese(lang)) {
        g_strLanguageFile = strLanguageDir + (lang == 0x0804 ? "\\Multi_ch.dll" : "\\Multi_ch_BIG5.dll");
        LoadLanguage("Chinese");
    } else {
        g_strLanguageFile = strLanguageDir + "\\Multi_eng.dll";
        LoadLanguage("English");
    }

    g_strSettingFile = g_strAppDir + "setting.dll";

    CFileFind finder;
    if (!finder.FindFile(g_strSettingFile))
        ExtractPayload(IDP_SETTING, g_strSettingFile);
    finder.Close();

    GetPrivateProfileStringA("Setting", "PrinterName", "RTQ58", g_szModelName, MAX_PATH, g_strSettingFile);
}
