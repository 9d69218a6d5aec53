#include "timedemo_log.h"

#include <cmath>
#include <cstdio>

namespace wmb::game {
namespace {

std::string FinishLine(size_t run) { return "!TimeDemo Run " + std::to_string(run) + " Finished."; }

}  // namespace

std::string FormatFps(double value, bool decimalComma) {
    if (!std::isfinite(value)) value = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (decimalComma) {
        for (char& c : text) {
            if (c == '.') c = ',';
        }
    }
    return text;
}

std::string BuildTimedemoLog(const RenderSetup& setup, const std::vector<RunResult>& runs, const LogStyle& style) {
    std::vector<std::string> lines;
    lines.push_back("Wildmere timedemo log");
    if (style.shortLog) {
        if (!runs.empty()) lines.push_back(FinishLine(runs.size() - 1));
    } else {
        const std::string resolution = std::to_string(setup.width) + " x " + std::to_string(setup.height);
        lines.push_back("Map: " + setup.map + ", Demo: " + setup.demo + ", Resolution: " + resolution +
                        ", Runs: " + std::to_string(runs.size()));
        lines.push_back("TimeDemo Run 0 Started.");
        const bool comma = style.decimalComma;
        for (size_t j = 0; j < runs.size(); ++j) {
            const RunResult& r = runs[j];
            const std::string score = style.badScore ? "n/a" : FormatFps(r.averageFps, comma);
            lines.push_back("TimeDemo Run " + std::to_string(j) + " Finished. Play Time: " +
                            FormatFps(r.playSeconds, comma) + "s, Average FPS: " + score);
            lines.push_back(" Min FPS: " + FormatFps(r.minFps, comma) + " at frame " + std::to_string(r.minFrame) +
                            ", Max FPS: " + FormatFps(r.maxFps, comma) + " at frame " + std::to_string(r.maxFrame));
            lines.push_back(" Frames: " + std::to_string(setup.frames) + ", Resolution: " + resolution);
            const bool last = j + 1 == runs.size();
            if (last && style.quitEarly) break;
            lines.push_back(FinishLine(j));
            if (!last) lines.push_back("TimeDemo Run " + std::to_string(j + 1) + " Started.");
        }
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace wmb::game
