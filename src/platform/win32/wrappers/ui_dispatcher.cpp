#include "platform/win32/wrappers/ui_dispatcher.h"

#include <memory>
#include <stdexcept>

#include "platform/win32/wrappers/error_handler.h"

namespace wmb {

using Work = std::function<void()>;

bool UiDispatcher::Post(Work work) const {
    if (!window_) return false;  // a null window would mean the posting thread's own queue
    auto owned = std::make_unique<Work>(std::move(work));
    if (!PostMessageA(window_, kDispatchMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) return false;
    owned.release();  // the receiving window owns it now
    return true;
}

bool UiDispatcher::Send(const Work& work) const {
    if (!window_) return false;
    return SendMessageA(window_, kDispatchSentMessage, 0, reinterpret_cast<LPARAM>(&work)) == kDispatchSentDone;
}

void UiDispatcher::Execute(LPARAM work) {
    const std::unique_ptr<Work> owned(reinterpret_cast<Work*>(work));
    if (owned && *owned) (*owned)();
}

LRESULT UiDispatcher::ExecuteSent(LPARAM work) {
    const auto* call = reinterpret_cast<const Work*>(work);
    if (call && *call) (*call)();
    return kDispatchSentDone;
}

void UiDispatcher::DiscardPending(HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, window, kDispatchMessage, kDispatchMessage, PM_REMOVE)) {
        delete reinterpret_cast<Work*>(msg.lParam);
    }
}

namespace {
constexpr const char* kDispatchWindowClass = "WildmereBenchDispatch";
}

DispatchWindow::DispatchWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DispatchWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kDispatchWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when the class is registered already
    window_ = CreateWindowExA(0, kDispatchWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                              nullptr);
    if (!window_) throw std::runtime_error("The window that takes the workers' calls cannot be created.");
}

DispatchWindow::~DispatchWindow() {
    UiDispatcher::DiscardPending(window_);
    DestroyWindow(window_);
}

LRESULT CALLBACK DispatchWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // What the work throws is reported in a box owned by no window: this window is never seen.
    switch (message) {
    case kDispatchMessage:
        return Guarded(nullptr, [&] { UiDispatcher::Execute(lParam); return LRESULT{0}; }, 0);
    case kDispatchSentMessage:
        return Guarded(nullptr, [&] { return UiDispatcher::ExecuteSent(lParam); }, 0);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace wmb
