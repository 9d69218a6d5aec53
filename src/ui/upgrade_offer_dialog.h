#pragma once
// The update offer: the news of a newer version and the question whether to update now, with the
// program's icon at the left and the buttons "Yes" and "Later" below. Modal, topmost and centred on the
// screen; made for each question and gone once it is answered.

#include <windows.h>

#include <string>

#include "ui/layout.h"
#include "ui/modal_dialog.h"

namespace wmb::ui {

inline constexpr const char* kUpgradeOfferClass = "WildmereBenchUpgradeOffer";

class UpgradeOfferDialog : public ModalDialog {
public:
    // Shows the offer over `owner` (disabled meanwhile) and returns true for Yes; Later and closing the
    // dialog answer false. The texts come formatted; the label's line breaks are kept.
    bool Ask(HINSTANCE instance, HWND owner, HFONT font, const std::string& caption, const std::string& labelText,
             const std::string& yes, const std::string& later);

private:
    void OnCreate() override;
    void OnShowing() override;
    // The label wraps at the dialog's width less its left position less 11 pixels and is as high as its
    // lines; the client area ends with the button panel under it.
    void FitToText();

    HFONT font_ = nullptr;
    std::string labelText_;
    std::string yes_;
    std::string later_;
    ControlHandles controls_;
};

}  // namespace wmb::ui
