#pragma once
// "Monitor Resolutions": the display's modes with a check box each; "Add" hands the first checked one
// to the custom resolution. Borderless, silver, with a bevelled edge; shown modally.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/option_rules.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/modal_dialog.h"
#include "ui/pictures.h"

namespace wmb::ui {

inline constexpr const char* kMonitorDialogClass = "WildmereBenchMonitorResolutions";

class MonitorDialog : public ModalDialog {
public:
    // Creates the hidden dialog, owned by the main window.
    void Create(HINSTANCE instance, HWND owner, HFONT font, HFONT titleFont);
    // Shows the dialog modally: the mode the user added, nullopt when none was.
    std::optional<ModeSize> Ask();

private:
    void OnCreate() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM, bool& handled) override;
    // The list is rebuilt at every activation (checks made before are gone) and dropped at deactivation.
    void FormActivate();
    void FormDeactivate() { modes_.clear(); }
    void Add();

    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    Brush silver_;
    ControlHandles controls_;
    ToolTips hints_;
    GlyphList closeGlyph_;
    ImageList rowHeight_;
    std::vector<std::string> modes_;
    std::optional<ModeSize> chosen_;
};

}  // namespace wmb::ui
