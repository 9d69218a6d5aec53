#pragma once
// The user's own demos: the map box filled from the game's level folders, where the demo list is
// searched, the import of a demo file and the frame range given to a user demo.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wmb {

inline constexpr const char* kNoDemosFound = "No demos found";
inline constexpr const char* kDemoMask = "*.tmd";
inline constexpr const char* kNoGameForImport = "Please, install the Wildmere first!";
inline constexpr const char* kDemoImported = "Demo successfully imported.";
inline constexpr const char* kImportTitle = "Browse for Wildmere demo files...";
// Description and pattern pairs separated by '\0', as the open-file dialog takes them.
inline constexpr char kImportFilter[] = "Wildmere demo files (*.tmd)\0*.TMD\0";
inline constexpr const char* kNotALevelName =
    "Please, choose a map and a demo inside the game's \"Levels\" folder.";
// Without a map the demo list shows the demos of every level, and the game would get no map to load.
inline constexpr const char* kNoMapForUserDemo = "Please, choose a map for your own demo on the \"Demos\" page.";
inline constexpr int kMaxDemoFrames = 20000;

// A single file or folder name that stays inside its folder: no path separator, drive, wildcard, or
// "." / ".." (the empty name is allowed; it stands for no choice).
bool IsPlainName(std::string_view name);

// The folder the demo list searches: the map's level folder, or "Levels\" itself for no map.
std::string DemoListLocation(const std::string& gameFolder, const std::string& mapText);

// The map box's text once the level folders were appended to `items`: the stored map when the list
// holds it (case ignored), nothing when it does not, the first map when none is stored; nullopt
// leaves the text as it is (no map stored and an empty list).
std::optional<std::string> MapTextAfterFill(const std::vector<std::string>& items, const std::string& storedMap);

// Where an imported demo goes: the map's level folder, under the chosen file's own name.
std::string ImportTarget(const std::string& gameFolder, const std::string& mapText, const std::string& chosenFile);
std::string ImportFailedText(const std::string& target);

// The frames dialog's OK: a total above 0 gives the user demo that frame range; 0 (or an empty box)
// switches screenshot mode off; a total above kMaxDemoFrames keeps the dialog open.
struct DemoFramesAnswer {
    enum Kind { NewRange, ScreenshotOff, OutOfRange } Result = ScreenshotOff;
    int Frames = 0;
};
DemoFramesAnswer DemoFramesOk(const std::string& totalText);
std::string OutOfRangeText();

}  // namespace wmb
