#include "ui/settings2_page.h"

#include "settings/bench_settings.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

const ControlRow kLayout[] = {
    {"BUTTON", " Choose Pixel Shader model ", 0, 8, 4, 498, 52, kGroup},
    {"BUTTON", kShaderItems[0], IDC_PSHADER0 + 0, 16, 26, 160, 20, kRadioFirst},
    {"BUTTON", kShaderItems[1], IDC_PSHADER0 + 1, 182, 26, 160, 20, kRadio},
    {"BUTTON", kShaderItems[2], IDC_PSHADER0 + 2, 348, 26, 150, 20, kRadio},
    {"BUTTON", " Filters ", 0, 8, 64, 498, 84, kGroup},
    {"STATIC", "Anisotropic Filtering", 0, 20, 86, 160, 18, kLabel},
    {"COMBOBOX", "", IDC_AFBOX, 20, 106, 150, 200, kList | WS_GROUP},
    {"STATIC", "Antialiasing", 0, 200, 86, 160, 18, kLabel},
    {"COMBOBOX", "", IDC_AABOX, 200, 106, 150, 200, kList},
};

}  // namespace

RadioGroup Settings2Page::ShaderModels() const {
    return Radios(IDC_PSHADER0, static_cast<int>(kShaderItems.size()));
}

ComboBox Settings2Page::Antialiasing() const { return Ctl<ComboBox>(IDC_AABOX); }

std::span<const ControlRow> Settings2Page::Layout() const { return kLayout; }

void Settings2Page::Build() {
    AddControls(kLayout);
    Ctl<ComboBox>(IDC_AFBOX).AddItems(kAnisotropyItems);
    Antialiasing().AddItems(kAntialiasItems);
}

}  // namespace wmb::ui
