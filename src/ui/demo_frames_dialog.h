#pragma once
// "User defined demo frames": asks for the number of frames of the user's own demo, which sets the
// frame range of screenshot mode.

#include <windows.h>

#include "demos/user_demos.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/modal_dialog.h"

namespace wmb::ui {

inline constexpr const char* kDemoFramesClass = "WildmereBenchDemoFrames";

class DemoFramesDialog : public ModalDialog {
public:
    // Creates the hidden dialog, owned by the main window.
    void Create(HINSTANCE instance, HWND owner, HFONT font);

    enum class Outcome { Unchanged, NewRange, ScreenshotOff };
    // Shows the dialog modally. NewRange comes with the total in `frames`.
    Outcome Ask(int& frames);

private:
    void OnCreate() override;
    void OnShowing() override;
    void Ok();

    HFONT font_ = nullptr;
    ControlHandles controls_;
    DemoFramesAnswer answer_;
};

}  // namespace wmb::ui
