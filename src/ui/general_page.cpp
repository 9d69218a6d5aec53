#include "ui/general_page.h"

#include "settings/option_rules.h"
#include "settings/settings_table.h"
#include "ui/app_services.h"
#include "ui/art/art_ids.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

const ControlRow kLayout[] = {
    {"STATIC", "Results folder", 0, 12, 10, 200, 18, kLabel},
    {"EDIT", "", IDC_RESEDIT, 12, 30, 300, 22, kReadOnly},
    {"BUTTON", "Open", IDC_OPENRESFOLDER, 318, 29, 70, 24, kButton},
    {"BUTTON", "Default", IDC_TOOLBUTTON8, 392, 29, 74, 24, kButton},
    {"BUTTON", "...", IDC_TOOLBUTTON2, 470, 29, 32, 24, kButton},
    {"STATIC", "Benchmark notes (60 chars at most!)", 0, 12, 64, 300, 18, kLabel},
    {"EDIT", "", IDC_NOTEEDIT, 12, 84, 490, 22, kEdit},
    {"STATIC", " Decimal separator:", 0, 12, 122, 110, 18, kLabel},
    {"COMBOBOX", "", IDC_DECBOX, 124, 118, 44, 120, kCombo},
    {"STATIC", "", IDC_LABEL8, 174, 122, 100, 18, kLabel},
    {"STATIC", "Wait between tests:", 0, 12, 156, 110, 18, kLabel},
    {"EDIT", "3", IDC_WAITS, 124, 152, 44, 22, kEdit | ES_NUMBER},
    {"msctls_updown32", "", IDC_WAITSSPIN, 0, 0, 0, 0, kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
    {"STATIC", "seconds.", IDC_LABEL10, 174, 156, 100, 18, kLabel},
    {"BUTTON", "Repeat a resolution whose runs vary more than", IDC_REPEATBOX, 12, 190, 270, 20, kCheck},
    {"EDIT", "3", IDC_REPEATLIMITEDIT, 284, 189, 40, 22, kEdit | ES_NUMBER},
    {"msctls_updown32", "", IDC_REPEATLIMITSPIN, 0, 0, 0, 0, kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
    {"STATIC", "% - at most", 0, 328, 193, 62, 18, kLabel},
    {"EDIT", "2", IDC_REPEATMOSTEDIT, 392, 189, 36, 22, kEdit | ES_NUMBER},
    {"msctls_updown32", "", IDC_REPEATMOSTSPIN, 0, 0, 0, 0, kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
    {"STATIC", "more times", 0, 432, 193, 70, 18, kLabel},
};

constexpr const char* kSeparators[] = {".", ","};

}  // namespace

Label GeneralPage::DecimalLabel() const { return Ctl(IDC_LABEL8); }

std::span<const ControlRow> GeneralPage::Layout() const { return kLayout; }

void GeneralPage::Build() {
    AddControls(kLayout);
    UseInfoTipColour(IDC_RESEDIT);
    AddGlyph(IDC_OPENRESFOLDER, IDB_GLYPH_OPEN);
    AddGlyph(IDC_TOOLBUTTON8, IDB_GLYPH_DEFAULT);
    AddGlyph(IDC_TOOLBUTTON2, IDB_GLYPH_FOLDER);
    AddHint(IDC_OPENRESFOLDER, "Open results folder");
    AddHint(IDC_TOOLBUTTON8, "Set the results folder to default");
    AddHint(IDC_TOOLBUTTON2, "Define the results folder");
    const ComboBox decimals = Ctl<ComboBox>(IDC_DECBOX);
    decimals.AddItems(kSeparators);
    SendMessageA(decimals.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.BoldFont()), FALSE);
    Ctl<SpinBox>(IDC_WAITSSPIN).Attach(Ctl(IDC_WAITS).Handle(), 1, 10, 3);
    Ctl<Edit>(IDC_WAITS).SetLimit(kWaitDigits);
    Ctl<SpinBox>(IDC_REPEATLIMITSPIN).Attach(Ctl(IDC_REPEATLIMITEDIT).Handle(), 1, 99, 3);
    Ctl<Edit>(IDC_REPEATLIMITEDIT).SetLimit(kRepeatLimitDigits);
    Ctl<SpinBox>(IDC_REPEATMOSTSPIN).Attach(Ctl(IDC_REPEATMOSTEDIT).Handle(), 1, 9, 2);
    Ctl<Edit>(IDC_REPEATMOSTEDIT).SetLimit(kRepeatMostDigits);

    OnClick(IDC_OPENRESFOLDER, [this] { OpenResFolderClick(); });
    OnClick(IDC_TOOLBUTTON8, [this] { DefaultFolderFor(IDC_RESEDIT, kResultsFolderValue, kResultsSubFolder); });
    OnClick(IDC_TOOLBUTTON2, [this] { ChooseFolderFor(IDC_RESEDIT, kResultsFolderValue); });
    // While a choice from the list is announced the box still shows the previous text.
    OnCommand(IDC_DECBOX, CBN_SELCHANGE,
              [this] { DecimalLabel().SetText(DecimalSeparatorLabel(Ctl<ComboBox>(IDC_DECBOX).SelectedText())); });
    OnCommand(IDC_DECBOX, CBN_EDITCHANGE,
              [this] { DecimalLabel().SetText(DecimalSeparatorLabel(Ctl(IDC_DECBOX).Text())); });
    OnCommand(IDC_DECBOX, CBN_KILLFOCUS, [this] { DecBoxExit(); });
    OnCommand(IDC_WAITS, EN_CHANGE, [this] { Ctl(IDC_LABEL10).SetText(WaitsLabel(Ctl(IDC_WAITS).Text())); });
}

void GeneralPage::OpenResFolderClick() {
    const std::string folder = Ctl(IDC_RESEDIT).Text();
    const OpenFolderEffects fx = OpenResultsFolderRule(folder, host_.App().Files().FolderExists(folder));
    if (fx.Open) host_.OpenDocument(folder);
    if (fx.Message) host_.ShowMessage(*fx.Message);
}

void GeneralPage::DecBoxExit() {
    const ComboBox box = Ctl<ComboBox>(IDC_DECBOX);
    const auto replacement = DecimalTextAfterExit(box.Text(), host_.App().Store().Read(kDecimalValue));
    if (!replacement) return;
    box.SelectText(*replacement);
    DecimalLabel().SetText(DecimalSeparatorLabel(*replacement));
}

}  // namespace wmb::ui
