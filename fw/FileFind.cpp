#include "FileFind.h"

#include <cstring>

BOOL CFileFind::FindFile(const char* pszName)
{
    Close();
    if (!pszName)
        pszName = "*.*";

    m_hFind = FindFirstFileA(pszName, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bHasNext = TRUE;

    const CString pattern(pszName);
    const int slash = pattern.ReverseFind('\\');
    m_strRoot = slash >= 0 ? pattern.Left(slash + 1) : CString();
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hFind == INVALID_HANDLE_VALUE || !m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next);
    return m_bHasNext;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE) {
        FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }
    m_bHasNext = FALSE;
    m_found = {};
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (!strcmp(m_found.cFileName, ".") || !strcmp(m_found.cFileName, ".."));
}
