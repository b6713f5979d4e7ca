// Directory search. FindFile looks up the first match; each FindNextFile
// makes the next one current and returns FALSE when the current match is the
// last, as the Win32 pair of calls cannot tell that on its own.
#pragma once

#include <windows.h>

#include "String.h"

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    BOOL FindFile(const char* pszName = "*.*");
    BOOL FindNextFile();
    void Close();

    CString GetFilePath() const { return m_strRoot + m_found.cFileName; }
    BOOL IsDirectory() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_found = {};
    WIN32_FIND_DATAA m_next = {};
    BOOL m_bHasNext = FALSE;
    CString m_strRoot;  // folder of the pattern, with its trailing backslash
};
