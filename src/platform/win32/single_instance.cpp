#include "platform/win32/single_instance.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/file_system_win32.h"

namespace wmb {

namespace {

const char kNamePrefix[] = "WildmereBench.Instance.";

// FNV-1a: names a path too long for a kernel object name by a fixed-size digest.
unsigned long long PathDigest(const std::string& text) {
    unsigned long long hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard() : SingleInstanceGuard(ProgramPath()) {}

SingleInstanceGuard::SingleInstanceGuard(const std::string& exePath)
    : mutex_(CreateMutexA(nullptr, FALSE, MutexName(exePath).c_str())) {
    // A mutex that cannot be made at all does not stop the program from starting.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

std::string SingleInstanceGuard::MutexName(const std::string& exePath) {
    std::string path = exePath;
    if (!path.empty()) CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    for (char& c : path) {
        if (c == '\\' || c == ':') c = '_';
    }
    std::string name = kNamePrefix + path;
    if (name.size() >= MAX_PATH) {
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx", PathDigest(path));
        name = kNamePrefix + std::string(digest);
    }
    return name;
}

bool SingleInstanceGuard::ActivateOther(const std::string& windowClass) {
    const HWND other = FindWindowA(windowClass.c_str(), nullptr);
    if (!other) return false;
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(other);

    const char* commandLine = GetCommandLineA();
    COPYDATASTRUCT data{};
    data.dwData = kCommandLineData;
    data.cbData = static_cast<DWORD>(std::strlen(commandLine) + 1);
    data.lpData = const_cast<char*>(commandLine);
    DWORD_PTR ignored = 0;
    // A hung first instance must not hang the second one as well.
    SendMessageTimeoutA(other, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &ignored);
    return true;
}

std::optional<std::string> SingleInstanceGuard::CommandLineFrom(const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandLineData || !data.lpData) return std::nullopt;
    const char* text = static_cast<const char*>(data.lpData);
    return std::string(text, strnlen(text, data.cbData));
}

}  // namespace wmb
