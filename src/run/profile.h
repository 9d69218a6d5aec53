#pragma once
// Profiles: every choice a benchmark sequence depends on, as a plain INI text a person can read and edit,
// so that the same sequence can be run again on other machines or from scripts. One table row per key
// says which fields of BenchSettings the key carries and the form its value takes; reading, writing and
// applying a profile all work from that table.
//
//     [WildmereBench profile]
//     Resolutions=800x600, 1280x1024
//     Renderer=Direct3D
//
// Key names compare without regard to case, and so do the words of a list (written in the table's
// spelling). A profile may be partial: a key it does not give leaves that choice as it is.

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "run/ini_text.h"
#include "settings/bench_settings.h"

namespace wmb {

inline constexpr const char* kProfileSection = "WildmereBench profile";

// The form of a key's value.
enum class ProfileForm {
    OnOff,        // a flag: "on" or "off"
    Item,         // a list: one of the row's Items; "" for no choice unless the row has a Fallback
    Number,       // a whole number from Min to Max; "" for none unless the row has a Fallback
    Folder,       // "" or a full path; the field keeps it with a trailing backslash
    File,         // "" or the full path of a file
    Name,         // "" or the plain name of a file or folder (no path)
    Line,         // any text without control characters
    Resolutions,  // the fixed slots checked, as their sizes separated by commas ("800x600, 1280x1024")
    CustomSize,   // the custom resolution: "" for off, else its size ("1280x1024")
};

// The fixed slots' check marks, BenchSettings::ResolutionChecked.
struct FixedSlotsField {};
// The custom resolution's flag and its size: CustomResolution, CustomWidth and CustomHeight.
struct CustomSizeField {};

using ProfileField = std::variant<bool BenchSettings::*, int BenchSettings::*, std::string BenchSettings::*,
                                  FixedSlotsField, CustomSizeField>;

struct ProfileKey {
    const char* Name;
    ProfileField Field;
    ProfileForm Form;
    // Item: the list's spellings in item order. An int field holds the item's index plus FirstIndex (its
    // no-choice value is FirstIndex - 1); a text field holds the spelling itself.
    std::span<const char* const> Items = {};
    int FirstIndex = 0;
    // Number: the range.
    int Min = 0;
    int Max = 0;
    // Written when the field holds nothing the key takes (the value a sequence uses then); null: "".
    const char* Fallback = nullptr;
};

// Every key, in the order a saved profile lists them.
std::span<const ProfileKey> ProfileKeys();

// What a profile sets: the values of the keys it gives (the other fields of Values mean nothing).
struct ProfileChanges {
    BenchSettings Values;
    std::vector<std::string> Keys;  // the keys given, in the table's spelling, in the profile's order
    bool Sets(const std::string& key) const;
};

// The whole profile of the settings, every key in table order, CR LF line ends.
std::string WriteProfile(const BenchSettings& settings);

// The changes a profile text makes, or why it is refused: an unknown key, a key given twice, a line that
// is neither comment, section nor key=value, a value the key does not take.
std::variant<ProfileChanges, ProfileError> ReadProfile(const std::string& text);

// Sets the fields of the keys the profile gives, and nothing else.
void ApplyProfile(const ProfileChanges& changes, BenchSettings& settings);

}  // namespace wmb
