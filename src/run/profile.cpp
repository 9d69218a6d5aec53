#include "run/profile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "base/case_tables.h"
#include "base/text.h"
#include "demos/demo_table.h"
#include "run/windows_path.h"
#include "settings/settings_table.h"
#include "settings/slots.h"

namespace wmb {

namespace {

using S = BenchSettings;
using enum ProfileForm;

constexpr std::array<const char*, 4> kQualityNames = {"Ultra", "Maximum", "Minimum", "Custom"};
constexpr std::array<const char*, 3> kShaderNames = {"Default", "2.0b", "3.0"};
constexpr std::array<const char*, 2> kSeparatorNames = {".", ","};
constexpr const char* kUserDemoName = "User";
// The built-in demos as the Demos page shows them, then the user's own.
constexpr auto kDemoNames = [] {
    std::array<const char*, kBuiltInDemoCount + 1> names{};
    for (std::size_t i = 0; i < kBuiltInDemos.size(); ++i) names[i] = kBuiltInDemos[i].Caption;
    names[kUserDemoIndex] = kUserDemoName;
    return names;
}();
// The languages without the box's "Select language", which stands for no choice.
constexpr auto kLanguageNames = [] {
    std::array<const char*, kLanguageItems.size() - 1> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kLanguageItems[i + 1];
    return names;
}();

constexpr int kLargestCustomSize = 99999;
constexpr int kLargestFrame = 999999999;

// Each row: the key, its field and its form; then, as the form needs, the list's items and the field's index
// of the first, the number's range, and the value written for a field the key cannot hold.
const ProfileKey kKeys[] = {
    {"Resolutions", FixedSlotsField{}, Resolutions},
    {"CustomResolution", CustomSizeField{}, CustomSize},
    {"Quality", &S::DetailLevel, Item, kQualityNames},
    {"CustomConfig", &S::CustomConfigPath, File},
    {"Demo", &S::DemoIndex, Item, kDemoNames},
    {"UserMap", &S::UserMapFolder, Name},
    {"UserDemo", &S::UserDemoFile, Name},
    {"ShaderModel", &S::ShaderModel, Item, kShaderNames},
    {"Renderer", &S::RendererIndex, Item, kRendererItems},
    {"Anisotropy", &S::AnisotropyIndex, Item, kAnisotropyItems},
    {"Antialiasing", &S::AntialiasIndex, Item, kAntialiasItems},
    {"Runs", &S::RunCount, Item, kRunCountItems},
    // A wait box a sequence cannot read makes it pause three seconds.
    {"Wait", &S::WaitSeconds, Number, {}, 0, 1, 10, "3"},
    {"Note", &S::Note, Line},
    {"HDR", &S::HdrEnabled, OnOff},
    {"HDRLevel", &S::HdrLevel, Number, {}, 0, 1, 11, kDefaultHdrLevel},
    {"GeometryInstancing", &S::GeometryInstancing, OnOff},
    {"NormalMapCompression", &S::NormalMapCompression, OnOff},
    {"Language", &S::LanguageIndex, Item, kLanguageNames, 1},
    // The report uses a period for anything but a comma.
    {"DecimalSeparator", &S::ReportDecimalSeparator, Item, kSeparatorNames, 0, 0, 0, "."},
    {"ResultsFolder", &S::ResultsFolder, Folder},
    {"ScreenshotFolder", &S::ScreenshotFolder, Folder},
    {"ScreenshotMode", &S::ScreenshotMode, OnOff},
    {"AddDisplayInfo", &S::AddDisplayInfo, OnOff},
    {"ScreenshotFrame", &S::ScreenshotFrame, Number, {}, 0, 1, kLargestFrame},
    {"RunTwice", &S::RunTwice, OnOff},
    {"RepeatVarying", &S::RepeatVaryingSlots, OnOff},
    {"RepeatLimit", &S::RepeatLimitPercent, Number, {}, 0, 1, 99, kDefaultRepeatLimitPercent},
    {"RepeatMost", &S::RepeatMostLaunches, Number, {}, 0, 1, 9, kDefaultRepeatMostLaunches},
};

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// "A, B or C"; an item without a letter or digit in double quotes, so that "." and "," stand out.
template <class Items>
std::string Alternatives(const Items& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " or " : ", ";
        const std::string item = items[i];
        const bool word =
            std::any_of(item.begin(), item.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        text += word ? item : Quote(item);
    }
    return text;
}

// The item of a list a value names, ignoring case.
std::optional<std::size_t> FindItem(std::span<const char* const> items, const std::string& value) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameTextIgnoringAsciiCase(items[i], value)) return i;
    }
    return std::nullopt;
}

// A whole number of at most nine digits in [min, max].
std::optional<int> WholeNumber(const std::string& text, int min, int max) {
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
    const int value = std::stoi(text);
    if (value < min || value > max) return std::nullopt;
    return value;
}

struct Size {
    int Width = 0;
    int Height = 0;
};

// "1280x1024", also with "X" or "\xD7" and blanks around the sign.
std::optional<Size> ParseSize(const std::string& text) {
    const std::size_t sign = text.find_first_of("xX\xD7");
    if (sign == std::string::npos) return std::nullopt;
    const auto width = WholeNumber(TrimBlanks(std::string_view(text).substr(0, sign)), 1, kLargestCustomSize);
    const auto height = WholeNumber(TrimBlanks(std::string_view(text).substr(sign + 1)), 1, kLargestCustomSize);
    if (!width || !height) return std::nullopt;
    return Size{*width, *height};
}

std::string FixedSlotSize(const FixedSlot& slot) { return std::string(slot.Width) + "x" + slot.Height; }

std::optional<std::size_t> FixedSlotOf(const Size& size) {
    for (std::size_t k = 0; k < kFixedSlots.size(); ++k) {
        if (std::stoi(kFixedSlots[k].Width) == size.Width && std::stoi(kFixedSlots[k].Height) == size.Height) return k;
    }
    return std::nullopt;
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.push_back(TrimBlanks(std::string_view(text).substr(start, comma - start)));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

bool HasControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string NameProblem(const std::string& value) {
    if (value == "." || value == "..") return "must be a name, not " + Quote(value) + ".";
    if (value.size() > kLongestPath) return "is longer than " + std::to_string(kLongestPath) + " characters.";
    const std::size_t bad = value.find_first_of("\\/:*?\"<>|");
    if (bad != std::string::npos) {
        return "holds \"" + value.substr(bad, 1) + "\", which is not allowed in a name: " + Quote(value) + ".";
    }
    if (HasControl(value)) return "holds a control character.";
    return "";
}

// Why the key does not take the value, or "" (and the value set in `values`) when it does.
std::string Parse(const ProfileKey& key, const std::string& value, S& values) {
    const auto* text = std::get_if<std::string S::*>(&key.Field);
    switch (key.Form) {
        case OnOff: {
            const auto item = FindItem(std::array<const char*, 2>{"off", "on"}, value);
            if (!item) return "must be on or off, not " + Quote(value) + ".";
            values.*std::get<bool S::*>(key.Field) = *item == 1;
            return "";
        }
        case Item: {
            const bool none = value.empty() && key.Fallback == nullptr;
            const auto item = FindItem(key.Items, value);
            if (!item && !none) return "must be " + Alternatives(key.Items) + ", not " + Quote(value) + ".";
            if (text) {
                values.*(*text) = item ? key.Items[*item] : "";
            } else {
                values.*std::get<int S::*>(key.Field) = key.FirstIndex + (item ? static_cast<int>(*item) : -1);
            }
            return "";
        }
        case Number: {
            const auto number = WholeNumber(value, key.Min, key.Max);
            if (!number && !(value.empty() && key.Fallback == nullptr)) {
                return "must be a whole number from " + std::to_string(key.Min) + " to " + std::to_string(key.Max) +
                       ", not " + Quote(value) + ".";
            }
            values.*(*text) = number ? std::to_string(*number) : "";
            return "";
        }
        case Folder:
        case File: {
            if (!value.empty()) {
                if (std::string problem = FullPathProblem(value); !problem.empty()) {
                    return problem + ": " + Quote(value) + ".";
                }
                if (key.Form == File && value.ends_with('\\')) {
                    return "names a folder, not a file: " + Quote(value) + ".";
                }
            }
            values.*(*text) = key.Form == Folder && !value.empty() ? WithBackslash(value) : value;
            return "";
        }
        case Name: {
            if (std::string problem = NameProblem(value); !problem.empty()) return problem;
            values.*(*text) = value;
            return "";
        }
        case Line:
            if (HasControl(value)) return "holds a control character.";
            if (value.size() > static_cast<std::size_t>(kLineLength)) {
                return "is longer than " + std::to_string(kLineLength) + " characters.";
            }
            values.*(*text) = value;
            return "";
        case Resolutions: {
            std::array<bool, kFixedSlotCount> checked{};
            for (const std::string& item : value.empty() ? std::vector<std::string>() : SplitAtCommas(value)) {
                const auto size = ParseSize(item);
                const auto slot = size ? FixedSlotOf(*size) : std::nullopt;
                if (!slot) {
                    std::vector<std::string> sizes;
                    for (const FixedSlot& fixed : kFixedSlots) sizes.push_back(FixedSlotSize(fixed));
                    return "must list sizes from " + Alternatives(sizes) + ", separated by commas, not " +
                           Quote(value) + ".";
                }
                checked[*slot] = true;
            }
            values.ResolutionChecked = checked;
            return "";
        }
        case CustomSize: {
            const auto size = ParseSize(value);
            if (!value.empty() && !size) {
                return "must be empty or a size such as 1280x1024, not " + Quote(value) + ".";
            }
            values.CustomResolution = size.has_value();
            if (size) {
                values.CustomWidth = std::to_string(size->Width);
                values.CustomHeight = std::to_string(size->Height);
            }
            return "";
        }
    }
    return "";
}

// The value the key writes: what the field holds when the key takes it, else the row's fallback.
std::string Format(const ProfileKey& key, const S& settings) {
    const auto* text = std::get_if<std::string S::*>(&key.Field);
    const std::string none = key.Fallback ? key.Fallback : "";
    switch (key.Form) {
        case OnOff:
            return settings.*std::get<bool S::*>(key.Field) ? "on" : "off";
        case Item: {
            if (text) {
                const auto item = FindItem(key.Items, settings.*(*text));
                return item ? key.Items[*item] : none;
            }
            const int item = settings.*std::get<int S::*>(key.Field) - key.FirstIndex;
            return item >= 0 && item < static_cast<int>(key.Items.size()) ? key.Items[static_cast<std::size_t>(item)]
                                                                          : none;
        }
        case Number: {
            const auto number = WholeNumber(settings.*(*text), key.Min, key.Max);
            return number ? std::to_string(*number) : none;
        }
        case Folder:
        case File:
        case Name:
        case Line: {
            S scratch;
            return Parse(key, settings.*(*text), scratch).empty() ? settings.*(*text) : none;
        }
        case Resolutions: {
            std::string sizes;
            for (std::size_t k = 0; k < kFixedSlots.size(); ++k) {
                if (!settings.ResolutionChecked[k]) continue;
                sizes += (sizes.empty() ? "" : ", ") + FixedSlotSize(kFixedSlots[k]);
            }
            return sizes;
        }
        case CustomSize: {
            if (!settings.CustomResolution) return "";
            const auto width = WholeNumber(settings.CustomWidth, 1, kLargestCustomSize);
            const auto height = WholeNumber(settings.CustomHeight, 1, kLargestCustomSize);
            return width && height ? std::to_string(*width) + "x" + std::to_string(*height) : "";
        }
    }
    return none;
}

void Copy(const ProfileKey& key, const S& from, S& to) {
    std::visit(
        [&](auto field) {
            using F = decltype(field);
            if constexpr (std::is_same_v<F, FixedSlotsField>) {
                to.ResolutionChecked = from.ResolutionChecked;
            } else if constexpr (std::is_same_v<F, CustomSizeField>) {
                to.CustomResolution = from.CustomResolution;
                if (from.CustomResolution) {
                    to.CustomWidth = from.CustomWidth;
                    to.CustomHeight = from.CustomHeight;
                }
            } else {
                to.*field = from.*field;
            }
        },
        key.Field);
}

const ProfileKey* FindKey(const std::string& name) {
    for (const ProfileKey& key : kKeys) {
        if (SameTextIgnoringAsciiCase(key.Name, name)) return &key;
    }
    return nullptr;
}

}  // namespace

std::span<const ProfileKey> ProfileKeys() { return kKeys; }

bool ProfileChanges::Sets(const std::string& key) const {
    return std::any_of(Keys.begin(), Keys.end(),
                       [&](const std::string& k) { return SameTextIgnoringAsciiCase(k, key); });
}

std::string WriteProfile(const BenchSettings& settings) {
    std::vector<std::string> lines = {std::string("[") + kProfileSection + "]"};
    for (const ProfileKey& key : kKeys) lines.push_back(std::string(key.Name) + "=" + Format(key, settings));
    return JoinLines(lines);
}

std::variant<ProfileChanges, ProfileError> ReadProfile(const std::string& text) {
    auto read = ReadIniSection(text, kProfileSection);
    if (auto* error = std::get_if<ProfileError>(&read)) return std::move(*error);
    ProfileChanges changes;
    std::vector<int> firstLines;
    for (const IniEntry& entry : std::get<std::vector<IniEntry>>(read)) {
        const ProfileKey* key = FindKey(entry.Key);
        if (!key) return LineError(entry.Line, entry.Key, Quote(entry.Key) + " is not a profile key.");
        const auto given = std::find(changes.Keys.begin(), changes.Keys.end(), key->Name);
        if (given != changes.Keys.end()) {
            const int first = firstLines[static_cast<std::size_t>(given - changes.Keys.begin())];
            return LineError(entry.Line, key->Name,
                             std::string(key->Name) + " is given twice (first on line " + std::to_string(first) + ").");
        }
        if (std::string problem = Parse(*key, entry.Value, changes.Values); !problem.empty()) {
            return LineError(entry.Line, key->Name, std::string(key->Name) + " " + problem);
        }
        changes.Keys.push_back(key->Name);
        firstLines.push_back(entry.Line);
    }
    return changes;
}

void ApplyProfile(const ProfileChanges& changes, BenchSettings& settings) {
    for (const ProfileKey& key : kKeys) {
        if (changes.Sets(key.Name)) Copy(key, changes.Values, settings);
    }
}

}  // namespace wmb
