// The files the shipped program carries, read back out of setup.exe.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/Machine.h"

namespace {

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(lang);
    return TRUE;
}

class ProgramImage {
public:
    ProgramImage() : m_module(LoadLibraryExA((BinDir() + "setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramImage() { if (m_module) FreeLibrary(m_module); }

    bool Has(const char* type, int id) const { return FindResourceA(m_module, MAKEINTRESOURCEA(id), type); }
    std::string Resource(const char* type, int id) const
    {
        HRSRC info = FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
        if (!info)
            return {};
        HGLOBAL data = LoadResource(m_module, info);
        return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(m_module, info));
    }
    std::vector<WORD> Languages(const char* type, int id) const
    {
        std::vector<WORD> langs;
        EnumResourceLanguagesA(m_module, type, MAKEINTRESOURCEA(id), AddLanguage, reinterpret_cast<LONG_PTR>(&langs));
        return langs;
    }
    HMODULE Module() const { return m_module; }

private:
    HMODULE m_module;
};

std::vector<std::string> SplitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = bytes.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(bytes.substr(start, pos - start));
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

// UTF-8 text of this source file in a Windows code page.
std::string InCodePage(const char* utf8, UINT codePage)
{
    wchar_t wide[1024];
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide, 1024);
    char out[2048];
    BOOL lossy = FALSE;
    const int m = WideCharToMultiByte(codePage, 0, wide, n, out, sizeof out, nullptr,
                                      codePage == CP_UTF8 ? nullptr : &lossy);
    EXPECT_FALSE(lossy) << utf8;
    return m > 0 ? std::string(out) : std::string();
}

const ProgramImage& Image()
{
    static ProgramImage image;
    return image;
}

}  // namespace

TEST(Catalogue, EachPayloadHasItsSizeAndOnlyTheSimplifiedChineseLanguage)
{
    const std::map<int, size_t> sizes = {{146, 1347}, {147, 9325}, {148, 48}, {248, 9305}, {256, 1594}, {257, 1437}};
    ASSERT_TRUE(Image().Module());
    for (const auto& [id, size] : sizes) {
        EXPECT_EQ(Image().Resource("OWNER_DATA", id).size(), size) << "payload " << id;
        EXPECT_EQ(Image().Languages("OWNER_DATA", id), std::vector<WORD>{2052}) << "payload " << id;
    }
}

TEST(Catalogue, EveryTextLineEndsInCrLf)
{
    for (int id : {146, 147, 148, 248, 256, 257}) {
        const std::string bytes = Image().Resource("OWNER_DATA", id);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << id;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed in payload " << id << " at " << i;
            }
            if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR in payload " << id << " at " << i;
            }
        }
    }
}

TEST(SettingFile, IsTheThreeDefaultLines)
{
    EXPECT_EQ(Image().Resource("OWNER_DATA", 148), "[Setting]\r\nLanguage=English\r\nPrinterName=RTQ58\r\n");
}

namespace {

// One key of the language files: its value in the English, Simplified and
// Traditional Chinese files (UTF-8 here); nullptr when the file lacks the key.
struct Key {
    const char* name;
    const char* eng;
    const char* chs;
    const char* cht;
};

const char* const kLicence = "\x01";  // the heading line followed by the body

const Key kKeys[] = {
    {"IDD138_Title", "", "", ""},
    {"IDD138_65535", "", "", ""},
    {"IDD138_1042", "Welcome to the Printer Driver Setup Wizard", "欢迎使用 58mm系列打印机驱动安装程序向导", "歡迎使用打印機驅動安裝程序嚮導"},
    {"IDD138_1043", "This will install Printer Driver on your computer.", "这将会在您的计算机上安装58mm系列打印机驱动程序", "這將會在您的計算機上安裝打印機驅動程序"},
    {"IDD138_1044", "It is recommended that you close all other applications before continuing.", "推荐在继续安装前关闭所有其他应用程序", "推薦在繼續安裝前關閉所有其他應用程序"},
    {"IDD138_1045", "Click Next to continue,or Cancel to exit Setup.", "点击 下一步 继续，或者 取消 退出安装程序", "點擊 下一步 繼續，或者 取消 退出安裝程序"},
    {"IDD102_Title", "", "", ""},
    {"IDD102_1000", "", "", ""},
    {"IDD102_12323", "&Back", "后退", "後退"},
    {"IDD102_12324", "&Next", "下一步", "下一步"},
    {"IDD102_1061", "Cancel", "取消", "取消"},
    {"IDD102_12325", "Finish", "完成", "完成"},
    {"IDD102_-1", "", "", ""},
    {"IDD102_0", "", "", ""},
    {"IDD139_Title", "", "", ""},
    {"IDD139_1040", "", "", ""},
    {"IDD139_65535", nullptr, "", nullptr},
    {"IDD139_1065", "", nullptr, ""},
    {"IDD139_1046", "License Agreement", "授权协议", "授權協議"},
    {"IDD139_1047", "Please read the following important information before continuing.", "在继续安装前，请阅读以下重要信息", "在繼續安裝前，請閱讀以下重要信息"},
    {"IDD139_1048", "Please read the following License Agreement.You must accept the terms of this agreement before continuing with installation.", "请阅读以下协议，并严格遵守", "請閱讀以下協議，並嚴格遵守"},
    {"IDD139_1019", kLicence, "", kLicence},
    {"IDD139_1049", "I accept the agreement", "同意", "同意"},
    {"IDD139_1050", "I do not accept the agreement", "不同意", "不同意"},
    {"IDD137_Title", "", "", ""},
    {"IDD137_1040", "", "", ""},
    {"IDD137_65535", nullptr, "", nullptr},
    {"IDD137_1065", "", nullptr, ""},
    {"IDD137_1051", "Please select the operation system", "请选择安装系统  ", "請選擇安裝系統"},
    {"IDD137_1052", "Please select the operation system", "请选择您的安装系统", "請選擇您的安裝系統"},
    {"IDD137_1032", "Windows 2000", "Windows 2000", "Windows 2000"},
    {"IDD137_1033", "Windows XP", "Windows XP", "Windows XP"},
    {"IDD137_1036", "Windows 2003", "Windows 2003", "Windows 2003"},
    {"IDD137_1053", "operation system", "选择安装系统", "可選安裝系統"},
    {"IDD137_1054", "language", "选择安装语言", "可選安裝語言"},
    {"IDD137_1037", "Chinese", "中文", "中文"},
    {"IDD137_1038", "English", "英文", "英文"},
    {"IDD143_Title", "", "", ""},
    {"IDD143_1055", "Printer Series", "可安装打印机系列", "可安裝打印機系列"},
    {"IDD143_1056", "Setting", "打印机设置", "打印機設置"},
    {"IDD143_1039", "Default Printer", "设置默认打印机", "設置默認打印機"},
    {"IDD143_1057", "Name:", "名称:", "名稱:"},
    {"IDD143_1019", "", "", ""},
    {"IDD143_1006", "", "", ""},
    {"IDD140_Title", "", "", ""},
    {"IDD140_1040", "", "", ""},
    {"IDD140_65535", nullptr, "", nullptr},
    {"IDD140_1065", "", nullptr, ""},
    {"IDD140_1058", "Please wait while Setup installs Printer Driver on your computer", "正在安装驱动，请稍候 ...", "正在安裝驅動，請稍候 ..."},
    {"IDD140_1059", "Please wait while Setup installs Printer Driver on your computer", "目前正在您的计算机上安装打印机驱动", "目前正在您的計算機上安裝打印機驅動"},
    {"IDD140_1060", "Installing the driver...", "正在安装...", "正在安裝..."},
    {"IDD140_1035", "Progress1", "Progress1", "Progress1"},
    {"IDD100_Title", nullptr, "关于 驱动安装向导", nullptr},
    {"IDD100_65535", nullptr, "", nullptr},
    {"IDD100_1062", nullptr, "驱动安装向导 1.0 版", nullptr},
    {"IDD100_1063", nullptr, "\x02", nullptr},  // a rights notice with a year
    {"IDD100_1", nullptr, "确定", nullptr},
};

struct LanguageFile {
    int id;
    const char* language;
    UINT codePage;
    const char* Key::*column;
    const char* licenceHeading;
};

class LanguageFiles : public ::testing::TestWithParam<LanguageFile> {};

}  // namespace

TEST_P(LanguageFiles, HoldTheirKeysInOrderWithTheirTexts)
{
    const LanguageFile& f = GetParam();
    const std::vector<std::string> lines = SplitCrLf(Image().Resource("OWNER_DATA", f.id));
    ASSERT_GT(lines.size(), 8u);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 8);
    EXPECT_EQ(head, (std::vector<std::string>{"", "", "[Setting]", std::string("Language=") + f.language, "", "",
                                              "", "[String]"}));

    size_t line = 8;
    for (const Key& key : kKeys) {
        const char* value = key.*f.column;
        if (!value)
            continue;
        ASSERT_LT(line, lines.size()) << "missing " << key.name;
        const std::string& text = lines[line++];
        const std::string prefix = std::string(key.name) + "=";
        ASSERT_EQ(text.substr(0, prefix.size()), prefix) << "line " << line;
        const std::string got = text.substr(prefix.size());
        if (value == kLicence) {
            EXPECT_EQ(got, InCodePage(f.licenceHeading, f.codePage));
            // The body: lines without "=" that the profile reader passes over.
            size_t body = 0;
            for (; line < lines.size() && lines[line].find('=') == std::string::npos; ++line, ++body) {
                EXPECT_FALSE(lines[line].empty()) << "line " << line + 1;
                EXPECT_NE(lines[line][0], '[') << "line " << line + 1;
                EXPECT_NE(lines[line][0], ';') << "line " << line + 1;
            }
            EXPECT_GT(body, 30u);
        } else if (std::string(value) == "\x02") {
            EXPECT_NE(got.find("(C) 20"), std::string::npos) << got;
        } else {
            EXPECT_EQ(got, InCodePage(value, f.codePage)) << key.name;
        }
    }
    EXPECT_EQ(line, lines.size()) << "lines after the last key";
}

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageFiles,
    ::testing::Values(LanguageFile{147, "English", 1252, &Key::eng, "SOFTWARE LICENSE AGREEMENT"},
                      LanguageFile{146, "Chinese", 936, &Key::chs, nullptr},
                      LanguageFile{248, "Chinese", 950, &Key::cht, "軟件許可協議"}),
    [](const auto& info) { return std::to_string(info.param.id); });

TEST(LanguageFileReading, TheProfileReaderDropsTheTrailingBlanks)
{
    const std::string file = FreshDir("C:\\payload") + "\\Multi_ch.dll";
    ASSERT_TRUE(WriteFileBytes(file, Image().Resource("OWNER_DATA", 146)));
    EXPECT_EQ(ReadProfile(file, "String", "IDD137_1051"), InCodePage("请选择安装系统", 936));
    EXPECT_EQ(ReadProfile(file, "Setting", "Language"), "Chinese");
    const std::string eng = FreshDir("C:\\payload") + "\\Multi_eng.dll";
    ASSERT_TRUE(WriteFileBytes(eng, Image().Resource("OWNER_DATA", 147)));
    EXPECT_EQ(ReadProfile(eng, "String", "IDD139_1019"), "SOFTWARE LICENSE AGREEMENT");
    EXPECT_EQ(ReadProfile(eng, "String", "IDD139_1049"), "I accept the agreement");
    EXPECT_EQ(ReadProfile(eng, "String", "IDD100_Title", "<none>"), "<none>");
}

namespace {

// Sections and entries in file order; blanks around "=" do not count, and
// comment and empty lines are left out.
std::vector<std::string> InfEntries(const std::string& bytes)
{
    std::vector<std::string> entries;
    for (std::string line : SplitCrLf(bytes)) {
        if (line.empty() || line[0] == ';')
            continue;
        const size_t eq = line.find('=');
        if (eq != std::string::npos) {
            size_t a = eq, b = eq + 1;
            while (a > 0 && line[a - 1] == ' ') --a;
            while (b < line.size() && line[b] == ' ') ++b;
            line = line.substr(0, a) + "=" + line.substr(b);
        }
        entries.push_back(line);
    }
    return entries;
}

}  // namespace

TEST(PrinterInf, HoldsItsSectionsAndEntriesInOrder)
{
    const std::string ports = "HKLM,\"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports\",";
    const std::vector<std::string> expected = {
        "[Version]", "Signature=\"$Windows NT$\"", "Provider=%MICROSOFT%", "LayoutFile=ntprint.inf",
        "ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}", "Class=Printer", "DriverVer=08/07/2004",
        "[Manufacturer]", "\"HQ58\"=\"Driver_HQ58,NTx86\"",
        "[Driver_HQ58]", "\"HQ58\"=Driver_Files",
        "[Driver_HQ58.NTx86]", "\"HQ58\"=Driver_Files",
        "[Driver_HQ58.amd64]", "\"HQ58\"=Driver_Files",
        "[Driver_HQ58.ia64]", "\"HQ58\"=Driver_Files",
        "[Driver_Files]", "CopyFiles=@HQ58.GPD", "CopyFiles=@ZIKU.UFM", "CopyFiles=@HQ58.INI",
        "CopyFiles=@HQ58RES.DLL", "CopyFiles=DriverFiles", "DataSection=UNIDRV_DATA", "DataFile=HQ58.GPD",
        "Include=NTPRINT.INF", "Needs=UNIDRV.OEM,UNIDRV_DATA", "Addreg=port_AddReg",
        "[port_AddReg]", ports + "\"COM1:\",0x00000000,%COMMCONFIG%", ports + "\"COM2:\",0x00000000,%COMMCONFIG%",
        ports + "\"COM3:\",0x00000000,%COMMCONFIG%", ports + "\"COM4:\",0x00000000,%COMMCONFIG%",
        "[DriverFiles]", "HQ58D.DLL", "HQ58F.DLL",
        "[SourceDisksNames]", "100=%OEMSample%",
        "[SourceDisksFiles]", "HQ58RES.DLL=100", "HQ58.ini=100", "HQ58.GPD=100", "ZIKU.UFM=100",
        "[SourceDisksFiles.x86]", "HQ58D.DLL=100,x86", "HQ58F.DLL=100,x86",
        "[SourceDisksFiles.amd64]", "HQ58D.DLL=100,amd64", "HQ58F.DLL=100,amd64",
        "[SourceDisksFiles.ia64]", "HQ58D.DLL=100,ia64", "HQ58F.DLL=100,ia64",
        "[DestinationDirs]", "DefaultDestDir=66000", "LMDir=12",
        "[ControlFlags]", "ExcludeFromSelect=2369",
        "[Strings]", "MICROSOFT=\"Microsoft\"", "COMMCONFIG=\"38400,n,8,1,p\"",
    };
    const std::string bytes = Image().Resource("OWNER_DATA", 256);
    EXPECT_EQ(InfEntries(bytes), expected);
    // The blanks the quoted forms carry.
    for (const char* exact : {"HQ58RES.DLL =100\r\n", "HQ58.ini =100\r\n", "HQ58.GPD=100\r\n", "ZIKU.UFM =100\r\n",
                              "Addreg = port_AddReg\r\n", "100 = %OEMSample%\r\n", "ExcludeFromSelect = 2369\r\n"})
        EXPECT_NE(bytes.find(exact), std::string::npos) << exact;
}

TEST(CdcInf, BeginsWithThreeCommentLinesThenItsSectionsInOrder)
{
    const std::string bytes = Image().Resource("OWNER_DATA", 257);
    const std::vector<std::string> lines = SplitCrLf(bytes);
    ASSERT_GT(lines.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].substr(0, 1), ";") << "line " << i + 1;
    EXPECT_NE(lines[3].substr(0, 1), ";");
    const std::vector<std::string> expected = {
        "[Version]", "Signature=\"$Windows NT$\"", "Class=Ports", "ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}",
        "Provider=%STM%", "LayoutFile=layout.inf", "DriverVer=10/02/06",
        "[Manufacturer]", "%STM%=DeviceList",
        "[DestinationDirs]", "DefaultDestDir=12",
        "[SourceDisksFiles]", "[SourceDisksNames]",
        "[DeviceList]", "%DESCRIPTION%=STMUSB, USB\\VID_0416&PID_5011",
        "[STMUSB.nt]", "include=mdmcpq.inf", "CopyFiles=DriverCopyFiles", "AddReg=STMUSB.nt.AddReg",
        "[DriverCopyFiles]", "usbser.sys,,,0x20",
        "[STMUSB.nt.AddReg]", "HKR,,DevLoader,,*ntkern", "HKR,,NTMPDriver,,usbser.sys",
        "HKR,,EnumPropPages32,,\"MsPorts.dll,SerialPortPropPageProvider\"",
        "[STMUSB.nt.Services]", "AddService=usbser, 0x00000002, DriverService",
        "[STMUSB.nt.HW]", "include=mdmcpq.inf",
        "[DriverService]", "DisplayName=%DESCRIPTION%", "ServiceType=1", "StartType=3", "ErrorControl=1",
        "ServiceBinary=%12%\\usbser.sys",
        "[Strings]", "STM=\"STMicroelectronics\"", "DESCRIPTION=\"STM32 Virtual COM Port\"",
    };
    EXPECT_EQ(InfEntries(bytes), expected);
}

TEST(Program, IsA32BitGuiProgramThatNeedsOnlyWindowsOwnDlls)
{
    const std::string image = ReadFileBytes(BinDir() + "setup.exe");
    ASSERT_GT(image.size(), 0x200u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    // Import names through the loaded image, where RVAs are addresses.
    HMODULE module = LoadLibraryExA((BinDir() + "setup.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(module);
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* lnt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = lnt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const std::vector<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL",
                                             "WINSPOOL.DRV", "SETUPAPI.DLL", "COMCTL32.DLL", "SHELL32.DLL"};
    for (auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        std::string name = reinterpret_cast<const char*>(base + desc->Name);
        for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_NE(std::find(system.begin(), system.end(), name), system.end()) << name;
    }
    FreeLibrary(module);
}

TEST(Program, AsksForAdministratorRightsAndKeepsTheClassicLook)
{
    const std::string manifest = Image().Resource(MAKEINTRESOURCEA(24), 1);
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << manifest;
    const std::string version = Image().Resource(MAKEINTRESOURCEA(16), 1);
    EXPECT_FALSE(version.empty());
}
