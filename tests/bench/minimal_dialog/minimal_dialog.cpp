// The smallest program of the same kind as WildmereBench, the yardstick of tools/bench's start-up and
// memory figures: one window with a label, an edit box, a button and a status bar, built with the same
// toolchain, flags and common-controls manifest. Once its window is up it shows "Ready" in the status
// bar and waits for input, as WildmereBench shows its start-up result.

#include <windows.h>
#include <commctrl.h>

namespace {

constexpr const char* kClass = "MinimalDialogWindow";

void AddControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        AddControl(window, "STATIC", "Name:", 0, 12, 14, 60, 20, 1);
        AddControl(window, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 76, 12, 200, 22, 2);
        AddControl(window, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 196, 46, 80, 26, IDOK);
        AddControl(window, STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0, 3);
        SendMessageA(GetDlgItem(window, 3), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
        return 0;
    }
    case WM_SIZE:
        SendMessageA(GetDlgItem(window, 3), WM_SIZE, 0, 0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClass;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, kClass, "Minimal dialog", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 300, 140, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
