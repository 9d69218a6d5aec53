#pragma once
// Finding the game executable, the folders derived from it, and the decision of the engine
// library's build number: which versions may be benchmarked and what the window shows for them.

#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "settings/bench_settings.h"

namespace wmb {

// The game path at start: the stored "Path" while its file exists (a stored path whose file is gone
// empties "Path", "ResultPath" and "ScrPath" at once and tries no shortcut), else the target of the
// all-users desktop shortcut, else that of the Start-menu shortcut; "" when none is found. The
// folders are given without a trailing backslash; an empty one is not searched. A shortcut that
// cannot be read (the reader throws) counts as no game found.
std::string LocateGame(SettingsStore& store, const FileSystem& fs, const std::string& commonDesktopFolder,
                       const std::string& commonProgramsFolder,
                       const std::function<std::string(const std::string& lnkPath)>& readShortcutTarget);

// Bin32 folder: the game path without the executable's name (cut by the length of "Wildmere.exe");
// Game folder: the Bin32 folder without its last 6 characters ("Bin32\"). A path too short for a
// cut leaves that folder (and the ones derived from it) empty.
Folders DeriveFolders(const std::string& programFolder, const std::string& gamePath);

// A file's version text and build-number text.
struct FileVersion {
    std::string Text;   // "1.4.0.1405"; "Value Not Available" when the file has no version
    std::string Build;  // from the 7th character of Text: "1405"; "" without a version
};
// Normalises the "FileVersion" string of a version resource ("" when there is none): every ","
// becomes ".", blanks are removed.
FileVersion NormalizeFileVersion(const std::string& raw);
// The build-number text as a decimal integer; nullopt when it is not one.
std::optional<int> BuildNumber(const std::string& buildText);

inline constexpr int kFirstSupportedBuild = 1385;

// Enabled state a check asks of a control.
enum class EnableChange { Unchanged, Enable, Disable };

// What a version check does to the window; unset members leave the control as it is.
struct VersionCheckEffects {
    std::optional<std::string> VersionLabel;
    std::optional<std::string> Message;     // message box with OK
    EnableChange SpecificTab = EnableChange::Unchanged;
    std::optional<int> ShaderModel;         // item to select in the shader model list
    EnableChange HigherShaderItems = EnableChange::Unchanged;  // "Shader model 2.0b" and "Shader model 3.0"
    std::optional<std::string> BenchCaption;
    std::optional<bool> BenchEnabled;
    std::optional<std::string> Status;
};

// The check at start, after the start-up made the window ready to bench. `storedShaderModel` is the
// stored "PS". A build number that cannot be read only shows "Wildmere version: not available".
VersionCheckEffects CheckGameVersionAtStart(const FileVersion& engineVersion, const std::string& storedShaderModel);

// The check after the user chose the game by hand, including the "Specific" tab rule and the
// Benchmark button. `readyCaption` is the caption of a usable Benchmark button ("Benchmark", or
// "Screenshot" in screenshot mode); it replaces "Not ready to bench" left by an unsupported game.
VersionCheckEffects CheckGameVersionAfterChoice(const FileVersion& engineVersion, const std::string& storedShaderModel,
                                                int detailLevel, const std::string& readyCaption);

// "Specific" tab after a manual choice: enabled unless the build-number text sorts below "1337"
// (compared as text, character by character).
bool SpecificTabEnabled(const std::string& buildText);

// The rest of the manual choice once the user picked `chosenPath`: the path is stored at once, the
// folders are derived, and the Results folder is reset to Game folder + "Benchmark\" and created.
Folders AcceptChosenGame(SettingsStore& store, FileSystem& fs, const std::string& programFolder,
                         const std::string& chosenPath, BenchSettings& settings);

}  // namespace wmb
