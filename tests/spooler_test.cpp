// Stopping and starting the spooler: for real on Wine's service manager, and
// the refusals it will not produce, through the import hook.
#include <gtest/gtest.h>

#include "support/ImportHook.h"
#include "support/StdoutCapture.h"
#include "sys/SpoolerService.h"

namespace {

const char kLineA[] = "PortTalk: You do not have rights to access the Service Control Manager and\n";
const char kLineB[] = "PortTalk: the PortTalk driver is not installed or started. Please ask \n";
const char kLineC[] = "PortTalk: your administrator to install the driver on your behalf.\n";
const char kLineD[] = "PortTalk: You do not have rights to the PortTalk service database\n";
const char kLineE[] = "PortTalk: The specified service name is invalid.\n";
const char kLineF[] = "PortTalk: The PortTalk driver does not exist. Installing driver.\n";
const char kLineG[] = "PortTalk: This can take up to 30 seconds on some machines . .\n";
const char kLineH[] = "PortTalk: The PortTalk driver has been successfully started.\n";
const char kLineI[] = "PortTalk: The PortTalk driver is already running.\n";
const char kLineJ[] = "PortTalk: Unknown error while starting PortTalk driver service.\n";
const char kLineK[] = "PortTalk: Does PortTalk.SYS exist in your \\System32\\Drivers Directory?\n";

DWORD SpoolerState()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    QueryServiceStatus(service, &status);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return status.dwCurrentState;
}

std::string Repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

DWORD s_error;

SC_HANDLE WINAPI RefusedOpen(...)
{
    SetLastError(s_error);
    return nullptr;
}

BOOL WINAPI RefusedStart(SC_HANDLE, DWORD, LPCSTR*)
{
    SetLastError(s_error);
    return FALSE;
}

}  // namespace

// Counts the handles the routines open and close.
class SpoolerCalls : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(m_log.Count("CloseServiceHandle"), m_log.Count("OpenSCManagerA") + m_log.Count("OpenServiceA") -
                                                            m_refusedOpens);
    }

    CallLog m_log;
    int m_refusedOpens = 0;
    ImportHook m_manager{"advapi32.dll", "OpenSCManagerA", nullptr, &m_log};
    ImportHook m_service{"advapi32.dll", "OpenServiceA", nullptr, &m_log};
    ImportHook m_close{"advapi32.dll", "CloseServiceHandle", nullptr, &m_log};
};

TEST_F(SpoolerCalls, RealServiceManagerStartsStopsAndKnowsTheStates)
{
    ASSERT_EQ(SpoolerState(), SERVICE_STOPPED) << "a fresh prefix has its spooler stopped";
    {
        StdoutCapture out;
        EXPECT_TRUE(StopSpooler()) << "a stopped spooler counts as stopped";
        EXPECT_EQ(out.Text(), "");
    }
    {
        StdoutCapture out;
        EXPECT_TRUE(StartSpooler());
        EXPECT_EQ(out.Text(), kLineH);
        EXPECT_EQ(SpoolerState(), SERVICE_RUNNING);
    }
    {
        StdoutCapture out;
        EXPECT_TRUE(StartSpooler());
        EXPECT_EQ(out.Text(), kLineI);
    }
    {
        StdoutCapture out;
        EXPECT_TRUE(StopSpooler());
        EXPECT_EQ(out.Text(), "");
        EXPECT_EQ(SpoolerState(), SERVICE_STOPPED);
    }
}

TEST_F(SpoolerCalls, ManagerAccessDeniedPrintsThreeLinesAndOpensNoService)
{
    ImportHook refuse("advapi32.dll", "OpenSCManagerA", reinterpret_cast<const void*>(&RefusedOpen), &m_log);
    s_error = ERROR_ACCESS_DENIED;
    m_refusedOpens = 2;
    for (bool (*routine)() : {StartSpooler, StopSpooler}) {
        StdoutCapture out;
        EXPECT_FALSE(routine());
        EXPECT_EQ(out.Text(), std::string(kLineA) + kLineB + kLineC);
    }
    EXPECT_EQ(m_log.Count("OpenServiceA"), 0);
}

struct OpenRefusal {
    DWORD error;
    int attempts;  // calls of OpenServiceA per routine
    std::string output;
};

class ServiceOpenRefused : public SpoolerCalls, public ::testing::WithParamInterface<OpenRefusal> {};

TEST_P(ServiceOpenRefused, PrintsWhyAndGivesUpWithinTheBound)
{
    const OpenRefusal& r = GetParam();
    ImportHook refuse("advapi32.dll", "OpenServiceA", reinterpret_cast<const void*>(&RefusedOpen), &m_log);
    s_error = r.error;
    m_refusedOpens = 2 * r.attempts;
    for (bool (*routine)() : {StartSpooler, StopSpooler}) {
        StdoutCapture out;
        EXPECT_FALSE(routine());
        EXPECT_EQ(out.Text(), r.output);
    }
    EXPECT_EQ(m_log.Count("OpenServiceA"), 2 * r.attempts);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ServiceOpenRefused,
    ::testing::Values(OpenRefusal{ERROR_ACCESS_DENIED, 1, kLineD}, OpenRefusal{ERROR_INVALID_NAME, 1, kLineE},
                      OpenRefusal{ERROR_SERVICE_DOES_NOT_EXIST, kServiceOpenAttempts,
                                  Repeat(std::string(kLineF) + kLineG, kServiceOpenAttempts)},
                      OpenRefusal{ERROR_NOT_ENOUGH_MEMORY, kServiceOpenAttempts, ""}));

TEST_F(SpoolerCalls, StartRefusedForAnotherReasonPrintsJAndK)
{
    ImportHook refuse("advapi32.dll", "StartServiceA", reinterpret_cast<const void*>(&RefusedStart), &m_log);
    s_error = ERROR_SERVICE_DISABLED;
    StdoutCapture out;
    EXPECT_FALSE(StartSpooler());
    EXPECT_EQ(out.Text(), std::string(kLineJ) + kLineK);
}
