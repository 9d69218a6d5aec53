#include "ui/demos_page.h"

#include "demos/demo_table.h"
#include "demos/user_demos.h"
#include "settings/option_rules.h"
#include "ui/app_services.h"
#include "ui/art/art_ids.h"
#include "ui/shell_dialogs.h"

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

DemosPage::DemosPage(PageHost& host) : Page(host) {
    findwmdemo_.OnFileMatch = [this](TFileFinder&, const std::string&, const TFileEntry& file) {
        DemoBox().AddItem(file.Name);
    };
    findwmdemo_.OnSearchFinish = [this](TFileFinder&) {
        const ComboBox demos = DemoBox();
        if (demos.Count() == 0) {
            demos.SetText(kNoDemosFound);
        } else {
            demos.SetIndex(0);
        }
    };
}

RadioGroup DemosPage::Demos() const { return Radios(IDC_DEMO0, kBuiltInDemoCount + 1); }

std::span<const ControlRow> DemosPage::Layout() const { return kLayout; }

void DemosPage::Build() {
    AddControls(kLayout);
    AddGlyph(IDC_TOOLBUTTON3, IDB_GLYPH_IMPORT);
    for (int i = 0; i < Demos().Count(); ++i) OnClick(IDC_DEMO0 + i, [this] { DemoChanging(); });
    // A choice from the list shows in the box only after its notification; typing shows at once.
    OnCommand(IDC_MAPNAMEBOX, CBN_SELCHANGE, [this] { ListDemosOf(MapBox().SelectedText()); });
    OnCommand(IDC_MAPNAMEBOX, CBN_EDITCHANGE, [this] { ListDemosOf(MapBox().Text()); });
    OnClick(IDC_TOOLBUTTON3, [this] { ImportDemo(); });
}

void DemosPage::DemoChanging() {
    const int index = Demos().Index();
    if (index < 0) return;
    const DemoChoiceEffects fx = DemoChoiceRule(index);
    for (int id : {IDC_TOOLBUTTON3, IDC_MAPNAMEBOX, IDC_DEMONAMEBOX}) Ctl(id).Enable(fx.UserDemoControlsEnabled);
    host_.DemoChosen(fx);
}

void DemosPage::FillMapList(const std::string& storedMap) {
    const ComboBox maps = MapBox();
    for (const std::string& level : host_.App().Files().ListSubfolders(host_.App().GameFolders().Game + "Levels\\")) {
        maps.AddItem(level);
    }
    std::vector<std::string> items;
    for (int i = 0; i < maps.Count(); ++i) items.push_back(maps.ItemText(i));
    if (const auto text = MapTextAfterFill(items, storedMap)) maps.SelectText(*text);
    RefreshDemoList();
}

void DemosPage::RefreshDemoList() { ListDemosOf(MapBox().Text()); }

void DemosPage::ListDemosOf(const std::string& mapText) {
    DemoBox().Clear();
    // A map text that would lead out of the Levels folder lists nothing.
    if (!IsPlainName(mapText)) {
        DemoBox().SetText(kNoDemosFound);
        return;
    }
    findwmdemo_.Criteria.Files.FileName = kDemoMask;
    findwmdemo_.Criteria.Files.Location = DemoListLocation(host_.App().GameFolders().Game, mapText);
    findwmdemo_.StartSearch();
}

void DemosPage::ImportDemo() {
    const std::string map = MapBox().Text();
    if (map.empty() || host_.App().GameFolders().Game.empty()) {
        host_.ShowMessage(kNoGameForImport);
        return;
    }
    if (!IsPlainName(map)) {
        host_.ShowMessage(kNotALevelName);
        return;
    }
    std::string chosen;
    if (!ChooseFile(GetAncestor(Handle(), GA_ROOT), kImportFilter, chosen, kImportTitle)) return;
    const std::string target = ImportTarget(host_.App().GameFolders().Game, map, chosen);
    const bool copied = host_.App().Files().ShellCopy(chosen, target);
    RefreshDemoList();
    host_.ShowMessage(copied ? kDemoImported : ImportFailedText(target));
}

}  // namespace wmb::ui
