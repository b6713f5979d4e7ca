#include "Payload.h"
#include "app/SetupApp.h"
#include "fw/File.h"

void SetupApp::ExtractPayload(WORD nId, const char* pszTarget)
{
    HRSRC hInfo = FindResourceA(nullptr, MAKEINTRESOURCEA(nId), PAYLOAD_TYPE);
    if (!hInfo)
        return;
    HGLOBAL hData = LoadResource(nullptr, hInfo);
    if (!hData)
        return;
    const void* pBytes = LockResource(hData);
    const DWORD nSize = SizeofResource(nullptr, hInfo);
    if (!pBytes)
        return;

    CFile file;
    if (!file.Open(pszTarget, CFile::modeCreate | CFile::modeWrite))
        return;
    const BOOL bWritten = file.Write(pBytes, nSize);
    file.Close();
    // A half-written file (a full disk) would be read as a valid but cut
    // setting or language file later: leave none instead.
    if (!bWritten)
        DeleteFileA(pszTarget);
}
