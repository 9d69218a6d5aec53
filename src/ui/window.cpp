#include "ui/window.h"

#include <vector>

#include "platform/win32/wrappers/error_handler.h"

namespace wmb::ui {
namespace {

// A close held back for a running handler destroys its window through this message.
constexpr UINT kCloseLaterMessage = WM_APP + 0x41;

// How many window procedures of this thread are handling a message right now.
thread_local int handlerDepth = 0;
// Messages held back until the outermost handler has returned.
thread_local std::vector<MSG> heldBack;

class HandlerScope {
public:
    HandlerScope() { ++handlerDepth; }
    ~HandlerScope() {
        if (--handlerDepth > 0 || heldBack.empty()) return;
        std::vector<MSG> due;
        due.swap(heldBack);
        for (const MSG& m : due) PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

}  // namespace

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::RegisterWindowClass(HINSTANCE instance, const char* className, HBRUSH background, HICON icon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

HWND Window::Create(HINSTANCE instance, const char* className, const char* text, DWORD style, DWORD exStyle,
                    const RECT& rect, HWND parent, int id) {
    const auto menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, menu, instance, this);
    return hwnd_;
}

void Window::OnCommand(int id, int code, std::function<void()> handler) {
    commands_[{id, code}] = std::move(handler);
}

void Window::OnNotify(int id, UINT code, std::function<LRESULT(const NMHDR&)> handler) {
    notifications_[{id, code}] = std::move(handler);
}

void Window::CloseLater() { PostMessageA(hwnd_, kCloseLaterMessage, 0, 0); }

bool Window::InNestedHandler() { return handlerDepth > 1; }

LRESULT Window::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) {
        if (msg == kDispatchMessage) UiDispatcher::Execute(lp);  // frees work that came too late
        if (msg == kDispatchSentMessage) return 0;                // the sender learns that it did not run
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HandlerScope scope;
    if (msg == WM_CREATE) {
        return Guarded(hwnd, [&] { return self->Dispatch(msg, wp, lp); }, -1);
    }
    return Guarded(hwnd, [&] { return self->Dispatch(msg, wp, lp); }, 0);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    bool handled = true;
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_CLOSE:
    case kCloseLaterMessage:
        if (msg == WM_CLOSE && CloseOnlyHides()) {
            OnClose();
            return 0;
        }
        if (InNestedHandler()) {
            // Asked again once the handler that runs the nested message loop has returned.
            heldBack.push_back(MSG{hwnd_, msg, wp, lp, 0, {}});
            return 0;
        }
        if (msg == kCloseLaterMessage || OnClose()) DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY: {
        const HWND hwnd = hwnd_;
        UiDispatcher::DiscardPending(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        if (quitOnDestroy_) PostQuitMessage(exitCode_);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    case kDispatchMessage:
        UiDispatcher::Execute(lp);
        return 0;
    case kDispatchSentMessage:
        return UiDispatcher::ExecuteSent(lp);
    case WM_COMMAND: {
        const LRESULT r = Command(wp, lp, handled);
        if (handled) return r;
        break;
    }
    case WM_NOTIFY: {
        const LRESULT r = Notify(*reinterpret_cast<const NMHDR*>(lp), handled);
        if (handled) return r;
        break;
    }
    default:
        break;
    }
    handled = true;
    const LRESULT r = OnMessage(msg, wp, lp, handled);
    return handled ? r : DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT Window::Command(WPARAM wp, LPARAM, bool& handled) {
    const auto it = commands_.find({LOWORD(wp), HIWORD(wp)});
    handled = it != commands_.end();
    if (handled) it->second();
    return 0;
}

LRESULT Window::Notify(const NMHDR& header, bool& handled) {
    const auto it = notifications_.find({static_cast<int>(header.idFrom), header.code});
    handled = it != notifications_.end();
    return handled ? it->second(header) : 0;
}

}  // namespace wmb::ui
