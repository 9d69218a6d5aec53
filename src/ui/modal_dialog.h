#pragma once
// A window of the program shown modally over its owner: created hidden once, then shown as often as
// needed. While it is shown the owner is disabled and a message loop of its own runs, which passes
// Tab, Enter (IDOK) and Escape (IDCANCEL) through the dialog navigation of the system.

#include <windows.h>

#include "ui/window.h"

namespace wmb::ui {

class ModalDialog : public Window {
public:
    // Shows the dialog centred on its owner (or on the screen, see CentreOnScreen) and returns once EndModal was called: its result, or 0 when
    // the dialog was closed by its window frame.
    int ShowModal();
    bool Showing() const { return running_; }

protected:
    enum class Frame { Dialog, None };
    // Creates the hidden dialog with that client size (96-DPI units, scaled), with the system's dialog
    // frame (caption, close box, no resizing) or with no frame at all.
    HWND CreateDialogWindow(HINSTANCE instance, HWND owner, const char* className, const char* caption,
                            int clientWidth, int clientHeight, HBRUSH background, Frame frame = Frame::Dialog);
    void EndModal(int result);
    // Centres the dialog on the whole screen rather than on its owner at every showing.
    void CentreOnScreen() { onScreen_ = true; }
    // Before each showing: put the controls' values and the focus in place.
    virtual void OnShowing() {}

private:
    bool OnClose() override;
    bool CloseOnlyHides() const override { return true; }

    bool onScreen_ = false;
    bool running_ = false;
    int result_ = 0;
};

}  // namespace wmb::ui
