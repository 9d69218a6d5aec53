#include "game_config.h"

namespace wmb::game {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool IsOn(std::string_view value) {
    const std::string v = ToLower(Trim(value));
    return v == "1" || v == "yes" || v == "true" || v == "on";
}

}  // namespace

void ReadConfigText(std::string_view text, ConsoleVars& vars) {
    for (std::string_view line : SplitLines(text)) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.rfind("--", 0) == 0) continue;
        const size_t eq = trimmed.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = ToLower(Trim(trimmed.substr(0, eq)));
        std::string value = Trim(trimmed.substr(eq + 1));
        if (name.empty() || name.find_first_of(" \t\"") != std::string::npos) continue;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        vars[name] = value;
    }
}

std::optional<int> ReadDemoFrameCount(std::string_view demoText) {
    for (std::string_view line : SplitLines(demoText)) {
        const std::string trimmed = Trim(line);
        if (ToLower(trimmed).rfind("frames=", 0) != 0) continue;
        const auto frames = ParseWhole(trimmed.substr(7));
        if (frames && *frames > 0 && *frames <= 1000000) return static_cast<int>(*frames);
        return std::nullopt;
    }
    return std::nullopt;
}

TestControl ReadTestControl(std::string_view text, int launch) {
    TestControl control;
    // Two passes: the general lines first, then the section of this start, so that its keys win.
    for (const bool sectionPass : {false, true}) {
        bool inSection = false;
        bool inThisLaunch = false;
        for (std::string_view line : SplitLines(text)) {
            const std::string trimmed = Trim(line);
            if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
            if (trimmed.front() == '[' && trimmed.back() == ']') {
                inSection = true;
                const std::string name = ToLower(Trim(trimmed.substr(1, trimmed.size() - 2)));
                const auto number = name.rfind("launch ", 0) == 0 ? ParseWhole(Trim(name.substr(7))) : std::nullopt;
                inThisLaunch = number && *number == launch;
                continue;
            }
            if (sectionPass ? !inThisLaunch : inSection) continue;
            const size_t eq = trimmed.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = ToLower(Trim(trimmed.substr(0, eq)));
            const std::string value = Trim(trimmed.substr(eq + 1));
            if (key == "quit_early") control.quitEarly = IsOn(value);
            else if (key == "no_log") control.noLog = IsOn(value);
            else if (key == "comma") control.comma = IsOn(value);
            else if (key == "bad_score") control.badScore = IsOn(value);
            else if (key == "short_log") control.shortLog = IsOn(value);
            else if (key == "no_picture") control.noPicture = IsOn(value);
            else if (key == "keep_logs") control.keepLogs = IsOn(value);
            else if (key == "spread") {
                const auto percent = ParseDecimal(value);
                if (percent && *percent >= 0 && *percent < 100) control.spreadPercent = *percent;
            } else if (key == "spread_width") {
                control.spreadWidth = ParseWhole(value).value_or(0);
            } else if (key == "run_seconds") {
                const auto seconds = ParseDecimal(value);
                if (seconds && *seconds >= 0 && *seconds <= 3600) control.runSeconds = *seconds;
            }
        }
    }
    return control;
}

}  // namespace wmb::game
