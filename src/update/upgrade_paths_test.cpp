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
    };
    for (const TargetCase& c : cases) EXPECT_EQ(TargetPath("C:\\WB\\", c.url), c.target) << c.url;
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
