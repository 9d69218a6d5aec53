#pragma once
// The base of every window of the program. Its procedure:
// - guards each message: whatever a handler throws goes to the general error handler; an exception
//   while the window is being created fails the creation (WM_CREATE answers -1);
// - hands WM_COMMAND and WM_NOTIFY of a child control to the handler registered for that control's id,
//   and the dispatcher's work (kDispatchMessage, kDispatchSentMessage) to UiDispatcher;
// - holds back a close that arrives while a handler of this thread is still running (a modal message
//   box runs a nested message loop): the close is posted again once the outermost handler returns, so
//   no window is destroyed under a member function that is still on the stack;
// - posts the quit message when a window marked as the main window is destroyed.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/win32/wrappers/ui_dispatcher.h"

namespace wmb::ui {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    // A dispatcher whose work runs on this window's thread.
    UiDispatcher Dispatcher() const { return UiDispatcher(hwnd_); }

    // Registers a window class whose procedure is this base's (once per class name).
    static void RegisterWindowClass(HINSTANCE instance, const char* className, HBRUSH background,
                                    HICON icon = nullptr);
    // Creates the window; its WM_CREATE runs OnCreate(). Returns nullptr when the creation failed.
    HWND Create(HINSTANCE instance, const char* className, const char* text, DWORD style, DWORD exStyle,
                const RECT& rect, HWND parent, int id = 0);

    // Handlers of a child control, by its id: a command with a given notification code (BN_CLICKED,
    // EN_CHANGE, CBN_SELCHANGE...) or a notification (WM_NOTIFY code).
    void OnCommand(int id, int code, std::function<void()> handler);
    void OnNotify(int id, UINT code, std::function<LRESULT(const NMHDR&)> handler);

    // Destroys the window once no handler of this thread runs any more (at once when none does).
    void CloseLater();
    // Whether a handler of this window's thread is running outside the current one.
    static bool InNestedHandler();

protected:
    // Marks the window whose destruction ends the message loop.
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
    // The code the quit message carries (the program's exit code); 0 unless set.
    void SetExitCode(int code) { exitCode_ = code; }
    // WM_CREATE: build the children. Throwing fails the creation.
    virtual void OnCreate() {}
    // WM_CLOSE that may be carried out: true destroys the window now.
    virtual bool OnClose() { return true; }
    // A window whose close only hides it (a modal dialog ending its loop) takes WM_CLOSE at once, also
    // inside a nested message loop, and is never destroyed by it; OnClose's answer is ignored then.
    virtual bool CloseOnlyHides() const { return false; }
    // WM_DESTROY, before the children are gone.
    virtual void OnDestroy() {}
    // Every other message; `handled` false passes it on to DefWindowProc.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Command(WPARAM wp, LPARAM lp, bool& handled);
    LRESULT Notify(const NMHDR& header, bool& handled);

    HWND hwnd_ = nullptr;
    bool quitOnDestroy_ = false;
    int exitCode_ = 0;
    std::map<std::pair<int, int>, std::function<void()>> commands_;
    std::map<std::pair<int, UINT>, std::function<LRESULT(const NMHDR&)>> notifications_;
};

}  // namespace wmb::ui
