#pragma once
// The system's web browser control (CLSID_WebBrowser, IWebBrowser2) embedded in a window of the
// program. The control is in-place active over the whole client area of that window; the container
// it talks to is a minimal client site, in-place site and in-place frame, all answered by the window.
// The host closes the control when it is destroyed, which must happen while that window still exists.

#include <windows.h>

#include <memory>
#include <string>

namespace wmb {

class WebBrowserHost {
public:
    WebBrowserHost();
    ~WebBrowserHost();
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;

    // Creates the control in `parent`'s client area. False when the system has no such control or it
    // refused to be activated; the window then stays empty and Navigate does nothing.
    bool Create(HWND parent);
    bool Exists() const { return control_ != nullptr; }
    // Sends the control to an http address or a plain file path, with no flags, frame, post data or
    // headers. The control loads the page on its own; false when it refused the address at once.
    bool Navigate(const std::string& address);

private:
    // Closes the control and lets go of it; the parent window must still exist.
    void Destroy();

    class Site;
    struct Control;
    std::unique_ptr<Control> control_;
};

}  // namespace wmb
