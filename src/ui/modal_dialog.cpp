#include "ui/modal_dialog.h"

#include "ui/layout.h"

namespace wmb::ui {
namespace {

// Centres the window on its owner; without one, on the whole screen.
void CentreOn(HWND window, HWND owner) {
    RECT outer{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT own{};
    GetWindowRect(window, &own);
    RECT ownerRect{};
    if (owner && GetWindowRect(owner, &ownerRect)) outer = ownerRect;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = outer.left + (outer.right - outer.left - width) / 2;
    const int y = outer.top + (outer.bottom - outer.top - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND ModalDialog::CreateDialogWindow(HINSTANCE instance, HWND owner, const char* className, const char* caption,
                                     int clientWidth, int clientHeight, HBRUSH background, Frame frame) {
    RegisterWindowClass(instance, className, background);
    const bool framed = frame == Frame::Dialog;
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (framed ? WS_CAPTION | WS_SYSMENU : 0);
    const DWORD exStyle = WS_EX_CONTROLPARENT | (framed ? WS_EX_DLGMODALFRAME : 0);
    const SIZE size = WindowSizeForClient(clientWidth, clientHeight, style, exStyle);
    return Create(instance, className, caption, style, exStyle, RECT{0, 0, size.cx, size.cy}, owner);
}

int ModalDialog::ShowModal() {
    if (running_ || !Handle()) return 0;
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    CentreOn(Handle(), onScreen_ ? nullptr : owner);
    const HWND focus = GetFocus();
    result_ = 0;
    running_ = true;
    OnShowing();
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    MSG msg;
    while (running_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the dialog and let the outer loop see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            running_ = false;
            break;
        }
        if (got == -1) break;
        if (!IsDialogMessageA(Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    running_ = false;
    // The owner is enabled before the dialog hides, so that it is the window activated next.
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return result_;
}

void ModalDialog::EndModal(int result) {
    result_ = result;
    running_ = false;
}

bool ModalDialog::OnClose() {
    EndModal(0);
    return false;
}

}  // namespace wmb::ui
