#include "base/text.h"

#include <algorithm>

namespace wmb {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
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

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool Quotable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '&': escaped += "&amp;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace wmb
