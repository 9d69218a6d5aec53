// The per-file tests of a search that need no file access.

#include "search/file_match.h"

#include <cmath>

#include "search/file_mask.h"

namespace wmb {

namespace {

enum class BoundKind { WholeDate, TimeOfDay, Full };

BoundKind KindOf(TDateTime bound) {
    double whole = 0;
    const double fraction = std::modf(bound, &whole);
    if (fraction == 0) return BoundKind::WholeDate;
    if (whole == 0) return BoundKind::TimeOfDay;
    return BoundKind::Full;
}

// The part of `time` that a bound of this kind compares with.
TDateTime Comparable(TDateTime time, BoundKind kind) {
    double whole = 0;
    const double fraction = std::modf(time, &whole);
    switch (kind) {
    case BoundKind::WholeDate: return whole;
    case BoundKind::TimeOfDay: return std::fabs(fraction);
    case BoundKind::Full: break;
    }
    return time;
}

}  // namespace

TFileAttributes AttributeSet(std::uint32_t a) {
    TFileAttributes set = 0;
    if (a & kEntryReadonly) set |= ffReadonly;
    if (a & kEntryHidden) set |= ffHidden;
    if (a & kEntrySystem) set |= ffSystem;
    if (a & kEntryDirectory) set |= ffDirectory;
    if (a & kEntryArchive) set |= ffArchive;
    return set;
}

bool MatchesAttributes(const TAttributeCriteria& criteria, std::uint32_t entryAttributes) {
    const TFileAttributes set = AttributeSet(entryAttributes);
    if (criteria.ExactMatch) return set == criteria.Attributes;
    return (set & ~criteria.Attributes) == 0;
}

bool MatchesSize(const TSizeCriteria& criteria, std::uint32_t size) {
    return (criteria.Min == 0 || size >= criteria.Min) && (criteria.Max == 0 || size <= criteria.Max);
}

bool MatchesTimeBounds(TDateTime before, TDateTime after, TDateTime time) {
    if (before != 0) {
        const BoundKind kind = KindOf(before);
        if (Comparable(time, kind) > Comparable(before, kind)) return false;
    }
    if (after != 0) {
        const BoundKind kind = KindOf(after);
        if (Comparable(time, kind) < Comparable(after, kind)) return false;
    }
    return true;
}

bool MatchesTimes(const TDateTimeCriteria& c, const TFileEntry& entry) {
    return MatchesTimeBounds(c.CreatedBefore, c.CreatedAfter, entry.Created) &&
           MatchesTimeBounds(c.ModifiedBefore, c.ModifiedAfter, entry.Modified) &&
           MatchesTimeBounds(c.AccessedBefore, c.AccessedAfter, entry.Accessed);
}

bool PassesEntryTests(const TTargetSearch& search, const std::string& folder, const TFileEntry& entry) {
    return MatchesAttributes(search.Attribute, entry.Attributes) && MatchesSize(search.Size, entry.Size) &&
           MatchesTimes(search.TimeStamp, entry) && !IsExcluded(search.Folders.Excluded, folder, entry.Name);
}

}  // namespace wmb
