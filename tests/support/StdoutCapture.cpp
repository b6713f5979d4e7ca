#include "StdoutCapture.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include "Machine.h"

StdoutCapture::StdoutCapture()
{
    char dir[MAX_PATH] = "";
    char file[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "out", 0, file);
    m_path = file;
    fflush(stdout);
    m_saved = _dup(1);
    const int fd = _open(file, _O_WRONLY | _O_TRUNC | _O_BINARY);
    _dup2(fd, 1);
    _close(fd);
}

StdoutCapture::~StdoutCapture()
{
    fflush(stdout);
    _dup2(m_saved, 1);
    _close(m_saved);
    DeleteFileA(m_path.c_str());
}

std::string StdoutCapture::Text()
{
    fflush(stdout);
    return ReadFileBytes(m_path);
}
