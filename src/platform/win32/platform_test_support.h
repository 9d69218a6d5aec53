#pragma once
// Helpers shared by the platform tests: scratch folders and keys with unique names (the Wine prefix
// is shared with other test runs), a message-only window and a bounded message wait.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include "platform/win32/file_system_win32.h"

namespace wmb::test {

// A name no other test run uses at the same time: process id and a running number.
inline std::string UniqueName(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

inline void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder + name + "\\");
            } else {
                SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fresh folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder() : path_(TempFolder() + UniqueName("wmb platform") + "\\") { CreateDirectoryA(path_.c_str(), nullptr); }
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// A message-only window of the calling thread, for messages posted by other threads.
class MessageWindow {
public:
    MessageWindow()
        : hwnd_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                nullptr)) {}
    ~MessageWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Runs the calling thread's message loop until `message` arrives for `hwnd` or `timeout` passes.
inline std::optional<MSG> WaitForMessage(HWND hwnd, UINT message, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == hwnd && msg.message == message) return msg;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return std::nullopt;
}

// Runs the calling thread's message loop for `duration`.
inline void PumpMessages(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
}

}  // namespace wmb::test
