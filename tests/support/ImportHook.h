// Replaces one imported function of a module (the test program by default)
// for the length of a scope. Calls can be recorded into a CallLog; with no
// replacement the hook only records and passes each call through.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

class CallLog {
public:
    void Add(const char* name);
    std::vector<std::string> Calls() const;
    int Count(const char* name) const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

class ImportHook {
public:
    ImportHook(const char* dll, const char* function, const void* replacement, CallLog* log = nullptr,
               HMODULE module = nullptr);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    // Whether the module imports the function (and so the hook is in place).
    bool IsInstalled() const { return !m_slots.empty(); }

    // The function the import pointed to before the hook.
    template <typename F>
    F Original() const { return reinterpret_cast<F>(m_original); }

    // Entry of the recording thunks.
    void Record() const;

private:
    std::string m_name;
    CallLog* m_log;
    void* m_original = nullptr;
    const void* m_target = nullptr;
    unsigned char* m_thunk = nullptr;
    std::vector<void**> m_slots;
};
