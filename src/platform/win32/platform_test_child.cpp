// Child program of the process runner tests. It writes "child.txt" into its current folder with
// three lines (its command line exactly as received, its current folder, its own path) and exits
// with code 7. With "/hold" on its command line it first waits (10 s at most) until a file
// "release.txt" appears in its current folder.

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string commandLine = GetCommandLineA();
    if (commandLine.find("/hold") != std::string::npos) {
        for (int i = 0; i < 1000 && GetFileAttributesA("release.txt") == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
    }
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string text = commandLine + "\r\n" + folder + "\r\n" + self + "\r\n";

    const HANDLE file =
        CreateFileA("child.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 7;
}
