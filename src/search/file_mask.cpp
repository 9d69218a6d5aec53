// Mask matching and the exclusion rules of the file search.

#include "search/file_mask.h"

#include "base/case_tables.h"

namespace wmb {

namespace {

struct NameParts {
    std::string_view Base;
    std::string_view Extension;
    bool HasExtension;
};

NameParts Split(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {name, {}, false};
    return {name.substr(0, dot), name.substr(dot + 1), true};
}

// The length of a drive ("C:") or network share ("\\server\share") at the start of a path; 0 if none.
std::size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.substr(0, 2) != "\\\\") return 0;
    std::size_t end = path.find('\\', 2);
    if (end != std::string_view::npos) end = path.find('\\', end + 1);
    return end == std::string_view::npos ? path.size() : end;
}

bool EndsWithFolder(std::string_view folder, std::string_view part) {
    if (part.size() > folder.size()) return false;
    const std::size_t start = folder.size() - part.size();
    if (!SameTextIgnoringCase(folder.substr(start), part)) return false;
    // A relative part names whole folders: it starts the path or follows a backslash.
    return start == 0 || part.front() == '\\' || folder[start - 1] == '\\';
}

bool MatchesFolderPart(std::string_view part, std::string_view folder) {
    const std::size_t root = RootLength(part);
    if (root > 0 && !SameTextIgnoringCase(part.substr(0, root), folder.substr(0, RootLength(folder))))
        return false;
    std::string_view rest = part.substr(root);
    if (rest.empty()) return true;
    std::string tail(rest);
    if (tail.back() != '\\') tail += '\\';
    return EndsWithFolder(folder, tail);
}

}  // namespace

bool MatchesMaskPart(std::string_view mask, std::string_view text) {
    const TCaseTables& t = CaseTables();
    std::size_t j = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '*') return true;
        if (j == text.size()) return mask.find_first_not_of("*?", i) == std::string_view::npos;
        if (mask[i] != '?' &&
            t.Lower[static_cast<unsigned char>(mask[i])] != t.Lower[static_cast<unsigned char>(text[j])])
            return false;
        ++j;
    }
    return j == text.size();
}

bool MatchesMask(std::string_view mask, std::string_view name) {
    const NameParts m = Split(mask);
    const NameParts n = Split(name);
    if (!m.HasExtension) return MatchesMaskPart(m.Base, n.Base);
    return MatchesMaskPart(m.Base, n.Base) && MatchesMaskPart(m.Extension, n.Extension);
}

bool MatchesExclusion(std::string_view entry, std::string_view folder, std::string_view name) {
    const std::size_t slash = entry.rfind('\\');
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    if (nameStart == 0 && entry.size() >= 2 && entry[1] == ':') nameStart = 2;  // "C:name"
    const std::string_view folderPart = entry.substr(0, nameStart);
    const std::string_view namePart = entry.substr(nameStart);
    if (folderPart.empty() && namePart.empty()) return false;
    if (!folderPart.empty() && !MatchesFolderPart(folderPart, folder)) return false;
    return namePart.empty() || MatchesMask(namePart, name);
}

bool IsExcluded(const std::vector<std::string>& excluded, std::string_view folder, std::string_view name) {
    for (auto it = excluded.rbegin(); it != excluded.rend(); ++it)
        if (MatchesExclusion(*it, folder, name)) return true;
    return false;
}

}  // namespace wmb
