#include "platform/win32/wrappers/ui_dispatcher.h"

#include <memory>

namespace wmb {

using Work = std::function<void()>;

bool UiDispatcher::Post(Work work) const {
    if (!window_) return false;  // a null window would mean the posting thread's own queue
    auto owned = std::make_unique<Work>(std::move(work));
    if (!PostMessageA(window_, kDispatchMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) return false;
    owned.release();  // the receiving window owns it now
    return true;
}

void UiDispatcher::Execute(LPARAM work) {
    const std::unique_ptr<Work> owned(reinterpret_cast<Work*>(work));
    if (owned && *owned) (*owned)();
}

void UiDispatcher::DiscardPending(HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, window, kDispatchMessage, kDispatchMessage, PM_REMOVE)) {
        delete reinterpret_cast<Work*>(msg.lParam);
    }
}

}  // namespace wmb
