#include "search/search_criteria.h"

#include <gtest/gtest.h>

namespace wmb {

namespace {

// Relative paths are taken from "C:\Game\", as a full-path expansion would with that current folder.
std::string Expand(const std::string& path) {
    if (path.size() >= 2 && (path[1] == ':' || path.substr(0, 2) == "\\\\")) return path;
    return "C:\\Game\\" + path;
}

std::vector<std::string> Folders(const TTargetSearch& s) {
    std::vector<std::string> out;
    for (const TTargetFolder* f : s.Folders.InSearchOrder()) out.push_back(f->Folder);
    return out;
}

}  // namespace

TEST(SearchCriteria, SplitListTrimsAndDropsEmptyAndRepeatedPieces) {
    const struct {
        const char* text;
        std::vector<std::string> pieces;
    } cases[] = {
        {"", {}},
        {" ; ;", {}},
        {"*.tmd", {"*.tmd"}},
        {" *.tmd ;a?.txt;;*.TMD; b ", {"*.tmd", "a?.txt", "b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitList(c.text), c.pieces) << c.text;
}

TEST(SearchCriteria, AddFolderExpandsEndsInBackslashAndReusesTheSameFolder) {
    TTargetFolderList list(Expand);
    TTargetFolder& a = list.AddFolder("Levels\\Pier");
    EXPECT_EQ(a.Folder, "C:\\Game\\Levels\\Pier\\");
    EXPECT_EQ(&list.AddFolder("c:\\game\\LEVELS\\pier\\"), &a);
    EXPECT_EQ(list.AddFolder("D:").Folder, "D:");
    EXPECT_EQ(list.AddFolder("E:\\").Folder, "E:\\");
    ASSERT_EQ(list.Items().size(), 3u);
    EXPECT_EQ(list.Items().front()->Folder, "E:\\");  // newest at the front
    EXPECT_EQ(list.InSearchOrder().front(), &a);
}

TEST(SearchCriteria, LocationMarksAndDefaultsDecideRecursion) {
    TSearchCriteria c;
    c.Files.FileName = "*.tmd; *.dem";
    c.Files.Location = "<D:\\One;>D:\\Two;D:\\Three";
    c.Files.MinLevel = 2;
    c.Files.MaxLevel = 3;
    for (const bool subfolders : {true, false}) {
        c.Files.Subfolders = subfolders;
        const auto s = PrepareSearch(c, Expand);
        EXPECT_EQ(Folders(*s), (std::vector<std::string>{"D:\\One\\", "D:\\Two\\", "D:\\Three\\"}));
        const auto order = s->Folders.InSearchOrder();
        EXPECT_FALSE(order[0]->Recursive);
        EXPECT_TRUE(order[1]->Recursive);
        EXPECT_EQ(order[2]->Recursive, subfolders);
        EXPECT_EQ(order[2]->Masks, (std::vector<std::string>{"*.tmd", "*.dem"}));
        EXPECT_EQ(order[2]->MinLevel, 2);
        EXPECT_EQ(order[2]->MaxLevel, 3);
    }
}

TEST(SearchCriteria, SameFolderTwiceIsOneTargetWithTheMasksOfBoth) {
    TSearchCriteria c;
    c.Files.Included = {"<D:\\Levels\\*.dem", "D:\\Other\\a*"};
    c.Files.FileName = "*.tmd";
    c.Files.Location = "d:\\levels\\;D:\\LEVELS";
    c.Files.Excluded = {"*.bak"};
    const auto s = PrepareSearch(c, Expand);
    EXPECT_EQ(Folders(*s), (std::vector<std::string>{"D:\\Levels\\", "D:\\Other\\"}));
    const TTargetFolder& levels = *s->Folders.InSearchOrder()[0];
    EXPECT_EQ(levels.Masks, (std::vector<std::string>{"*.dem", "*.tmd"}));
    EXPECT_TRUE(levels.Recursive);  // the last entry naming the folder decides
    EXPECT_EQ(s->Folders.Excluded, c.Files.Excluded);
}

TEST(SearchCriteria, APhraseDropsFoldersAndIsKeptInLowerCaseWhenCaseIsIgnored) {
    TSearchCriteria c;
    c.Attribute.Attributes = ffArchive | ffDirectory;
    c.Content.Phrase = "Wild MERE";
    auto s = PrepareSearch(c, Expand);
    EXPECT_EQ(s->Attribute.Attributes, ffArchive);
    EXPECT_EQ(s->Content.Phrase, "wild mere");
    c.Content.IgnoreCase = false;
    EXPECT_EQ(PrepareSearch(c, Expand)->Content.Phrase, "Wild MERE");
    c.Content.Phrase.clear();
    EXPECT_EQ(PrepareSearch(c, Expand)->Attribute.Attributes, ffArchive | ffDirectory);
}


}  // namespace wmb
