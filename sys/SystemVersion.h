// Operating-system code of the running Windows.
#pragma once

enum SystemCode {
    SYS_BEFORE_WIN95 = 0,
    SYS_WIN9X_OTHER = 1,
    SYS_WIN98 = 2,
    SYS_WINME = 3,
    SYS_NT_OTHER = 4,
    SYS_NT4 = 5,
    SYS_WIN2000 = 6,
    SYS_WINXP = 7,
    SYS_WIN2003 = 8,
    SYS_VISTA = 9,
    SYS_WIN7 = 10,
};

int DetectSystemVersion();
