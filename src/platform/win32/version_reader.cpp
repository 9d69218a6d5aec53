#include "platform/win32/version_reader.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/file_system_win32.h"

namespace wmb {

std::string ReadFileVersionString(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::string();

    void* translation = nullptr;
    UINT translationSize = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &translationSize) ||
        translationSize < 2 * sizeof(WORD)) {
        return std::string();
    }
    WORD language = 0;
    WORD codePage = 0;
    std::memcpy(&language, translation, sizeof language);
    std::memcpy(&codePage, static_cast<const char*>(translation) + sizeof language, sizeof codePage);

    char name[64];
    std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), name, &value, &length) || !value) return std::string();
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

const std::string& ProgramVersion() {
    static const std::string version = ReadFileVersionString(ProgramPath());
    return version;
}

}  // namespace wmb
