#include "platform/win32/upgrade_folder_win32.h"

#include <windows.h>

namespace wmb {

std::vector<std::string> UpgradeFolderWin32::FileNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
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
