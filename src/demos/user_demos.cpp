#include "demos/user_demos.h"

#include <algorithm>

#include "base/case_tables.h"

namespace wmb {
bool IsPlainName(std::string_view name) {
    if (name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

std::string DemoListLocation(const std::string& gameFolder, const std::string& mapText) {
    return gameFolder + "Levels\\" + mapText;
}

std::optional<std::string> MapTextAfterFill(const std::vector<std::string>& items, const std::string& storedMap) {
    if (storedMap.empty()) return items.empty() ? std::nullopt : std::optional<std::string>(items.front());
    const bool held = std::any_of(items.begin(), items.end(),
                                  [&](const std::string& item) { return SameTextIgnoringCase(item, storedMap); });
    return held ? storedMap : std::string();
}

std::string ImportTarget(const std::string& gameFolder, const std::string& mapText, const std::string& chosenFile) {
    const auto slash = chosenFile.find_last_of("\\/:");
    const std::string name = slash == std::string::npos ? chosenFile : chosenFile.substr(slash + 1);
    return DemoListLocation(gameFolder, mapText) + "\\" + name;
}

std::string ImportFailedText(const std::string& target) {
    return "The demo could not be imported: " + target + " could not be written.";
}

DemoFramesAnswer DemoFramesOk(const std::string& totalText) {
    DemoFramesAnswer answer;
    long long total = 0;
    for (char c : totalText) {
        if (c < '0' || c > '9') {
            answer.Result = DemoFramesAnswer::OutOfRange;
            return answer;
        }
        total = std::min<long long>(total * 10 + (c - '0'), kMaxDemoFrames + 1LL);
    }
    if (total > kMaxDemoFrames) {
        answer.Result = DemoFramesAnswer::OutOfRange;
    } else if (total > 0) {
        answer.Result = DemoFramesAnswer::NewRange;
        answer.Frames = static_cast<int>(total);
    }
    return answer;
}

std::string OutOfRangeText() {
    return "Please, enter a whole number from 0 to " + std::to_string(kMaxDemoFrames) + ".";
}

}  // namespace wmb
