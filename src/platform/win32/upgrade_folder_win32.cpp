#include "platform/win32/upgrade_folder_win32.h"

#include <windows.h>

#include "platform/win32/wrappers/handle.h"
#include "platform/win32/wrappers/unique_handle.h"
#include "update/sha256.h"

namespace wmb {
namespace {

using FindHandle = UniqueHandle<HANDLE, &FindClose>;

// A file opened for reading that others may read too; none for a folder or a missing file.
Handle OpenForReading(const std::string& path) {
    return Handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace

std::vector<std::string> UpgradeFolderWin32::FileNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const HANDLE first = FindFirstFileA((folder_ + "*").c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE) return names;
    const FindHandle search(first);
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search.Get(), &entry));
    return names;
}

std::optional<std::string> UpgradeFolderWin32::ReadText(const std::string& name, std::size_t maxSize) {
    const Handle file = OpenForReading(folder_ + name);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || static_cast<ULONGLONG>(size.QuadPart) > maxSize)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() && (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                          read != text.size()))
        return std::nullopt;
    return text;
}

std::optional<TFileDigest> UpgradeFolderWin32::Digest(const std::string& name) {
    const Handle file = OpenForReading(folder_ + name);
    if (!file) return std::nullopt;
    Sha256 digest;
    TFileDigest result;
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        digest.Update(buffer.data(), read);
        result.Size += read;
    }
    result.Sha256 = digest.HexDigest();
    return result;
}

bool UpgradeFolderWin32::Move(const std::string& from, const std::string& to) {
    const std::string source = folder_ + from;
    const DWORD attributes = GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A read-only file in the way would refuse to be replaced.
    const std::string target = folder_ + to;
    const DWORD targetAttributes = GetFileAttributesA(target.c_str());
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), targetAttributes & ~FILE_ATTRIBUTE_READONLY);
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool UpgradeFolderWin32::MakePlain(const std::string& name) {
    return SetFileAttributesA((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool UpgradeFolderWin32::Remove(const std::string& name) {
    const std::string path = folder_ + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace wmb
