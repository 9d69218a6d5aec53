#include "command_line.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace wmb::game {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::string current;
    bool inToken = false;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inToken = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inToken) tokens.push_back(current);
            current.clear();
            inToken = false;
        } else {
            current += c;
            inToken = true;
        }
    }
    if (inToken) tokens.push_back(current);
    return tokens;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

GameArgs ParseGameArgs(std::string_view commandLine) {
    GameArgs args;
    const std::vector<std::string> tokens = SplitCommandLine(commandLine);
    for (size_t i = 1; i < tokens.size(); ++i) {
        const std::string token = Trim(tokens[i]);
        if (token.empty()) continue;
        if (ToLower(token) == "-devmode") {
            args.devMode = true;
        } else if (token[0] == '#') {
            const size_t eq = token.find('=');
            if (eq == std::string::npos || eq == 1) continue;
            args.vars[ToLower(Trim(token.substr(1, eq - 1)))] = Trim(token.substr(eq + 1));
        } else {
            const size_t blank = token.find_first_of(" \t");
            if (blank == std::string::npos) continue;
            const std::string command = ToLower(token.substr(0, blank));
            const std::string argument = Trim(token.substr(blank + 1));
            if (command == "map") {
                args.map = argument;
            } else if (command == "demo") {
                args.demo = argument;
            } else {
                args.vars[command] = argument;
            }
        }
    }
    return args;
}

std::optional<long> ParseWhole(std::string_view text) {
    const std::string t = Trim(text);
    long value = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    std::string t = Trim(text);
    if (!t.empty() && (t.back() == 'f' || t.back() == 'F')) t.pop_back();
    if (t.empty()) return std::nullopt;
    for (char c : t) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+') return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size()) return std::nullopt;
    return value;
}

long VarWhole(const ConsoleVars& vars, std::string_view name, long fallback) {
    const auto it = vars.find(ToLower(name));
    if (it == vars.end()) return fallback;
    if (const auto whole = ParseWhole(it->second)) return *whole;
    if (const auto decimal = ParseDecimal(it->second)) return static_cast<long>(*decimal);
    return fallback;
}

double VarDecimal(const ConsoleVars& vars, std::string_view name, double fallback) {
    const auto it = vars.find(ToLower(name));
    if (it == vars.end()) return fallback;
    return ParseDecimal(it->second).value_or(fallback);
}

}  // namespace wmb::game
