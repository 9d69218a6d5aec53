#include "platform/win32/file_system_win32.h"

#include <shlobj.h>
#include <shellapi.h>

#include <stdexcept>
#include <utility>

#include "platform/win32/wrappers/file_search.h"
#include "platform/win32/wrappers/handle.h"
#include "platform/win32/wrappers/system_error_text.h"

namespace wmb {

namespace {

bool IsFolderAttribute(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WithoutTrailingBackslash(std::string path) {
    // A drive root ("C:\") keeps its backslash: "C:" alone names the drive's current folder.
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The shell's file operation takes lists of names, each ended by a NUL, the list by a second one.
std::string ShellNameList(const std::string& path) { return path + std::string(2, '\0'); }

std::string ShellFolder(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return std::string();
    char path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListA(items, path);
    CoTaskMemFree(items);
    return found ? WithoutTrailingBackslash(path) : std::string();
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::FolderExists(const std::string& path) const {
    return !path.empty() && IsFolderAttribute(GetFileAttributesA(WithoutTrailingBackslash(path).c_str()));
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return std::nullopt;
        if (read == 0) break;  // the file shrank while being read
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

namespace {

void WriteAll(HANDLE file, const std::string& path, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr)) {
            throw std::runtime_error("Cannot write " + path + ": " + SystemErrorText(GetLastError()));
        }
        done += written;
    }
}

}  // namespace

void Win32FileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("Cannot write " + path + ": " + SystemErrorText(GetLastError()));
    WriteAll(file.Get(), path, bytes);
}

void Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".new";
    {
        Handle file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file) throw std::runtime_error("Cannot write " + path + ": " + SystemErrorText(GetLastError()));
        try {
            WriteAll(file.Get(), path, bytes);
            if (!FlushFileBuffers(file.Get())) {
                throw std::runtime_error("Cannot write " + path + ": " + SystemErrorText(GetLastError()));
            }
        } catch (...) {
            file.Reset();
            ::DeleteFileA(fresh.c_str());
            throw;
        }
    }
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        ::DeleteFileA(fresh.c_str());
        throw std::runtime_error("Cannot write " + path + ": " + SystemErrorText(error));
    }
}

bool Win32FileSystem::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::CreateFolders(const std::string& path) {
    const std::string target = WithoutTrailingBackslash(path);
    if (target.empty()) return false;
    if (FolderExists(target)) return true;
    // Create each missing level from the top; levels that exist or cannot be made (a drive, a UNC
    // server) are passed over, and the final check says whether the whole path is there.
    for (size_t slash = target.find('\\'); slash != std::string::npos; slash = target.find('\\', slash + 1)) {
        if (slash == 0 || target[slash - 1] == '\\' || target[slash - 1] == ':') continue;
        CreateDirectoryA(target.substr(0, slash).c_str(), nullptr);
    }
    CreateDirectoryA(target.c_str(), nullptr);
    return FolderExists(target);
}

bool Win32FileSystem::ShellOperation(UINT operation, const std::string& from, const std::string& to) {
    const std::string source = ShellNameList(from);
    const std::string destination = ShellNameList(to);
    SHFILEOPSTRUCTA op{};
    op.hwnd = shellOwner_;
    op.wFunc = operation;
    op.pFrom = source.c_str();
    op.pTo = destination.c_str();
    op.fFlags = FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS;
    // Not every shell reports a missing source (Wine's move of a missing file "succeeds"), so a
    // single named file must have been there before and its target must be there afterwards.
    const bool singleFile = from.find_first_of("*?") == std::string::npos;
    const bool sourceFound = !singleFile || FileExists(from);
    const bool shellSucceeded = SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
    return shellSucceeded && sourceFound && (!singleFile || FileExists(to));
}

bool Win32FileSystem::ShellCopy(const std::string& from, const std::string& to) {
    return ShellOperation(FO_COPY, from, to);
}

bool Win32FileSystem::ShellMove(const std::string& from, const std::string& to) {
    // The shell's move does not create a missing destination folder everywhere (Wine's does not).
    const auto slash = to.find_last_of('\\');
    if (slash != std::string::npos && slash > 0) CreateFolders(to.substr(0, slash + 1));
    return ShellOperation(FO_MOVE, from, to);
}

std::vector<std::string> Win32FileSystem::ListSubfolders(const std::string& folder) const {
    std::vector<std::string> names;
    if (folder.empty()) return names;  // never the current folder by accident
    const std::string base = folder.back() == '\\' ? folder : folder + "\\";
    FileSearch search(base + "*.*");
    if (!search.Found()) return names;
    do {
        const WIN32_FIND_DATAA& entry = search.Current();
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && entry.cFileName[0] != '.')
            names.emplace_back(entry.cFileName);
    } while (search.Next());
    return names;
}

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WindowsSystemFolder() {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return WithoutTrailingBackslash(path);
}

std::string CommonDesktopFolder() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY); }

std::string CommonProgramsFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS); }

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH) return std::string();
    std::string folder(path, length);
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace wmb
