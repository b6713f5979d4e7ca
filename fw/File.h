// Binary file over a Win32 handle. Failures are results, not exceptions.
#pragma once

#include <windows.h>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile() { Close(); }

    virtual BOOL Open(const char* pszFileName, UINT nOpenFlags);
    // TRUE only when every byte went out.
    virtual BOOL Write(const void* pBuffer, UINT nCount);
    virtual void Close();

    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

protected:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
