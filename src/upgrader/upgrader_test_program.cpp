// Stands in for the program in the upgrader tests. "/launch UPGRADER PARAM" starts the upgrader as the
// program does and exits; any other start is a restart (or, under another name, the downloaded setup).
// Each start appends a line to the file named by WMB_UPGRADER_TEST_LOG: "launched", or
// "FILENAME started[ARGUMENTS]".

#include <windows.h>

#include <cstdlib>
#include <string>

#include "update/upgrade_paths.h"

namespace {

void Log(const std::string& line) {
    const char* log = std::getenv("WMB_UPGRADER_TEST_LOG");
    if (!log) return;
    const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string args = GetCommandLineA();
    const auto ownEnd = args.starts_with("\"") ? args.find('"', 1) + 1 : args.find(' ');
    args = ownEnd >= args.size() ? "" : args.substr(ownEnd + 1);
    char self[MAX_PATH];
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    if (!args.starts_with("/launch ")) {
        Log(path.substr(path.find_last_of('\\') + 1) + " started[" + args + "]");
        return 0;
    }
    // "/launch "UPGRADER" PARAM"
    const auto close = args.find('"', 9);
    const std::string upgrader = args.substr(9, close - 9);
    const std::string param = args.substr(close + 2);
    std::string line = wmb::UpgraderCommandLine(upgrader, path, param);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return 1;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    Log("launched");
    return 0;
}
