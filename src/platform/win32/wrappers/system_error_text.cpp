#include "platform/win32/wrappers/system_error_text.h"

namespace wmb {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Fills the inserts of a message read with FORMAT_MESSAGE_IGNORE_INSERTS: "%1" to "%99", each with an
// optional "!format!", and "%%" for a percent sign.
std::string FillInserts(const std::string& text, const std::string& file) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '%' || (next != '%' && (next < '1' || next > '9'))) {
            out += text[i];
            continue;
        }
        if (next == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t end = i + 2;
        if (end < text.size() && IsDigit(text[end])) ++end;
        const bool first = end == i + 2 && next == '1';
        if (end < text.size() && text[end] == '!') {
            const std::size_t close = text.find('!', end + 1);
            if (close != std::string::npos) end = close + 1;
        }
        if (first && !file.empty()) {
            out += file;
        } else if (end < text.size() && text[end] == ' ' && (out.empty() || out.back() == ' ')) {
            ++end;  // one blank is left where the insert was
        } else if (!out.empty() && out.back() == ' ') {
            out.pop_back();  // none before a full stop
        }
        i = end - 1;
    }
    return out;
}

}  // namespace

std::string SystemErrorText(DWORD code, const std::string& file) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer) text.assign(buffer, length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) return "Error " + std::to_string(code) + ".";
    return FillInserts(text, file);
}

}  // namespace wmb
