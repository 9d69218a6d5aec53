#pragma once
// The files the game reads besides its command line: the configuration "system.cfg" (and the
// override file, same format), the timedemo files, and the control file that tests use to make the
// game misbehave on purpose.

#include <optional>
#include <string>
#include <string_view>

#include "command_line.h"

namespace wmb::game {

// Reads assignment lines `name = "value"` (quotes optional, "--" starts a comment line) into
// `vars`, replacing earlier values of the same names. Lines that are not assignments are skipped.
void ReadConfigText(std::string_view text, ConsoleVars& vars);

// Frame count of a timedemo file: the value of its "frames=" line. Files of other formats (a
// recorded demo of the user's own) have none; the caller then plays a default length.
std::optional<int> ReadDemoFrameCount(std::string_view demoText);

// Behaviours chosen through "wildmere-test.ini" (key=value lines; 1/yes/true/on switch a key on).
// Lines before any section apply to every start; lines under "[launch N]" apply only to the N-th
// start of the game (counted from 1) and win over the general ones.
struct TestControl {
    bool quitEarly = false;  // quit_early: end before the last finish line
    bool noLog = false;      // no_log: exit at once, write nothing
    bool comma = false;      // comma: decimal comma in every number of the log
    bool badScore = false;   // bad_score: "n/a" instead of the frame rate
    bool shortLog = false;   // short_log: only a title and the final finish line
    bool noPicture = false;  // no_picture: never save the screenshot
    bool keepLogs = false;   // keep_logs: also keep each start's log as wildmere-log-<start>.txt
    std::optional<double> runSeconds;  // run_seconds: wall-clock time of all runs together
    double spreadPercent = 0;  // spread: the runs lie this many percent above and below their level, in turn
    long spreadWidth = 0;      // spread_width: only starts at this width spread their runs (0: every start)
};

TestControl ReadTestControl(std::string_view text, int launch = 1);

}  // namespace wmb::game
