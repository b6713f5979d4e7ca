// 8-bit text in the system's ANSI code page, with the handful of operations
// the program uses.
#pragma once

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}

    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    friend CString operator+(CString lhs, const char* rhs) { lhs += rhs; return lhs; }
    friend bool operator==(const CString& lhs, const char* rhs) { return lhs.m_str == (rhs ? rhs : ""); }
    friend bool operator!=(const CString& lhs, const char* rhs) { return !(lhs == rhs); }

    // Byte offset of the first occurrence at or after nStart, or -1.
    int Find(const char* pszSub, int nStart = 0) const;
    // Offset of the last character equal to ch, or -1; double-byte characters
    // of the ANSI code page are skipped whole.
    int ReverseFind(char ch) const;
    CString Left(int nCount) const;

private:
    std::string m_str;
};
