#include "run/command_line.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "base/text.h"

namespace wmb {

namespace {


[[noreturn]] void Refuse(const std::string& setting) {
    throw std::runtime_error("The " + setting +
                             " holds a double quote or a control character, which cannot go on the game's command "
                             "line. The game was not started.");
}

// An argument that comes with its double quotes: nothing, or one quoted text.
const std::string& CheckedArgument(const std::string& setting, const std::string& argument) {
    if (argument.empty()) return argument;
    if (argument.size() < 2 || argument.front() != '"' || argument.back() != '"' ||
        !Quotable(argument.substr(1, argument.size() - 2))) {
        Refuse(setting);
    }
    return argument;
}

}  // namespace

std::string QuotedArgument(const std::string& setting, const std::string& text) {
    if (!Quotable(text)) Refuse(setting);
    return Quoted(text);
}

void UpdateLaunchValues(LaunchValues& values, const BenchSettings& settings) {
    static constexpr std::array<std::pair<const char*, const char*>, 9> kRunsByCount = {{
        {"1", "0"}, {"2", "1"}, {"3", "2"}, {"4", "3"}, {"5", "4"},
        {"15", "14"}, {"25", "24"}, {"50", "49"}, {"100", "99"},
    }};
    for (const auto& [count, runs] : kRunsByCount) {
        if (settings.RunCount == count) values.RunsArgument = runs;
    }
    values.HdrArgument =
        Quoted("#r_HDRRendering=" + (settings.HdrEnabled ? HdrLevelOrDefault(settings.HdrLevel) : std::string("0")));
    values.NormalMapArgument =
        Quoted(std::string("#r_TexNormalMapCompressed=") + (settings.NormalMapCompression ? "1" : "0"));
}

std::string BuildCommandLine(const std::string& bin32Folder, const std::string& shaderArgument,
                             const LaunchValues& values, const std::string& width, const std::string& height) {
    std::string line = bin32Folder + "Wildmere.exe -DEVMODE " + CheckedArgument("shader model", shaderArgument);
    line += " " + QuotedArgument("run count", "#demo_num_runs=" + values.RunsArgument);
    line += " \"#demo_quit=1\"";
    line += " " + QuotedArgument("resolution width", "#r_Width=" + width);
    line += " " + QuotedArgument("resolution height", "#r_Height=" + height);
    line += " \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\"";
    line += " " + CheckedArgument("HDR level", values.HdrArgument);
    line += " " + CheckedArgument("normal-map compression", values.NormalMapArgument);
    return line;
}

}  // namespace wmb
