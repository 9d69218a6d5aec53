#include "ui/demo_frames_dialog.h"

#include "platform/win32/wrappers/error_handler.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr int kTotalDigits = 5;

const ControlRow kLayout[] = {
    {"STATIC", "You can add the complete number of selected demo's frames!", 0, 12, 12, 340, 18, kLabel},
    {"STATIC", "Total frames:", 0, 12, 44, 80, 18, kLabel},
    {"EDIT", "0", IDC_TOTALFRAMEEDIT, 96, 40, 80, 22, kEdit | ES_NUMBER},
    {"BUTTON", "OK", IDOK, 180, 80, 80, 26, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", "Cancel", IDCANCEL, 268, 80, 80, 26, kButton},
};

}  // namespace

void DemoFramesDialog::Create(HINSTANCE instance, HWND owner, HFONT font) {
    font_ = font;
    CreateDialogWindow(instance, owner, kDemoFramesClass, "User defined demo frames", 360, 116,
                       GetSysColorBrush(COLOR_BTNFACE));
}

void DemoFramesDialog::OnCreate() {
    CreateControls(Handle(), kLayout, font_, controls_);
    Edit(controls_.Find(IDC_TOTALFRAMEEDIT)).SetLimit(kTotalDigits);
    OnCommand(IDOK, BN_CLICKED, [this] { Ok(); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] {
        answer_ = DemoFramesAnswer{DemoFramesAnswer::ScreenshotOff, 0};
        EndModal(IDCANCEL);
    });
}

void DemoFramesDialog::OnShowing() {
    const HWND total = controls_.Find(IDC_TOTALFRAMEEDIT);
    SetFocus(total);
    SendMessageA(total, EM_SETSEL, 0, -1);
}

void DemoFramesDialog::Ok() {
    const Edit total(controls_.Find(IDC_TOTALFRAMEEDIT));
    const DemoFramesAnswer answer = DemoFramesOk(total.Text());
    if (answer.Result == DemoFramesAnswer::OutOfRange) {
        // The total stays to be mended: the dialog keeps the focus in the box.
        MessageBoxText(Handle(), OutOfRangeText(), "User defined demo frames", MB_OK | MB_ICONWARNING);
        SetFocus(total.Handle());
        SendMessageA(total.Handle(), EM_SETSEL, 0, -1);
        return;
    }
    answer_ = answer;
    EndModal(IDOK);
}

DemoFramesDialog::Outcome DemoFramesDialog::Ask(int& frames) {
    answer_ = DemoFramesAnswer{};
    if (ShowModal() == 0) return Outcome::Unchanged;
    if (answer_.Result != DemoFramesAnswer::NewRange) return Outcome::ScreenshotOff;
    frames = answer_.Frames;
    return Outcome::NewRange;
}

}  // namespace wmb::ui
