#pragma once
// Text of the timedemo log that the game leaves next to the demo. Layout, lines counted from 0:
//   0  "Wildmere timedemo log"
//   1  what was played: map, demo, resolution, number of runs
//   2  "TimeDemo Run 0 Started."
// then five lines per run j, starting at line 3 + 5 * j:
//      "TimeDemo Run j Finished. Play Time: 47.82s, Average FPS: 77.81"
//      " Min FPS: 51.20 at frame 1834, Max FPS: 112.34 at frame 202"
//      " Frames: 3721, Resolution: 1024 x 768"
//      "!TimeDemo Run j Finished."
//      "TimeDemo Run j+1 Started."   (left out after the last run)
// Every line ends with CR LF.

#include <string>
#include <vector>

#include "fps_model.h"

namespace wmb::game {

struct LogStyle {
    bool decimalComma = false;  // "77,81" instead of "77.81"
    bool badScore = false;      // "n/a" instead of each average frame rate
    bool shortLog = false;      // only the title and the final finish line
    bool quitEarly = false;     // everything except the final finish line
};

// Number with two decimals and the given separator.
std::string FormatFps(double value, bool decimalComma);

std::string BuildTimedemoLog(const RenderSetup& setup, const std::vector<RunResult>& runs, const LogStyle& style);

}  // namespace wmb::game
