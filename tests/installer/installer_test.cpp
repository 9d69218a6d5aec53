// The installer as a user runs it, in a fresh prefix of its own (run.sh makes it): a silent installation,
// the installed program started from the Start-menu shortcut's target and one benchmark with no setting
// touched, an upgrade over it and a silent uninstallation.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/test_files.h"
#include "e2e/window_driver.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/wrappers/shortcut.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kSettingsKey = "SOFTWARE\\Kestrane\\RERurov";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WildmereBench";
constexpr const char* kLinkName = "Wildmere Benchmark.lnk";
constexpr int kSetupMs = 120000;

// The first-start choices the installer writes where the key lacks them, in their stored forms.
struct Default {
    const char* Name;
    const char* Value;
};
constexpr Default kDefaults[] = {{"800", "1"},      {"Demo", "1"},    {"Renderer", "1"}, {"PS", "1"},
                                 {"AFLevel", "Sys"}, {"AALevel", "Sys"}, {"TRun", "3"},     {"Language", "1"}};

std::string WindowsPath(const char* variable) {
    const char* unixPath = std::getenv(variable);
    if (!unixPath) throw std::runtime_error(std::string(variable) + " is not set");
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string ProgramFilesFolder() { return ShellFolder(CSIDL_PROGRAM_FILES); }
std::string InstallFolder() { return ProgramFilesFolder() + "\\Kestrane\\Wildmere Benchmark\\"; }
std::string MenuLink() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Wildmere Benchmark\\" + kLinkName; }
std::string DesktopLink() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kLinkName; }

// Runs a setup program silently and returns its exit code.
DWORD RunSilently(const std::string& exe) {
    RunningProgram setup(exe, "/S", "");
    if (!setup.WaitForExit(kSetupMs)) throw std::runtime_error(exe + " did not end");
    return *setup.ExitCode();
}

std::string KeyValue(const char* key, const char* name) {
    return RegKey::Open(HKEY_LOCAL_MACHINE, key, KEY_READ).ReadString(name);
}

bool KeyExists(const char* key) { return RegKey::Open(HKEY_LOCAL_MACHINE, key, KEY_READ).IsOpen(); }

// Starts the program the Start-menu shortcut points at and waits until its main window is ready; with
// `bench`, presses Benchmark with every choice as the program loaded it and waits for the sequence's end.
void StartFromMenuAndClose(bool bench = false) {
    const std::string target = ReadShortcut(MenuLink()).Target;
    ASSERT_EQ(target, InstallFolder() + "WildmereBench.exe");
    RunningProgram program(target, "", InstallFolder());
    const HWND main = WaitForTopWindow(program.ProcessId(), "WildmereBenchMainWindow", 30000);
    ASSERT_NE(main, nullptr) << "no main window";
    EXPECT_TRUE(WaitUntil([&] { return StatusBarText(main) == "Set the parameters & bench!"; }, 20000, 100))
        << StatusBarText(main);
    if (bench) {
        Click(FindControl(main, IDC_BENCHBUTTON));
        EXPECT_TRUE(WaitUntil(
            [&] {
                const std::string status = StatusBarText(main);
                return status != "Set the parameters & bench!" && IsEnabled(FindControl(main, IDC_BENCHBUTTON));
            },
            180000, 250));
        EXPECT_EQ(StatusBarText(main), "The benchmarking is successful.");
    }
    RequestClose(main);
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Installer, InstallsUpgradesAndUninstallsKeepingTheUsersFiles) {
    const std::string setup = WindowsPath("WMB_INSTALLER");
    const std::string folder = InstallFolder();
    ASSERT_FALSE(KeyExists(kSettingsKey)) << "the prefix is not fresh";

    ASSERT_EQ(RunSilently(setup), 0u);
    EXPECT_TRUE(KeyExists(kSettingsKey));
    for (const Default& value : kDefaults) EXPECT_EQ(KeyValue(kSettingsKey, value.Name), value.Value) << value.Name;
    for (const char* file : {"WildmereBench.exe", "WildmereCompare.exe", "Uninstall.exe", "wmsplash.bmp", "offlinenews.html", "help.chm",
                             "DirectX9c\\fxc.exe", "KST\\kstriver.tmd", "Arvenel\\Volcano.tmd", "PXG\\1.tmd"}) {
        EXPECT_TRUE(Exists(folder + file)) << file;
    }
    EXPECT_EQ(KeyValue(kUninstallKey, "DisplayName"), "Wildmere Benchmark");
    EXPECT_EQ(KeyValue(kUninstallKey, "DisplayVersion"), "1.8.0");
    EXPECT_EQ(KeyValue(kUninstallKey, "Publisher"), "Kestrane");
    EXPECT_EQ(KeyValue(kUninstallKey, "UninstallString"), "\"" + folder + "Uninstall.exe\"");
    EXPECT_TRUE(Exists(DesktopLink()));
    EXPECT_EQ(ReadShortcut(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Wildmere Benchmark\\Uninstall Wildmere Benchmark.lnk")
                  .Target,
              folder + "Uninstall.exe");

    // A sandbox game, stored as the user would choose it.
    const std::string game = ProgramFilesFolder() + "\\Wildmere\\";
    CopyTree(WindowsPath("WMB_TEST_BIN") + "\\e2e-template\\game", game);
    RegKey::Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS).WriteString("Path", game + "Bin32\\Wildmere.exe");
    StartFromMenuAndClose(true);
    EXPECT_FALSE(FilesIn(game + "Benchmark").empty()) << "no report in the game's Benchmark folder";

    // The upgrade keeps the settings and the user's folders, and writes a first-start choice only where
    // the key lacks it.
    RegKey::Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS).WriteString("Note", "kept");
    RegKey::Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS).WriteString("TRun", "5");
    RegKey::Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS).WriteString("Language", "");
    CreateDirectoryA((folder + "Benchmark").c_str(), nullptr);
    CreateDirectoryA((folder + "Backup").c_str(), nullptr);
    WriteAll(folder + "Benchmark\\result.htm", "<html>result</html>");
    WriteAll(folder + "Backup\\system.cfg", "user's own");
    ASSERT_EQ(RunSilently(setup), 0u);
    EXPECT_EQ(KeyValue(kSettingsKey, "Note"), "kept");
    EXPECT_EQ(KeyValue(kSettingsKey, "TRun"), "5");
    EXPECT_EQ(KeyValue(kSettingsKey, "Language"), "1");
    EXPECT_EQ(ReadAll(folder + "Benchmark\\result.htm"), "<html>result</html>");
    EXPECT_EQ(ReadAll(folder + "Backup\\system.cfg"), "user's own");
    StartFromMenuAndClose();

    // The uninstaller runs from a copy of itself in the temporary folder: its first process ends at once.
    ASSERT_EQ(RunSilently(folder + "Uninstall.exe"), 0u);
    EXPECT_TRUE(WaitUntil(
        [&] { return !Exists(folder + "Uninstall.exe") && !KeyExists(kUninstallKey) && !Exists(MenuLink()); }, 60000,
        200));
    EXPECT_FALSE(KeyExists(kSettingsKey));
    for (const char* file : {"WildmereBench.exe", "WildmereCompare.exe", "help.chm", "DirectX9c", "KST"}) EXPECT_FALSE(Exists(folder + file)) << file;
    EXPECT_FALSE(Exists(DesktopLink()));
    EXPECT_FALSE(Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Wildmere Benchmark"));
    EXPECT_EQ(ReadAll(folder + "Benchmark\\result.htm"), "<html>result</html>");
    EXPECT_EQ(ReadAll(folder + "Backup\\system.cfg"), "user's own");
}

}  // namespace
}  // namespace wmb::e2e
