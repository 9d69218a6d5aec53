#include "update/self_upgrade.h"

#include <algorithm>
#include <string_view>

#include "base/case_tables.h"

namespace wmb {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           SameTextIgnoringCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

struct Step {
    std::string Name;
    bool HadOriginal;
};

bool RollBack(IUpgradeFolder& folder, const std::vector<Step>& done) {
    bool all = true;
    for (auto step = done.rbegin(); step != done.rend(); ++step) {
        const bool back = step->HadOriginal ? folder.Move(step->Name + kBackupSuffix, step->Name)
                                            : folder.Remove(step->Name);
        all = all && back;
    }
    return all;
}

TInstallResult Replace(IUpgradeFolder& folder, std::vector<TStagedFile> files) {
    std::sort(files.begin(), files.end(), [](const TStagedFile& a, const TStagedFile& b) { return a.Name < b.Name; });
    const std::vector<std::string> names = folder.FileNames();
    std::vector<Step> done;
    TInstallResult result;
    for (const TStagedFile& file : files) {
        const std::string& name = file.Name;
        const bool hadOriginal = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return SameTextIgnoringCase(n, name);
        });
        if (hadOriginal && !folder.Move(name, name + kBackupSuffix)) {
            result.Failure = TUpgradeFailure{TUpgradeFailure::Replace, name};
            break;
        }
        // From here on the step is undone with the rest: the original is in its backup.
        done.push_back({name, hadOriginal});
        if (!folder.Move(name + kTempFileSuffix, name) || !folder.MakePlain(name)) {
            result.Failure = TUpgradeFailure{TUpgradeFailure::Replace, name};
            break;
        }
    }
    if (result.Failure) {
        result.RolledBack = RollBack(folder, done);
        return result;
    }
    for (const Step& step : done)
        if (step.HadOriginal) folder.Remove(step.Name + kBackupSuffix);
    result.Installed = true;
    return result;
}

}  // namespace

std::optional<std::vector<TStagedFile>> VerifiedStagedFiles(IUpgradeFolder& folder, TUpgradeFailure& failure) {
    failure = TUpgradeFailure{};
    const auto text = folder.ReadText(kStagingRecordName, kMaxStagingRecordSize);
    auto files = text ? ReadStagingRecord(*text) : std::nullopt;
    if (!files) return std::nullopt;
    for (const TStagedFile& file : *files) {
        if (folder.Digest(file.Name + kTempFileSuffix) != file.Digest) {
            failure.FileName = file.Name;
            return std::nullopt;
        }
    }
    return files;
}

TInstallResult InstallStagedFiles(IUpgradeFolder& folder) {
    TInstallResult result;
    TUpgradeFailure failure;
    if (auto files = VerifiedStagedFiles(folder, failure)) {
        result = Replace(folder, std::move(*files));
    } else {
        result.Failure = failure;
    }
    RemoveStagedFiles(folder);
    return result;
}

std::optional<std::string> StagedSetupFile(IUpgradeFolder& folder, TUpgradeFailure& failure) {
    auto files = VerifiedStagedFiles(folder, failure);
    if (!files) return std::nullopt;
    std::sort(files->begin(), files->end(), [](const TStagedFile& a, const TStagedFile& b) { return a.Name < b.Name; });
    for (const TStagedFile& file : *files)
        if (EndsWithNoCase(file.Name, ".exe")) return file.Name + kTempFileSuffix;
    return std::nullopt;
}

bool RemoveStagedFiles(IUpgradeFolder& folder) {
    bool all = true;
    for (const std::string& name : folder.FileNames())
        if (EndsWithNoCase(name, kTempFileSuffix)) all = folder.Remove(name) && all;
    return folder.Remove(kStagingRecordName) && all;
}

}  // namespace wmb
