#include "ui/settings_binding.h"

#include <type_traits>
#include <variant>
#include <vector>

#include "demos/demo_table.h"
#include "ui/controls.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

using S = BenchSettings;

enum class Shown {
    Text,       // an edit box's text
    ComboText,  // an editable list: the item with that text, else the text typed
    Check,      // a check box
    Radio,      // the checked item of a radio group, -1 for none
    ListIndex,  // the selected item of a drop-down list, -1 for none
    Slot,       // resolution item Count: checked, and enabled when the monitor offers it
};

using Field = std::variant<std::string S::*, bool S::*, int S::*, std::monostate>;

struct Binding {
    int Id;
    Shown How;
    Field To;
    int Count;  // radio groups: items; slots: the slot
};

constexpr Binding Slot(int k) { return {IDC_RES0 + k, Shown::Slot, std::monostate{}, k}; }

const Binding kBindings[] = {
    {IDC_WMPATHEDIT, Shown::Text, &S::GamePath, 0},
    {IDC_RESEDIT, Shown::Text, &S::ResultsFolder, 0},
    {IDC_SCRSAVEFOLD, Shown::Text, &S::ScreenshotFolder, 0},
    {IDC_DETAILEDIT, Shown::Text, &S::CustomConfigPath, 0},
    Slot(0), Slot(1), Slot(2), Slot(3), Slot(4), Slot(5),
    {IDC_CUSWIDTH, Shown::Text, &S::CustomWidth, 0},
    {IDC_CUSHEIGHT, Shown::Text, &S::CustomHeight, 0},
    {IDC_CUSRESBOX, Shown::Check, &S::CustomResolution, 0},
    {IDC_DEMO0, Shown::Radio, &S::DemoIndex, kBuiltInDemoCount + 1},
    {IDC_DETAIL0, Shown::Radio, &S::DetailLevel, static_cast<int>(kDetailItems.size())},
    {IDC_PSHADER0, Shown::Radio, &S::ShaderModel, static_cast<int>(kShaderItems.size())},
    {IDC_RENDERERBOX, Shown::ListIndex, &S::RendererIndex, 0},
    {IDC_AFBOX, Shown::ListIndex, &S::AnisotropyIndex, 0},
    {IDC_AABOX, Shown::ListIndex, &S::AntialiasIndex, 0},
    {IDC_RUNNUMBERBOX, Shown::ComboText, &S::RunCount, 0},
    {IDC_NOTEEDIT, Shown::Text, &S::Note, 0},
    {IDC_WAITS, Shown::Text, &S::WaitSeconds, 0},
    {IDC_REPEATBOX, Shown::Check, &S::RepeatVaryingSlots, 0},
    {IDC_REPEATLIMITEDIT, Shown::Text, &S::RepeatLimitPercent, 0},
    {IDC_REPEATMOSTEDIT, Shown::Text, &S::RepeatMostLaunches, 0},
    {IDC_HDRBOX, Shown::Check, &S::HdrEnabled, 0},
    {IDC_HDRLEVELBOX, Shown::Text, &S::HdrLevel, 0},
    {IDC_GIBOX, Shown::Check, &S::GeometryInstancing, 0},
    {IDC_COMPRESSBOX, Shown::Check, &S::NormalMapCompression, 0},
    {IDC_LANGBOX, Shown::ListIndex, &S::LanguageIndex, 0},
    {IDC_ADDINFO, Shown::Check, &S::AddDisplayInfo, 0},
    {IDC_DECBOX, Shown::ComboText, &S::ReportDecimalSeparator, 0},
    {IDC_MAPNAMEBOX, Shown::ComboText, &S::UserMapFolder, 0},
    {IDC_DEMONAMEBOX, Shown::ComboText, &S::UserDemoFile, 0},
    {IDC_ENABLESCSHOT, Shown::Check, &S::ScreenshotMode, 0},
    {IDC_FRAMEEDIT, Shown::Text, &S::ScreenshotFrame, 0},
    {IDC_SECTIME, Shown::Check, &S::RunTwice, 0},
};

RadioGroup Group(const Binding& b, const ControlLookup& control) {
    std::vector<HWND> items;
    for (int i = 0; i < b.Count; ++i) items.push_back(control(b.Id + i));
    return RadioGroup(std::move(items));
}

// Copies the field `b` shows from `from` to `to`.
void CopyField(const Binding& b, const BenchSettings& from, BenchSettings& to) {
    if (b.How == Shown::Slot) {
        const auto slot = static_cast<std::size_t>(b.Count);
        to.ResolutionChecked[slot] = from.ResolutionChecked[slot];
        to.ResolutionAvailable[slot] = from.ResolutionAvailable[slot];
        return;
    }
    std::visit(
        [&](auto field) {
            if constexpr (!std::is_same_v<decltype(field), std::monostate>) to.*field = from.*field;
        },
        b.To);
}

}  // namespace

BenchSettings ReadControls(const ControlLookup& control, const BenchSettings& unmade) {
    BenchSettings s;
    for (const Binding& b : kBindings) {
        const HWND h = control(b.Id);
        if (!h) {
            CopyField(b, unmade, s);
            continue;
        }
        switch (b.How) {
        case Shown::Text:
        case Shown::ComboText:
            s.*std::get<std::string S::*>(b.To) = Control(h).Text();
            break;
        case Shown::Check:
            s.*std::get<bool S::*>(b.To) = CheckBox(h).Checked();
            break;
        case Shown::Radio:
            s.*std::get<int S::*>(b.To) = Group(b, control).Index();
            break;
        case Shown::ListIndex:
            s.*std::get<int S::*>(b.To) = ComboBox(h).Index();
            break;
        case Shown::Slot:
            s.ResolutionChecked[static_cast<std::size_t>(b.Count)] = CheckBox(h).Checked();
            s.ResolutionAvailable[static_cast<std::size_t>(b.Count)] = CheckBox(h).Enabled();
            break;
        }
    }
    return s;
}

void ShowSettings(const BenchSettings& s, const ControlLookup& control) {
    for (const Binding& b : kBindings) {
        const HWND h = control(b.Id);
        if (!h) continue;
        switch (b.How) {
        case Shown::Text:
            Control(h).SetText(s.*std::get<std::string S::*>(b.To));
            break;
        case Shown::ComboText:
            ComboBox(h).SelectText(s.*std::get<std::string S::*>(b.To));
            break;
        case Shown::Check:
            CheckBox(h).SetChecked(s.*std::get<bool S::*>(b.To));
            break;
        case Shown::Radio:
            Group(b, control).SetIndex(s.*std::get<int S::*>(b.To));
            break;
        case Shown::ListIndex:
            ComboBox(h).SetIndex(s.*std::get<int S::*>(b.To));
            break;
        case Shown::Slot:
            CheckBox(h).SetChecked(s.ResolutionChecked[static_cast<std::size_t>(b.Count)]);
            CheckBox(h).Enable(s.ResolutionAvailable[static_cast<std::size_t>(b.Count)]);
            break;
        }
    }
}

BenchSettings SettingsAsLaidOut(const LayoutLookup& row) {
    // Edit boxes start with their layout text and check boxes unchecked; radio groups and lists start
    // with no item chosen, editable lists empty.
    BenchSettings s;
    for (const Binding& b : kBindings) {
        const ControlRow* laidOut = row(b.Id);
        switch (b.How) {
        case Shown::Text:
        case Shown::ComboText:
            s.*std::get<std::string S::*>(b.To) = laidOut && laidOut->Text ? laidOut->Text : "";
            break;
        case Shown::Check:
            s.*std::get<bool S::*>(b.To) = false;
            break;
        case Shown::Radio:
        case Shown::ListIndex:
            s.*std::get<int S::*>(b.To) = -1;
            break;
        case Shown::Slot:
            s.ResolutionChecked[static_cast<std::size_t>(b.Count)] = false;
            s.ResolutionAvailable[static_cast<std::size_t>(b.Count)] = laidOut && !(laidOut->Style & WS_DISABLED);
            break;
        }
    }
    return s;
}

}  // namespace wmb::ui
