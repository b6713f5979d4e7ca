// Operating-system detection: on Wine's Windows versions for real, and on
// versions and failures Wine cannot show, through the import hook.
#include <gtest/gtest.h>

#include "app/InstallerState.h"
#include "support/ImportHook.h"
#include "support/Machine.h"
#include "sys/SystemVersion.h"

struct RealVersion {
    const char* winver;
    int code;
};

class DetectOnWine : public ::testing::TestWithParam<RealVersion> {};

TEST_P(DetectOnWine, LoadTimeCodeAndLaterCallsAgree)
{
    const RealVersion& v = GetParam();
    // A copy per version, since Wine sets the version by file name.
    const std::string probe = FreshDir("C:\\probe") + "\\probe_" + v.winver + ".exe";
    ASSERT_TRUE(CopyFileTo(BinDir() + "startprobe.exe", probe));
    const RunResult run = RunProgram(probe, "", {v.winver});
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(OutputValue(run.output, "loadversion"), std::to_string(v.code)) << run.output;
    EXPECT_EQ(OutputValue(run.output, "detect"), std::to_string(v.code)) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Versions, DetectOnWine,
                         ::testing::Values(RealVersion{"win31", 0}, RealVersion{"win95", 1}, RealVersion{"win98", 2},
                                           RealVersion{"nt40", 5}, RealVersion{"win2k", 6}, RealVersion{"winxp", 7},
                                           RealVersion{"win2003", 8}, RealVersion{"vista", 9},
                                           RealVersion{"win7", 10}, RealVersion{"win10", 4}),
                         [](const auto& info) { return std::string(info.param.winver); });

// A machine as the hooks present it.
struct FakeVersion {
    DWORD getVersion;  // what GetVersion returns
    DWORD major, minor;
    int code;
};

static FakeVersion s_fake;
static bool s_failVersionEx;
static bool s_failAlloc;

static DWORD WINAPI FakeGetVersion()
{
    return s_fake.getVersion;
}

static BOOL WINAPI FakeGetVersionExA(OSVERSIONINFOA* info)
{
    if (s_failVersionEx || info->dwOSVersionInfoSize != 148)
        return FALSE;
    info->dwMajorVersion = s_fake.major;
    info->dwMinorVersion = s_fake.minor;
    info->dwBuildNumber = 1234;
    info->dwPlatformId = (s_fake.getVersion & 0x80000000) ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    return TRUE;
}

static decltype(&HeapAlloc) s_realHeapAlloc;

static LPVOID WINAPI FakeHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    return s_failAlloc ? nullptr : s_realHeapAlloc(heap, flags, size);
}

class DetectHooked : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_failVersionEx = false;
        s_failAlloc = false;
        s_realHeapAlloc = m_alloc.Original<decltype(&HeapAlloc)>();
    }
    int Detect(const FakeVersion& fake)
    {
        s_fake = fake;
        return DetectSystemVersion();
    }

    CallLog m_log;
    ImportHook m_version{"kernel32.dll", "GetVersion", reinterpret_cast<const void*>(&FakeGetVersion), &m_log};
    ImportHook m_versionEx{"kernel32.dll", "GetVersionExA", reinterpret_cast<const void*>(&FakeGetVersionExA),
                           &m_log};
    ImportHook m_alloc{"kernel32.dll", "HeapAlloc", reinterpret_cast<const void*>(&FakeHeapAlloc), &m_log};
};

constexpr DWORD kNT = 0x00000000;
constexpr DWORD k9x = 0xC0000000;

TEST_F(DetectHooked, EveryVersionTheTableNames)
{
    const FakeVersion cases[] = {
        {k9x | 0x0004, 4, 0, 1},    {k9x | 0x0A04, 4, 10, 2},   {k9x | 0x5A04, 4, 90, 3},
        {k9x | 0x0005, 5, 0, 1},    {kNT | 0x3303, 3, 51, 4},   {kNT | 0x0004, 4, 0, 5},
        {kNT | 0x0A04, 4, 10, 5},   {kNT | 0x0005, 5, 0, 6},    {kNT | 0x0105, 5, 1, 7},
        {kNT | 0x0205, 5, 2, 8},    {kNT | 0x0006, 6, 0, 9},    {kNT | 0x0106, 6, 1, 10},
        {kNT | 0x0206, 6, 2, 4},    {kNT | 0x0306, 6, 3, 4},    {kNT | 0x000A, 10, 0, 4},
        {kNT | 0x0305, 5, 3, 4},
    };
    for (const FakeVersion& c : cases)
        EXPECT_EQ(Detect(c), c.code) << c.major << "." << c.minor << " GetVersion " << std::hex << c.getVersion;
}

TEST_F(DetectHooked, OldNon9xSystemsAreNotQueriedFurther)
{
    EXPECT_EQ(Detect({0x80000A03, 3, 10, 0}), 0);
    EXPECT_EQ(m_log.Count("GetVersionExA"), 0);
    EXPECT_EQ(m_log.Count("HeapAlloc"), 0);
}

TEST_F(DetectHooked, RecordIsFreedAfterTheQuery)
{
    CallLog freeLog;
    ImportHook heapFree("kernel32.dll", "HeapFree", nullptr, &freeLog);
    EXPECT_EQ(Detect({kNT | 0x0105, 5, 1, 7}), 7);
    EXPECT_EQ(Detect({k9x | 0x0A04, 4, 10, 2}), 2);
    EXPECT_EQ(m_log.Count("HeapAlloc"), 2);
    EXPECT_EQ(freeLog.Count("HeapFree"), 2);
}

TEST_F(DetectHooked, FailedAllocationGivesTheFamilyCatchAll)
{
    s_failAlloc = true;
    EXPECT_EQ(Detect({kNT | 0x0105, 5, 1, 7}), 4);
    EXPECT_EQ(Detect({k9x | 0x0A04, 4, 10, 2}), 1);
    EXPECT_EQ(m_log.Count("GetVersionExA"), 0);
}

TEST_F(DetectHooked, FailedVersionQueryGivesTheFamilyCatchAll)
{
    s_failVersionEx = true;
    EXPECT_EQ(Detect({kNT | 0x0105, 5, 1, 7}), 4);
    EXPECT_EQ(Detect({k9x | 0x0A04, 4, 10, 2}), 1);
    EXPECT_EQ(m_log.Count("GetVersionExA"), 2);
}

TEST(DetectInProcess, LoadTimeCodeIsThatOfThisMachine)
{
    // The test program runs as Windows 7.
    EXPECT_EQ(g_nSystemVersion, 10);
    EXPECT_EQ(DetectSystemVersion(), 10);
}
