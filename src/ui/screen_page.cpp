#include "ui/screen_page.h"

#include "demos/demo_table.h"
#include "settings/option_rules.h"
#include "settings/settings_table.h"
#include "ui/art/art_ids.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr int kFrameMinimum = 1;

const ControlRow kLayout[] = {
    {"BUTTON", "Enable screenshot mode (no results, additional information etc.)", IDC_ENABLESCSHOT, 12, 10, 480, 20,
     kCheck},
    {"STATIC", "", 0, 12, 36, 490, 2, kChild | SS_ETCHEDHORZ},
    {"BUTTON", "Add display information", IDC_ADDINFO, 12, 46, 300, 20, kCheck | kDisabled},
    {"STATIC", "Frame: ", 0, 12, 80, 44, 18, kLabel},
    {"EDIT", "1", IDC_FRAMEEDIT, 58, 76, 70, 22, kEdit | ES_NUMBER | kDisabled},
    {"STATIC", "", IDC_LABEL3, 136, 80, 160, 18, kLabel},
    {"BUTTON", "New range", IDC_BUTTON1, 300, 75, 90, 24, kButton | kDisabled},
    {"STATIC", "Select output folder", 0, 12, 112, 200, 18, kLabel},
    {"EDIT", "", IDC_SCRSAVEFOLD, 12, 132, 374, 22, kReadOnly | kDisabled},
    {"BUTTON", "...", IDC_TOOLBUTTON9, 392, 131, 32, 24, kButton | kDisabled},
    {"BUTTON", "Default", IDC_TOOLBUTTON10, 428, 131, 74, 24, kButton | kDisabled},
};

}  // namespace

bool ScreenPage::ScreenshotMode() const { return Ctl<CheckBox>(IDC_ENABLESCSHOT).Checked(); }

std::span<const ControlRow> ScreenPage::Layout() const { return kLayout; }

void ScreenPage::Build() {
    AddControls(kLayout);
    UseInfoTipColour(IDC_SCRSAVEFOLD);
    AddGlyph(IDC_TOOLBUTTON9, IDB_GLYPH_FOLDER);
    AddGlyph(IDC_TOOLBUTTON10, IDB_GLYPH_DEFAULT);
    AddHint(IDC_TOOLBUTTON9, "Define the screenshot folder");
    AddHint(IDC_TOOLBUTTON10, "Default");
    for (int id : {IDC_ENABLESCSHOT, IDC_ADDINFO}) OnClick(id, [this] { host_.ScreenshotModeSwitched(ScreenshotMode()); });
    OnCommand(IDC_FRAMEEDIT, EN_KILLFOCUS, [this] {
        const Control frame = Ctl(IDC_FRAMEEDIT);
        const std::string kept = FrameTextAfterExit(frame.Text(), kFrameMinimum, frameMaximum_);
        if (kept != frame.Text()) frame.SetText(kept);
    });
    OnClick(IDC_BUTTON1, [this] { host_.NewRangeClicked(); });
    OnClick(IDC_TOOLBUTTON9, [this] { ChooseFolderFor(IDC_SCRSAVEFOLD, kScreenshotFolderValue); });
    OnClick(IDC_TOOLBUTTON10, [this] { DefaultFolderFor(IDC_SCRSAVEFOLD, kScreenshotFolderValue, kScreenshotSubFolder); });
}

void ScreenPage::ApplyScreenshotMode(const ScreenshotModeEffects& effects) {
    Ctl(IDC_FRAMEEDIT).Enable(effects.FrameEditEnabled);
    for (int id : {IDC_SCRSAVEFOLD, IDC_TOOLBUTTON9, IDC_TOOLBUTTON10, IDC_BUTTON1}) {
        Ctl(id).Enable(effects.ScreenshotControlsEnabled);
    }
}

void ScreenPage::ApplyDemoChoice(const DemoChoiceEffects& effects) {
    Ctl(IDC_LABEL3).SetText(effects.FrameRangeLabel);
    Ctl(IDC_BUTTON1).Show(effects.NewRangeShown);
    if (effects.FrameMaximum) frameMaximum_ = *effects.FrameMaximum;
}

void ScreenPage::SetFrameRange(int frames) {
    frameMaximum_ = frames;
    Ctl(IDC_LABEL3).SetText(FrameRangeText(frames));
    Ctl(IDC_FRAMEEDIT).SetText(std::to_string(frames));
}

void ScreenPage::SwitchScreenshotModeOff() {
    Ctl<CheckBox>(IDC_ENABLESCSHOT).SetChecked(false);
    host_.ScreenshotModeSwitched(false);
}

}  // namespace wmb::ui
