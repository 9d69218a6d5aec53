#include "run/ini_text.h"

#include "base/case_tables.h"
#include "base/text.h"

namespace wmb {

namespace {

bool IsComment(const std::string& trimmed) { return trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#'; }

bool StartsWithByteOrderMark(const std::string& text) {
    return text.starts_with("\xEF\xBB\xBF") || text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

}  // namespace

ProfileError LineError(int line, const std::string& key, const std::string& text) {
    return {line, key, "line " + std::to_string(line) + ": " + text};
}

std::variant<std::vector<IniEntry>, ProfileError> ReadIniSection(const std::string& text, const std::string& section) {
    const std::string header = "[" + section + "]";
    if (StartsWithByteOrderMark(text)) {
        return LineError(1, "", "the file is saved as Unicode; save it as ANSI text.");
    }
    std::vector<IniEntry> entries;
    bool inSection = false;
    int number = 0;
    for (const std::string& line : SplitLines(text)) {
        ++number;
        const std::string trimmed = TrimBlanks(line);
        if (IsComment(trimmed)) continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            const std::string name = TrimBlanks(std::string_view(trimmed).substr(1, trimmed.size() - 2));
            if (!SameTextIgnoringAsciiCase(name, section)) {
                return LineError(number, "", "\"" + trimmed + "\" is not the section " + header + ".");
            }
            if (inSection) return LineError(number, "", header + " is given twice.");
            inSection = true;
            continue;
        }
        if (!inSection) return LineError(number, "", "the file must begin with the line " + header + ".");
        const std::size_t eq = trimmed.find('=');
        const std::string key = eq == std::string::npos ? "" : TrimBlanks(std::string_view(trimmed).substr(0, eq));
        if (key.empty()) {
            return LineError(number, "", "\"" + trimmed + "\" is neither a comment nor a key=value line.");
        }
        entries.push_back({number, key, TrimBlanks(std::string_view(trimmed).substr(eq + 1))});
    }
    if (!inSection) return LineError(1, "", "the file must begin with the line " + header + ".");
    return entries;
}

}  // namespace wmb
