#include "ui/specific_page.h"

#include "settings/option_rules.h"
#include "settings/settings_table.h"
#include "ui/art/art_ids.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr DWORD kFramedPicture = kPicture | SS_CENTERIMAGE | SS_SUNKEN;

const ControlRow kLayout[] = {
    {"BUTTON", "Enable HDR rendering", IDC_HDRBOX, 12, 10, 300, 20, kCheck},
    {"STATIC", "HDR Level:", 0, 32, 40, 64, 18, kLabel},
    {"EDIT", "1", IDC_HDRLEVELBOX, 98, 36, 44, 22, kEdit | ES_NUMBER | kDisabled},
    {"msctls_updown32", "", IDC_HDRLEVELSPIN, 0, 0, 0, 0,
     kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | kDisabled},
    {"BUTTON", "Run the demo twice, take screenshot the second time.", IDC_SECTIME, 12, 70, 340, 20,
     kCheck | kDisabled},
    {"BUTTON", "Enable Geometry Instancing", IDC_GIBOX, 12, 100, 300, 20, kCheck},
    {"BUTTON", "Enable normal-maps compression", IDC_COMPRESSBOX, 12, 130, 300, 20, kCheck},
    {"STATIC", "", 0, 372, 10, 2, 150, kChild | SS_ETCHEDVERT},
    {"STATIC", "", IDC_SPECIFICPIC0 + 0, 386, 14, 52, 52, kFramedPicture},
    {"STATIC", "", IDC_SPECIFICPIC0 + 1, 446, 14, 52, 52, kFramedPicture},
    {"STATIC", "", IDC_SPECIFICPIC0 + 2, 386, 82, 52, 52, kFramedPicture},
    {"STATIC", "", IDC_SPECIFICPIC0 + 3, 446, 82, 52, 52, kFramedPicture},
};

constexpr int kPictures[] = {IDB_SPECIFIC1, IDB_SPECIFIC2, IDB_SPECIFIC3, IDB_SPECIFIC4};

}  // namespace

std::span<const ControlRow> SpecificPage::Layout() const { return kLayout; }

void SpecificPage::Build() {
    AddControls(kLayout);
    Ctl<SpinBox>(IDC_HDRLEVELSPIN).Attach(Ctl(IDC_HDRLEVELBOX).Handle(), 1, 11, 1);
    Ctl<Edit>(IDC_HDRLEVELBOX).SetLimit(kHdrLevelDigits);
    for (int i = 0; i < 4; ++i) ShowPicture(IDC_SPECIFICPIC0 + i, kPictures[i]);
    OnClick(IDC_HDRBOX, [this] { HdrBoxClick(); });
    OnClick(IDC_SECTIME, [this] { host_.RunTwiceSwitched(Ctl<CheckBox>(IDC_SECTIME).Checked()); });
}

void SpecificPage::HdrBoxClick() {
    const bool enabled = HdrControlsEnabled(Ctl<CheckBox>(IDC_HDRBOX).Checked());
    for (int id : {IDC_HDRLEVELBOX, IDC_HDRLEVELSPIN, IDC_SECTIME}) Ctl(id).Enable(enabled);
}

bool SpecificPage::RunTwice() const { return Ctl<CheckBox>(IDC_SECTIME).Checked(); }

}  // namespace wmb::ui
