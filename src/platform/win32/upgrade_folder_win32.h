#pragma once
// The Program folder on Win32, as the upgrader replaces its files and the updater deletes its downloads:
// FindFirstFileA listing, reads for the staging record and the digests, MoveFileExA renames.

#include <string>
#include <vector>

#include "update/self_upgrade.h"

namespace wmb {

class UpgradeFolderWin32 : public IUpgradeFolder {
public:
    explicit UpgradeFolderWin32(std::string folder) : folder_(std::move(folder)) {}  // with a trailing backslash

    std::vector<std::string> FileNames() override;
    std::optional<std::string> ReadText(const std::string& name, std::size_t maxSize) override;
    std::optional<TFileDigest> Digest(const std::string& name) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool MakePlain(const std::string& name) override;
    bool Remove(const std::string& name) override;

private:
    std::string folder_;
};

}  // namespace wmb
