#include "update/upgrade_paths.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

struct TargetCase {
    const char* url;
    std::optional<std::string> target;
};

TEST(TargetPath, DownloadsWaitBesideTheExecutable) {
    const TargetCase cases[] = {
        {"http://h/setup/new.exe", "C:\\WB\\new.exe.uTMP"},
        {"http://h/a\\b.dll", "C:\\WB\\b.dll.uTMP"},
        {"new.exe", "C:\\WB\\new.exe.uTMP"},
        {"http://h/dir/", std::nullopt},    // no file name
        {"http://h", std::nullopt},         // no path at all
        {"http://h/..", std::nullopt},      // the parent folder
        {"http://h/a/.", std::nullopt},
        {"http://h/get?f=a.exe", std::nullopt},  // the query joins the name, and "?" is no file name's
        {"http://h/a.exe.", std::nullopt},  // Windows would write a.exe
        {"http://h/CON", std::nullopt},
        {"http://h/lpt1.txt", std::nullopt},
        {"http://h/console.exe", "C:\\WB\\console.exe.uTMP"},
        // Device names whatever follows them, stream names, reserved characters.
        {"http://h/nul .dat", std::nullopt},
        {"http://h/aux .dat", std::nullopt},
        {"http://h/lpt1 .txt", std::nullopt},
        {"http://h/AUX.a.b", std::nullopt},
        {"http://h/com0", std::nullopt},
        {"http://h/com\xB9.txt", std::nullopt},
        {"http://h/conout$", std::nullopt},
        {"http://h/a.exe ", std::nullopt},
        {"http://h/a.exe%3A", "C:\\WB\\a.exe%3A.uTMP"},
        {"http://h/a.dat::$DATA", "C:\\WB\\$DATA.uTMP"},  // what follows the last ":" is the name
        {"http://h/a<b", std::nullopt},
        {"http://h/a|b", std::nullopt},
        {"http://h/a\tb", std::nullopt},
        {"http://h/nul-not.dat", "C:\\WB\\nul-not.dat.uTMP"},
        {"http://h/com10.txt", "C:\\WB\\com10.txt.uTMP"},
    };
    for (const TargetCase& c : cases) EXPECT_EQ(TargetPath("C:\\WB\\", c.url), c.target) << c.url;
}

TEST(TargetPath, NamesTooLongForWindowsAreRefused) {
    EXPECT_TRUE(TargetPath("C:\\WB\\", "http://h/" + std::string(kMaxDownloadNameLength, 'n')).has_value());
    EXPECT_FALSE(TargetPath("C:\\WB\\", "http://h/" + std::string(kMaxDownloadNameLength + 1, 'n')).has_value());
}

TEST(DownloadAddress, HttpAndHttpsOnly) {
    for (const char* good : {"http://h/a.exe", "HTTPS://h/a.exe", "h/a.exe"}) EXPECT_TRUE(IsDownloadAddress(good)) << good;
    for (const char* bad : {"file:///C:/Windows/win.ini", "FILE://server/share/a.exe", "ftp://h/a.exe", "res://x/a"})
        EXPECT_FALSE(IsDownloadAddress(bad)) << bad;
}

TEST(UpgradeFailure, HandedToTheRestartedProgram) {
    const std::string program = "C:\\Program Files\\WB\\WildmereBench.exe";
    const struct {
        TUpgradeFailure failure;
        const char* line;
    } cases[] = {
        {{TUpgradeFailure::Replace, "help.chm"}, "\"C:\\Program Files\\WB\\WildmereBench.exe\" /upgradefailed:replace \"help.chm\""},
        {{TUpgradeFailure::Verify, ""}, "\"C:\\Program Files\\WB\\WildmereBench.exe\" /upgradefailed:verify"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpgradeFailedCommandLine(program, c.failure), c.line);
        std::vector<std::string> args{std::string("/upgradefailed:") +
                                      (c.failure.Reason == TUpgradeFailure::Replace ? "replace" : "verify")};
        if (!c.failure.FileName.empty()) args.push_back(c.failure.FileName);
        EXPECT_EQ(ParseUpgradeFailure(args), c.failure);
    }
    // A name that is no plain file name is left out, not shown.
    EXPECT_EQ(UpgradeFailedCommandLine(program, {TUpgradeFailure::Replace, "a\"b"}),
              "\"C:\\Program Files\\WB\\WildmereBench.exe\" /upgradefailed:replace");
    EXPECT_EQ(ParseUpgradeFailure({"/upgradefailed:replace", "..\\x"}), (TUpgradeFailure{TUpgradeFailure::Replace, ""}));
    for (const std::vector<std::string>& other :
         {std::vector<std::string>{}, {"/afterupgrade0"}, {"/upgradefailed:"}, {"/upgradefailed:other", "a"}})
        EXPECT_EQ(ParseUpgradeFailure(other), std::nullopt);
}

TEST(UpgraderCommandLine, QuotedPathsThenPlusAndTheMethodDigit) {
    const std::string line = UpgraderCommandLine("C:\\Documents and Settings\\u\\Temp\\Upgrader.exe",
                                                 "C:\\Program Files\\WB\\WildmereBench.exe",
                                                 RestartParam(kDefaultRestartParams, umSelfUpgrade));
    EXPECT_EQ(line, "\"C:\\Documents and Settings\\u\\Temp\\Upgrader.exe\" "
                    "\"C:\\Program Files\\WB\\WildmereBench.exe\" +/afterupgrade0");
    const auto args = ParseUpgraderCommandLine(line);
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(args->ProgramPath, "C:\\Program Files\\WB\\WildmereBench.exe");
    EXPECT_EQ(args->RestartParam, "/afterupgrade0");
    EXPECT_EQ(args->Method, umSelfUpgrade);
    EXPECT_EQ(RestartCommandLine(args->ProgramPath, args->RestartParam),
              "\"C:\\Program Files\\WB\\WildmereBench.exe\" /afterupgrade0");
    EXPECT_EQ(RestartParam("", umUseExternalSetup), " 1");
}

TEST(UpgraderCommandLine, ReadsTheUnquotedFormAndRefusesBrokenOnes) {
    const auto args = ParseUpgraderCommandLine("C:\\T\\Upgrader.exe C:\\WB\\WB.exe +/afterupgrade1");
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(args->ProgramPath, "C:\\WB\\WB.exe");
    EXPECT_EQ(args->Method, umUseExternalSetup);
    for (const char* bad : {"Upgrader.exe", "Upgrader.exe \"C:\\WB\\WB.exe\"", "Upgrader.exe \"C:\\WB.exe\" +",
                            "Upgrader.exe \"C:\\WB.exe\" +/afterupgrade2", "Upgrader.exe \"C:\\WB.exe +/a0",
                            "Upgrader.exe \"\" +/afterupgrade0"})
        EXPECT_EQ(ParseUpgraderCommandLine(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace wmb
