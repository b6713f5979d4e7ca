// Start-up up to the wizard: program folder, setting file, language files and
// payload extraction.
#include <gtest/gtest.h>

#include "app/InstallerState.h"
#include "app/SetupApp.h"
#include "payload/Payload.h"
#include "support/ImportHook.h"
#include "support/Machine.h"

namespace {

std::string PayloadBytes(int id)
{
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), PAYLOAD_TYPE);
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, info))),
                       SizeofResource(nullptr, info));
}

}  // namespace

struct SettingCase {
    const char* name;
    const char* content;  // nullptr: no setting file
    size_t size;          // of content, which may hold zero bytes
    const char* model;    // nullptr: whatever the platform's profile reader makes of it
};

class SettingFile : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SettingFile, GivesTheModelNameAndIsNeverChanged)
{
    const SettingCase& c = GetParam();
    const std::string dir = FreshDir("C:\\app");
    const std::string setting = dir + "\\setting.dll";
    std::string before;
    if (c.content) {
        before.assign(c.content, c.size);
        if (std::string(c.name) == "TenMegabytes")
            before = "[Setting]\r\nPrinterName=BIG58\r\n" + std::string(10 * 1024 * 1024, 'x');
        ASSERT_TRUE(WriteFileBytes(setting, before));
    }
    const RunResult run = RunStartProbe(dir);
    ASSERT_FALSE(run.timedOut);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(OutputValue(run.output, "appdir"), "C:\\app\\");
    EXPECT_EQ(OutputValue(run.output, "settingfile"), "C:\\app\\setting.dll");
    if (c.content) {
        EXPECT_TRUE(ReadFileBytes(setting) == before) << "the setting file changed";
    } else {
        EXPECT_EQ(ReadFileBytes(setting), PayloadBytes(IDP_SETTING));
    }
    const std::string expected = c.model ? c.model : ReadProfile(setting, "Setting", "PrinterName", "RTQ58");
    EXPECT_EQ(OutputValue(run.output, "model"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingFile,
    ::testing::Values(SettingCase{"Missing", nullptr, 0, "RTQ58"},
                      SettingCase{"NoPrinterNameKey", "[Setting]\r\nLanguage=English\r\n", 29, "RTQ58"},
                      SettingCase{"EmptyPrinterName", "[Setting]\r\nPrinterName=\r\n", 25, ""},
                      SettingCase{"OtherModel", "[Setting]\r\nLanguage=Chinese\r\nPrinterName=XP80\r\n", 46, "XP80"},
                      SettingCase{"Empty", "", 0, "RTQ58"},
                      SettingCase{"Binary", "\x00\x01\xff\xfe[Set\x00ting]\r\n\x80\x81=\x00", 18, nullptr},
                      SettingCase{"Utf16", "\xff\xfe[\0S\0e\0t\0t\0i\0n\0g\0]\0\r\0\n\0P\0r\0i\0n\0t\0e\0r\0N\0a\0m\0e\0=\0U\0""1\0""6\0\r\0\n\0",
                                  62, nullptr},
                      SettingCase{"TenMegabytes", "", 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFolder, AtTheRootOfADriveUsesTheRootItself)
{
    // The test prefix maps drive R: to this folder.
    const std::string target = "C:\\driveroot";
    ASSERT_TRUE(DirExists("R:\\"));
    const RunResult run = RunStartProbe("R:");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(OutputValue(run.output, "appdir"), "R:\\");
    EXPECT_EQ(OutputValue(run.output, "settingfile"), "R:\\setting.dll");
    EXPECT_EQ(OutputValue(run.output, "languagefile"), "R:\\Language\\Multi_eng.dll");
    EXPECT_EQ(OutputValue(run.output, "model"), "RTQ58");
    EXPECT_TRUE(FileExists(target + "\\setting.dll"));
    EXPECT_TRUE(FileExists(target + "\\Language\\Multi_eng.dll"));
}

TEST(ProgramFolder, BadLanguageFilesDoNotStopStartUp)
{
    const std::string dir = FreshDir("C:\\badlang");
    CreateDirectoryA((dir + "\\Language").c_str(), nullptr);
    WriteFileBytes(dir + "\\Language\\Multi_eng.dll", std::string("\x00\xff\x01[Setting]\r\nLanguage", 20));
    WriteFileBytes(dir + "\\Language\\Multi_ch.dll", std::string("\xff\xfe[\0S\0", 6));
    WriteFileBytes(dir + "\\Language\\Multi_ch_BIG5.dll", "");
    WriteFileBytes(dir + "\\Language\\big.dll", std::string(10 * 1024 * 1024, '='));
    const RunResult run = RunStartProbe(dir);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(OutputValue(run.output, "model"), "RTQ58");
}

TEST(ShippedProgram, StartsUpAndEndsInAFreshFolder)
{
    const std::string dir = FreshDir("C:\\shipped");
    ASSERT_TRUE(CopyFileTo(BinDir() + "setup.exe", dir + "\\setup.exe"));
    const RunResult run = RunProgram(dir + "\\setup.exe");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(dir + "\\setting.dll"), PayloadBytes(IDP_SETTING));
    EXPECT_EQ(ReadFileBytes(dir + "\\Language\\Multi_eng.dll"), PayloadBytes(IDP_LANGUAGE_ENGLISH));
}

// LoadLanguage on folders laid out by the test, with the system language the
// hook reports.
static LANGID s_langId;
static LANGID WINAPI FakeLangId()
{
    return s_langId;
}

struct LanguageCase {
    const char* name;
    LANGID langId;
    const char* requested;
    const char* layout;        // files to plant: "name=Language value;..." (value "-": no key)
    const char* filesAfter;    // files in the folder afterwards, sorted
    bool fallsBackToEnglish;   // g_strLanguageFile switched to the English file
};

class LoadLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LoadLanguage, WritesTheDefaultsOnlyWhenNoFileDeclaresTheLanguage)
{
    const LanguageCase& c = GetParam();
    ImportHook hook("kernel32.dll", "GetSystemDefaultLangID", reinterpret_cast<const void*>(&FakeLangId));
    s_langId = c.langId;
    const std::string dir = FreshDir("C:\\lang");
    const std::string langDir = dir + "\\Language";
    std::string layout = c.layout;
    if (!layout.empty())
        CreateDirectoryA(langDir.c_str(), nullptr);
    for (size_t start = 0; start < layout.size();) {
        size_t end = layout.find(';', start);
        if (end == std::string::npos)
            end = layout.size();
        const std::string item = layout.substr(start, end - start);
        const std::string file = item.substr(0, item.find('='));
        const std::string value = item.substr(item.find('=') + 1);
        if (file.back() == '\\')
            CreateDirectoryA((langDir + "\\" + file.substr(0, file.size() - 1)).c_str(), nullptr);
        else
            WriteFileBytes(langDir + "\\" + file,
                           value == "-" ? "[Setting]\r\nOther=1\r\n" : "[Setting]\r\nLanguage=" + value + "\r\n");
        start = end + 1;
    }

    g_strAppDir = (dir + "\\").c_str();
    g_strSettingFile = "";
    g_strLanguageFile = "untouched";
    theApp.LoadLanguage(c.requested);

    EXPECT_EQ(ListFiles(langDir), c.filesAfter);
    EXPECT_EQ(std::string(g_strLanguageFile), c.fallsBackToEnglish ? langDir + "\\Multi_eng.dll" : "untouched");
    if (c.fallsBackToEnglish) {
        EXPECT_EQ(ReadFileBytes(langDir + "\\Multi_eng.dll"), PayloadBytes(IDP_LANGUAGE_ENGLISH));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadLanguage,
    ::testing::Values(
        LanguageCase{"MissingFolderSimplified", 0x0804, "Chinese", "", "Multi_ch.dll|Multi_eng.dll", true},
        LanguageCase{"MissingFolderTraditional", 0x0404, "Chinese", "", "Multi_ch_BIG5.dll|Multi_eng.dll", true},
        LanguageCase{"MissingFolderHongKong", 0x0c04, "Chinese", "", "Multi_ch_BIG5.dll|Multi_eng.dll", true},
        LanguageCase{"MissingFolderSingapore", 0x1004, "Chinese", "", "Multi_ch_BIG5.dll|Multi_eng.dll", true},
        LanguageCase{"MissingFolderEnglish", 0x0409, "English", "", "Multi_ch.dll|Multi_eng.dll", true},
        LanguageCase{"MissingFolderGerman", 0x0407, "English", "", "Multi_ch.dll|Multi_eng.dll", true},
        LanguageCase{"OnlyBig5FileOnSimplified", 0x0804, "Chinese", "Multi_ch_BIG5.dll=Chinese",
                     "Multi_ch_BIG5.dll", false},
        LanguageCase{"AnyFileNameCounts", 0x0409, "English", "mine.dll=English", "mine.dll", false},
        LanguageCase{"LetterCaseDiffers", 0x0804, "Chinese", "Multi_ch.dll=chinese",
                     "Multi_ch.dll|Multi_eng.dll", true},
        LanguageCase{"OtherExtensionsIgnored", 0x0804, "Chinese", "a.txt=Chinese;b.ini=Chinese;c.dl=Chinese",
                     "Multi_ch.dll|Multi_eng.dll|a.txt|b.ini|c.dl", true},
        LanguageCase{"SubFoldersIgnored", 0x0409, "English", "sub.dll\\=;other.dll=-",
                     "Multi_ch.dll|Multi_eng.dll|other.dll", true},
        LanguageCase{"FileWithoutKeyIsSkipped", 0x0409, "English", "a.dll=-;z.dll=English", "a.dll|z.dll", false},
        LanguageCase{"OtherLanguageOnlyIsReplaced", 0x0804, "Chinese", "Multi_eng.dll=English;Multi_ch.dll=English",
                     "Multi_ch.dll|Multi_eng.dll", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadLanguageFallback, ReplacesAnEditedFileOfTheSameName)
{
    ImportHook hook("kernel32.dll", "GetSystemDefaultLangID", reinterpret_cast<const void*>(&FakeLangId));
    s_langId = 0x0804;
    const std::string dir = FreshDir("C:\\edited");
    CreateDirectoryA((dir + "\\Language").c_str(), nullptr);
    WriteFileBytes(dir + "\\Language\\Multi_ch.dll", "[Setting]\r\nLanguage=Klingon\r\n; edited by the user\r\n");
    g_strAppDir = (dir + "\\").c_str();
    g_strSettingFile = "";
    theApp.LoadLanguage("Chinese");
    EXPECT_EQ(ReadFileBytes(dir + "\\Language\\Multi_ch.dll"), PayloadBytes(IDP_LANGUAGE_GBK));
}

class ExtractPayload : public ::testing::Test {
protected:
    std::string m_dir = FreshDir("C:\\extract");
};

TEST_F(ExtractPayload, TruncatesALongerFileToThePayload)
{
    const std::string target = m_dir + "\\setting.dll";
    WriteFileBytes(target, std::string(5000, 'z'));
    theApp.ExtractPayload(IDP_SETTING, target.c_str());
    EXPECT_EQ(ReadFileBytes(target), PayloadBytes(IDP_SETTING));
    EXPECT_EQ(ReadProfile(target, "Setting", "PrinterName"), "RTQ58");
}

TEST_F(ExtractPayload, IntoAMissingFolderWritesNothing)
{
    theApp.ExtractPayload(IDP_CDC_INF, (m_dir + "\\missing\\stmcdc.inf").c_str());
    EXPECT_FALSE(DirExists(m_dir + "\\missing"));
    EXPECT_EQ(ListFiles(m_dir), "");
}

TEST_F(ExtractPayload, UnknownIdWritesNothingAndLeavesAnExistingFile)
{
    theApp.ExtractPayload(9999, (m_dir + "\\unknown").c_str());
    theApp.ExtractPayload(IDP_UNINSTALLER, (m_dir + "\\uninstallRTQ58.exe").c_str());
    WriteFileBytes(m_dir + "\\kept", "keep me");
    theApp.ExtractPayload(9999, (m_dir + "\\kept").c_str());
    EXPECT_EQ(ListFiles(m_dir), "kept");
    EXPECT_EQ(ReadFileBytes(m_dir + "\\kept"), "keep me");
}

static BOOL WINAPI FailingWriteFile(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED)
{
    if (written)
        *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST_F(ExtractPayload, AFailedWriteLeavesNoCutFile)
{
    const std::string target = m_dir + "\\Multi_eng.dll";
    WriteFileBytes(target, "old");
    {
        ImportHook hook("kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&FailingWriteFile));
        ASSERT_TRUE(hook.IsInstalled());
        theApp.ExtractPayload(IDP_LANGUAGE_ENGLISH, target.c_str());
    }
    EXPECT_FALSE(FileExists(target));
}

TEST_F(ExtractPayload, ATargetInUseIsLeftAlone)
{
    const std::string target = m_dir + "\\busy.dll";
    WriteFileBytes(target, "busy");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    theApp.ExtractPayload(IDP_SETTING, target.c_str());
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(target), "busy");
}
