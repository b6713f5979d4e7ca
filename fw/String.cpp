#include "String.h"

#include <windows.h>

int CString::Find(const char* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const std::string::size_type pos = m_str.find(pszSub, static_cast<std::string::size_type>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    // Walk by characters: in GBK and BIG5 a trail byte can be a backslash.
    int last = -1;
    const int n = GetLength();
    for (int i = 0; i < n; ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(m_str[i])) && i + 1 < n)
            ++i;
        else if (m_str[i] == ch)
            last = i;
    }
    return last;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    return CString(m_str.c_str(), nCount < GetLength() ? nCount : GetLength());
}
