#include "MessageBoxWatcher.h"

namespace {

struct FindState {
    const char* caption;
    bool anyProcess;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param)
{
    auto* state = reinterpret_cast<FindState*>(param);
    char cls[64] = "";
    char text[512] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (strcmp(cls, "#32770") == 0 && strcmp(text, state->caption) == 0 && IsWindowVisible(hwnd) &&
        (state->anyProcess || pid == GetCurrentProcessId())) {
        state->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND hwnd, LPARAM param)
{
    auto* seen = reinterpret_cast<MessageBoxSeen*>(param);
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    const int len = GetWindowTextLengthA(hwnd);
    std::string text(len + 1, '\0');
    GetWindowTextA(hwnd, &text[0], len + 1);
    text.resize(len);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (_stricmp(cls, "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON)
            seen->hasIcon = seen->hasIcon || (IsWindowVisible(hwnd) && SendMessageA(hwnd, STM_GETICON, 0, 0));
        else if (!text.empty())
            seen->text = text;
    } else if (_stricmp(cls, "Button") == 0 && IsWindowVisible(hwnd)) {
        if (!seen->buttons.empty())
            seen->buttons += '|';
        seen->buttons += text;
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(const char* caption, int buttonId, DWORD timeoutMs, bool anyProcess)
    : m_caption(caption), m_buttonId(buttonId), m_timeoutMs(timeoutMs), m_anyProcess(anyProcess)
{
    m_thread = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

MessageBoxSeen MessageBoxWatcher::Result()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

HWND MessageBoxWatcher::Find(const char* caption, bool anyProcess)
{
    FindState state{caption, anyProcess, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

MessageBoxSeen MessageBoxWatcher::Read(HWND box)
{
    MessageBoxSeen seen;
    if (!box)
        return seen;
    seen.found = true;
    seen.ownerless = GetWindow(box, GW_OWNER) == nullptr;
    char caption[512] = "";
    GetWindowTextA(box, caption, sizeof caption);
    seen.caption = caption;
    EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

void MessageBoxWatcher::Watch()
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < m_timeoutMs) {
        if (HWND box = Find(m_caption.c_str(), m_anyProcess)) {
            m_seen = Read(box);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(m_buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, m_buttonId)));
            return;
        }
        Sleep(50);
    }
}
