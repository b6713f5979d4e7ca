// Answers an owner-less message box from a second thread, so that a test of
// code that shows one never hangs: it waits (bounded) for a top-level dialog
// with the caption, reads it and presses a button.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

struct MessageBoxSeen {
    bool found = false;
    bool ownerless = false;
    bool hasIcon = false;
    std::string caption;
    std::string text;
    std::string buttons;  // texts of its buttons, separated by '|'
};

class MessageBoxWatcher {
public:
    // Watches boxes of this process, or of every process when anyProcess.
    MessageBoxWatcher(const char* caption, int buttonId = IDOK, DWORD timeoutMs = 15000, bool anyProcess = false);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Waits for the watch to end and returns what it saw.
    MessageBoxSeen Result();

    // Reads a box that is on screen now, without pressing anything.
    static HWND Find(const char* caption, bool anyProcess);
    static MessageBoxSeen Read(HWND box);

private:
    void Watch();

    std::string m_caption;
    int m_buttonId;
    DWORD m_timeoutMs;
    bool m_anyProcess;
    MessageBoxSeen m_seen;
    std::thread m_thread;
};
