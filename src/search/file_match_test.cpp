#include "search/file_match.h"

#include <gtest/gtest.h>

namespace wmb {

namespace {

constexpr std::uint32_t kNormal = 0x80;
constexpr TDateTime kDay = 45000;    // a date at midnight
constexpr TDateTime kNoon = 0.5;     // a time of day without a date
constexpr TDateTime kEvening = 0.75;

}  // namespace

TEST(FileMatch, AttributesWithinTheSetOrExactlyTheSet) {
    const TFileAttributes defaults = TAttributeCriteria{}.Attributes;
    const struct {
        TFileAttributes set;
        bool exact;
        std::uint32_t entry;
        bool matches;
    } cases[] = {
        {defaults, false, kNormal, true},
        {defaults, false, kEntryDirectory, false},  // folders never match with the defaults
        {defaults, false, kEntryArchive | 0x800, true},  // other bits are not looked at
        {ffArchive, false, kEntryArchive | kEntryHidden, false},
        {ffArchive | ffDirectory, false, kEntryDirectory, true},
        {defaults, true, kEntryArchive, false},
        {ffArchive, true, kEntryArchive, true},
        {ffArchive, true, kNormal, false},
        {ffArchive | ffHidden, true, kEntryArchive | kEntryHidden | kNormal, true},
        {0, true, kNormal, true},
    };
    for (const auto& c : cases) {
        const TAttributeCriteria criteria{c.set, c.exact};
        EXPECT_EQ(MatchesAttributes(criteria, c.entry), c.matches) << int(c.set) << " " << c.exact << " " << c.entry;
    }
}

TEST(FileMatch, SizeBoundsWhereZeroMeansNone) {
    const struct {
        std::uint32_t min, max, size;
        bool matches;
    } cases[] = {
        {0, 0, 0, true},       {0, 0, 0xFFFFFFFFu, true}, {10, 0, 9, false},  {10, 0, 10, true},
        {0, 10, 10, true},     {0, 10, 11, false},        {5, 10, 7, true},   {0x80000000u, 0, 0xFFFFFFFFu, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesSize({c.min, c.max}, c.size), c.matches) << c.min << " " << c.max << " " << c.size;
}

TEST(FileMatch, TimeBoundsCompareDatesTimesOfDayOrBoth) {
    const struct {
        TDateTime before, after, time;
        bool matches;
    } cases[] = {
        {0, 0, kDay + 0.3, true},
        {kDay, 0, kDay + 0.99, true},  // whole dates: the bound's whole day counts
        {kDay, 0, kDay + 1.01, false},
        {0, kDay, kDay + 0.01, true},
        {0, kDay, kDay - 0.01, false},
        {kNoon, 0, kDay - 100 + 0.4, true},  // times of day on any date
        {kNoon, 0, kDay + 0.6, false},
        {kEvening, kNoon, kDay + 0.6, true},
        {kEvening, kNoon, kDay + 0.8, false},
        {kDay + kNoon, 0, kDay + 0.5, true},  // full date and time
        {kDay + kNoon, 0, kDay + 0.51, false},
        {0, kDay + kNoon, kDay + 0.49, false},
        {kDay + 1, kNoon, kDay + 0.6, true},  // a date bound and a time bound together
        {kDay + 1, kNoon, kDay + 0.4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesTimeBounds(c.before, c.after, c.time), c.matches)
            << c.before << " " << c.after << " " << c.time;
}

TEST(FileMatch, EachOfTheThreeTimesHasItsOwnBounds) {
    TDateTimeCriteria c;
    TFileEntry e;
    e.Created = kDay;
    e.Modified = kDay + 10;
    e.Accessed = kDay + 20;
    c.CreatedBefore = kDay;
    c.ModifiedAfter = kDay + 10;
    c.AccessedBefore = kDay + 20;
    EXPECT_TRUE(MatchesTimes(c, e));
    for (TDateTime TDateTimeCriteria::*bound :
         {&TDateTimeCriteria::CreatedAfter, &TDateTimeCriteria::ModifiedAfter, &TDateTimeCriteria::AccessedAfter}) {
        TDateTimeCriteria late = c;
        late.*bound = kDay + 30;
        EXPECT_FALSE(MatchesTimes(late, e));
    }
}

TEST(FileMatch, EntryTestsIncludeTheExclusionList) {
    TSearchCriteria criteria;
    criteria.Files.Excluded = {"*.bak", "Old\\"};
    criteria.Size.Max = 100;
    const auto search = PrepareSearch(criteria, nullptr);
    const struct {
        const char* folder;
        TFileEntry entry;
        bool matches;
    } cases[] = {
        {"C:\\Levels\\", {"a.tmd", 50, kEntryArchive}, true},
        {"C:\\Levels\\", {"a.tmd", 500, kEntryArchive}, false},
        {"C:\\Levels\\", {"a.bak", 50, kEntryArchive}, false},
        {"C:\\Levels\\Old\\", {"a.tmd", 50, kEntryArchive}, false},
        {"C:\\Levels\\", {"Sub", 0, kEntryDirectory}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassesEntryTests(*search, c.folder, c.entry), c.matches) << c.folder << c.entry.Name;
}

}  // namespace wmb
