#include "update/self_upgrade.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "update/sha256.h"

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
    std::optional<std::string> ReadText(const std::string& name, std::size_t maxSize) override {
        if (!files.contains(name) || files[name].size() > maxSize) return std::nullopt;
        return files[name];
    }
    std::optional<TFileDigest> Digest(const std::string& name) override {
        if (!files.contains(name)) return std::nullopt;
        return TFileDigest{files[name].size(), Sha256Hex(files[name])};
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

TStagedFile Staged(const std::string& name, const std::string& bytes) { return {name, {bytes.size(), Sha256Hex(bytes)}}; }

const Files kOriginals{{"WildmereBench.exe", "old exe"}, {"help.chm", "old help"}, {"readme.txt", "notes"}};

// Three verified downloads and their record, beside a download the record does not list.
MemoryFolder Downloaded() {
    MemoryFolder folder;
    folder.files = kOriginals;
    folder.files.insert({{"WildmereBench.exe.uTMP", "new exe"}, {"help.chm.uTMP", "new help"},
                         {"extra.dll.uTMP", "new dll"}, {"readme.txt.uTMP", "left by an earlier attempt"}});
    folder.files[kStagingRecordName] = StagingRecordText(
        {Staged("WildmereBench.exe", "new exe"), Staged("help.chm", "new help"), Staged("extra.dll", "new dll")});
    folder.hidden = {"WildmereBench.exe.uTMP", "help.chm.uTMP", "extra.dll.uTMP", "readme.txt.uTMP"};
    return folder;
}

TEST(InstallStagedFiles, ExactlyTheListedFilesTakeTheirDownloadedCopies) {
    MemoryFolder folder = Downloaded();
    folder.files["help.chm.uBAK"] = "stale backup";
    const TInstallResult result = InstallStagedFiles(folder);
    EXPECT_TRUE(result.Installed);
    EXPECT_EQ(result.Failure, std::nullopt);
    // readme.txt.uTMP is not listed: deleted, never installed; the record goes too.
    EXPECT_EQ(folder.files, (Files{{"WildmereBench.exe", "new exe"}, {"help.chm", "new help"},
                                   {"readme.txt", "notes"}, {"extra.dll", "new dll"}}));
    EXPECT_TRUE(folder.hidden.empty());
}

struct VerifyCase {
    const char* name;
    void (*spoil)(MemoryFolder&);
    const char* failedName;
};

const VerifyCase kVerifyFailures[] = {
    {"NoRecord", [](MemoryFolder& f) { f.files.erase(kStagingRecordName); }, ""},
    {"RecordCutShort", [](MemoryFolder& f) { f.files[kStagingRecordName].resize(60); }, ""},
    {"ListedCopyMissing", [](MemoryFolder& f) { f.files.erase("help.chm.uTMP"); }, "help.chm"},
    {"CopyCutShort", [](MemoryFolder& f) { f.files["extra.dll.uTMP"] = "new"; }, "extra.dll"},
    {"CopyChangedSameSize", [](MemoryFolder& f) { f.files["WildmereBench.exe.uTMP"] = "bad exe"; },
     "WildmereBench.exe"},
};

class VerifyFailureTest : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(VerifyFailureTest, InstallsNothingAndLeavesNoDownload) {
    MemoryFolder folder = Downloaded();
    GetParam().spoil(folder);
    const TInstallResult result = InstallStagedFiles(folder);
    EXPECT_FALSE(result.Installed);
    EXPECT_EQ(result.Failure, (TUpgradeFailure{TUpgradeFailure::Verify, GetParam().failedName}));
    EXPECT_EQ(folder.files, kOriginals);
}

INSTANTIATE_TEST_SUITE_P(Cases, VerifyFailureTest, ::testing::ValuesIn(kVerifyFailures),
                         [](const ::testing::TestParamInfo<VerifyCase>& info) { return info.param.name; });

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
    const TInstallResult result = InstallStagedFiles(folder);
    EXPECT_FALSE(result.Installed);
    EXPECT_TRUE(result.RolledBack);
    EXPECT_EQ(result.Failure, (TUpgradeFailure{TUpgradeFailure::Replace, GetParam().failed}));
    for (const auto& [name, content] : kOriginals) EXPECT_EQ(folder.files[name], content) << name;
    EXPECT_FALSE(folder.files.contains("extra.dll"));  // a file that had no original is taken away again
    EXPECT_FALSE(folder.files.contains(kStagingRecordName));
    folder.locked.clear();
    EXPECT_TRUE(RemoveStagedFiles(folder));
    EXPECT_EQ(folder.files, kOriginals);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(InstallStagedFiles, BackupThatCannotGoBackIsKept) {
    struct StuckBackup : MemoryFolder {
        bool Move(const std::string& from, const std::string& to) override {
            return !from.ends_with(".uBAK") && MemoryFolder::Move(from, to);
        }
    } stuck;
    stuck.files = Downloaded().files;
    stuck.locked = {"help.chm"};
    const TInstallResult result = InstallStagedFiles(stuck);
    EXPECT_FALSE(result.RolledBack);
    EXPECT_EQ(stuck.files["WildmereBench.exe.uBAK"], "old exe");
}

TEST(StagedSetupFile, FirstListedProgramWhoseCopyMatches) {
    MemoryFolder folder;
    folder.files = {{"readme.txt.uTMP", "r"}, {"setup.EXE.uTMP", "s"}, {"zsetup.exe.uTMP", "z"},
                    {"alpha.exe.uTMP", "not listed"}, {"WB.exe", ""}};
    folder.files[kStagingRecordName] =
        StagingRecordText({Staged("readme.txt", "r"), Staged("zsetup.exe", "z"), Staged("setup.EXE", "s")});
    TUpgradeFailure failure;
    EXPECT_EQ(StagedSetupFile(folder, failure), "setup.EXE.uTMP");
    folder.files["setup.EXE.uTMP"] = "changed";
    EXPECT_EQ(StagedSetupFile(folder, failure), std::nullopt);
    EXPECT_EQ(failure, (TUpgradeFailure{TUpgradeFailure::Verify, "setup.EXE"}));
    folder.files[kStagingRecordName] = StagingRecordText({Staged("readme.txt", "r")});
    EXPECT_EQ(StagedSetupFile(folder, failure), std::nullopt);
}

}  // namespace
}  // namespace wmb
