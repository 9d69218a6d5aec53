#include "ui/news_window.h"

#include "platform/win32/file_system_win32.h"
#include "platform/win32/wrappers/internet_online.h"
#include "settings/news.h"
#include "ui/layout.h"
#include "ui/maker_server.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 500;
constexpr int kLeft = 454;
constexpr int kTop = 213;
constexpr UINT kShowMessage = WM_APP + 0x51;

}  // namespace

HWND NewsWindow::Create(HINSTANCE instance) {
    RegisterWindowClass(instance, kNewsWindowClass, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                        LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINICON)));
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const SIZE size = WindowSizeForClient(kClientWidth, kClientHeight, style, 0);
    return Window::Create(instance, kNewsWindowClass, "KSTBench NEWS", style, 0,
                          RECT{kLeft, kTop, kLeft + size.cx, kTop + size.cy}, nullptr);
}

// Asked for while the main window is being activated, the window is shown once that activation is over,
// so that it comes up in front of the main window, active.
void NewsWindow::Show() { PostMessageA(Handle(), kShowMessage, 0, 0); }

void NewsWindow::OnCreate() {
    sentTo_ = Label(CreateControl(Handle(), ControlRow{"STATIC", "", IDC_NEWSADDRESS, 0, 0, 0, 0, WS_CHILD}, nullptr));
}

bool NewsWindow::OnClose() {
    ShowWindow(Handle(), SW_HIDE);
    return false;
}

LRESULT NewsWindow::OnMessage(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == kShowMessage) {
        ShowWindow(Handle(), SW_SHOWNORMAL);
        return 0;
    }
    if (msg == WM_SHOWWINDOW && wp) FormShow();
    handled = false;
    return 0;
}

void NewsWindow::FormShow() {
    // The browser control is made at the first show, so that a start without news does not pay for it.
    // Without the control (a system that has none) the window stays black and empty.
    if (!webBrowser_.Exists()) webBrowser_.Create(Handle());
    IsInternetOnline();
    const Win32FileSystem files;
    const auto address = NewsAddress(online_, MakerServer(), ProgramFolder(),
                                     [&files](const std::string& path) { return files.FileExists(path); });
    if (!address) return;
    sentTo_.SetText(*address);
    webBrowser_.Navigate(*address);
}

void NewsWindow::IsInternetOnline() {
    if (const auto online = InternetOnline()) online_ = *online;
}

}  // namespace wmb::ui
