#pragma once
// The per-file tests of a search that need no file access: attributes, size, the three times and the
// exclusion list, applied in that order.

#include <cstdint>
#include <string>

#include "search/search_criteria.h"

namespace wmb {

// Attribute bits of a directory entry, as the file system reports them.
inline constexpr std::uint32_t kEntryReadonly = 0x01;
inline constexpr std::uint32_t kEntryHidden = 0x02;
inline constexpr std::uint32_t kEntrySystem = 0x04;
inline constexpr std::uint32_t kEntryDirectory = 0x10;
inline constexpr std::uint32_t kEntryArchive = 0x20;

// A directory entry with its times already converted to local time.
struct TFileEntry {
    std::string Name;  // without the folder
    std::uint32_t Size = 0;
    std::uint32_t Attributes = 0;
    TDateTime Created = 0;
    TDateTime Accessed = 0;
    TDateTime Modified = 0;
};

// The entry's read-only, hidden, system, folder and archive bits as a set.
TFileAttributes AttributeSet(std::uint32_t entryAttributes);

bool MatchesAttributes(const TAttributeCriteria& criteria, std::uint32_t entryAttributes);
bool MatchesSize(const TSizeCriteria& criteria, std::uint32_t size);
// A bound without a time of day compares whole dates, one without a date times of day, others both.
bool MatchesTimeBounds(TDateTime before, TDateTime after, TDateTime time);
bool MatchesTimes(const TDateTimeCriteria& criteria, const TFileEntry& entry);

// Attributes, size, times and exclusions in that order, the first failure deciding.
bool PassesEntryTests(const TTargetSearch& search, const std::string& folder, const TFileEntry& entry);

}  // namespace wmb
