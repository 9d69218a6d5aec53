#include "demos/demo_table.h"

#include <charconv>
#include <cstddef>

namespace wmb {

namespace {

// Whole-number value of the frame box; a text that is not a whole number of at least 1 counts as
// the box's minimum, 1.
long long FrameValue(const std::string& text) {
    long long value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value);
    return ec == std::errc() && ptr == last && value >= 1 ? value : 1;
}

void CopyIfMissing(FileSystem& fs, const std::string& source, const std::string& target) {
    if (!fs.FileExists(target)) fs.ShellCopy(source, target);
}

std::string DemoArguments(const std::string& mapArgument, const std::string& demoName) {
    return " \"map " + mapArgument + "\" \"demo " + demoName + "\"";
}

}  // namespace

std::string FrameRangeText(int frames) { return "(1 - " + std::to_string(frames) + " frames)"; }

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
        // Without a map or a file name the source would be a whole folder; nothing is copied then.
        if (!map.empty() && !file.empty()) {
            CopyIfMissing(fs, folders.Program + map + "\\" + file, levels + map + "\\" + file);
        }
        location.MapFolder = map + "\\";
        location.DemoName = file.size() >= 4 ? file.substr(0, file.size() - 4) : file;
        commandLine += DemoArguments(map, location.DemoName) + " ";
    }
    if (settings.ScreenshotMode) {
        // Counted without sign, so the largest number the box can hold still has a next frame.
        const auto nextFrame = static_cast<unsigned long long>(FrameValue(settings.ScreenshotFrame)) + 1;
        commandLine += " \"#demo_screenshot_frame=" + std::to_string(nextFrame) + "\" ";
    }
}

}  // namespace wmb
