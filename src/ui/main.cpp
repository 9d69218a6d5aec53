// Entry point: the single-instance guard, then the main window and its message loop.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/crash_handler.h"
#include "platform/win32/single_instance.h"
#include "ui/crash_reporting.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    wmb::SingleInstanceGuard guard;
    if (!guard.IsFirst()) {
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
        if (HWND hwnd = window.Create(instance)) {
            ShowWindow(hwnd, showCommand);
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
