// Files, folders and child programs of the test machine (the Wine prefix).
#pragma once

#include <windows.h>

#include <string>

// Folder of the running test program, with its trailing backslash; the built
// programs lie beside it.
std::string BinDir();

bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Deletes a file or a folder with everything in it.
void RemoveTree(const std::string& path);
// An empty folder of that path (created anew).
std::string FreshDir(const std::string& path);
bool CopyFileTo(const std::string& from, const std::string& to);

// A profile value as the platform reads it.
std::string ReadProfile(const std::string& file, const char* section, const char* key, const char* def = "");

// Names of the files (not folders) in a folder, sorted, separated by '|'.
std::string ListFiles(const std::string& dir);

struct RunResult {
    bool started = false;
    bool timedOut = false;
    DWORD exitCode = 0;
    std::string output;  // standard output and error together
};

struct RunOptions {
    std::string winver;  // Wine's name of the Windows version the program sees
    DWORD timeoutMs = 30000;
};

// The value of a "key=value" line of a program's output, or "<absent>".
std::string OutputValue(const std::string& output, const std::string& key);

// Copies startprobe.exe into the folder and runs the installer's start-up
// there.
RunResult RunStartProbe(const std::string& dir);

// Runs a program to its end (killed after the time-out) and captures its
// output. The Windows version is set for the program's file name.
RunResult RunProgram(const std::string& exe, const std::string& args = "", const RunOptions& options = {});

// Sets the Windows version Wine reports to programs of this file name until
// the scope ends.
class WindowsVersionScope {
public:
    WindowsVersionScope(const std::string& exeName, const std::string& winver);
    ~WindowsVersionScope();
    WindowsVersionScope(const WindowsVersionScope&) = delete;
    WindowsVersionScope& operator=(const WindowsVersionScope&) = delete;

private:
    std::string m_key;
};
