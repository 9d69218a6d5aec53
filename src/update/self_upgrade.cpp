#include "update/self_upgrade.h"

#include <algorithm>
#include <string_view>

#include "demos/filefinder/case_tables.h"
#include "update/upgrade_paths.h"

namespace wmb {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           SameTextIgnoringCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

// The ".uTMP" files of the folder, in name order.
std::vector<std::string> TempFiles(IUpgradeFolder& folder) {
    std::vector<std::string> names = folder.FileNames();
    std::erase_if(names, [](const std::string& name) { return !EndsWithNoCase(name, kTempFileSuffix); });
    std::sort(names.begin(), names.end());
    return names;
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

}  // namespace

TReplaceResult ReplaceWithTempFiles(IUpgradeFolder& folder) {
    const std::vector<std::string> names = folder.FileNames();
    std::vector<Step> done;
    TReplaceResult result;
    for (const std::string& temp : TempFiles(folder)) {
        const std::string name = temp.substr(0, temp.size() - std::char_traits<char>::length(kTempFileSuffix));
        if (!IsPlainFileName(name)) continue;
        const bool hadOriginal = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return n.size() == name.size() && EndsWithNoCase(n, name);
        });
        if (hadOriginal && !folder.Move(name, name + kBackupSuffix)) {
            result.FailedName = name;
            break;
        }
        // From here on the step is undone with the rest: the original is in its backup.
        done.push_back({name, hadOriginal});
        if (!folder.Move(temp, name) || !folder.MakePlain(name)) {
            result.FailedName = name;
            break;
        }
    }
    if (!result.FailedName.empty()) {
        result.RolledBack = RollBack(folder, done);
        return result;
    }
    for (const Step& step : done)
        if (step.HadOriginal) folder.Remove(step.Name + kBackupSuffix);
    result.Replaced = true;
    return result;
}

bool RemoveTempFiles(IUpgradeFolder& folder) {
    bool all = true;
    for (const std::string& temp : TempFiles(folder)) all = folder.Remove(temp) && all;
    return all;
}

std::optional<std::string> SetupTempFile(IUpgradeFolder& folder) {
    for (const std::string& temp : TempFiles(folder))
        if (EndsWithNoCase(temp, std::string(".exe") + kTempFileSuffix)) return temp;
    return std::nullopt;
}

}  // namespace wmb
