#pragma once
// The one way for a worker thread to have work done on the user-interface thread: the work is posted to
// a window as a heap-allocated function, and that window's procedure runs it on its own thread.
//
// The window's procedure hands every kDispatchMessage to UiDispatcher::Execute(). Work posted to a
// window that is destroyed before its turn is dropped: the window discards it with DiscardPending().

#include <windows.h>

#include <functional>

namespace wmb {

// The message that carries the work: LPARAM is the std::function<void()>* to run and free.
inline constexpr UINT kDispatchMessage = WM_APP + 0x40;

class UiDispatcher {
public:
    explicit UiDispatcher(HWND window) : window_(window) {}

    // Queues `work` for the window's thread; callable from any thread. False (and the work dropped)
    // when the window no longer exists.
    bool Post(std::function<void()> work) const;
    HWND Window() const { return window_; }

    // Runs and frees the work of one kDispatchMessage.
    static void Execute(LPARAM work);
    // Frees the work still queued for `window` without running it (when the window is destroyed).
    static void DiscardPending(HWND window);

private:
    HWND window_;
};

}  // namespace wmb
