#include "ImportHook.h"

#include <cstring>

void CallLog::Add(const char* name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.emplace_back(name);
}

std::vector<std::string> CallLog::Calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

int CallLog::Count(const char* name) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const auto& call : m_calls)
        n += call == name;
    return n;
}

void CallLog::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
}

namespace {

void __cdecl RecordHookCall(const ImportHook* hook)
{
    hook->Record();
}

// The import slots of `function` from `dll` in `module`, matched by name.
std::vector<void**> FindImportSlots(HMODULE module, const char* dll, const char* function)
{
    std::vector<void**> slots;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return slots;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        if (_stricmp(reinterpret_cast<const char*>(base + desc->Name), dll) != 0 || !desc->OriginalFirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                slots.push_back(reinterpret_cast<void**>(&addresses->u1.Function));
        }
    }
    return slots;
}

void WriteSlot(void** slot, void* value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), old, &old);
}

}  // namespace

ImportHook::ImportHook(const char* dll, const char* function, const void* replacement, CallLog* log,
                       HMODULE module)
    : m_name(function), m_log(log)
{
    m_slots = FindImportSlots(module ? module : GetModuleHandleA(nullptr), dll, function);
    if (m_slots.empty())
        return;
    m_original = *m_slots.front();
    m_target = replacement ? replacement : m_original;

    void* entry = const_cast<void*>(m_target);
    if (m_log) {
        // push this; mov eax, RecordHookCall; call eax; add esp, 4; jmp [m_target]
        // The caller's stack is untouched when the jump is taken, so the thunk
        // fits every signature.
        m_thunk = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, 32, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
        unsigned char* p = m_thunk;
        auto put32 = [&p](const void* v) { memcpy(p, &v, 4); p += 4; };
        *p++ = 0x68; put32(this);
        *p++ = 0xB8; put32(reinterpret_cast<const void*>(&RecordHookCall));
        *p++ = 0xFF; *p++ = 0xD0;
        *p++ = 0x83; *p++ = 0xC4; *p++ = 0x04;
        *p++ = 0xFF; *p++ = 0x25; put32(&m_target);
        FlushInstructionCache(GetCurrentProcess(), m_thunk, 32);
        entry = m_thunk;
    }
    for (void** slot : m_slots)
        WriteSlot(slot, entry);
}

ImportHook::~ImportHook()
{
    for (void** slot : m_slots)
        WriteSlot(slot, m_original);
    if (m_thunk)
        VirtualFree(m_thunk, 0, MEM_RELEASE);
}

void ImportHook::Record() const
{
    if (m_log)
        m_log->Add(m_name.c_str());
}
