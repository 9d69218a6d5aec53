#pragma once
// The settings key and BenchSettings, tied together by one table: each value of the key, the field
// it mirrors, the form its text takes, and when the program writes it. Loading at start, saving at
// exit and the game-dependent start-up values all work from that table.

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/settings_store.h"
#include "settings/bench_settings.h"

namespace wmb {

class FileSystem;

// How a field's value is spelled in the key.
enum class StoredForm {
    Text,              // the field's text as it is
    Flag,              // "1" on, anything else off
    FlagUnlessZero,    // "0" off, anything else (an absent value too) on
    ItemOneBased,      // list item number counted from 1
    ItemZeroBased,     // list item index counted from 0
    AnisotropyLevel,   // "1".."5" for the five levels, "Sys" for "From System"
    AntialiasSamples,  // sample count "1" (none), "2", "4", "6", "8"; "Sys" for "From System"
};

// What the value's control takes. A stored text it would not take reads as absent, so the control
// gets what a first start gives it.
enum class Accepts {
    StoredForms,  // the row's stored forms: "0" or "1" for a flag, a list's item forms
    ZeroOrOne,    // "0" or "1"
    Digits,       // digits only, at most MaxLength of them
    HdrLevel,     // "1" to "11" (or absent)
    RunCount,     // one of kRunCountItems
    Separator,    // "." or ","
    Path,         // no control character or double quote, shorter than kMaxPathLength
    FileName,     // a path without \ / : * ? < > |, and not "." or ".."
    Line,         // no control character, at most kLineLength characters
    PositiveWhole,  // a whole number from 1, no leading zero, at most MaxLength digits
};

inline constexpr int kMaxPathLength = 260;
inline constexpr int kLineLength = 32767;  // an edit box's own limit
// Length limits of the digits-only boxes.
inline constexpr int kHdrLevelDigits = 2;
inline constexpr int kWaitDigits = 2;
inline constexpr int kCustomSizeDigits = 5;

// When the program writes the value.
enum class WriteTime {
    AtExit,       // by SaveSettings
    Immediately,  // by the control or step that changes it, the moment it changes; never at exit
};

// Item `Slot` of BenchSettings::ResolutionChecked.
struct SlotChecked {
    int Slot;
};

using SettingField = std::variant<std::monostate,  // a coordinating value with no field
                                  std::string BenchSettings::*, bool BenchSettings::*, int BenchSettings::*,
                                  SlotChecked>;

struct SettingRow {
    const char* Name;
    SettingField Field;
    StoredForm Form;
    int ItemCount;  // item forms: how many items, from the first, have a stored form
    WriteTime Written;
    // Position of the value in LoadSettings' order (steps 1 to 12); 0 when another step reads it.
    int LoadStep;
    // Text written at exit for a value without a field.
    const char* ExitText;
    Accepts Accepted = Accepts::StoredForms;
    int MaxLength = 0;  // Digits: the box's length limit
    // What a stored text the control would not take reads as; absent ("") when null.
    const char* InvalidText = nullptr;
};

// Names of the values the window reads or writes outside LoadSettings and SaveSettings.
inline constexpr const char* kCustomConfigValue = "CustomConfig";  // written when a file is chosen
inline constexpr const char* kCustomResolutionValue = "CusRes";    // written when the pointer leaves the box
inline constexpr const char* kCustomWidthValue = "CusW";           // written when a monitor mode is added
inline constexpr const char* kCustomHeightValue = "CusH";
inline constexpr const char* kResultsFolderValue = "ResultPath";   // written when a folder is chosen
inline constexpr const char* kScreenshotFolderValue = "ScrPath";   // written when a folder is chosen
inline constexpr const char* kDecimalValue = "Decimal";            // restored into a mistyped box
inline constexpr const char* kRunCountValue = "TRun";              // restored when screenshot mode ends
inline constexpr const char* kShaderModelValue = "PS";             // read by the version check
inline constexpr const char* kNewsValue = "News";
inline constexpr const char* kMapNameValue = "Mapname";            // read by the map list

// The news window's turn at an activation of the main window: true (and "News" set to "1") when
// "News" is "0", so it opens once after each orderly exit.
bool ClaimNewsTurn(SettingsStore& store);

// Every value of the settings key, in the order SaveSettings writes the exit-written ones.
std::span<const SettingRow> SettingsTable();
// The row of a value name; throws std::out_of_range for a name not in the table.
const SettingRow& SettingRowNamed(const std::string& name);

// The stored text for each item of an item-form row, in item order.
std::vector<std::string> ItemForms(const SettingRow& row);
// Item selected by a stored text; nullopt when the text matches none of the row's forms.
std::optional<int> ItemFromStored(const SettingRow& row, const std::string& text);
// Whether the row's control takes `text` as it is stored.
bool AcceptsStoredText(const SettingRow& row, const std::string& text);

// The settings key as the program reads it: a value its control would not take reads as its row's
// InvalidText (absent, "", for most), a value the table does not name as absent. Writes go to the key unchanged.
class CheckedSettingsStore : public SettingsStore {
public:
    explicit CheckedSettingsStore(SettingsStore& key) : key_(key) {}
    bool IsOpen() const override { return key_.IsOpen(); }
    std::string Read(const std::string& name) const override;
    bool Write(const std::string& name, const std::string& value) override { return key_.Write(name, value); }

private:
    SettingsStore& key_;
};

// Stored text of the row's field; nullopt for a list without a selection it can name.
std::optional<std::string> StoredText(const SettingRow& row, const BenchSettings& settings);
// Sets the row's field from a stored text. A list whose text matches none of its forms keeps its
// current selection.
void ApplyStoredText(const SettingRow& row, const std::string& text, BenchSettings& settings);

// What the window has to do after LoadSettings beyond showing the fields (the resolution items'
// enabled state is BenchSettings::ResolutionAvailable).
struct LoadResult {
    bool CustomControlsEnabled = false;        // CusWidth, CusHeight and "Possibilities"
    bool CustomSizeReset = false;              // CusW and CusH were written as "0"
    bool CustomConfigControlsEnabled = false;  // DetailEdit and DetailButton (detail-level rule)
    bool DemoChangeRuleDue = false;            // a demo item was selected: apply the demo list's rule
};

// Reads every value that does not depend on the game's folder, in the start-up order. `writer` is
// the same key, for the immediate reset of an unusable custom size.
LoadResult LoadSettings(const SettingsStore& reader, SettingsStore& writer, const std::vector<std::string>& displayModes,
                        BenchSettings& settings);

// Start with the game executable present: the decimal separator (initialised at the first such
// start), and the default Results and Screenshot folders, written at once when empty.
void LoadGameSettings(SettingsStore& store, const Folders& folders, char regionalDecimalSeparator,
                      BenchSettings& settings);
// Start without a game path: the regional separator is written and shown; FirstRun is left alone.
void LoadDecimalWithoutGame(SettingsStore& store, char regionalDecimalSeparator, BenchSettings& settings);
// Restores the user-defined demo's file when it still exists in the map folder named by
// settings.UserMapFolder (the map box's text). Does nothing while the Game folder is unknown.
void RestoreUserDemoFile(const SettingsStore& store, const FileSystem& fs, const Folders& folders,
                         BenchSettings& settings);
// Label beside the decimal separator box: "(comma)" for ",", "(period)" for anything else.
std::string DecimalSeparatorLabel(const std::string& separator);

// Writes every value the table marks as written at exit, in table order.
void SaveSettings(SettingsStore& store, const BenchSettings& settings);

// The monitor's modes as "W x H" texts, in the driver's order, each text once.
std::vector<std::string> DisplayModeTexts(const std::vector<std::pair<unsigned, unsigned>>& modes);

}  // namespace wmb
