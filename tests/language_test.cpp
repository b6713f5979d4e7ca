// Start-up on the system language this test program runs with (the CTest
// registration picks it): which language file it takes and which files it
// writes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fw/String.h"
#include "support/Machine.h"

namespace {

struct LanguageRow {
    const char* locale;
    LANGID langId;
    const char* chosen;   // the language file start-up picks
    const char* written;  // the files written into an empty language folder
};

const LanguageRow kRows[] = {
    {"en_US.UTF-8", 0x0409, "Multi_eng.dll", "Multi_ch.dll|Multi_eng.dll"},
    {"de_DE.UTF-8", 0x0407, "Multi_eng.dll", "Multi_ch.dll|Multi_eng.dll"},
    {"zh_CN.UTF-8", 0x0804, "Multi_ch.dll", "Multi_ch.dll|Multi_eng.dll"},
    {"zh_SG.UTF-8", 0x1004, "Multi_ch_BIG5.dll", "Multi_ch_BIG5.dll|Multi_eng.dll"},
    {"zh_TW.UTF-8", 0x0404, "Multi_ch_BIG5.dll", "Multi_ch_BIG5.dll|Multi_eng.dll"},
    {"zh_HK.UTF-8", 0x0c04, "Multi_ch_BIG5.dll", "Multi_ch_BIG5.dll|Multi_eng.dll"},
};

const LanguageRow& ThisRun()
{
    const char* locale = getenv("LC_ALL");
    for (const LanguageRow& row : kRows)
        if (locale && strcmp(locale, row.locale) == 0)
            return row;
    static const LanguageRow none = {"", 0, "", ""};
    return none;
}

}  // namespace

TEST(SystemLanguage, IsTheOneTheRunAskedFor)
{
    ASSERT_NE(ThisRun().langId, 0) << "no row for LC_ALL " << (getenv("LC_ALL") ? getenv("LC_ALL") : "(unset)");
    EXPECT_EQ(GetSystemDefaultLangID(), ThisRun().langId);
}

TEST(StartUp, FirstRunWritesTheFilesAndShowsEnglishThenTheSystemLanguage)
{
    const LanguageRow& row = ThisRun();
    const std::string dir = FreshDir("C:\\app");
    const RunResult first = RunStartProbe(dir);
    ASSERT_EQ(first.exitCode, 0u) << first.output;
    EXPECT_EQ(ListFiles(dir + "\\Language"), row.written);
    EXPECT_EQ(OutputValue(first.output, "languagefile"), "C:\\app\\Language\\Multi_eng.dll");

    const RunResult second = RunStartProbe(dir);
    EXPECT_EQ(OutputValue(second.output, "languagefile"), std::string("C:\\app\\Language\\") + row.chosen);
    EXPECT_EQ(ListFiles(dir + "\\Language"), row.written) << "the second start must write nothing";
}

TEST(StartUp, WithAllThreeFilesPresentTakesTheSystemLanguageAtOnce)
{
    const LanguageRow& row = ThisRun();
    const std::string dir = FreshDir("C:\\full");
    CreateDirectoryA((dir + "\\Language").c_str(), nullptr);
    WriteFileBytes(dir + "\\Language\\Multi_eng.dll", "[Setting]\r\nLanguage=English\r\n");
    WriteFileBytes(dir + "\\Language\\Multi_ch.dll", "[Setting]\r\nLanguage=Chinese\r\n");
    WriteFileBytes(dir + "\\Language\\Multi_ch_BIG5.dll", "[Setting]\r\nLanguage=Chinese\r\n");
    const RunResult run = RunStartProbe(dir);
    EXPECT_EQ(OutputValue(run.output, "languagefile"), std::string("C:\\full\\Language\\") + row.chosen);
    EXPECT_EQ(ReadFileBytes(dir + "\\Language\\Multi_eng.dll"), "[Setting]\r\nLanguage=English\r\n");
}

TEST(ProgramFolder, IsCutAtTheLastRealBackslashOfADoubleBytePath)
{
    // In GBK and BIG5 the second byte of some characters is 0x5C, the
    // backslash. (Wine's ANSI file functions split such names themselves, so
    // a program file of that name cannot be made here; the cut is checked on
    // the text.)
    const UINT acp = GetACP();
    if (acp != 936 && acp != 950)
        GTEST_SKIP() << "needs a double-byte ANSI code page, this run has " << acp;
    const CString path(acp == 950 ? "C:\\app\\\xa5\x5csetup.exe" : "C:\\app\\\x81\x5csetup.exe");
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(CString(acp == 950 ? "\xa5\x5c" : "\x81\x5c").ReverseFind('\\'), -1);
    EXPECT_EQ(CString("a\\b\\").ReverseFind('\\'), 3);
}
