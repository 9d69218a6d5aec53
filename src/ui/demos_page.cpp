#include "ui/demos_page.h"

#include "demos/demo_table.h"
#include "settings/option_rules.h"
#include "ui/art/art_ids.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

// Demo items flow down the columns, four to a column.
constexpr ControlRow DemoItem(int i, const char* text) {
    return {"BUTTON", text, IDC_DEMO0 + i, 16 + (i / 4) * 164, 24 + (i % 4) * 22, 160, 20, i == 0 ? kRadioFirst : kRadio};
}

const ControlRow kLayout[] = {
    {"BUTTON", " Choose demo ", 0, 8, 4, 498, 118, kGroup},
    DemoItem(0, kBuiltInDemos[0].Caption),
    DemoItem(1, kBuiltInDemos[1].Caption),
    DemoItem(2, kBuiltInDemos[2].Caption),
    DemoItem(3, kBuiltInDemos[3].Caption),
    DemoItem(4, kBuiltInDemos[4].Caption),
    DemoItem(5, kBuiltInDemos[5].Caption),
    DemoItem(6, kBuiltInDemos[6].Caption),
    DemoItem(7, kBuiltInDemos[7].Caption),
    DemoItem(8, kBuiltInDemos[8].Caption),
    DemoItem(9, kBuiltInDemos[9].Caption),
    DemoItem(10, kBuiltInDemos[10].Caption),
    DemoItem(11, kUserDemoCaption),
    {"BUTTON", " Map name ", 0, 8, 128, 200, 58, kGroup},
    {"COMBOBOX", "", IDC_MAPNAMEBOX, 18, 150, 180, 200, kCombo | kDisabled | WS_GROUP},
    {"BUTTON", " Demo name ", 0, 216, 128, 290, 58, kGroup},
    {"COMBOBOX", "", IDC_DEMONAMEBOX, 226, 150, 160, 200, kCombo | kDisabled},
    {"BUTTON", "Import demo", IDC_TOOLBUTTON3, 392, 149, 104, 24, kButton | kDisabled},
};

}  // namespace

RadioGroup DemosPage::Demos() const { return Radios(IDC_DEMO0, kBuiltInDemoCount + 1); }

void DemosPage::Build() {
    AddControls(kLayout);
    AddGlyph(IDC_TOOLBUTTON3, IDB_GLYPH_IMPORT);
    for (int i = 0; i < Demos().Count(); ++i) OnClick(IDC_DEMO0 + i, [this] { DemoChanging(); });
}

void DemosPage::DemoChanging() {
    const int index = Demos().Index();
    if (index < 0) return;
    const DemoChoiceEffects fx = DemoChoiceRule(index);
    for (int id : {IDC_TOOLBUTTON3, IDC_MAPNAMEBOX, IDC_DEMONAMEBOX}) Ctl(id).Enable(fx.UserDemoControlsEnabled);
    host_.DemoChosen(fx);
}

}  // namespace wmb::ui
