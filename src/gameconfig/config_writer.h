#pragma once
// Puts the benchmark's configuration into the game before a sequence and the user's own one back after it.
//
// Files (folders end in a backslash):
//   Game folder + "system.cfg"                 the configuration the game reads
//   Bin32 folder + "system.cfg"                a stray configuration, moved away before every sequence
//   Program folder + "Backup\system.cfg"       the user's configuration, source of the restore
//   Program folder + "Backup\Bin32\system.cfg" the stray file's copy, never put back
//   Game folder + "Systemcfgoverride.cfg"      the override file of the sequence

#include <functional>
#include <string>

#include "gameconfig/backup_journal.h"
#include "gameconfig/presets.h"
#include "platform/file_system.h"
#include "settings/bench_settings.h"

namespace wmb {

class GameConfigWriter {
public:
    // `fileVersion` returns the normalised version text of a file ("Value Not Available" without one).
    using FileVersionReader = std::function<std::string(const std::string& path)>;

    GameConfigWriter(FileSystem& files, BackupJournal& journal, FileVersionReader fileVersion);

    // First thing of a sequence, before any file changes: records it in the backup journal. Throws when
    // the journal cannot be written.
    void BeginSequence(const Folders& folders);

    // Once per sequence, before the first game start: installs the shader compiler if the chosen shader model
    // needs it, backs up and removes the user's configurations, runs `prepareLaunchValues`, then writes the
    // preset (with the options worked in) or the custom file's bytes, and writes the override file.
    // A user configuration in the Game folder is removed only once its backup holds the same bytes; when no
    // such backup can be made it stays untouched and std::runtime_error is thrown before anything is written.
    // A custom file that cannot be read, and failures to write system.cfg or the override file, throw too.
    void WriteGameConfig(const BenchSettings& settings, const Folders& folders,
                         const std::function<void()>& prepareLaunchValues);

    // When a sequence ends: puts the user's own configuration back (see RestoreUserConfig in user_config.h).
    // Does not pause; throws when it cannot be written.
    void RestoreUserConfig(const Folders& folders);

    // "Ultra quality option" ... "Custom quality option"; empty until a configuration was written.
    const std::string& QualityLabel() const { return qualityLabel_; }
    // "Direct3D" or "OpenGL" as set by the last preset written; empty until then.
    const std::string& RendererLabel() const { return rendererLabel_; }

private:
    void CheckShaderCompiler(const BenchSettings& settings, const Folders& folders);
    bool MoveToBackup(const std::string& original, const std::string& backup);
    void WriteConfig(const Folders& folders, const std::string& bytes);
    std::string PresetText(Preset preset, const BenchSettings& settings);
    void WriteOverrideFile(Preset preset, const BenchSettings& settings, const Folders& folders);

    FileSystem& files_;
    BackupJournal& journal_;
    FileVersionReader fileVersion_;
    PresetTemplates templates_;
    std::string qualityLabel_;
    std::string rendererLabel_;
};

// Why the chosen custom configuration file cannot be used ("" when it can, or another preset is chosen).
std::string CustomConfigProblem(const FileSystem& files, const BenchSettings& settings);

}  // namespace wmb
