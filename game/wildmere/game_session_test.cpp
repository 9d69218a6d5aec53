#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "command_line.h"

namespace wmb::game {
namespace {

// Files in memory; paths compare without regard to letter case, as on Windows.
class FakeHost : public GameHost {
public:
    void Put(const std::string& path, const std::string& bytes) { files_[ToLower(path)] = {path, bytes}; }
    bool Has(const std::string& path) const { return files_.count(ToLower(path)) != 0; }
    std::string Get(const std::string& path) const {
        const auto it = files_.find(ToLower(path));
        return it == files_.end() ? "" : it->second.second;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        accesses.push_back("read " + path);
        if (!Has(path)) return std::nullopt;
        return Get(path);
    }
    bool WriteFile(const std::string& path, const std::string& bytes) override {
        const auto it = files_.find(ToLower(path));
        files_[ToLower(path)] = {it == files_.end() ? path : it->second.first, bytes};
        return true;
    }
    bool AppendFile(const std::string& path, const std::string& bytes) override {
        accesses.push_back("append " + path);
        return WriteFile(path, Get(path) + bytes);
    }
    std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) override {
        const std::string wanted = ToLower(folder + name);
        for (const auto& [key, file] : files_) {
            if (key == wanted || key.rfind(wanted + "\\", 0) == 0) return file.first.substr(folder.size(), name.size());
        }
        return std::nullopt;
    }
    void Wait(int milliseconds) override { waits.push_back(milliseconds); }

    std::vector<int> waits;
    std::vector<std::string> accesses;

private:
    std::map<std::string, std::pair<std::string, std::string>> files_;
};

const std::string kGame = "D:\\Games\\Wildmere\\";
const std::string kExe = kGame + "Bin32\\Wildmere.exe";
const std::string kLine = kExe +
                          " -DEVMODE  \"#demo_num_runs=2\" \"#demo_quit=1\" \"#r_Width=1024\" \"#r_Height=768\" "
                          "\"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" \"#r_HDRRendering=0\" "
                          "\"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\"";
const std::string kLog = kGame + "Levels\\Pier\\1.log";

class GameSessionTest : public ::testing::Test {
protected:
    void SetUp() override { host.Put(kGame + "Levels\\Pier\\1.tmd", "WILDMERE TIMEDEMO 1\r\nframes=3721\r\n"); }
    GameOutcome Run(const std::string& line) { return RunGame({kExe, line, kGame + "Bin32"}, host); }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        const std::string text = host.Get(kLog);
        for (size_t start = 0, pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
            lines.push_back(text.substr(start, pos - start));
        }
        return lines;
    }
    FakeHost host;
};

TEST(GameFolderOf, ParentOfTheExecutablesFolder) {
    EXPECT_EQ(GameFolderOf("D:\\Games\\Wildmere\\Bin32\\Wildmere.exe"), "D:\\Games\\Wildmere\\");
    EXPECT_EQ(GameFolderOf("Z:\\Bin32\\Wildmere.exe"), "Z:\\");
    EXPECT_EQ(GameFolderOf("Wildmere.exe"), "");
}

TEST_F(GameSessionTest, PlaysAllRunsAndWritesTheLogInTheRealMapFolder) {
    const GameOutcome outcome = Run(kLine);
    EXPECT_TRUE(outcome.demoPlayed);
    EXPECT_TRUE(outcome.logWritten);
    EXPECT_FALSE(outcome.pictureSaved);
    EXPECT_EQ(outcome.runs, 3);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_NE(lines[3].find("Average FPS: "), std::string::npos);
    EXPECT_NE(lines[13].find("TimeDemo Run 2 Finished."), std::string::npos);
    EXPECT_EQ(lines.back(), "!TimeDemo Run 2 Finished.");
    EXPECT_EQ(host.waits, (std::vector<int>{100, 100, 100}));
}

TEST_F(GameSessionTest, RecordsEveryStartWithWorkingFolderAndCommandLine) {
    Run(kLine);
    Run(kLine + " ");
    EXPECT_EQ(host.Get(kGame + "wildmere-launches.txt"),
              kGame + "Bin32|" + kLine + "\r\n" + kGame + "Bin32|" + kLine + " \r\n");
}

TEST_F(GameSessionTest, SameInputsSameLogAndResolutionLowersTheScore) {
    Run(kLine);
    const std::string first = host.Get(kLog);
    Run(kLine);
    EXPECT_EQ(host.Get(kLog), first);
    std::string big = kLine;
    big.replace(big.find("1024"), 4, "2048").replace(big.find("768"), 3, "1536");
    Run(big);
    EXPECT_NE(host.Get(kLog), first);
    const auto score = [](const std::string& log) { return std::stod(log.substr(log.find("FPS: ") + 5)); };
    EXPECT_LT(score(host.Get(kLog)), score(first));
}

TEST_F(GameSessionTest, ConfigurationChangesTheScore) {
    Run(kLine);
    const std::string plain = host.Get(kLog);
    host.Put(kGame + "system.cfg", "r_FSAA = \"1\"\r\nr_FSAA_samples = \"8\"\r\n");
    Run(kLine);
    EXPECT_NE(host.Get(kLog), plain);
}

TEST_F(GameSessionTest, MissingDemoOrLevelWritesNoLog) {
    EXPECT_FALSE(Run(kExe + " \"map pier\" \"demo 2\"").logWritten);
    EXPECT_FALSE(Run(kExe + " \"map Nowhere\" \"demo 1\"").logWritten);
    EXPECT_FALSE(Run(kExe + " \"map ..\\Pier\" \"demo 1\"").logWritten);
    EXPECT_FALSE(Run(kExe + " \"#demo_num_runs=2\"").logWritten);
    EXPECT_FALSE(host.Has(kLog));
    EXPECT_FALSE(host.Get(kGame + "wildmere-launches.txt").empty());
}

TEST_F(GameSessionTest, EmptyRunCountPlaysOnceAndCannotMatchTheAskedFinishLine) {
    std::string line = kLine;
    line.replace(line.find("runs=2"), 6, "runs=");
    EXPECT_EQ(Run(line).runs, 1);
    EXPECT_EQ(LogLines().back(), "!TimeDemo Run 0 Finished.");
}

TEST_F(GameSessionTest, ScreenshotFrameSavesAJpegInTheGameFolder) {
    const GameOutcome outcome = Run(kLine + " \"#demo_screenshot_frame=1201\" ");
    EXPECT_TRUE(outcome.pictureSaved);
    const std::string jpeg = host.Get(kGame + "Wildmere0000.jpg");
    ASSERT_GT(jpeg.size(), 1000u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    EXPECT_TRUE(outcome.logWritten);
}

TEST_F(GameSessionTest, FrameBeyondTheDemoIsNeverReached) {
    EXPECT_TRUE(Run(kLine + " \"#demo_screenshot_frame=3722\"").pictureSaved);
    host.Put(kGame + "Wildmere0000.jpg", "");
    EXPECT_FALSE(Run(kLine + " \"#demo_screenshot_frame=3723\"").pictureSaved);
    EXPECT_FALSE(Run(kLine + " \"#demo_screenshot_frame=0\"").pictureSaved);
}

TEST_F(GameSessionTest, ControlFileMisbehaviours) {
    host.Put(kGame + "wildmere-test.ini", "no_log=1\r\n");
    EXPECT_FALSE(Run(kLine).demoPlayed);
    EXPECT_FALSE(host.Has(kLog));

    host.Put(kGame + "wildmere-test.ini", "quit_early=1\r\n");
    Run(kLine);
    EXPECT_EQ(host.Get(kLog).find("!TimeDemo Run 2 Finished."), std::string::npos);

    host.Put(kGame + "wildmere-test.ini", "comma=1\r\nshort_log=0\r\n");
    Run(kLine);
    EXPECT_NE(LogLines()[3].find("Average FPS: "), std::string::npos);
    EXPECT_EQ(LogLines()[3].find('.', LogLines()[3].find("FPS:")), std::string::npos);

    host.Put(kGame + "wildmere-test.ini", "short_log=1\r\n");
    Run(kLine);
    EXPECT_EQ(LogLines().size(), 2u);

    host.Put(kGame + "wildmere-test.ini", "no_picture=1\r\n");
    EXPECT_FALSE(Run(kLine + " \"#demo_screenshot_frame=5\"").pictureSaved);
}

TEST_F(GameSessionTest, ControlFileIsReadBeforeTheStartIsRecordedAndSectionsCountStarts) {
    host.Put(kGame + "wildmere-test.ini", "[launch 2]\r\nno_log=1\r\n");
    EXPECT_TRUE(Run(kLine).logWritten);
    const auto& a = host.accesses;
    const auto read = std::find(a.begin(), a.end(), "read " + kGame + "wildmere-test.ini");
    const auto recorded = std::find(a.begin(), a.end(), "append " + kGame + "wildmere-launches.txt");
    ASSERT_NE(recorded, a.end());
    EXPECT_LT(read, recorded);

    EXPECT_FALSE(Run(kLine).demoPlayed) << "the second start";
    EXPECT_TRUE(Run(kLine).logWritten) << "the third start";
}

TEST_F(GameSessionTest, KeptLogsAreNamedAfterTheirStart) {
    host.Put(kGame + "wildmere-test.ini", "keep_logs=1\r\n");
    Run(kLine);
    Run(kLine + " \"#r_Width=640\"");
    EXPECT_EQ(host.Get(kGame + "wildmere-log-2.txt"), host.Get(kLog));
    EXPECT_FALSE(host.Get(kGame + "wildmere-log-1.txt").empty());
    EXPECT_NE(host.Get(kGame + "wildmere-log-1.txt"), host.Get(kLog));
}

TEST_F(GameSessionTest, RunSecondsAreSpreadOverTheRunsAndDefaultsStayShort) {
    host.Put(kGame + "wildmere-test.ini", "run_seconds=3\r\n");
    Run(kLine);
    EXPECT_EQ(host.waits, (std::vector<int>{1000, 1000, 1000}));
    host.waits.clear();
    host.Put(kGame + "wildmere-test.ini", "");
    std::string many = kLine;
    many.replace(many.find("runs=2"), 6, "runs=99");
    Run(many);
    ASSERT_EQ(host.waits.size(), 100u);
    EXPECT_EQ(host.waits[0], 20);
}

TEST_F(GameSessionTest, SpreadMovesTheRunsApartOnlyAtItsWidth) {
    Run(kLine);
    const std::string plain = host.Get(kLog);
    host.Put(kGame + "wildmere-test.ini", "spread=25\r\nspread_width=640\r\n");
    Run(kLine);
    EXPECT_EQ(host.Get(kLog), plain) << "1024 wide: as without the key";
    host.Put(kGame + "wildmere-test.ini", "spread=25\r\n");
    Run(kLine);
    EXPECT_NE(host.Get(kLog), plain) << "every width";
}

TEST_F(GameSessionTest, DemoWithoutFrameCountStillPlays) {
    host.Put(kGame + "Levels\\Pier\\1.tmd", std::string("\x00\x01recorded", 10));
    EXPECT_TRUE(Run(kLine).logWritten);
    EXPECT_NE(host.Get(kLog).find("Frames: 3000"), std::string::npos);
}

}  // namespace
}  // namespace wmb::game
