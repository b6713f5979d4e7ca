#include <cstring>

#include "InstallerState.h"
#include "SetupApp.h"
#include "fw/FileFind.h"
#include "payload/Payload.h"

// Whether a .dll file in the folder declares the language by name.
static bool IsLanguagePresent(const CString& strLanguageDir, const char* pszLanguage)
{
    CFileFind finder;
    BOOL bMore = finder.FindFile(strLanguageDir + "\\*.dll");
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory())
            continue;
        char szName[1000] = "";
        if (GetPrivateProfileStringA("Setting", "Language", "", szName, sizeof szName, finder.GetFilePath()) &&
            strcmp(szName, pszLanguage) == 0)
            return true;
    }
    return false;
}

void SetupApp::LoadLanguage(CString strLanguage)
{
    const CString strLanguageDir = g_strAppDir + "Language";

    if (!IsLanguagePresent(strLanguageDir, strLanguage)) {
        const LANGID lang = GetSystemDefaultLangID();
        CreateDirectoryA(strLanguageDir, nullptr);
        ExtractPayload(IDP_LANGUAGE_ENGLISH, strLanguageDir + "\\Multi_eng.dll");
        if ((lang & 0xFF) == LANG_CHINESE && lang != 0x0804)
            ExtractPayload(IDP_LANGUAGE_BIG5, strLanguageDir + "\\Multi_ch_BIG5.dll");
        else
            ExtractPayload(IDP_LANGUAGE_GBK, strLanguageDir + "\\Multi_ch.dll");
        g_strLanguageFile = strLanguageDir + "\\Multi_eng.dll";
        strLanguage = "English";
    }

    // At start-up the setting file is not known yet, and then nothing is
    // recorded; an empty path must not reach the profile writer, which would
    // take it for a file in the Windows folder.
    if (!g_strSettingFile.IsEmpty())
        WritePrivateProfileStringA("Setting", "Language", strLanguage, g_strSettingFile);
}
