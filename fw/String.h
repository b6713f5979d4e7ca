// 8-bit text in the system's ANSI code page, with the handful of operations
// the programs use. Kept off the C++ library's string, whose exception and
// locale support would be most of a small program's size.
#pragma once

class CString {
public:
    CString() = default;
    CString(const char* psz) { Assign(psz, Length(psz)); }
    CString(const char* pch, int nLength) { Assign(pch, nLength > 0 ? nLength : 0); }
    CString(const CString& other) { Assign(other.m_pch, other.m_nLength); }
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* psz);
    CString& operator+=(const char* psz) { Append(psz, Length(psz)); return *this; }

    operator const char*() const { return GetString(); }
    const char* GetString() const { return m_pch ? m_pch : ""; }
    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }

    friend CString operator+(CString lhs, const char* rhs) { lhs += rhs; return lhs; }
    friend bool operator==(const CString& lhs, const char* rhs);

    // Offset of the last character equal to ch, or -1; double-byte characters
    // of the ANSI code page are skipped whole.
    int ReverseFind(char ch) const;
    CString Left(int nCount) const;

private:
    static int Length(const char* psz);
    void Assign(const char* pch, int nLength);
    void Append(const char* pch, int nLength);

    char* m_pch = nullptr;  // zero-terminated; null while nothing was stored
    int m_nLength = 0;
    int m_nCapacity = 0;
};
