#include "settings/game_location.h"

#include <charconv>
#include <exception>

#include "settings/settings_table.h"

namespace wmb {

namespace {

constexpr std::string_view kExecutableName = "Wildmere.exe";
constexpr std::string_view kBin32Folder = "Bin32\\";

const char* const kVersionNotAvailable = "Wildmere version: not available";
const char* const kUnsupported = "Unsupported Wildmere version found.";
const char* const kUnsupportedMessage = "Unsupported Wildmere version found. Please install the official v1.4 patch!";
const char* const kReadyStatus = "Set the parameters & bench!";
const char* const kNotReadyStatus = "Please install the official v1.4 patch! NOT READY TO BENCH!";
const char* const kNotReadyCaption = "Not ready to bench";

// Target of a shortcut, or "" when the file is not there or cannot be read.
std::string ShortcutTarget(const FileSystem& fs, const std::string& lnkPath,
                           const std::function<std::string(const std::string&)>& readShortcutTarget) {
    if (!fs.FileExists(lnkPath)) return "";
    try {
        return readShortcutTarget(lnkPath);
    } catch (const std::exception&) {
        return "";
    }
}

// The label of the few builds that name a game version; other supported builds leave it alone.
std::optional<std::string> LabelOfBuild(int build) {
    switch (build) {
        case 1385:
            return "Wildmere version: 1.32";
        case 1395:
            return "Wildmere version: 1.33";
        case 1405:
            return "Wildmere version: 1.4";
        default:
            return std::nullopt;
    }
}

void MarkUnsupported(VersionCheckEffects& effects) {
    effects.VersionLabel = kUnsupported;
    effects.Message = kUnsupportedMessage;
    effects.SpecificTab = EnableChange::Disable;
    effects.ShaderModel = 0;
    effects.BenchCaption = kNotReadyCaption;
    effects.Status = kNotReadyStatus;
    effects.BenchEnabled = false;
}

std::optional<int> StoredShaderModel(const std::string& stored) {
    return ItemFromStored(SettingRowNamed("PS"), stored);
}

}  // namespace

std::string LocateGame(SettingsStore& store, const FileSystem& fs, const std::string& commonDesktopFolder,
                       const std::string& commonProgramsFolder,
                       const std::function<std::string(const std::string& lnkPath)>& readShortcutTarget) {
    const std::string stored = store.Read("Path");
    if (!stored.empty()) {
        if (fs.FileExists(stored)) return stored;
        store.Write("Path", "");
        store.Write("ResultPath", "");
        store.Write("ScrPath", "");
        return "";
    }
    // An unresolved shell folder would otherwise turn into a path on the current drive.
    if (!commonDesktopFolder.empty() && fs.FileExists(commonDesktopFolder + "\\Wildmere.lnk")) {
        return ShortcutTarget(fs, commonDesktopFolder + "\\Wildmere.lnk", readShortcutTarget);
    }
    if (!commonProgramsFolder.empty()) {
        return ShortcutTarget(fs, commonProgramsFolder + "\\Arvenel\\Wildmere\\Play Wildmere.lnk", readShortcutTarget);
    }
    return "";
}

Folders DeriveFolders(const std::string& programFolder, const std::string& gamePath) {
    Folders folders;
    folders.Program = programFolder;
    if (gamePath.size() > kExecutableName.size()) {
        folders.Bin32 = gamePath.substr(0, gamePath.size() - kExecutableName.size());
    }
    if (folders.Bin32.size() > kBin32Folder.size()) {
        folders.Game = folders.Bin32.substr(0, folders.Bin32.size() - kBin32Folder.size());
    }
    return folders;
}

FileVersion NormalizeFileVersion(const std::string& raw) {
    if (raw.empty()) return {"Value Not Available", ""};
    FileVersion version;
    for (const char c : raw) {
        if (c == ' ') continue;
        version.Text += c == ',' ? '.' : c;
    }
    version.Build = version.Text.size() > 6 ? version.Text.substr(6) : "";
    return version;
}

std::optional<int> BuildNumber(const std::string& buildText) {
    const char* first = buildText.data();
    const char* last = first + buildText.size();
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last) return std::nullopt;
    return value;
}

VersionCheckEffects CheckGameVersionAtStart(const FileVersion& engineVersion, const std::string& storedShaderModel) {
    VersionCheckEffects effects;
    const std::optional<int> build = BuildNumber(engineVersion.Build);
    if (!build) {
        effects.VersionLabel = kVersionNotAvailable;
        return effects;
    }
    if (*build <= 0) return effects;
    if (*build < kFirstSupportedBuild) {
        MarkUnsupported(effects);
        return effects;
    }
    effects.SpecificTab = EnableChange::Enable;
    effects.VersionLabel = LabelOfBuild(*build);
    effects.ShaderModel = StoredShaderModel(storedShaderModel);
    return effects;
}

VersionCheckEffects CheckGameVersionAfterChoice(const FileVersion& engineVersion, const std::string& storedShaderModel,
                                                int detailLevel, const std::string& readyCaption) {
    VersionCheckEffects effects;
    const std::optional<int> build = BuildNumber(engineVersion.Build);
    if (build && *build > 0 && *build < kFirstSupportedBuild) {
        MarkUnsupported(effects);
        effects.HigherShaderItems = EnableChange::Disable;
    } else {
        if (!build) {
            effects.VersionLabel = kVersionNotAvailable;
        } else if (*build > 0) {
            effects.VersionLabel = LabelOfBuild(*build);
            // With the Ultra or Maximum preset only the default shader model can be chosen.
            const bool highPreset = detailLevel == 0 || detailLevel == 1;
            if (highPreset) {
                effects.ShaderModel = 0;
                effects.HigherShaderItems = EnableChange::Disable;
            } else {
                effects.ShaderModel = StoredShaderModel(storedShaderModel);
                effects.HigherShaderItems = EnableChange::Enable;
            }
        }
        // The button becomes usable, so its caption and the status bar say so too.
        effects.Status = kReadyStatus;
        effects.BenchCaption = readyCaption;
        effects.BenchEnabled = true;
    }
    effects.SpecificTab = SpecificTabEnabled(engineVersion.Build) ? EnableChange::Enable : EnableChange::Disable;
    return effects;
}

bool SpecificTabEnabled(const std::string& buildText) { return buildText.compare("1337") >= 0; }

Folders AcceptChosenGame(SettingsStore& store, FileSystem& fs, const std::string& programFolder,
                         const std::string& chosenPath, BenchSettings& settings) {
    settings.GamePath = chosenPath;
    store.Write("Path", chosenPath);
    Folders folders = DeriveFolders(programFolder, chosenPath);
    if (!folders.Game.empty()) {
        settings.ResultsFolder = folders.Game + "Benchmark\\";
        if (!fs.FolderExists(settings.ResultsFolder)) fs.CreateFolders(settings.ResultsFolder);
    }
    return folders;
}

}  // namespace wmb
