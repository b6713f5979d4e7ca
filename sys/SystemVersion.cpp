#include "SystemVersion.h"

#include <windows.h>

#include <memory>

namespace {

struct HeapBlockFree {
    void operator()(void* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

// A zeroed version record filled by GetVersionExA; null when the heap refuses.
// A failed query leaves the record zeroed, which lands in the catch-all code.
std::unique_ptr<OSVERSIONINFOA, HeapBlockFree> QueryVersionRecord()
{
    std::unique_ptr<OSVERSIONINFOA, HeapBlockFree> info(
        static_cast<OSVERSIONINFOA*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(OSVERSIONINFOA))));
    if (info) {
        info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        GetVersionExA(info.get());
    }
    return info;
}

}  // namespace

int DetectSystemVersion()
{
    static_assert(sizeof(OSVERSIONINFOA) == 148, "version record layout");

    const DWORD version = GetVersion();
    if (version & 0x80000000) {
        if (LOBYTE(LOWORD(version)) < 4)
            return SYS_BEFORE_WIN95;
        const auto info = QueryVersionRecord();
        if (!info)
            return SYS_WIN9X_OTHER;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 10)
            return SYS_WIN98;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 90)
            return SYS_WINME;
        return SYS_WIN9X_OTHER;
    }

    const auto info = QueryVersionRecord();
    if (!info)
        return SYS_NT_OTHER;
    const DWORD major = info->dwMajorVersion;
    const DWORD minor = info->dwMinorVersion;
    if (major == 4)
        return SYS_NT4;
    if (major == 5 && minor == 0)
        return SYS_WIN2000;
    if (major == 5 && minor == 1)
        return SYS_WINXP;
    if (major == 5 && minor == 2)
        return SYS_WIN2003;
    if (major == 6 && minor == 0)
        return SYS_VISTA;
    if (major == 6 && minor == 1)
        return SYS_WIN7;
    return SYS_NT_OTHER;
}
