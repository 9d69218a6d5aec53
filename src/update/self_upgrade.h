#pragma once
// The upgrader's work in the Program folder: every file replaced by its downloaded ".uTMP" copy, all or
// none, and the downloaded setup of the external-setup method.

#include <optional>
#include <string>
#include <vector>

namespace wmb {

// The Program folder as the upgrader sees it; every name is a file name within the folder.
class IUpgradeFolder {
public:
    virtual ~IUpgradeFolder() = default;
    // The plain files of the folder (no subfolders), in any order.
    virtual std::vector<std::string> FileNames() = 0;
    // Renames a file, replacing a file already called `to`; false for a folder, a missing or locked file.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Gives a file normal attributes (downloads are hidden temporary files).
    virtual bool MakePlain(const std::string& name) = 0;
    // True when no file of that name is left (also when there was none).
    virtual bool Remove(const std::string& name) = 0;
};

inline constexpr const char* kBackupSuffix = ".uBAK";

struct TReplaceResult {
    bool Replaced = false;
    std::string FailedName;   // the file whose step failed
    bool RolledBack = false;  // every original back in place (when not Replaced)
};

// Replaces each NAME by NAME.uTMP, in name order: NAME is renamed NAME.uBAK (an old backup of that name
// is overwritten), then NAME.uTMP becomes NAME. The backups go only once every file is in place. When a
// step fails, every file done so far gets its original back (one that had none is removed), so the files
// other than the ".uTMP" ones are as before; a backup that cannot be put back stays as NAME.uBAK.
TReplaceResult ReplaceWithTempFiles(IUpgradeFolder& folder);

// Deletes every ".uTMP" file of the folder; false when one stays.
bool RemoveTempFiles(IUpgradeFolder& folder);

// The external setup: the first ".uTMP" file (in name order) that is a program ("*.exe.uTMP").
std::optional<std::string> SetupTempFile(IUpgradeFolder& folder);

}  // namespace wmb
