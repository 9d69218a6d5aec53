// Entry point: the command line, the single-instance guard, then the main window and its message loop.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <variant>
#include <vector>

#include "platform/win32/crash_handler.h"
#include "platform/win32/single_instance.h"
#include "run/unattended.h"
#include "ui/compare_results.h"
#include "ui/crash_reporting.h"
#include "ui/main_window.h"

namespace {

// An unattended start writes to the console of the script that started it, when there is one.
void AttachToParentConsole() {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) return;  // the script redirected it
    const HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) SetStdHandle(STD_OUTPUT_HANDLE, console);
}

// The main window of an unattended start, for Ctrl+C and Ctrl+Break in the script's console.
std::atomic<HWND> unattendedWindow{nullptr};

// Ctrl+C or Ctrl+Break ends the run as closing the window does: after the current sequence, with the game's
// files back. (The system's own handler would end the program at once.)
BOOL WINAPI OnConsoleBreak(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (HWND window = unattendedWindow.load()) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void Tell(const std::string& text) {
    const std::string lines = text + "\r\n";
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (__argc == 2 && lstrcmpiA(__argv[1], "/compare") == 0) {
        // The Start menu's "Compare results": the comparison alone, without the main window.
        OleInitialize(nullptr);
        wmb::ui::CompareChosenResults(
            nullptr, [](const std::string& text) { MessageBoxA(nullptr, text.c_str(), "Compare results", MB_OK); },
            [](const std::string& page) { ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL); });
        OleUninitialize();
        return 0;
    }
    const auto parsed = wmb::ParseUnattendedArgs(std::vector<std::string>(__argv + std::min(__argc, 1), __argv + __argc));
    const auto* unattended = std::get_if<wmb::UnattendedArgs>(&parsed);
    const bool run = !unattended || unattended->Run;
    if (run) AttachToParentConsole();
    if (const auto* refused = std::get_if<wmb::CommandLineRefusal>(&parsed)) {
        Tell(refused->Message);
        return static_cast<int>(wmb::UnattendedExit::Refused);
    }
    wmb::SingleInstanceGuard guard;
    if (!guard.IsFirst()) {
        if (run) {
            Tell("Another copy of Wildmere Benchmark is running.");
            return static_cast<int>(wmb::UnattendedExit::AlreadyRunning);
        }
        wmb::SingleInstanceGuard::ActivateOther(wmb::ui::kMainWindowClass);
        return 0;
    }
    wmb::ui::InstallCrashReporting(instance);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);

    int exitCode = 1;
    {
        wmb::ui::MainWindow window;
        if (run) window.RunUnattended(*unattended);
        if (HWND hwnd = window.Create(instance)) {
            if (run) {
                unattendedWindow = hwnd;
                SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
            }
            ShowWindow(hwnd, run && unattended->Quiet ? SW_HIDE : showCommand);
            UpdateWindow(hwnd);
            if (!wmb::TestCrashKind().empty()) PostMessageA(hwnd, wmb::ui::kTestCrashMessage, 0, 0);
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (!IsDialogMessageA(GetAncestor(msg.hwnd, GA_ROOT), &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    OleUninitialize();
    return exitCode;
}
