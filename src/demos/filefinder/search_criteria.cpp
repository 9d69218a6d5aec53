// The search criteria's helpers and the preparation of a search from them.

#include "demos/filefinder/search_criteria.h"

#include <algorithm>

#include "demos/filefinder/case_tables.h"

namespace wmb {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    // Days from 1 March of year 0, counted in 400-year eras, then moved to 30 December 1899.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const double days = static_cast<double>(era) * 146097 + dayOfEra - 693899;
    const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
    return days + ms / 86400000.0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::size_t b = start, e = end;
        while (b < e && IsBlank(text[b])) ++b;
        while (e > b && IsBlank(text[e - 1])) --e;
        std::string piece = text.substr(b, e - b);
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
