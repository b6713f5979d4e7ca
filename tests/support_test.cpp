// The test platform itself: the import hook, the message-box helper and the
// program runner.
#include <gtest/gtest.h>

#include "support/ImportHook.h"
#include "support/Machine.h"
#include "support/MessageBoxWatcher.h"

namespace {

LANGID WINAPI FakeLangId()
{
    return 0x0804;
}

// Calls through the import table of this program, as the installer's code
// does; not inlined, so that each call reads the table afresh.
__attribute__((noinline)) LANGID ImportedLangId()
{
    return GetSystemDefaultLangID();
}

}  // namespace

TEST(ImportHook, RedirectsAndRestores)
{
    const LANGID real = ImportedLangId();
    ASSERT_NE(real, 0x0804);
    {
        ImportHook hook("kernel32.dll", "GetSystemDefaultLangID", reinterpret_cast<const void*>(&FakeLangId));
        ASSERT_TRUE(hook.IsInstalled());
        EXPECT_EQ(ImportedLangId(), 0x0804);
        EXPECT_EQ(hook.Original<LANGID(WINAPI*)()>()(), real);
    }
    EXPECT_EQ(ImportedLangId(), real);
}

TEST(ImportHook, RecordsAndPassesThrough)
{
    const LANGID real = ImportedLangId();
    CallLog log;
    {
        ImportHook hook("KERNEL32.DLL", "GetSystemDefaultLangID", nullptr, &log);
        ASSERT_TRUE(hook.IsInstalled());
        EXPECT_EQ(ImportedLangId(), real);
        EXPECT_EQ(ImportedLangId(), real);
    }
    EXPECT_EQ(log.Count("GetSystemDefaultLangID"), 2);
    ImportedLangId();
    EXPECT_EQ(log.Count("GetSystemDefaultLangID"), 2) << "recording must stop with the hook";
}

TEST(ImportHook, RecordsRedirectedCallsInOrder)
{
    CallLog log;
    ImportHook lang("kernel32.dll", "GetSystemDefaultLangID", reinterpret_cast<const void*>(&FakeLangId), &log);
    ImportHook tick("kernel32.dll", "GetTickCount", nullptr, &log);
    EXPECT_EQ(ImportedLangId(), 0x0804);
    GetTickCount();
    ImportedLangId();
    EXPECT_EQ(log.Calls(), (std::vector<std::string>{"GetSystemDefaultLangID", "GetTickCount",
                                                     "GetSystemDefaultLangID"}));
}

TEST(ImportHook, UnknownImportIsNotInstalled)
{
    ImportHook hook("kernel32.dll", "NoSuchFunctionAnywhere", reinterpret_cast<const void*>(&FakeLangId));
    EXPECT_FALSE(hook.IsInstalled());
    ImportHook wrongDll("user32.dll", "GetSystemDefaultLangID", reinterpret_cast<const void*>(&FakeLangId));
    EXPECT_FALSE(wrongDll.IsInstalled());
}

struct BoxCase {
    UINT style;
    int button;
    int expectedResult;
    bool icon;
    const char* buttons;
};

class MessageBoxHelper : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxHelper, ReadsAndAnswersOwnerlessBox)
{
    const BoxCase& c = GetParam();
    MessageBoxWatcher watcher("Helper caption", c.button);
    const int result = MessageBoxA(nullptr, "The text of the box", "Helper caption", c.style);
    const MessageBoxSeen seen = watcher.Result();
    EXPECT_EQ(result, c.expectedResult);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.ownerless);
    EXPECT_EQ(seen.caption, "Helper caption");
    EXPECT_EQ(seen.text, "The text of the box");
    EXPECT_EQ(seen.hasIcon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageBoxHelper,
                         ::testing::Values(BoxCase{MB_OK | MB_ICONINFORMATION, IDOK, IDOK, true, "OK"},
                                           BoxCase{MB_OK, IDOK, IDOK, false, "OK"},
                                           BoxCase{MB_YESNO, IDNO, IDNO, false, "&Yes|&No"}));

TEST(MessageBoxHelperTimeout, GivesUpWhenNoBoxComes)
{
    const DWORD start = GetTickCount();
    MessageBoxWatcher watcher("A box nobody shows", IDOK, 300);
    EXPECT_FALSE(watcher.Result().found);
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST(RunProgram, CapturesOutputAndExitCode)
{
    const RunResult run = RunProgram(BinDir() + "startprobe.exe");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(OutputValue(run.output, "detect"), "<absent>") << run.output;
}

TEST(RunProgram, SetsTheWindowsVersionOfThatProgramOnly)
{
    const RunResult run = RunProgram(BinDir() + "startprobe.exe", "", {"win98"});
    EXPECT_EQ(OutputValue(run.output, "detect"), "2") << run.output;
    const RunResult after = RunProgram(BinDir() + "startprobe.exe");
    EXPECT_EQ(OutputValue(after.output, "detect"), "10") << after.output;
}

TEST(RunProgram, MissingProgramIsNotStarted)
{
    EXPECT_FALSE(RunProgram(BinDir() + "no-such-program.exe").started);
}
