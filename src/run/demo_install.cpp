#include "run/demo_install.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>

#include "run/command_line.h"

namespace wmb {

namespace {

// The frame of the picture, from the frame box's text: a text that is not a whole number of at least 1
// counts as the box's minimum, 1; a number beyond `last` as `last`.
int FrameValue(const std::string& text, int last) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return 1;
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range || value > last) return last;
    return value < 1 ? 1 : static_cast<int>(value);
}

// The last frame the picture can be taken at: the built-in demo's last frame; without a known frame
// count, the last one whose successor the game still reads as a whole number.
int LastFrame(int demoIndex) {
    if (demoIndex < 0 || demoIndex >= kBuiltInDemoCount) return std::numeric_limits<int>::max() - 1;
    return kBuiltInDemos[static_cast<std::size_t>(demoIndex)].Frames;
}

void CopyIfMissing(FileSystem& fs, const std::string& source, const std::string& target) {
    if (!fs.FileExists(target)) fs.ShellCopy(source, target);
}

std::string DemoArguments(const std::string& mapArgument, const std::string& demoName) {
    return " " + QuotedArgument("map folder", "map " + mapArgument) + " " +
           QuotedArgument("demo file", "demo " + demoName);
}

}  // namespace

void InstallDemo(FileSystem& fs, const Folders& folders, const BenchSettings& settings, DemoLocation& location,
                 std::string& commandLine) {
    const std::string levels = folders.Game + "Levels\\";
    if (settings.DemoIndex >= 0 && settings.DemoIndex < kBuiltInDemoCount) {
        const DemoEntry& demo = kBuiltInDemos[static_cast<std::size_t>(settings.DemoIndex)];
        const std::string map = demo.Map;
        CopyIfMissing(fs, folders.Program + demo.Source, levels + map + "\\" + demo.DemoFile);
        commandLine += DemoArguments(demo.MapArgument, demo.DemoName);
        location.MapFolder = map + "\\";
        location.DemoName = demo.DemoName;
    } else if (settings.DemoIndex == kUserDemoIndex) {
        const std::string& map = settings.UserMapFolder;
        const std::string& file = settings.UserDemoFile;
        const std::string demoName = file.size() >= 4 ? file.substr(0, file.size() - 4) : file;
        // Names the command line cannot carry are refused before anything is copied.
        const std::string arguments = DemoArguments(map, demoName) + " ";
        // Without a map or a file name the source would be a whole folder; nothing is copied then.
        if (!map.empty() && !file.empty()) {
            CopyIfMissing(fs, folders.Program + map + "\\" + file, levels + map + "\\" + file);
        }
        location.MapFolder = map + "\\";
        location.DemoName = demoName;
        commandLine += arguments;
    }
    if (settings.ScreenshotMode) {
        const int frame = FrameValue(settings.ScreenshotFrame, LastFrame(settings.DemoIndex));
        commandLine += " \"#demo_screenshot_frame=" + std::to_string(frame + 1) + "\" ";
    }
}

}  // namespace wmb
