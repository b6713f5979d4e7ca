#include "SpoolerService.h"

#include <windows.h>

#include <cstdio>

namespace {

class ServiceHandle {
public:
    ServiceHandle() = default;
    ~ServiceHandle() { Reset(nullptr); }
    void Reset(SC_HANDLE handle)
    {
        if (m_handle)
            CloseServiceHandle(m_handle);
        m_handle = handle;
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    operator SC_HANDLE() const { return m_handle; }

private:
    SC_HANDLE m_handle = nullptr;
};

struct OpenedSpooler {
    ServiceHandle manager;
    ServiceHandle service;
};

// Opens the manager and the spooler service, printing why when it cannot.
bool OpenSpooler(OpenedSpooler& opened)
{
    opened.manager.Reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!opened.manager && GetLastError() == ERROR_ACCESS_DENIED) {
        printf("PortTalk: You do not have rights to access the Service Control Manager and\n");
        printf("PortTalk: the PortTalk driver is not installed or started. Please ask \n");
        printf("PortTalk: your administrator to install the driver on your behalf.\n");
        return false;
    }
    // Without a manager the open below fails too; the bound ends the retries.
    for (int attempt = 1; attempt <= kServiceOpenAttempts; ++attempt) {
        opened.service.Reset(OpenServiceA(opened.manager, "Spooler", SERVICE_ALL_ACCESS));
        if (opened.service)
            return true;
        switch (GetLastError()) {
        case ERROR_ACCESS_DENIED:
            printf("PortTalk: You do not have rights to the PortTalk service database\n");
            return false;
        case ERROR_INVALID_NAME:
            printf("PortTalk: The specified service name is invalid.\n");
            return false;
        case ERROR_SERVICE_DOES_NOT_EXIST:
            printf("PortTalk: The PortTalk driver does not exist. Installing driver.\n");
            printf("PortTalk: This can take up to 30 seconds on some machines . .\n");
            break;
        default:
            break;
        }
        if (attempt < kServiceOpenAttempts)
            Sleep(kServiceOpenPauseMs);
    }
    return false;
}

// Waits, bounded, while the service reports the pending state. A failed query
// leaves no fresh state to wait on and ends the wait.
void WaitWhile(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status)
{
    const DWORD start = GetTickCount();
    while (QueryServiceStatus(service, &status) && status.dwCurrentState == pendingState &&
           GetTickCount() - start < kPendingWaitMs)
        Sleep(10);  // lets the service manager run on a one-processor machine
}

}  // namespace

bool StartSpooler()
{
    OpenedSpooler opened;
    if (!OpenSpooler(opened))
        return false;
    SERVICE_STATUS status = {};
    if (StartServiceA(opened.service, 0, nullptr)) {
        printf("PortTalk: The PortTalk driver has been successfully started.\n");
    } else {
        // Taken before the wait, whose queries may set an error of their own.
        const DWORD refusal = GetLastError();
        WaitWhile(opened.service, SERVICE_START_PENDING, status);
        if (refusal != ERROR_SERVICE_ALREADY_RUNNING) {
            printf("PortTalk: Unknown error while starting PortTalk driver service.\n");
            printf("PortTalk: Does PortTalk.SYS exist in your \\System32\\Drivers Directory?\n");
            return false;
        }
        printf("PortTalk: The PortTalk driver is already running.\n");
    }
    WaitWhile(opened.service, SERVICE_START_PENDING, status);
    return true;
}

bool StopSpooler()
{
    OpenedSpooler opened;
    if (!OpenSpooler(opened))
        return false;
    SERVICE_STATUS status = {};
    const BOOL accepted = ControlService(opened.service, SERVICE_CONTROL_STOP, &status);
    // A spooler that is not running is already where the caller wants it;
    // the install sequence would otherwise ask it to stop for ever.
    const bool notRunning = !accepted && GetLastError() == ERROR_SERVICE_NOT_ACTIVE;
    WaitWhile(opened.service, SERVICE_STOP_PENDING, status);
    return accepted || notRunning;
}
