#include "run/unattended.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

using Args = std::vector<std::string>;

TEST(UnattendedArgs, AStartWithoutRunIsTheWindowsOwnWhateverElseItCarries) {
    const Args cases[] = {
        {},
        {"/upgradefailed:replace", "WildmereBench.exe"},
        {"/upgradefailed:verify"},
        {"/afterupgrade0"},
        {" "},
        {"low.ini"},
        {"/running"},
        {"/quiet", "/results"},
    };
    for (const Args& args : cases) {
        const auto parsed = ParseUnattendedArgs(args);
        ASSERT_TRUE(std::holds_alternative<UnattendedArgs>(parsed)) << testing::PrintToString(args);
        const UnattendedArgs& a = std::get<UnattendedArgs>(parsed);
        EXPECT_FALSE(a.Run);
        EXPECT_TRUE(a.Profiles.empty());
        EXPECT_FALSE(a.SweepFile || a.ResultsFolder || a.Note || a.Quiet);
    }
}

TEST(UnattendedArgs, AnUnattendedStartTakesItsProfilesAndSwitches) {
    const struct {
        Args args;
        Args profiles;
        std::optional<std::string> sweep;
        std::optional<std::string> results;
        std::optional<std::string> note;
        bool quiet;
    } cases[] = {
        {{"/run"}, {}, {}, {}, {}, false},
        {{"/RUN", "low.ini", "C:\\Profiles\\high.ini"}, {"low.ini", "C:\\Profiles\\high.ini"}, {}, {}, {}, false},
        {{"-run", "-Quiet", "low.ini"}, {"low.ini"}, {}, {}, {}, true},
        {{"/run", "night.SWEEP"}, {}, "night.SWEEP", {}, {}, false},
        {{"/quiet", "/results", "D:\\Bench", "/run", "a.ini", "/note", "Driver 8.2", "b.ini"},
         {"a.ini", "b.ini"},
         {},
         "D:\\Bench\\",
         "Driver 8.2",
         true},
        {{"/run", "/results", "\\\\lab\\results\\"}, {}, {}, "\\\\lab\\results\\", {}, false},
        {{"/run", "/note", ""}, {}, {}, {}, "", false},
        {{"/run", "/note", "-x"}, {}, {}, {}, "-x", false},
        {{"/run", "..\\low.ini"}, {"..\\low.ini"}, {}, {}, {}, false},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseUnattendedArgs(c.args);
        ASSERT_TRUE(std::holds_alternative<UnattendedArgs>(parsed))
            << testing::PrintToString(c.args) << ": " << std::get<CommandLineRefusal>(parsed).Message;
        const UnattendedArgs& a = std::get<UnattendedArgs>(parsed);
        EXPECT_TRUE(a.Run);
        EXPECT_EQ(a.Profiles, c.profiles) << testing::PrintToString(c.args);
        EXPECT_EQ(a.SweepFile, c.sweep) << testing::PrintToString(c.args);
        EXPECT_EQ(a.ResultsFolder, c.results) << testing::PrintToString(c.args);
        EXPECT_EQ(a.Note, c.note) << testing::PrintToString(c.args);
        EXPECT_EQ(a.Quiet, c.quiet) << testing::PrintToString(c.args);
    }
}

TEST(UnattendedArgs, AFaultyUnattendedStartIsRefusedWithItsReason) {
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"low.ini", "/run"}, "\"low.ini\" comes before /run; the profiles follow /run."},
        {{"/run", "/fast"}, "Unknown switch \"/fast\"; the switches are /run, /results, /note and /quiet."},
        {{"/upgradefailed:verify", "/run"},
         "Unknown switch \"/upgradefailed:verify\"; the switches are /run, /results, /note and /quiet."},
        {{"/run", "/results"}, "/results must be followed by a folder."},
        {{"/run", "/results", "/quiet"}, "/results must be followed by a folder."},
        {{"/run", "/results", "Results"},
         "The folder after /results is not a full path such as C:\\Folder or \\\\server\\share\\Folder: \"Results\"."},
        {{"/run", "/results", "C:\\a\\..\\b"}, "The folder after /results holds a \"..\" part: \"C:\\a\\..\\b\"."},
        {{"/run", "/note"}, "/note must be followed by its text."},
        {{"/note", "/run"}, "/note must be followed by its text."},
        {{"/run", "/note", "a\tb"}, "The text after /note holds a control character."},
        {{"/run", "/run"}, "/run is given twice."},
        {{"/run", "/quiet", "-QUIET"}, "-QUIET is given twice."},
        {{"/run", "/note", "a", "/note", "b"}, "/note is given twice."},
        {{"/run", "a.ini", "night.sweep"}, "A sweep file must be the only file after /run."},
        {{"/run", "one.sweep", "two.sweep"}, "A sweep file must be the only file after /run."},
        {{"/run", "a?.ini"}, "The profile \"a?.ini\" holds \"?\", which Windows does not allow in a name."},
        {{"/run", ""}, "The profile \"\" is empty."},
        {{"/run", "profiles\\"}, "The profile \"profiles\\\" names a folder, not a file."},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseUnattendedArgs(c.args);
        ASSERT_TRUE(std::holds_alternative<CommandLineRefusal>(parsed)) << testing::PrintToString(c.args);
        EXPECT_EQ(std::get<CommandLineRefusal>(parsed).Message, c.message) << testing::PrintToString(c.args);
    }
}

TEST(Sweep, ASweepListsItsProfilesTakingRelativePathsFromItsFolder) {
    const struct {
        const char* text;
        Args profiles;
    } cases[] = {
        {"[WildmereBench sweep]\r\nProfile=low.ini\r\nProfile=C:\\Shared\\high.ini\r\n",
         {"C:\\Sweeps\\low.ini", "C:\\Shared\\high.ini"}},
        {"; night run\n[wildmerebench SWEEP]\n# the small ones first\n\n  profile = small\\a.ini  \nPROFILE=..\\b.ini",
         {"C:\\Sweeps\\small\\a.ini", "C:\\Sweeps\\..\\b.ini"}},
        {"[WildmereBench sweep]\rProfile=\\\\lab\\p\\x.ini\rProfile=low.ini",
         {"\\\\lab\\p\\x.ini", "C:\\Sweeps\\low.ini"}},
        {"[WildmereBench sweep]\nProfile=low.ini\nProfile=low.ini\n", {"C:\\Sweeps\\low.ini", "C:\\Sweeps\\low.ini"}},
    };
    for (const auto& c : cases) {
        const auto read = ReadSweep(c.text, "C:\\Sweeps\\");
        ASSERT_TRUE(std::holds_alternative<Args>(read)) << c.text << ": " << std::get<ProfileError>(read).Message;
        EXPECT_EQ(std::get<Args>(read), c.profiles) << c.text;
    }
}

TEST(Sweep, AFaultySweepIsRefusedWithItsLine) {
    const std::string deep = "C:\\" + std::string(240, 'd') + "\\";
    const struct {
        std::string text;
        int line;
        std::string message;
        std::string folder = "C:\\Sweeps\\";
    } cases[] = {
        {"", 1, "line 1: the file must begin with the line [WildmereBench sweep]."},
        {"[WildmereBench sweep]\n; none\n", 1, "line 1: the sweep lists no profile."},
        {"Profile=a.ini\n", 1, "line 1: the file must begin with the line [WildmereBench sweep]."},
        {"[WildmereBench profile]\n", 1,
         "line 1: \"[WildmereBench profile]\" is not the section [WildmereBench sweep]."},
        {"[WildmereBench sweep]\nProfile=a.ini\nProfiles=b.ini\n", 3,
         "line 3: \"Profiles\" is not a sweep key; each line is Profile=PATH."},
        {"[WildmereBench sweep]\nProfile=a.ini\nb.ini\n", 3,
         "line 3: \"b.ini\" is neither a comment nor a key=value line."},
        {"[WildmereBench sweep]\nProfile=\n", 2, "line 2: Profile must name a file."},
        {"[WildmereBench sweep]\n\nProfile=a|b.ini\n", 3,
         "line 3: Profile holds \"|\", which Windows does not allow in a name: \"a|b.ini\"."},
        {"[WildmereBench sweep]\nProfile=\\a.ini\n", 2,
         "line 2: Profile starts with a backslash but is not a full path: \"\\a.ini\"."},
        {"[WildmereBench sweep]\nProfile=D:a.ini\n", 2,
         "line 2: Profile names a drive without a backslash after it: \"D:a.ini\"."},
        {"[WildmereBench sweep]\nProfile=more.sweep\n", 2,
         "line 2: Profile names a sweep file; a sweep lists profiles only."},
        {"\xFF\xFE[", 1, "line 1: the file is saved as Unicode; save it as ANSI text."},
        {"[WildmereBench sweep]\nProfile=" + std::string(30, 'p') + ".ini\n", 2,
         "line 2: Profile is longer than 259 characters with the sweep's folder: \"" + deep + std::string(30, 'p') +
             ".ini\".",
         deep},
    };
    for (const auto& c : cases) {
        const auto read = ReadSweep(c.text, c.folder);
        ASSERT_TRUE(std::holds_alternative<ProfileError>(read)) << c.text;
        EXPECT_EQ(std::get<ProfileError>(read).Line, c.line) << c.text;
        EXPECT_EQ(std::get<ProfileError>(read).Message, c.message) << c.text;
    }
}

TEST(UnattendedExitCode, FilesNotBackWinsThenAllRefusedThenAnyFailure) {
    using enum SequenceOutcome;
    const struct {
        std::vector<SequenceOutcome> outcomes;
        UnattendedExit exit;
    } cases[] = {
        {{Succeeded}, UnattendedExit::Succeeded},
        {{Succeeded, Succeeded, Succeeded}, UnattendedExit::Succeeded},
        {{Failed}, UnattendedExit::Failed},
        {{Succeeded, Failed}, UnattendedExit::Failed},
        {{Refused}, UnattendedExit::Refused},
        {{Refused, Refused}, UnattendedExit::Refused},
        {{}, UnattendedExit::Refused},
        {{Refused, Succeeded}, UnattendedExit::Failed},
        {{Succeeded, Refused, Failed}, UnattendedExit::Failed},
        {{FilesNotBack}, UnattendedExit::FilesNotBack},
        {{Failed, FilesNotBack, Succeeded}, UnattendedExit::FilesNotBack},
        {{Refused, FilesNotBack}, UnattendedExit::FilesNotBack},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExitCodeFor(c.outcomes), c.exit) << testing::PrintToString(c.outcomes.size());
    }
    EXPECT_EQ(static_cast<int>(UnattendedExit::Succeeded), 0);
    EXPECT_EQ(static_cast<int>(UnattendedExit::Failed), 1);
    EXPECT_EQ(static_cast<int>(UnattendedExit::Refused), 2);
    EXPECT_EQ(static_cast<int>(UnattendedExit::FilesNotBack), 3);
    EXPECT_EQ(static_cast<int>(UnattendedExit::AlreadyRunning), 4);
}

TEST(UnattendedLog, EachLineCarriesTheTimeAndEndsInCrLf) {
    const LogTime time{2026, 3, 7, 9, 5, 1};
    const struct {
        const char* text;
        const char* log;
    } cases[] = {
        {"Benchmark aborted.", "2026-03-07 09:05:01  Benchmark aborted.\r\n"},
        {"", "2026-03-07 09:05:01  \r\n"},
        {"first\nsecond\r\n", "2026-03-07 09:05:01  first\r\n2026-03-07 09:05:01  second\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(LogLines(time, c.text), c.log) << c.text;
    EXPECT_EQ(LogLines({1999, 12, 31, 23, 59, 59}, "x"), "1999-12-31 23:59:59  x\r\n");
}

TEST(UnattendedLog, TheLogLiesInTheResultsFolderOfTheCommandLineElseTheProgramsElseTheProgramFolder) {
    UnattendedArgs given;
    given.Run = true;
    given.ResultsFolder = "E:\\Night\\";
    UnattendedArgs none;
    none.Run = true;
    const struct {
        const UnattendedArgs* args;
        const char* results;
        const char* path;
    } cases[] = {
        {&given, "D:\\Game\\Benchmark\\", "E:\\Night\\WildmereBench-unattended.log"},
        {&none, "D:\\Game\\Benchmark\\", "D:\\Game\\Benchmark\\WildmereBench-unattended.log"},
        {&none, "D:\\Game\\Benchmark", "D:\\Game\\Benchmark\\WildmereBench-unattended.log"},
        {&none, "", "C:\\Program Files\\WildmereBench\\WildmereBench-unattended.log"},
        {&none, "Benchmark\\", "C:\\Program Files\\WildmereBench\\WildmereBench-unattended.log"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnattendedLogPath(*c.args, c.results, "C:\\Program Files\\WildmereBench\\"), c.path) << c.results;
    }
}

}  // namespace
}  // namespace wmb
