#include "run/command_line.h"

#include <array>
#include <utility>

namespace wmb {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

void UpdateLaunchValues(LaunchValues& values, const BenchSettings& settings) {
    static constexpr std::array<std::pair<const char*, const char*>, 9> kRunsByCount = {{
        {"1", "0"}, {"2", "1"}, {"3", "2"}, {"4", "3"}, {"5", "4"},
        {"15", "14"}, {"25", "24"}, {"50", "49"}, {"100", "99"},
    }};
    for (const auto& [count, runs] : kRunsByCount) {
        if (settings.RunCount == count) values.RunsArgument = runs;
    }
    values.HdrArgument = Quoted("#r_HDRRendering=" + (settings.HdrEnabled ? settings.HdrLevel : std::string("0")));
    values.NormalMapArgument =
        Quoted(std::string("#r_TexNormalMapCompressed=") + (settings.NormalMapCompression ? "1" : "0"));
}

std::string BuildCommandLine(const std::string& bin32Folder, const std::string& shaderArgument,
                             const LaunchValues& values, const std::string& width, const std::string& height) {
    std::string line = bin32Folder + "Wildmere.exe -DEVMODE " + shaderArgument;
    for (const std::string& setting : {"#demo_num_runs=" + values.RunsArgument, std::string("#demo_quit=1"),
                                       "#r_Width=" + width, "#r_Height=" + height, std::string("#r_Fullscreen=1"),
                                       std::string("#s_SoundEnable=0"), std::string("#s_MusicEnable=0")}) {
        line += " " + Quoted(setting);
    }
    line += " " + values.HdrArgument;
    line += " " + values.NormalMapArgument;
    return line;
}

}  // namespace wmb
