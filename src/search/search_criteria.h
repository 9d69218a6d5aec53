#pragma once
// What a file search looks for: the criteria with their five parts and defaults, and the prepared
// search built from them when a search starts (target folders with their masks and depth limits).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/date_time.h"

namespace wmb {

enum TFileAttribute : std::uint8_t {
    ffArchive = 1 << 0,
    ffReadonly = 1 << 1,
    ffHidden = 1 << 2,
    ffSystem = 1 << 3,
    ffDirectory = 1 << 4,
};
using TFileAttributes = std::uint8_t;  // a set of TFileAttribute bits

struct TFileCriteria {
    std::string FileName;               // masks separated by ";"
    std::string Location;               // folders separated by ";", each optionally marked "<" or ">"
    std::vector<std::string> Included;  // folder + mask, optionally marked "<" or ">"
    std::vector<std::string> Excluded;  // folder part and/or name mask
    bool Subfolders = true;
    std::uint16_t MinLevel = 0;
    std::uint16_t MaxLevel = 0;  // 0 = no limit
};

struct TAttributeCriteria {
    TFileAttributes Attributes = ffArchive | ffReadonly | ffHidden | ffSystem;
    bool ExactMatch = false;
};

struct TDateTimeCriteria {
    TDateTime CreatedBefore = 0;
    TDateTime CreatedAfter = 0;
    TDateTime ModifiedBefore = 0;
    TDateTime ModifiedAfter = 0;
    TDateTime AccessedBefore = 0;
    TDateTime AccessedAfter = 0;
};

struct TSizeCriteria {
    std::uint32_t Min = 0;  // 0 = no bound
    std::uint32_t Max = 0;  // 0 = no bound
};

struct TContentCriteria {
    std::string Phrase;  // empty = no content test
    bool IgnoreCase = true;
    bool WholeWord = false;
};

struct TSearchCriteria {
    TFileCriteria Files;
    TAttributeCriteria Attribute;
    TDateTimeCriteria TimeStamp;
    TSizeCriteria Size;
    TContentCriteria Content;
};

// Splits at ";", trims blanks, drops empty pieces and pieces already present (case ignored), keeps order.
std::vector<std::string> SplitList(const std::string& text);

struct TTargetFolder {
    std::string Folder;  // full path with a trailing backslash
    std::vector<std::string> Masks;
    bool Recursive = true;
    std::uint16_t MinLevel = 0;
    std::uint16_t MaxLevel = 0;
};

// Expands a path to its full, network-resolved form.
using TPathExpander = std::function<std::string(const std::string&)>;

class TTargetFolderList {
public:
    explicit TTargetFolderList(TPathExpander expand);

    // The folder with the same full path (case ignored), or a new one at the front of the list.
    TTargetFolder& AddFolder(const std::string& path);

    // Newest first, as the list keeps them.
    const std::vector<std::unique_ptr<TTargetFolder>>& Items() const { return items_; }
    // In the order they were first added, the order the search visits them.
    std::vector<const TTargetFolder*> InSearchOrder() const;

    std::vector<std::string> Excluded;

private:
    TPathExpander expand_;
    std::vector<std::unique_ptr<TTargetFolder>> items_;
};

struct TTargetSearch {
    explicit TTargetSearch(TPathExpander expand) : Folders(std::move(expand)) {}
    TTargetFolderList Folders;
    TAttributeCriteria Attribute;
    TDateTimeCriteria TimeStamp;
    TSizeCriteria Size;
    TContentCriteria Content;  // Phrase is lower case when IgnoreCase is on
};

// Prepares a search from the criteria: targets from Included, then from Location with FileName's masks.
std::unique_ptr<TTargetSearch> PrepareSearch(const TSearchCriteria& criteria, TPathExpander expand);

}  // namespace wmb
