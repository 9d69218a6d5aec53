#pragma once
// The upgrader's work in the Program folder: the files of the staging record replaced by their downloaded
// ".uTMP" copies, all or none and only while the copies still match the record, and the downloaded setup of
// the external-setup method. Nothing that the record does not list is ever installed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "update/staging_record.h"
#include "update/upgrade_paths.h"

namespace wmb {

// The Program folder as the upgrader sees it; every name is a file name within the folder.
class IUpgradeFolder {
public:
    virtual ~IUpgradeFolder() = default;
    // The plain files of the folder (no subfolders), in any order.
    virtual std::vector<std::string> FileNames() = 0;
    // The whole file; nothing when it is missing, unreadable or longer than `maxSize`.
    virtual std::optional<std::string> ReadText(const std::string& name, std::size_t maxSize) = 0;
    // The file's size and SHA-256; nothing when it is missing or unreadable.
    virtual std::optional<TFileDigest> Digest(const std::string& name) = 0;
    // Renames a file, replacing a file already called `to`; false for a folder, a missing or locked file.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Gives a file normal attributes (downloads are hidden temporary files).
    virtual bool MakePlain(const std::string& name) = 0;
    // True when no file of that name is left (also when there was none).
    virtual bool Remove(const std::string& name) = 0;
};

inline constexpr const char* kBackupSuffix = ".uBAK";

struct TInstallResult {
    bool Installed = false;
    std::optional<TUpgradeFailure> Failure;  // when not Installed
    bool RolledBack = false;  // after a failed replacement: every original back in place
};

// The files the staging record lists, each checked against its ".uTMP" copy: nothing when the record is
// missing or malformed; a Verify failure naming the first file whose copy is missing or differs.
std::optional<std::vector<TStagedFile>> VerifiedStagedFiles(IUpgradeFolder& folder, TUpgradeFailure& failure);

// Replaces each listed NAME by NAME.uTMP, in name order: NAME is renamed NAME.uBAK (an old backup of that
// name is overwritten), then NAME.uTMP becomes NAME. The backups go only once every file is in place. When
// a step fails, every file done so far gets its original back (one that had none is removed), so the files
// are as before; a backup that cannot be put back stays as NAME.uBAK. Whatever the outcome, every ".uTMP"
// file and the record are removed afterwards.
TInstallResult InstallStagedFiles(IUpgradeFolder& folder);

// The external setup: the first listed program ("*.exe", in name order) whose copy matches the record, as
// its ".uTMP" name; nothing when there is none. The failure says why.
std::optional<std::string> StagedSetupFile(IUpgradeFolder& folder, TUpgradeFailure& failure);

// Deletes every ".uTMP" file of the folder and the staging record; false when one stays.
bool RemoveStagedFiles(IUpgradeFolder& folder);

}  // namespace wmb
