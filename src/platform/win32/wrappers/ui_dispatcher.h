#pragma once
// The one way for a worker thread to have work done on the user-interface thread: the work is posted to
// a window as a heap-allocated function (or sent, when the worker has to wait for it), and that window's
// procedure runs it on its own thread.
//
// The window's procedure hands every kDispatchMessage to UiDispatcher::Execute() and every
// kDispatchSentMessage to UiDispatcher::ExecuteSent(). Work posted to a window that is destroyed before its
// turn is dropped: the window discards it with DiscardPending(). A thread with no window of the program's
// own (a test, a tool) takes the work with a DispatchWindow.

#include <windows.h>

#include <functional>

namespace wmb {

// The message that carries the work: LPARAM is the std::function<void()>* to run and free.
inline constexpr UINT kDispatchMessage = WM_APP + 0x40;
// The message that carries work the sender waits for: LPARAM is the const std::function<void()>* to run;
// the sender keeps it. The window answers kDispatchSentDone once it ran.
inline constexpr UINT kDispatchSentMessage = WM_APP + 0x42;
inline constexpr LRESULT kDispatchSentDone = 1;

class UiDispatcher {
public:
    explicit UiDispatcher(HWND window) : window_(window) {}

    // Queues `work` for the window's thread; callable from any thread. False (and the work dropped)
    // when the window no longer exists.
    bool Post(std::function<void()> work) const;
    // Runs `work` on the window's thread and returns once it has run; from that thread itself it runs at
    // once. False (and the work not run) when the window no longer exists or no longer takes work.
    bool Send(const std::function<void()>& work) const;
    HWND Window() const { return window_; }

    // Runs and frees the work of one kDispatchMessage.
    static void Execute(LPARAM work);
    // Runs the work of one kDispatchSentMessage; returns what the window answers.
    static LRESULT ExecuteSent(LPARAM work);
    // Frees the work still queued for `window` without running it (when the window is destroyed).
    static void DiscardPending(HWND window);

private:
    HWND window_;
};

// A hidden message-only window of the calling thread that runs the work dispatched to it, for a thread
// that has no window of the program's own. The thread must take its messages.
class DispatchWindow {
public:
    DispatchWindow();
    ~DispatchWindow();
    DispatchWindow(const DispatchWindow&) = delete;
    DispatchWindow& operator=(const DispatchWindow&) = delete;

    UiDispatcher Dispatcher() const { return UiDispatcher(window_); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

}  // namespace wmb
