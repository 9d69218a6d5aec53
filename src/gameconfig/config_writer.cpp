#include "gameconfig/config_writer.h"

#include <stdexcept>
#include <utility>

#include "gameconfig/options.h"

namespace wmb {

namespace {

constexpr const char* kConfigName = "system.cfg";
constexpr const char* kOverrideName = "Systemcfgoverride.cfg";

std::string QualityLabelOf(Preset preset) {
    switch (preset) {
        case Preset::Ultra: return "Ultra quality option";
        case Preset::Maximum: return "Maximum quality option";
        case Preset::Minimum: return "Minimum quality option";
        case Preset::Custom: break;
    }
    return "Custom quality option";
}

std::string UserBackupPath(const Folders& folders) {
    return folders.Program + "Backup\\" + kConfigName;
}

}  // namespace

GameConfigWriter::GameConfigWriter(FileSystem& files, FileVersionReader fileVersion)
    : files_(files), fileVersion_(std::move(fileVersion)) {}

void GameConfigWriter::WriteGameConfig(const BenchSettings& settings, const Folders& folders,
                                       const std::function<void()>& prepareLaunchValues) {
    CheckShaderCompiler(settings, folders);

    // A stray copy in Bin32 that cannot be backed up is simply left there: nothing overwrites it.
    MoveToBackup(folders.Bin32 + kConfigName, folders.Program + "Backup\\Bin32\\" + kConfigName);

    const std::string userConfig = folders.Game + kConfigName;
    const std::string userBackup = UserBackupPath(folders);
    userConfigInPlace_ = !MoveToBackup(userConfig, userBackup);
    if (userConfigInPlace_) {
        throw std::runtime_error("The game's configuration " + userConfig + " could not be backed up to " +
                                 userBackup + ". It was left as it is and the game was not started.");
    }

    if (prepareLaunchValues) prepareLaunchValues();

    const auto preset = PresetFromDetailLevel(settings.DetailLevel);
    if (!preset) return;
    if (*preset == Preset::Custom) {
        const std::string& customPath = settings.CustomConfigPath;
        if (customPath.empty() || !files_.FileExists(customPath)) return;
        files_.ShellCopy(customPath, userConfig);
        WriteOverrideFile(Preset::Custom, settings, folders);
    } else {
        WritePreset(*preset, settings, folders);
    }
    qualityLabel_ = QualityLabelOf(*preset);
}

void GameConfigWriter::RestoreUserConfig(const Folders& folders) {
    if (std::exchange(userConfigInPlace_, false)) return;
    const std::string backup = UserBackupPath(folders);
    const auto bytes = files_.ReadFile(backup);
    if (!bytes) return;

    ConfigText text = SplitConfigLines(*bytes);
    const auto soundOff = FindLine(text, AssignmentLine("s_SoundEnable", "0"));
    if (soundOff) text[*soundOff] = AssignmentLine("s_SoundEnable", "1");
    const std::string restored = JoinConfigLines(text);
    files_.WriteFile(folders.Game + kConfigName, restored);
    if (soundOff) files_.WriteFile(backup, restored);
}

void GameConfigWriter::CheckShaderCompiler(const BenchSettings& settings, const Folders& folders) {
    if (settings.ShaderModel != 1 && settings.ShaderModel != 2) return;
    const std::string gameCompiler = folders.Bin32 + "fxc.exe";
    if (ShaderCompilerNeedsCopy(fileVersion_(gameCompiler)))
        files_.ShellCopy(folders.Program + "DirectX9c\\fxc.exe", gameCompiler);
}

// Copies `original` to `backup` and deletes it once the backup holds the same bytes. Returns false when
// the original is still there because no such backup could be made.
bool GameConfigWriter::MoveToBackup(const std::string& original, const std::string& backup) {
    if (!files_.FileExists(original)) return true;
    files_.ShellCopy(original, backup);
    const auto kept = files_.ReadFile(original);
    if (!kept || files_.ReadFile(backup) != kept) return false;
    files_.RemoveFile(original);
    return true;
}

void GameConfigWriter::WritePreset(Preset preset, const BenchSettings& settings, const Folders& folders) {
    ConfigText text = templates_.Get(preset);
    rendererLabel_ = ApplyOptions(text, settings);
    ApplyVegetationRatio(text, settings.GeometryInstancing);
    templates_.Replace(preset, text);
    files_.WriteFile(folders.Game + kConfigName, JoinConfigLines(text));
    WriteOverrideFile(preset, settings, folders);
}

void GameConfigWriter::WriteOverrideFile(Preset preset, const BenchSettings& settings, const Folders& folders) {
    files_.WriteFile(folders.Game + kOverrideName, JoinConfigLines(OverrideLines(preset, settings)));
}

}  // namespace wmb
