#pragma once
// The news window "KSTBench NEWS": the maker's news page in an embedded web browser. Created hidden
// with the main window and kept until exit; every show runs the online test and sends the browser to
// the page again; closing it only hides it.

#include <windows.h>

#include "platform/win32/wrappers/browser_host.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace wmb::ui {

inline constexpr const char* kNewsWindowClass = "WildmereBenchNewsWindow";

class NewsWindow : public Window {
public:
    // Registers the class and creates the window, hidden; nullptr on failure.
    HWND Create(HINSTANCE instance);
    // Shows the window, not modal, once the message being handled is over.
    void Show();

private:
    // Window
    void OnCreate() override;
    bool OnClose() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

    // The window's show event: the online test, then the browser to the page.
    void FormShow();
    void IsInternetOnline();

    bool online_ = false;
    WebBrowserHost webBrowser_;
    // The address the browser was last sent to, as the text of a hidden static child
    // (IDC_NEWSADDRESS): the browser control itself may show nothing (Wine without its HTML engine) and
    // cannot be asked across processes, so automation and the end-to-end tests read it there with
    // WM_GETTEXT.
    Label sentTo_;
};

}  // namespace wmb::ui
