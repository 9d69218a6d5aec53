#include "gameconfig/config_text.h"

#include <algorithm>

namespace wmb {

namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

ConfigText SplitConfigLines(const std::string& bytes) {
    ConfigText lines;
    std::string current;
    bool open = false;  // whether `current` holds a line that has not been ended yet
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(std::move(current));
    return lines;
}

std::string JoinConfigLines(const ConfigText& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

bool SameLine(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

std::optional<std::size_t> FindLine(const ConfigText& text, const std::string& line) {
    const auto it = std::find_if(text.begin(), text.end(), [&](const std::string& l) { return SameLine(l, line); });
    if (it == text.end()) return std::nullopt;
    return static_cast<std::size_t>(it - text.begin());
}

std::string AssignmentLine(const std::string& name, const std::string& value) {
    return name + " = \"" + value + "\"";
}

}  // namespace wmb
