#include "game_session.h"

#include <algorithm>
#include <cmath>

#include "command_line.h"
#include "fps_model.h"
#include "game_config.h"
#include "jpeg_encoder.h"
#include "screenshot.h"
#include "timedemo_log.h"

namespace wmb::game {
namespace {

// A level or demo name must stay inside its folder.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string::npos && name != "." && name != "..";
}

int PositiveOr(long value, int fallback, int maximum) {
    return value >= 1 && value <= maximum ? static_cast<int>(value) : fallback;
}

void PlayRuns(GameHost& host, int runs, const TestControl& control) {
    int perRun = kDefaultRunMilliseconds;
    if (control.runSeconds) {
        perRun = static_cast<int>(std::lround(*control.runSeconds * 1000.0 / runs));
    } else {
        perRun = std::min(perRun, kDefaultTotalMilliseconds / runs);
    }
    for (int run = 0; run < runs; ++run) host.Wait(perRun);
}

}  // namespace

std::string GameFolderOf(const std::string& exePath) {
    const size_t exeSlash = exePath.find_last_of('\\');
    if (exeSlash == std::string::npos || exeSlash == 0) return "";
    const size_t binSlash = exePath.find_last_of('\\', exeSlash - 1);
    if (binSlash == std::string::npos) return "";
    return exePath.substr(0, binSlash + 1);
}

GameOutcome RunGame(const GameStart& start, GameHost& host) {
    GameOutcome outcome;
    const std::string game = GameFolderOf(start.exePath);
    // The control file is read before the start is recorded: whoever sees the record may change the
    // file for the next start without racing this one.
    const std::string controlText = host.ReadFile(game + "wildmere-test.ini").value_or("");
    const std::string launches = host.ReadFile(game + "wildmere-launches.txt").value_or("");
    const int launch = static_cast<int>(std::count(launches.begin(), launches.end(), '\n')) + 1;
    const TestControl control = ReadTestControl(controlText, launch);
    host.AppendFile(game + "wildmere-launches.txt", start.workingFolder + "|" + start.commandLine + "\r\n");
    if (control.noLog) return outcome;

    const GameArgs args = ParseGameArgs(start.commandLine);
    if (!IsPlainName(args.map) || !IsPlainName(args.demo)) return outcome;
    const std::string levels = game + "Levels\\";
    const auto mapFolder = host.FindEntry(levels, args.map);
    if (!mapFolder) return outcome;
    const std::string folder = levels + *mapFolder + "\\";
    const auto demoFile = host.FindEntry(folder, args.demo + ".tmd");
    if (!demoFile) return outcome;
    const auto demoText = host.ReadFile(folder + *demoFile);
    if (!demoText) return outcome;

    RenderSetup setup;
    setup.map = args.map;
    setup.demo = args.demo;
    setup.frames = ReadDemoFrameCount(*demoText).value_or(kDefaultDemoFrames);
    ReadConfigText(host.ReadFile(game + "system.cfg").value_or(""), setup.vars);
    ReadConfigText(host.ReadFile(game + "Systemcfgoverride.cfg").value_or(""), setup.vars);
    for (const auto& [name, value] : args.vars) setup.vars[name] = value;
    setup.width = PositiveOr(VarWhole(setup.vars, "r_width", 1024), 1024, 16384);
    setup.height = PositiveOr(VarWhole(setup.vars, "r_height", 768), 768, 16384);
    // demo_num_runs counts the runs after the first one.
    const int runs = static_cast<int>(std::clamp(VarWhole(setup.vars, "demo_num_runs", 0), 0L, 999L)) + 1;

    std::vector<RunResult> results = SimulateRuns(setup, runs);
    if (control.spreadWidth == 0 || control.spreadWidth == setup.width) SpreadRuns(results, control.spreadPercent);
    PlayRuns(host, runs, control);
    outcome.demoPlayed = true;
    outcome.runs = runs;

    LogStyle style;
    style.decimalComma = control.comma;
    style.badScore = control.badScore;
    style.shortLog = control.shortLog;
    style.quitEarly = control.quitEarly;
    const std::string log = BuildTimedemoLog(setup, results, style);
    outcome.logWritten = host.WriteFile(folder + args.demo + ".log", log);
    if (control.keepLogs) host.WriteFile(game + "wildmere-log-" + std::to_string(launch) + ".txt", log);

    // Rendered frames count from 1, the start-up frame before the first recorded one, so a demo
    // of N recorded frames shows frames 1 to N + 1.
    const long frame = VarWhole(setup.vars, "demo_screenshot_frame", 0);
    if (frame >= 1 && frame <= setup.frames + 1 && !control.noPicture) {
        ScreenshotInfo info{static_cast<int>(frame), setup.width, setup.height, args.map, args.demo};
        const std::vector<std::uint8_t> jpeg = EncodeJpeg(RenderScreenshot(info), 90);
        outcome.pictureSaved = host.WriteFile(game + "Wildmere0000.jpg", std::string(jpeg.begin(), jpeg.end()));
    }
    return outcome;
}

}  // namespace wmb::game
