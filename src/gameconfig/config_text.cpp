#include "gameconfig/config_text.h"

#include <algorithm>

#include "base/case_tables.h"
#include "base/text.h"

namespace wmb {

ConfigText SplitConfigLines(const std::string& bytes) { return SplitLines(bytes); }

std::string JoinConfigLines(const ConfigText& lines) { return JoinLines(lines); }

bool SameLine(const std::string& a, const std::string& b) { return SameTextIgnoringAsciiCase(a, b); }

std::optional<std::size_t> FindLine(const ConfigText& text, const std::string& line) {
    const auto it = std::find_if(text.begin(), text.end(), [&](const std::string& l) { return SameLine(l, line); });
    if (it == text.end()) return std::nullopt;
    return static_cast<std::size_t>(it - text.begin());
}

std::string AssignmentLine(const std::string& name, const std::string& value) {
    return name + " = \"" + value + "\"";
}

}  // namespace wmb
