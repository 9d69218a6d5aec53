#pragma once
// One start of the game, from its command line to its exit: records the start, reads the test
// control file, finds and "plays" the timedemo, writes the log and, when asked, the screenshot.
// File access goes through GameHost so that the whole flow can be tested without Windows.

#include <optional>
#include <string>

namespace wmb::game {

class GameHost {
public:
    virtual ~GameHost() = default;
    // Whole file, or nullopt when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Creates or replaces the file; false on failure.
    virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
    // Adds to the end of the file, creating it when missing; false on failure.
    virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
    // The real name of the entry of `folder` (ending in a backslash) that equals `name` without
    // regard to letter case, or nullopt when there is none.
    virtual std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) = 0;
    virtual void Wait(int milliseconds) = 0;
};

struct GameStart {
    std::string exePath;      // full path of the running executable
    std::string commandLine;  // exactly as the process received it
    std::string workingFolder;
};

struct GameOutcome {
    bool demoPlayed = false;
    bool logWritten = false;
    bool pictureSaved = false;
    int runs = 0;
};

// Game folder: the parent of the executable's folder, with a trailing backslash ("" if none).
std::string GameFolderOf(const std::string& exePath);

// Frames shown per run when the demo file does not tell its length.
constexpr int kDefaultDemoFrames = 3000;
// Wall-clock time of one run when the control file does not set one, and the cap of all runs.
constexpr int kDefaultRunMilliseconds = 100;
constexpr int kDefaultTotalMilliseconds = 2000;

GameOutcome RunGame(const GameStart& start, GameHost& host);

}  // namespace wmb::game
