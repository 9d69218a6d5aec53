// Winsock comes before <windows.h>.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/win32/updater_system_win32.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/signature_verifier_win32.h"
#include "platform/win32/upgrade_folder_win32.h"
#include "platform/win32/wrappers/handle.h"
#include "update/browser_command.h"
#include "update/self_upgrade.h"
#include "update/update_public_key.h"
#include "update/upgrade_paths.h"

namespace wmb {

namespace {

constexpr const char* kUpgraderResource = "UDUPG";
constexpr UINT_PTR kAutoCheckTimer = 0x5A17;
constexpr const char* kTimerOwnerProperty = "WildmereBenchAutoCheck";

// A dial-up connection that is up sets this flag.
bool DialUpConnected() {
    const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\RemoteAccess", KEY_READ);
    DWORD flag = 0, size = sizeof flag;
    return key.IsOpen() &&
           RegQueryValueExA(key.Get(), "Remote Connection", nullptr, nullptr, reinterpret_cast<BYTE*>(&flag), &size) ==
               ERROR_SUCCESS &&
           flag != 0;
}

// An IPv4 address of this machine other than 127.0.0.1.
bool HasNetworkAddress() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    bool found = false;
    char name[256] = {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* addresses = nullptr;
    if (gethostname(name, sizeof name) == 0 && getaddrinfo(name, nullptr, &hints, &addresses) == 0) {
        for (const addrinfo* a = addresses; a && !found; a = a->ai_next)
            found = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr != htonl(INADDR_LOOPBACK);
        freeaddrinfo(addresses);
    }
    WSACleanup();
    return found;
}

// The temporary folder with its backslash, or the program's folder when that folder does not exist.
std::string UpgraderFolder(const std::string& programFolder) {
    const std::string temp = TempFolder();
    return Win32FileSystem().FolderExists(temp) ? temp : programFolder;
}

// The program that opens ".html" files: the open command of the class ".html" names, or failing that the
// command of another verb named like "open".
std::string HtmlOpenProgram() {
    const std::string type = RegKey::Open(HKEY_CLASSES_ROOT, ".html", KEY_READ).ReadString("");
    if (type.empty()) return {};
    const RegKey shell = RegKey::Open(HKEY_CLASSES_ROOT, type + "\\shell", KEY_READ);
    if (!shell.IsOpen()) return {};
    std::vector<std::string> verbs;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(shell.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        verbs.emplace_back(name, size);
    }
    const std::string verb = OpenVerb(verbs.data(), verbs.size());
    if (verb.empty()) return {};
    return CommandProgram(RegKey::Open(HKEY_CLASSES_ROOT, type + "\\shell\\" + verb + "\\command", KEY_READ).ReadString(""));
}

// A download's folder (with its backslash) and file name, as the upgrade folder takes them.
std::pair<std::string, std::string> FolderAndName(const std::string& path) {
    const auto slash = path.find_last_of('\\') + 1;
    return {path.substr(0, slash), path.substr(slash)};
}

bool StartProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    Handle thread(process.hThread), owned(process.hProcess);
    return true;
}

bool WriteResourceTo(const std::string& path) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
    HRSRC resource = FindResourceA(nullptr, kUpgraderResource, kUpgraderResource);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(nullptr, resource) : 0;
    DWORD written = 0;
    return bytes && WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

}  // namespace

Win32UpdaterSystem::Win32UpdaterSystem(HWND mainWindow)
    : mainWindow_(mainWindow), upgraderPath_(UpgraderFolder(ProgramFolder()) + "Upgrader.exe") {
    DeleteFileA(upgraderPath_.c_str());
}

Win32UpdaterSystem::~Win32UpdaterSystem() {
    KillTimer(mainWindow_, kAutoCheckTimer);
    RemovePropA(mainWindow_, kTimerOwnerProperty);
}

std::string Win32UpdaterSystem::ProgramPath() { return wmb::ProgramPath(); }

std::string Win32UpdaterSystem::ProgramFolder() { return wmb::ProgramFolder(); }

TInfoDate Win32UpdaterSystem::Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

void Win32UpdaterSystem::OpenWebPage(const std::string& url) {
    const std::string program = HtmlOpenProgram();
    if (!program.empty() && StartProcess(BrowserCommandLine(program, url))) return;
    ShellExecuteA(mainWindow_, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32UpdaterSystem::DeleteTempFiles() {
    UpgradeFolderWin32 folder(ProgramFolder());
    RemoveStagedFiles(folder);
}

void Win32UpdaterSystem::DeleteDownload(const std::string& path) {
    const auto [folder, name] = FolderAndName(path);
    UpgradeFolderWin32(folder).Remove(name);
}

void Win32UpdaterSystem::SetFileTime(const std::string& path, TDateTime time) {
    // TDateTime counts days from 30 December 1899; FILETIME 100 ns from 1 January 1601.
    constexpr double kDaysFrom1601To1899 = 109205.0;
    const auto ticks = static_cast<ULONGLONG>((time + kDaysFrom1601To1899) * 864000000000.0);
    FILETIME exact{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    // The file gets the time at the two seconds' resolution of a DOS date and time.
    WORD dosDate = 0, dosTime = 0;
    FILETIME stamp;
    if (!FileTimeToDosDateTime(&exact, &dosDate, &dosTime) || !DosDateTimeToFileTime(dosDate, dosTime, &stamp)) return;
    Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    if (file) ::SetFileTime(file.Get(), &stamp, nullptr, &stamp);
}

std::optional<TFileDigest> Win32UpdaterSystem::FileDigest(const std::string& path) {
    const auto [folder, name] = FolderAndName(path);
    return UpgradeFolderWin32(folder).Digest(name);
}

bool Win32UpdaterSystem::WriteStagingRecord(const std::string& text) {
    // Written whole under another name, flushed, then put in place in one rename: the upgrader finds either
    // the complete record or none.
    const std::string record = ProgramFolder() + kStagingRecordName;
    const std::string part = record + ".part";
    {
        Handle file(CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written != text.size() || !FlushFileBuffers(file.Get())) {
            file.Reset();
            ::DeleteFileA(part.c_str());
            return false;
        }
    }
    if (MoveFileExA(part.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    ::DeleteFileA(part.c_str());
    return false;
}

bool Win32UpdaterSystem::InfoSignatureValid(const std::string& infoText, const std::string& signatureFile) {
    return VerifySignedData(kUpdatePublicKeyPem, infoText, signatureFile);
}

void Win32UpdaterSystem::StartTimer(std::uint32_t ms, std::function<void()> due) {
    due_ = std::move(due);
    SetPropA(mainWindow_, kTimerOwnerProperty, this);
    SetTimer(mainWindow_, kAutoCheckTimer, ms, &Win32UpdaterSystem::TimerDue);
}

void CALLBACK Win32UpdaterSystem::TimerDue(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    auto* self = static_cast<Win32UpdaterSystem*>(GetPropA(window, kTimerOwnerProperty));
    if (self && self->due_) std::exchange(self->due_, nullptr)();
}

bool Win32UpdaterSystem::Connected() { return DialUpConnected() || HasNetworkAddress(); }

void Win32UpdaterSystem::LaunchUpgrader(const std::string& restartParam) {
    // A file that cannot be written is no reason to stay: the command still runs.
    WriteResourceTo(upgraderPath_);
    StartProcess(UpgraderCommandLine(upgraderPath_, ProgramPath(), restartParam));
}

void Win32UpdaterSystem::CloseApplication() { PostMessageA(mainWindow_, WM_CLOSE, 0, 0); }

}  // namespace wmb
