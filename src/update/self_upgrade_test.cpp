#include "update/self_upgrade.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace wmb {
namespace {

// A folder in memory; a locked file can be neither renamed, replaced nor deleted, like a file kept open
// without sharing.
class MemoryFolder : public IUpgradeFolder {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> locked;
    std::set<std::string> hidden;

    std::vector<std::string> FileNames() override {
        std::vector<std::string> names;
        for (const auto& [name, content] : files) names.push_back(name);
        return names;
    }
    bool Move(const std::string& from, const std::string& to) override {
        if (!files.contains(from) || locked.contains(from) || locked.contains(to)) return false;
        files[to] = files[from];
        files.erase(from);
        hidden.erase(to);
        if (hidden.erase(from)) hidden.insert(to);
        return true;
    }
    bool MakePlain(const std::string& name) override { return files.contains(name) && (hidden.erase(name), true); }
    bool Remove(const std::string& name) override {
        if (locked.contains(name)) return false;
        files.erase(name);
        hidden.erase(name);
        return true;
    }
};

using Files = std::map<std::string, std::string>;

MemoryFolder Downloaded() {
    MemoryFolder folder;
    folder.files = {{"WildmereBench.exe", "old exe"}, {"help.chm", "old help"}, {"readme.txt", "notes"},
                    {"WildmereBench.exe.uTMP", "new exe"}, {"help.chm.uTMP", "new help"},
                    {"extra.dll.uTMP", "new dll"}};
    folder.hidden = {"WildmereBench.exe.uTMP", "help.chm.uTMP", "extra.dll.uTMP"};
    return folder;
}

TEST(ReplaceWithTempFiles, EveryFileTakesItsDownloadedCopy) {
    MemoryFolder folder = Downloaded();
    folder.files["help.chm.uBAK"] = "stale backup";
    const TReplaceResult result = ReplaceWithTempFiles(folder);
    EXPECT_TRUE(result.Replaced);
    EXPECT_EQ(folder.files, (Files{{"WildmereBench.exe", "new exe"}, {"help.chm", "new help"},
                                   {"readme.txt", "notes"}, {"extra.dll", "new dll"}}));
    EXPECT_TRUE(folder.hidden.empty());
}

struct FailureCase {
    const char* name;
    const char* locked;
    const char* failed;
};

// Name order: WildmereBench.exe, extra.dll, help.chm (upper case first).
const FailureCase kFailures[] = {
    {"FirstOriginalLocked", "WildmereBench.exe", "WildmereBench.exe"},
    {"LastOriginalLockedAfterTwoReplaced", "help.chm", "help.chm"},
    {"DownloadLockedAfterOneReplaced", "extra.dll.uTMP", "extra.dll"},
};

class ReplaceFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReplaceFailureTest, PutsEveryOriginalBack) {
    MemoryFolder folder = Downloaded();
    folder.locked = {GetParam().locked};
    const TReplaceResult result = ReplaceWithTempFiles(folder);
    EXPECT_FALSE(result.Replaced);
    EXPECT_TRUE(result.RolledBack);
    EXPECT_EQ(result.FailedName, GetParam().failed);
    for (const auto& [name, content] : Downloaded().files) {
        if (!name.ends_with(".uTMP")) {
            EXPECT_EQ(folder.files[name], content) << name;
        }
    }
    EXPECT_FALSE(folder.files.contains("extra.dll"));  // a file that had no original is taken away again
    folder.locked.clear();
    EXPECT_TRUE(RemoveTempFiles(folder));
    EXPECT_EQ(folder.files,
              (Files{{"WildmereBench.exe", "old exe"}, {"help.chm", "old help"}, {"readme.txt", "notes"}}));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(ReplaceWithTempFiles, BackupThatCannotGoBackIsKept) {
    struct StuckBackup : MemoryFolder {
        bool Move(const std::string& from, const std::string& to) override {
            return !from.ends_with(".uBAK") && MemoryFolder::Move(from, to);
        }
    } stuck;
    stuck.files = Downloaded().files;
    stuck.locked = {"help.chm"};
    const TReplaceResult result = ReplaceWithTempFiles(stuck);
    EXPECT_FALSE(result.RolledBack);
    EXPECT_EQ(stuck.files["WildmereBench.exe.uBAK"], "old exe");
}

TEST(SetupTempFile, FirstDownloadedProgram) {
    MemoryFolder folder;
    folder.files = {{"readme.txt.uTMP", ""}, {"setup.EXE.uTMP", ""}, {"zsetup.exe.uTMP", ""}, {"WB.exe", ""}};
    EXPECT_EQ(SetupTempFile(folder), "setup.EXE.uTMP");
    folder.files = {{"readme.txt.uTMP", ""}};
    EXPECT_EQ(SetupTempFile(folder), std::nullopt);
}

}  // namespace
}  // namespace wmb
