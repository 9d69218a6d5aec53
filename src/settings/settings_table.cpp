#include "settings/settings_table.h"

#include <algorithm>
#include <stdexcept>

#include "platform/file_system.h"
#include "settings/slots.h"

namespace wmb {

namespace {

using S = BenchSettings;
using enum StoredForm;
using enum WriteTime;

constexpr int kCustomSizeStep = 3;
constexpr int kLastLoadStep = 12;

const SettingRow kTable[] = {
    // Written at exit, in this order.
    // Found by LocateGame; a manual choice writes it at once.
    {"Path", &S::GamePath, Text, 0, AtExit, 0, nullptr, Accepts::Path},
    {"640", SlotChecked{0}, Flag, 0, AtExit, 2, nullptr},
    {"800", SlotChecked{1}, Flag, 0, AtExit, 2, nullptr},
    {"1024", SlotChecked{2}, Flag, 0, AtExit, 2, nullptr},
    {"1280", SlotChecked{3}, Flag, 0, AtExit, 2, nullptr},
    {"1600", SlotChecked{4}, Flag, 0, AtExit, 2, nullptr},
    {"2048", SlotChecked{5}, Flag, 0, AtExit, 2, nullptr},
    {"Demo", &S::DemoIndex, ItemOneBased, 11, AtExit, 5, nullptr},  // the user-defined item has no form
    {"Detail", &S::DetailLevel, ItemOneBased, 4, AtExit, 6, nullptr},
    {"PS", &S::ShaderModel, ItemOneBased, 3, AtExit, 0, nullptr},  // restored by the version check
    {"Renderer", &S::RendererIndex, ItemOneBased, 2, AtExit, 12, nullptr},
    {"AFLevel", &S::AnisotropyIndex, AnisotropyLevel, 6, AtExit, 7, nullptr},
    {"AALevel", &S::AntialiasIndex, AntialiasSamples, 6, AtExit, 7, nullptr},
    {"TRun", &S::RunCount, Text, 0, AtExit, 8, nullptr, Accepts::RunCount},
    {"ResultPath", &S::ResultsFolder, Text, 0, AtExit, 8, nullptr, Accepts::Path},
    {"Decimal", &S::ReportDecimalSeparator, Text, 0, AtExit, 0, nullptr, Accepts::Separator},  // LoadGameSettings
    {"Note", &S::Note, Text, 0, AtExit, 8, nullptr, Accepts::Line},
    {"Mapname", &S::UserMapFolder, Text, 0, AtExit, 0, nullptr, Accepts::FileName},  // read by the map list
    {"Demoname", &S::UserDemoFile, Text, 0, AtExit, 0, nullptr, Accepts::FileName},  // RestoreUserDemoFile
    {"Wait", &S::WaitSeconds, Text, 0, AtExit, 8, nullptr, Accepts::Digits, kWaitDigits},
    {"ScrPath", &S::ScreenshotFolder, Text, 0, AtExit, 8, nullptr, Accepts::Path},
    {"HDR", &S::HdrEnabled, Flag, 0, AtExit, 9, nullptr},
    {"HDRLevel", &S::HdrLevel, Text, 0, AtExit, 9, nullptr, Accepts::HdrLevel, kHdrLevelDigits, kDefaultHdrLevel},
    {"GI", &S::GeometryInstancing, Flag, 0, AtExit, 9, nullptr},
    {"NormalMaps", &S::NormalMapCompression, Flag, 0, AtExit, 9, nullptr},
    {"AddScInf", &S::AddDisplayInfo, FlagUnlessZero, 0, AtExit, 11, nullptr},
    {"Language", &S::LanguageIndex, ItemZeroBased, 9, AtExit, 10, nullptr},
    {"Repeat", &S::RepeatVaryingSlots, Flag, 0, AtExit, 8, nullptr},
    {"RepeatLimit", &S::RepeatLimitPercent, Text, 0, AtExit, 8, nullptr, Accepts::PositiveWhole, kRepeatLimitDigits,
     kDefaultRepeatLimitPercent},
    {"RepeatMost", &S::RepeatMostLaunches, Text, 0, AtExit, 8, nullptr, Accepts::PositiveWhole, kRepeatMostDigits,
     kDefaultRepeatMostLaunches},
    // The diagnostic's cache lives for one run of the program; the news window shows once per start.
    {"Display Memory", std::monostate{}, Text, 0, AtExit, 0, "", Accepts::Line},
    {"Driver Version", std::monostate{}, Text, 0, AtExit, 0, "", Accepts::Line},
    {"Sound", std::monostate{}, Text, 0, AtExit, 0, "", Accepts::Line},
    {"News", std::monostate{}, Text, 0, AtExit, 0, "0", Accepts::ZeroOrOne},
    // Written the moment they change, never at exit.
    {"CustomConfig", &S::CustomConfigPath, Text, 0, Immediately, 1, nullptr, Accepts::Path},
    {"CusW", &S::CustomWidth, Text, 0, Immediately, kCustomSizeStep, nullptr, Accepts::Digits, kCustomSizeDigits},
    {"CusH", &S::CustomHeight, Text, 0, Immediately, kCustomSizeStep, nullptr, Accepts::Digits, kCustomSizeDigits},
    {"CusRes", &S::CustomResolution, Flag, 0, Immediately, kCustomSizeStep, nullptr},
    {"FirstRun", std::monostate{}, Text, 0, Immediately, 0, nullptr, Accepts::Line},  // "Some" after the first start
    {"NoErrorWarning", std::monostate{}, Text, 0, Immediately, 0, nullptr, Accepts::ZeroOrOne},  // crash recovery
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;  // clang 14 does not deduce aggregate template arguments

std::string FlagText(bool on) { return on ? "1" : "0"; }

std::string ModeText(const FixedSlot& slot) { return std::string(slot.Width) + " x " + slot.Height; }

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

const SettingRow* FindRow(const std::string& name) {
    for (const SettingRow& row : kTable) {
        if (name == row.Name) return &row;
    }
    return nullptr;
}

bool IsSeparator(const std::string& text) { return text == "." || text == ","; }

bool IsZeroOrOne(const std::string& text) { return text == "0" || text == "1"; }

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Step 3 of the start: the custom size is taken only when the monitor offers it; a size it does
// not offer is reset in the key at once, and the custom controls keep their start state.
void LoadCustomSize(const SettingsStore& reader, SettingsStore& writer, const std::vector<std::string>& displayModes,
                    BenchSettings& settings, LoadResult& result) {
    const SettingRow& widthRow = SettingRowNamed("CusW");
    const SettingRow& heightRow = SettingRowNamed("CusH");
    const SettingRow& selectedRow = SettingRowNamed("CusRes");
    const std::string width = reader.Read(widthRow.Name);
    const std::string height = reader.Read(heightRow.Name);
    if (width == "0" || height == "0") return;
    if (!Contains(displayModes, width + " x " + height)) {
        writer.Write(widthRow.Name, "0");
        writer.Write(heightRow.Name, "0");
        result.CustomSizeReset = true;
        return;
    }
    ApplyStoredText(widthRow, width, settings);
    ApplyStoredText(heightRow, height, settings);
    ApplyStoredText(selectedRow, reader.Read(selectedRow.Name), settings);
    settings.CustomResolution = settings.CustomResolution && !width.empty() && !height.empty();
    result.CustomControlsEnabled = settings.CustomResolution;
}

}  // namespace

std::span<const SettingRow> SettingsTable() { return kTable; }

const SettingRow& SettingRowNamed(const std::string& name) {
    if (const SettingRow* row = FindRow(name)) return *row;
    throw std::out_of_range("Unknown settings value: " + name);
}

std::vector<std::string> ItemForms(const SettingRow& row) {
    switch (row.Form) {
        case AnisotropyLevel:
            return {"1", "2", "3", "4", "5", "Sys"};
        case AntialiasSamples:
            return {"1", "2", "4", "6", "8", "Sys"};
        case ItemOneBased:
        case ItemZeroBased: {
            std::vector<std::string> forms;
            const int first = row.Form == ItemOneBased ? 1 : 0;
            for (int i = 0; i < row.ItemCount; ++i) forms.push_back(std::to_string(first + i));
            return forms;
        }
        default:
            return {};
    }
}

std::optional<int> ItemFromStored(const SettingRow& row, const std::string& text) {
    const std::vector<std::string> forms = ItemForms(row);
    const auto it = std::find(forms.begin(), forms.end(), text);
    if (it == forms.end()) return std::nullopt;
    return static_cast<int>(it - forms.begin());
}

bool AcceptsStoredText(const SettingRow& row, const std::string& text) {
    const auto any = [&](auto test) { return std::any_of(text.begin(), text.end(), test); };
    const auto path = [&] {
        return text.size() < static_cast<std::size_t>(kMaxPathLength) &&
               !any([](char c) { return IsControl(c) || c == '"'; });
    };
    switch (row.Accepted) {
        case Accepts::StoredForms: {
            const bool flag = row.Form == Flag || row.Form == FlagUnlessZero;
            return flag ? IsZeroOrOne(text) : ItemFromStored(row, text).has_value();
        }
        case Accepts::ZeroOrOne:
            return IsZeroOrOne(text);
        case Accepts::Digits:
            return text.size() <= static_cast<std::size_t>(row.MaxLength) &&
                   std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        case Accepts::HdrLevel:
            return text.empty() || IsHdrLevel(text);
        case Accepts::RunCount:
            return ItemIndex(kRunCountItems, text) >= 0;
        case Accepts::Separator:
            return IsSeparator(text);
        case Accepts::Path:
            return path();
        case Accepts::FileName:
            return path() && text.find_first_of("\\/:*?<>|") == std::string::npos && text != "." && text != "..";
        case Accepts::Line:
            return text.size() <= static_cast<std::size_t>(kLineLength) && !any(IsControl);
        case Accepts::PositiveWhole:
            return IsPositiveWhole(text, row.MaxLength);
    }
    return false;
}

std::string CheckedSettingsStore::Read(const std::string& name) const {
    const SettingRow* row = FindRow(name);
    if (!row) return "";
    std::string text = key_.Read(name);
    if (AcceptsStoredText(*row, text)) return text;
    return row->InvalidText ? row->InvalidText : "";
}

std::optional<std::string> StoredText(const SettingRow& row, const BenchSettings& settings) {
    using Result = std::optional<std::string>;
    return std::visit(Overloaded{
                          [&](std::monostate) -> Result {
                              if (row.ExitText == nullptr) return std::nullopt;
                              return row.ExitText;
                          },
                          [&](std::string BenchSettings::*field) -> Result { return settings.*field; },
                          [&](bool BenchSettings::*field) -> Result { return FlagText(settings.*field); },
                          [&](int BenchSettings::*field) -> Result {
                              const std::vector<std::string> forms = ItemForms(row);
                              const int item = settings.*field;
                              if (item < 0 || item >= static_cast<int>(forms.size())) return std::nullopt;
                              return forms[static_cast<std::size_t>(item)];
                          },
                          [&](SlotChecked slot) -> Result {
                              // A slot the monitor does not offer cannot be selected.
                              const auto i = static_cast<std::size_t>(slot.Slot);
                              return FlagText(settings.ResolutionChecked[i] && settings.ResolutionAvailable[i]);
                          },
                      },
                      row.Field);
}

void ApplyStoredText(const SettingRow& row, const std::string& text, BenchSettings& settings) {
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [&](std::string BenchSettings::*field) { settings.*field = text; },
                   [&](bool BenchSettings::*field) {
                       settings.*field = row.Form == FlagUnlessZero ? text != "0" : text == "1";
                   },
                   [&](int BenchSettings::*field) {
                       if (const auto item = ItemFromStored(row, text)) settings.*field = *item;
                   },
                   [&](SlotChecked slot) { settings.ResolutionChecked[static_cast<std::size_t>(slot.Slot)] = text == "1"; },
               },
               row.Field);
}

LoadResult LoadSettings(const SettingsStore& reader, SettingsStore& writer, const std::vector<std::string>& displayModes,
                        BenchSettings& settings) {
    LoadResult result;
    for (int step = 1; step <= kLastLoadStep; ++step) {
        if (step == kCustomSizeStep) {
            LoadCustomSize(reader, writer, displayModes, settings, result);
            continue;
        }
        for (const SettingRow& row : kTable) {
            if (row.LoadStep != step) continue;
            ApplyStoredText(row, reader.Read(row.Name), settings);
            if (const auto* slot = std::get_if<SlotChecked>(&row.Field)) {
                const auto i = static_cast<std::size_t>(slot->Slot);
                settings.ResolutionAvailable[i] = Contains(displayModes, ModeText(kFixedSlots[i]));
                settings.ResolutionChecked[i] = settings.ResolutionChecked[i] && settings.ResolutionAvailable[i];
            }
        }
    }
    result.CustomConfigControlsEnabled = settings.DetailLevel == 3;
    result.DemoChangeRuleDue = settings.DemoIndex >= 0;
    return result;
}

void LoadGameSettings(SettingsStore& store, const Folders& folders, char regionalDecimalSeparator,
                      BenchSettings& settings) {
    const std::string regional(1, regionalDecimalSeparator);
    if (store.Read("FirstRun").empty()) {
        store.Write("FirstRun", "Some");
        store.Write("Decimal", regional);
        settings.ReportDecimalSeparator = regional;
    } else {
        // A stored separator that is neither "." nor "," would leave the reports without one.
        const std::string stored = store.Read("Decimal");
        settings.ReportDecimalSeparator = IsSeparator(stored) ? stored : regional;
    }
    if (folders.Game.empty()) return;
    if (settings.ResultsFolder.empty()) {
        settings.ResultsFolder = folders.Game + "Benchmark\\";
        store.Write("ResultPath", settings.ResultsFolder);
    }
    if (settings.ScreenshotFolder.empty()) {
        settings.ScreenshotFolder = folders.Game + "Screenshot\\";
        store.Write("ScrPath", settings.ScreenshotFolder);
    }
}

void LoadDecimalWithoutGame(SettingsStore& store, char regionalDecimalSeparator, BenchSettings& settings) {
    settings.ReportDecimalSeparator = std::string(1, regionalDecimalSeparator);
    store.Write("Decimal", settings.ReportDecimalSeparator);
}

void RestoreUserDemoFile(const SettingsStore& store, const FileSystem& fs, const Folders& folders,
                         BenchSettings& settings) {
    if (folders.Game.empty()) return;
    const std::string demoFile = store.Read("Demoname");
    if (!demoFile.empty() && fs.FileExists(folders.Game + "Levels\\" + settings.UserMapFolder + "\\" + demoFile)) {
        settings.UserDemoFile = demoFile;
    }
}

bool ClaimNewsTurn(SettingsStore& store) {
    if (store.Read(kNewsValue) != "0") return false;
    store.Write(kNewsValue, "1");
    return true;
}

std::string DecimalSeparatorLabel(const std::string& separator) { return separator == "," ? "(comma)" : "(period)"; }

void SaveSettings(SettingsStore& store, const BenchSettings& settings) {
    if (!store.IsOpen()) return;
    for (const SettingRow& row : kTable) {
        if (row.Written != AtExit) continue;
        if (const auto text = StoredText(row, settings)) store.Write(row.Name, *text);
    }
}

std::vector<std::string> DisplayModeTexts(const std::vector<std::pair<unsigned, unsigned>>& modes) {
    std::vector<std::string> texts;
    for (const auto& [width, height] : modes) {
        std::string text = std::to_string(width) + " x " + std::to_string(height);
        if (!Contains(texts, text)) texts.push_back(std::move(text));
    }
    return texts;
}

}  // namespace wmb
