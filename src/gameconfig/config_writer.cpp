#include "gameconfig/config_writer.h"

#include <stdexcept>
#include <utility>

#include "gameconfig/options.h"
#include "gameconfig/user_config.h"

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

bool CustomChosen(const BenchSettings& settings) {
    return PresetFromDetailLevel(settings.DetailLevel) == Preset::Custom;
}

}  // namespace

std::string CustomConfigProblem(const FileSystem& files, const BenchSettings& settings) {
    if (!CustomChosen(settings)) return "";
    const std::string& path = settings.CustomConfigPath;
    if (path.empty()) return "Please, choose the custom configuration file on the \"Settings 1\" page.";
    const auto bytes = files.FileExists(path) ? files.ReadFile(path) : std::nullopt;
    if (!bytes) return "The custom configuration file " + path + " cannot be read. Please, choose an existing file.";
    if (bytes->empty()) return "The custom configuration file " + path + " is empty. Please, choose another file.";
    return "";
}

GameConfigWriter::GameConfigWriter(FileSystem& files, BackupJournal& journal, FileVersionReader fileVersion)
    : files_(files), journal_(journal), fileVersion_(std::move(fileVersion)) {}

void GameConfigWriter::BeginSequence(const Folders& folders) { BeginUserConfigJournal(files_, journal_, folders); }

void GameConfigWriter::WriteGameConfig(const BenchSettings& settings, const Folders& folders,
                                       const std::function<void()>& prepareLaunchValues) {
    const auto preset = PresetFromDetailLevel(settings.DetailLevel);
    // The custom file is read before the user's configuration moves: it may be that very file.
    std::optional<std::string> custom;
    if (preset == Preset::Custom) {
        if (const std::string problem = CustomConfigProblem(files_, settings); !problem.empty()) {
            throw std::runtime_error(problem);
        }
        custom = files_.ReadFile(settings.CustomConfigPath);
    }

    CheckShaderCompiler(settings, folders);

    // A stray copy in Bin32 that cannot be backed up is simply left there: nothing overwrites it.
    MoveToBackup(folders.Bin32 + kConfigName, folders.Program + "Backup\\Bin32\\" + kConfigName);
    SaveUserConfig(files_, journal_, folders);

    if (prepareLaunchValues) prepareLaunchValues();

    if (!preset) return;
    if (*preset == Preset::Custom) {
        WriteConfig(folders, *custom);
        WriteOverrideFile(Preset::Custom, settings, folders);
    } else {
        WriteConfig(folders, PresetText(*preset, settings));
        WriteOverrideFile(*preset, settings, folders);
    }
    qualityLabel_ = QualityLabelOf(*preset);
}

void GameConfigWriter::RestoreUserConfig(const Folders& folders) { wmb::RestoreUserConfig(files_, journal_, folders); }

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

void GameConfigWriter::WriteConfig(const Folders& folders, const std::string& bytes) {
    NoteProgramConfig(journal_, folders, bytes);
    files_.WriteFile(folders.Game + kConfigName, bytes);
}

std::string GameConfigWriter::PresetText(Preset preset, const BenchSettings& settings) {
    ConfigText text = templates_.Get(preset);
    rendererLabel_ = ApplyOptions(text, settings);
    ApplyVegetationRatio(text, settings.GeometryInstancing);
    templates_.Replace(preset, text);
    return JoinConfigLines(text);
}

void GameConfigWriter::WriteOverrideFile(Preset preset, const BenchSettings& settings, const Folders& folders) {
    files_.WriteFile(folders.Game + kOverrideName, JoinConfigLines(OverrideLines(preset, settings)));
}

}  // namespace wmb
