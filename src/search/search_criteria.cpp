// The search criteria's helpers and the preparation of a search from them.

#include "search/search_criteria.h"

#include <algorithm>

#include "base/case_tables.h"
#include "base/text.h"

namespace wmb {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& s) { return SameTextIgnoringCase(s, text); });
}

// Strips a leading "<" (this folder only) or ">" (with subfolders); otherwise the default decides.
bool TakeRecursiveMark(std::string& entry, bool byDefault) {
    if (!entry.empty() && (entry[0] == '<' || entry[0] == '>')) {
        const bool recursive = entry[0] == '>';
        entry.erase(0, 1);
        return recursive;
    }
    return byDefault;
}

void SetLimits(TTargetFolder& folder, bool recursive, const TFileCriteria& files) {
    folder.Recursive = recursive;
    folder.MinLevel = files.MinLevel;
    folder.MaxLevel = files.MaxLevel;
}

void AddMask(TTargetFolder& folder, const std::string& mask) {
    if (!mask.empty() && !Contains(folder.Masks, mask)) folder.Masks.push_back(mask);
}

}  // namespace

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string piece = TrimBlanks(std::string_view(text).substr(start, end - start));
        if (!piece.empty() && !Contains(out, piece)) out.push_back(std::move(piece));
        start = end + 1;
    }
    return out;
}

TTargetFolderList::TTargetFolderList(TPathExpander expand) : expand_(std::move(expand)) {}

TTargetFolder& TTargetFolderList::AddFolder(const std::string& path) {
    std::string full = expand_ ? expand_(path) : path;
    if (!full.empty() && full.back() != ':' && full.back() != '\\') full += '\\';
    for (const auto& item : items_)
        if (SameTextIgnoringCase(item->Folder, full)) return *item;
    auto folder = std::make_unique<TTargetFolder>();
    folder->Folder = std::move(full);
    items_.insert(items_.begin(), std::move(folder));
    return *items_.front();
}

std::vector<const TTargetFolder*> TTargetFolderList::InSearchOrder() const {
    std::vector<const TTargetFolder*> out;
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) out.push_back(it->get());
    return out;
}

std::unique_ptr<TTargetSearch> PrepareSearch(const TSearchCriteria& criteria, TPathExpander expand) {
    auto search = std::make_unique<TTargetSearch>(std::move(expand));
    const TFileCriteria& files = criteria.Files;
    search->Folders.Excluded = files.Excluded;
    for (std::string entry : files.Included) {
        const bool recursive = TakeRecursiveMark(entry, files.Subfolders);
        const std::size_t slash = entry.rfind('\\');
        const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
        TTargetFolder& folder = search->Folders.AddFolder(entry.substr(0, nameStart));
        AddMask(folder, entry.substr(nameStart));
        SetLimits(folder, recursive, files);
    }
    const std::vector<std::string> masks = SplitList(files.FileName);
    for (std::string entry : SplitList(files.Location)) {
        const bool recursive = TakeRecursiveMark(entry, files.Subfolders);
        TTargetFolder& folder = search->Folders.AddFolder(entry);
        for (const std::string& mask : masks) AddMask(folder, mask);
        SetLimits(folder, recursive, files);
    }
    search->Attribute = criteria.Attribute;
    search->TimeStamp = criteria.TimeStamp;
    search->Size = criteria.Size;
    search->Content = criteria.Content;
    if (!search->Content.Phrase.empty()) {
        search->Attribute.Attributes &= static_cast<TFileAttributes>(~ffDirectory);
        if (search->Content.IgnoreCase) search->Content.Phrase = LowerText(search->Content.Phrase);
    }
    return search;
}

}  // namespace wmb
