#include "search/file_mask.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(FileMask, MasksAgainstNamesWithAndWithoutExtension) {
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.tmd", "pier.tmd", true},
        {"*.tmd", "pier.tmdx", false},
        {"*.tmd", "pier", false},
        {"*.*", "pier", true},
        {"*", "pier.tmd", true},
        {"pier", "Pier.tmd", true},  // no extension in the mask: the base name alone
        {"pier", "pierx", false},
        {"p?er.tmd", "pier.tmd", true},
        {"p?er.tmd", "per.tmd", false},
        {"pier?.tmd", "pier.tmd", true},  // the name ends early, only "?" remains
        {"pier.t??", "pier.t", true},
        {"p*x.tmd", "pier.tmd", true},  // "*" accepts the rest of the part
        {"*.", "readme", true},         // no extension counts as "."
        {"*.", "readme.txt", false},
        {"kst*.tmd", "Kestrane.tmd", false},
        {"\xC9t\xC9.tmd", "\xE9t\xE9.TMD", true},  // accented letters compare without case
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.mask, c.name), c.matches) << c.mask << " / " << c.name;
}

TEST(FileMask, ExclusionEntries) {
    const struct {
        const char* entry;
        const char* folder;
        const char* name;
        bool excluded;
    } cases[] = {
        {"*.bak", "C:\\Game\\", "a.bak", true},
        {"*.bak", "C:\\Game\\", "a.tmd", false},
        {"Backup\\", "C:\\Game\\Backup\\", "a.tmd", true},
        {"backup", "C:\\Game\\BACKUP\\", "a.tmd", false},  // without a backslash it is a name mask
        {"Backup\\", "C:\\Game\\MyBackup\\", "a.tmd", false},
        {"Backup\\", "C:\\Game\\Backup\\Old\\", "a.tmd", false},
        {"Levels\\Pier\\", "C:\\Game\\levels\\pier\\", "a.tmd", true},
        {"Backup\\*.tmd", "C:\\Game\\Backup\\", "a.tmd", true},
        {"Backup\\*.tmd", "C:\\Game\\Backup\\", "a.bak", false},
        {"C:\\Backup\\", "C:\\Game\\Backup\\", "a.tmd", true},
        {"D:\\Backup\\", "C:\\Game\\Backup\\", "a.tmd", false},
        {"\\\\srv\\share\\Backup\\", "\\\\SRV\\Share\\x\\Backup\\", "a.tmd", true},
        {"\\\\srv\\other\\Backup\\", "\\\\srv\\share\\x\\Backup\\", "a.tmd", false},
        {"D:*.tmd", "D:\\x\\", "a.tmd", true},
        {"D:", "C:\\x\\", "a.tmd", false},
        {"", "C:\\x\\", "a.tmd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcluded({c.entry}, c.folder, c.name), c.excluded) << c.entry << " / " << c.folder << c.name;
}

TEST(FileMask, AnyEntryOfTheListExcludes) {
    const std::vector<std::string> list = {"*.bak", "Old\\", "~*"};
    EXPECT_TRUE(IsExcluded(list, "C:\\Old\\", "a.tmd"));
    EXPECT_TRUE(IsExcluded(list, "C:\\", "~a.tmd"));
    EXPECT_FALSE(IsExcluded(list, "C:\\New\\", "a.tmd"));
    EXPECT_FALSE(IsExcluded({}, "C:\\", "a.bak"));
}

}  // namespace wmb
