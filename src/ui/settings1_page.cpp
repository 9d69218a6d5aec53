#include "ui/settings1_page.h"

#include <commctrl.h>

#include "settings/bench_settings.h"
#include "settings/option_rules.h"
#include "settings/settings_table.h"
#include "ui/app_services.h"
#include "ui/resource.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {
namespace {

const ControlRow kLayout[] = {
    {"BUTTON", " Resolution ", 0, 8, 4, 498, 84, kGroup},
    {"BUTTON", "640 \xD7 480", IDC_RES0 + 0, 16, 24, 80, 20, kCheck | WS_GROUP},
    {"BUTTON", "800 \xD7 600", IDC_RES0 + 1, 96, 24, 80, 20, kCheck},
    {"BUTTON", "1024 \xD7 768", IDC_RES0 + 2, 176, 24, 82, 20, kCheck},
    {"BUTTON", "1280 \xD7 1024", IDC_RES0 + 3, 258, 24, 82, 20, kCheck},
    {"BUTTON", "1600 \xD7 1200", IDC_RES0 + 4, 340, 24, 82, 20, kCheck},
    {"BUTTON", "2048 \xD7 1536", IDC_RES0 + 5, 422, 24, 82, 20, kCheck},
    {"BUTTON", "Custom resolution:", IDC_CUSRESBOX, 16, 56, 116, 20, kCheck},
    {"EDIT", "", IDC_CUSWIDTH, 136, 55, 52, 22, kReadOnly | kDisabled},
    {"STATIC", "\xD7", 0, 193, 58, 10, 18, kLabel},
    {"EDIT", "", IDC_CUSHEIGHT, 206, 55, 52, 22, kReadOnly | kDisabled},
    {"BUTTON", "Possibilities", IDC_CUSPOSSIBILITIES, 266, 54, 88, 24, kButton | kDisabled},
    {"BUTTON", " Detail level ", 0, 8, 94, 498, 86, kGroup},
    {"BUTTON", kDetailItems[0], IDC_DETAIL0 + 0, 16, 114, 120, 20, kRadioFirst},
    {"BUTTON", kDetailItems[1], IDC_DETAIL0 + 1, 138, 114, 120, 20, kRadio},
    {"BUTTON", kDetailItems[2], IDC_DETAIL0 + 2, 260, 114, 120, 20, kRadio},
    {"BUTTON", kDetailItems[3], IDC_DETAIL0 + 3, 382, 114, 120, 20, kRadio},
    {"EDIT", "", IDC_DETAILEDIT, 16, 144, 436, 22, kEdit | kDisabled | WS_GROUP},
    {"BUTTON", "...", IDC_DETAILBUTTON, 460, 143, 34, 24, kButton | kDisabled},
};

}  // namespace

RadioGroup Settings1Page::DetailLevels() const {
    return Radios(IDC_DETAIL0, static_cast<int>(kDetailItems.size()));
}

std::span<const ControlRow> Settings1Page::Layout() const { return kLayout; }

void Settings1Page::Build() {
    AddControls(kLayout);
    AddHint(IDC_DETAILBUTTON, "Choose your own system.cfg");
    OnClick(IDC_CUSRESBOX, [this] { CusResBoxClick(); });
    for (int i = 0; i < DetailLevels().Count(); ++i) OnClick(IDC_DETAIL0 + i, [this] { DetailBoxChanging(); });
    OnClick(IDC_DETAILBUTTON, [this] { DetailButtonClick(); });
    OnClick(IDC_CUSPOSSIBILITIES, [this] { host_.PossibilitiesClicked(); });
    // The custom slot's flag is stored when the mouse pointer leaves its check box.
    HWND box = Ctl(IDC_CUSRESBOX).Handle();
    cusResBoxWatch_ = std::make_unique<Subclass>(box, [this, box](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, box, 0};
            TrackMouseEvent(&track);
        } else if (msg == WM_MOUSELEAVE) {
            WriteCustomResolutionFlag();
        }
        return false;
    });
}

void Settings1Page::DetailBoxChanging() {
    const bool enabled = CustomConfigControlsEnabled(DetailLevels().Index());
    Ctl(IDC_DETAILEDIT).Enable(enabled);
    Ctl(IDC_DETAILBUTTON).Enable(enabled);
}

void Settings1Page::EnableCustomSize(bool enabled) {
    for (int id : {IDC_CUSWIDTH, IDC_CUSHEIGHT, IDC_CUSPOSSIBILITIES}) Ctl(id).Enable(enabled);
}

void Settings1Page::SetCustomSize(const std::string& width, const std::string& height) {
    Ctl(IDC_CUSWIDTH).SetText(width);
    Ctl(IDC_CUSHEIGHT).SetText(height);
}

void Settings1Page::CusResBoxClick() {
    EnableCustomSize(CustomResolutionRule(Ctl<CheckBox>(IDC_CUSRESBOX).Checked(), "", "").SizeControlsEnabled);
    WriteCustomResolutionFlag();
}

void Settings1Page::WriteCustomResolutionFlag() {
    const CustomResolutionEffects fx = CustomResolutionRule(Ctl<CheckBox>(IDC_CUSRESBOX).Checked(),
                                                            Ctl(IDC_CUSWIDTH).Text(), Ctl(IDC_CUSHEIGHT).Text());
    host_.App().Store().Write(kCustomResolutionValue, fx.StoredFlag);
}

void Settings1Page::DetailButtonClick() {
    std::string path;
    if (!ChooseFile(GetAncestor(Handle(), GA_ROOT), "Wildmere config file (system.cfg)\0system.cfg\0", path)) return;
    Ctl(IDC_DETAILEDIT).SetText(path);
    host_.App().Store().Write(kCustomConfigValue, path);
}

}  // namespace wmb::ui
