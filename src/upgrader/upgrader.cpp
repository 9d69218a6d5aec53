// The upgrader: started by the program with its own full path, "+" and the restart parameter ending in
// the method digit. It waits until the program has exited, installs the downloaded files that the staging
// record of the Program folder lists, and only while they still match it (method 0: replaces the files, all
// or none; method 1: runs the downloaded setup and waits for it), removes every ".uTMP" file and the record
// and starts the program again.
//
// After a failed or refused installation the Program folder holds exactly its files of before the download:
// the originals are back and the downloads are removed too (the next check downloads them afresh). The
// program is then started with "/upgradefailed:" and the reason instead of the restart parameter, so that it
// can tell the user which file stood in the way.
//
// Exit codes: 0 upgraded, 1 not upgraded (the program restarted as it was), 2 bad command line, 3 the
// program did not exit in time (nothing done).

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "base/case_tables.h"
#include "platform/win32/upgrade_folder_win32.h"
#include "platform/win32/wrappers/handle.h"
#include "update/self_upgrade.h"
#include "update/upgrade_paths.h"

namespace wmb {
namespace {

constexpr DWORD kProgramExitTimeoutMs = 120000;

std::string FullLongPath(const std::string& path) {
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    std::string result = n > 0 && n < sizeof full ? std::string(full, n) : path;
    char longPath[MAX_PATH * 2];
    const DWORD m = GetLongPathNameA(result.c_str(), longPath, sizeof longPath);
    if (m > 0 && m < sizeof longPath) result.assign(longPath, m);
    return LowerText(result);
}

// Every running process started from the program file.
std::vector<Handle> ProgramProcesses(const std::string& programPath) {
    std::vector<Handle> found;
    const std::string wanted = FullLongPath(programPath);
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        Handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process) continue;
        char image[MAX_PATH * 2];
        DWORD size = sizeof image;
        if (QueryFullProcessImageNameA(process.Get(), 0, image, &size) &&
            FullLongPath(std::string(image, size)) == wanted)
            found.push_back(std::move(process));
    }
    return found;
}

bool WaitForProgramExit(const std::string& programPath) {
    const DWORD deadline = GetTickCount() + kProgramExitTimeoutMs;
    for (const Handle& process : ProgramProcesses(programPath)) {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
        if (WaitForSingleObject(process.Get(), left) != WAIT_OBJECT_0) return false;
    }
    return true;
}

// Starts a command line in `folder` and gives back its process; none when it cannot start.
Handle Start(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
        return Handle();
    CloseHandle(info.hThread);
    return Handle(info.hProcess);
}

// The downloaded setup runs from the temporary folder under its own name, the Program folder being its
// working folder; true once it has run to its end. Only a setup listed in the staging record and still
// matching it is run.
bool RunSetup(IUpgradeFolder& folder, const std::string& programFolder, TUpgradeFailure& failure) {
    const auto setup = StagedSetupFile(folder, failure);
    if (!setup) return false;
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    const std::string tempFolder = n > 0 && n < sizeof temp ? std::string(temp, n) : programFolder;
    const std::string program =
        tempFolder + setup->substr(0, setup->size() - std::char_traits<char>::length(kTempFileSuffix));
    if (!MoveFileExA((programFolder + *setup).c_str(), program.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return false;
    SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_NORMAL);
    const Handle process = Start("\"" + program + "\"", programFolder);
    if (process) WaitForSingleObject(process.Get(), INFINITE);
    DeleteFileA(program.c_str());
    return static_cast<bool>(process);
}

int Run(const std::string& commandLine) {
    const auto args = ParseUpgraderCommandLine(commandLine);
    if (!args) return 2;
    if (!WaitForProgramExit(args->ProgramPath)) return 3;
    const std::string programFolder = args->ProgramPath.substr(0, args->ProgramPath.find_last_of("\\/") + 1);
    UpgradeFolderWin32 folder(programFolder);
    TUpgradeFailure failure;
    bool upgraded = false;
    if (args->Method == umSelfUpgrade) {
        const TInstallResult result = InstallStagedFiles(folder);
        upgraded = result.Installed;
        if (result.Failure) failure = *result.Failure;
    } else {
        upgraded = RunSetup(folder, programFolder, failure);
        RemoveStagedFiles(folder);
    }
    // The program is told when it was not upgraded, and which file stood in the way.
    Start(upgraded ? RestartCommandLine(args->ProgramPath, args->RestartParam)
                   : UpgradeFailedCommandLine(args->ProgramPath, failure),
          programFolder);
    return upgraded ? 0 : 1;
}

}  // namespace
}  // namespace wmb

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return wmb::Run(GetCommandLineA()); }
