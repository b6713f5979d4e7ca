#include "String.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

CString::CString(CString&& other) noexcept
    : m_pch(other.m_pch), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
{
    other.m_pch = nullptr;
    other.m_nLength = other.m_nCapacity = 0;
}

CString::~CString()
{
    free(m_pch);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_pch, other.m_nLength);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        free(m_pch);
        m_pch = other.m_pch;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pch = nullptr;
        other.m_nLength = other.m_nCapacity = 0;
    }
    return *this;
}

CString& CString::operator=(const char* psz)
{
    // psz may point into this string.
    CString copy(psz);
    return *this = static_cast<CString&&>(copy);
}

bool operator==(const CString& lhs, const char* rhs)
{
    return strcmp(lhs.GetString(), rhs ? rhs : "") == 0;
}

int CString::Length(const char* psz)
{
    return psz ? static_cast<int>(strlen(psz)) : 0;
}

void CString::Assign(const char* pch, int nLength)
{
    m_nLength = 0;
    Append(pch, nLength);
}

void CString::Append(const char* pch, int nLength)
{
    if (nLength <= 0)
        return;
    const int needed = m_nLength + nLength + 1;
    if (needed > m_nCapacity) {
        if (m_pch && pch >= m_pch && pch < m_pch + m_nCapacity) {
            CString copy(pch, nLength);  // the source lies in the buffer that moves
            Append(copy.m_pch, nLength);
            return;
        }
        const int capacity = needed < 2 * m_nCapacity ? 2 * m_nCapacity : needed;
        char* grown = static_cast<char*>(realloc(m_pch, capacity));
        if (!grown)
            abort();  // out of memory: nothing sensible is left to do
        m_pch = grown;
        m_nCapacity = capacity;
    }
    memmove(m_pch + m_nLength, pch, nLength);
    m_nLength += nLength;
    m_pch[m_nLength] = '\0';
}

int CString::ReverseFind(char ch) const
{
    // Walk by characters: in GBK and BIG5 a trail byte can be a backslash.
    int last = -1;
    for (int i = 0; i < m_nLength; ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(m_pch[i])) && i + 1 < m_nLength)
            ++i;
        else if (m_pch[i] == ch)
            last = i;
    }
    return last;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    return CString(GetString(), nCount < m_nLength ? nCount : m_nLength);
}
