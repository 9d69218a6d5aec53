#include "ui/path_page.h"

#include "ui/art/art_ids.h"
#include "ui/resource.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {
namespace {

const ControlRow kLayout[] = {
    {"BUTTON", " Wildmere path ", 0, 8, 8, 498, 92, kGroup},
    {"EDIT", "", IDC_WMPATHEDIT, 20, 34, 434, 22, kReadOnly},
    {"BUTTON", "...", IDC_FINDMAN, 460, 33, 34, 24, kButton},
    {"STATIC", "", IDC_VERSIONLABEL, 20, 68, 470, 18, kLabel},
    {"STATIC", "Important! The 1.4 patch is the minimum requirement of the benchmark!", 0, 12, 116, 490, 18, kLabel},
};

}  // namespace

Edit PathPage::PathBox() const { return Ctl<Edit>(IDC_WMPATHEDIT); }

Label PathPage::VersionLabel() const { return Ctl(IDC_VERSIONLABEL); }

std::span<const ControlRow> PathPage::Layout() const { return kLayout; }

void PathPage::Build() {
    AddControls(kLayout);
    UseInfoTipColour(IDC_WMPATHEDIT);
    AddGlyph(IDC_FINDMAN, IDB_GLYPH_FIND);
    AddHint(IDC_FINDMAN, "Define the path of Wildmere");
    OnClick(IDC_FINDMAN, [this] { FindManClick(); });
}

void PathPage::FindManClick() {
    std::string path;
    if (ChooseFile(GetAncestor(Handle(), GA_ROOT), "Wildmere (Wildmere.exe)\0WILDMERE.EXE\0", path)) {
        host_.GameChosen(path);
    }
}

}  // namespace wmb::ui
