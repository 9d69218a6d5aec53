#include "ui/settings3_page.h"

#include "settings/bench_settings.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

const ControlRow kLayout[] = {
    {"BUTTON", " Renderer ", 0, 8, 4, 160, 60, kGroup},
    {"COMBOBOX", "", IDC_RENDERERBOX, 20, 28, 136, 200, kList},
    {"BUTTON", " Number of times to run the demo ", 0, 178, 4, 220, 60, kGroup},
    {"COMBOBOX", "", IDC_RUNNUMBERBOX, 190, 28, 100, 200, kCombo},
    {"BUTTON", " Wildmere language ", 0, 8, 72, 160, 60, kGroup},
    {"COMBOBOX", "", IDC_LANGBOX, 20, 96, 136, 220, kList},
};

}  // namespace

ComboBox Settings3Page::RunCount() const { return Ctl<ComboBox>(IDC_RUNNUMBERBOX); }

std::span<const ControlRow> Settings3Page::Layout() const { return kLayout; }

void Settings3Page::Build() {
    AddControls(kLayout);
    Ctl<ComboBox>(IDC_RENDERERBOX).AddItems(kRendererItems);
    RunCount().AddItems(kRunCountItems);
    Ctl<ComboBox>(IDC_LANGBOX).AddItems(kLanguageItems);
}

}  // namespace wmb::ui
