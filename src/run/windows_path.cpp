#include "run/windows_path.h"

#include <vector>

namespace wmb {

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsForbidden(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == '"' || c == '/' || c == '|' ||
           c == '?' || c == '*' || c == ':';
}

std::vector<std::string_view> Parts(std::string_view names) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = names.find('\\', start);
        parts.push_back(names.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The problem of a backslash-separated run of names: a forbidden character or an unusable part.
std::string NamesProblem(std::string_view names, bool dotsAllowed) {
    for (char c : names) {
        if (!IsForbidden(c)) continue;
        if (static_cast<unsigned char>(c) < 0x20) return "holds a control character, which Windows does not allow";
        return std::string("holds \"") + c + "\", which Windows does not allow in a name";
    }
    if (names.ends_with('\\')) names.remove_suffix(1);
    for (std::string_view part : Parts(names)) {
        if (part.empty()) return "holds an empty part (two backslashes in a row)";
        if (!dotsAllowed && (part == "." || part == "..")) return "holds a \"" + std::string(part) + "\" part";
    }
    return "";
}

std::string LengthProblem(std::string_view path) {
    if (path.size() <= kLongestPath) return "";
    return "is longer than " + std::to_string(kLongestPath) + " characters";
}

}  // namespace

bool IsFullWindowsPath(std::string_view path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (!path.starts_with("\\\\")) return false;
    const std::size_t server = path.find('\\', 2);
    return server != std::string_view::npos && server > 2 && server + 1 < path.size() && path[server + 1] != '\\';
}

std::string FullPathProblem(std::string_view path) {
    if (!IsFullWindowsPath(path)) return "is not a full path such as C:\\Folder or \\\\server\\share\\Folder";
    if (std::string problem = LengthProblem(path); !problem.empty()) return problem;
    const std::string_view names = path.substr(path[0] == '\\' ? 2 : 3);
    if (names.empty()) return "";
    return NamesProblem(names, false);
}

std::string RelativePathProblem(std::string_view path) {
    if (path.empty()) return "is empty";
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
        return "names a drive without a backslash after it";
    }
    if (path.starts_with('\\')) return "starts with a backslash but is not a full path";
    if (std::string problem = LengthProblem(path); !problem.empty()) return problem;
    return NamesProblem(path, true);
}

std::string FilePathProblem(std::string_view path) {
    if (path.ends_with('\\')) return "names a folder, not a file";
    if (!IsFullWindowsPath(path)) return RelativePathProblem(path);
    if (std::string problem = LengthProblem(path); !problem.empty()) return problem;
    return NamesProblem(path.substr(path[0] == '\\' ? 2 : 3), true);
}

std::string WithBackslash(std::string_view folder) {
    std::string text(folder);
    if (!text.ends_with('\\')) text += '\\';
    return text;
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace wmb
