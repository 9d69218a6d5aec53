// The stored settings on their way into a game start: the settings key as "Name=Value" lines
// (the text up to a line's first "=" names the value), read through the controls' rules and loaded
// through the settings table; then the
// launch values, the command line of every chosen slot with its demo, the screenshot files and the
// report. "Frame" holds the text of the screenshot frame box, which is not stored. The monitor's
// modes and the regional separator come from the input's last bytes.

#include <string>
#include <vector>

#include "demos/demo_table.h"
#include "fuzz/fuzz_input.h"
#include "gameconfig/config_text.h"
#include "gameconfig/options.h"
#include "results/report.h"
#include "run/command_line.h"
#include "run/demo_install.h"
#include "run/screenshot.h"
#include "settings/game_location.h"
#include "settings/settings_table.h"
#include "settings/slots.h"
#include "support/memory_file_system.h"

using namespace wmb;
using namespace wmb::fuzz;

namespace {

test::MemorySettings StoredKey(const std::string& input) {
    test::MemorySettings key;
    for (const std::string& line : SplitConfigLines(input)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) key.Values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return key;
}

// The fixed slots' modes the monitor offers, and the stored custom size when bit 6 says so.
std::vector<std::string> MonitorModes(const std::string& input, const test::MemorySettings& key) {
    std::vector<std::string> modes;
    for (int k = 0; k < kFixedSlotCount; ++k) {
        const FixedSlot& slot = kFixedSlots[static_cast<std::size_t>(k)];
        if (TailBit(input, 0, static_cast<unsigned>(k))) modes.push_back(std::string(slot.Width) + " x " + slot.Height);
    }
    if (TailBit(input, 0, 6)) modes.push_back(key.Read("CusW") + " x " + key.Read("CusH"));
    return modes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    test::MemorySettings key = StoredKey(input);
    // The program reads its key through the controls' rules: whatever passes them must make a game start.
    CheckedSettingsStore checked(key);
    BenchSettings settings;
    LoadSettings(checked, checked, MonitorModes(input, key), settings);
    const Folders folders = DeriveFolders("C:\\Program Files\\WildmereBench\\", settings.GamePath);
    LoadGameSettings(checked, folders, TailBit(input, 0, 7) ? ',' : '.', settings);
    test::MemoryFileSystem fs;
    fs.Put(folders.Game + "Levels\\" + settings.UserMapFolder + "\\" + key.Read("Demoname"), "demo");
    RestoreUserDemoFile(checked, fs, folders, settings);
    settings.ScreenshotMode = key.Values.count("Frame") != 0;
    settings.ScreenshotFrame = key.Read("Frame");

    LaunchValues values;
    UpdateLaunchValues(values, settings);
    const std::string shader = ShaderPathArgument(settings);
    const std::string stamp = "2007_06_01_20_15_03";
    std::vector<std::string> report = ReportHeaderLines({"6/1/2007 20:15:03", SystemInfo{}, settings.Note});
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!SlotSelected(slot, settings)) continue;
        std::string commandLine =
            BuildCommandLine(folders.Bin32, shader, values, SlotWidth(slot, settings), SlotHeight(slot, settings));
        DemoLocation demo;
        InstallDemo(fs, folders, settings, demo, commandLine);
        if (settings.ScreenshotMode) {
            fs.Put(folders.Game + kGameScreenshotFile, "picture");
            const std::string resolution = "Resolution: " + SlotLabel(slot, settings);
            MoveScreenshot(fs, folders, stamp,
                           {slot, settings, resolution, ShaderLabel(settings.ShaderModel), "Direct3D",
                            "Custom quality option", demo.DemoName});
        }
        RunResults results;
        results.Scores = {settings.RunCount, settings.WaitSeconds};
        results.Average = settings.HdrLevel;
        for (const std::string& line :
             ReportSectionLines({slot, settings, "Custom quality option", "Direct3D", demo, results, std::nullopt})) {
            report.push_back(line);
        }
    }
    JoinReport(report);
    ReportFilePath(settings.ResultsFolder, folders.Program, stamp);
    SaveSettings(key, settings);
    return 0;
}
