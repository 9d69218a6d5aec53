#include "update/update_info.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

const TInfoDate kToday{2026, 12, 9};
const TVersionCheck kOurs{byNumber, "1.8.0.0", ""};

struct NewerCase {
    const char* name;
    const char* info;
    bool newer;
};

const NewerCase kNewerCases[] = {
    {"OneNineIsNewer", "#version=1.9\r\n", true},
    {"OneEightIsNotNewer", "#version=1.8\r\n", false},
    {"FourthFieldCounts", "#version=1.8.0.1\r\n", true},
    {"LetterComparesTheWholeTextByteByByte", "#version=1.8b\r\n", true},  // 'b' after "1.8" sorts above '.'
    {"UpperCaseKeyIsFound", "#VERSION=2.0\r\n", true},
    {"NoVersionIsNotNewer", "#url=http://h/a.exe\r\n", false},
    {"EntryAnywhereInTheText", "Release notes\r\n#url=x\r\n#version=10.0.0.0\r\n", true},
};

class IsNewerVersionTest : public ::testing::TestWithParam<NewerCase> {};

TEST_P(IsNewerVersionTest, ByNumber) { EXPECT_EQ(IsNewerVersion(GetParam().info, kOurs, kToday), GetParam().newer); }

INSTANTIATE_TEST_SUITE_P(Cases, IsNewerVersionTest, ::testing::ValuesIn(kNewerCases),
                         [](const ::testing::TestParamInfo<NewerCase>& info) { return info.param.name; });

TEST(ReadUpdateOffer, NewerVersionWithFilesIsOfferedWithoutFilesItIsNot) {
    const auto offer = ReadUpdateOffer("#version=1.9\n#url=http://h/a.exe\n#method=1\n#message={Hi}\n", kOurs, kToday);
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->Files.size(), 1u);
    EXPECT_EQ(offer->UpgradeMsg, "Hi");
    EXPECT_EQ(offer->UpgradeMethod, umUseExternalSetup);
    EXPECT_EQ(ReadUpdateOffer("#version=1.9\n#message={Hi}\n", kOurs, kToday), std::nullopt);
    EXPECT_EQ(ReadUpdateOffer("#version=1.8\n#url=http://h/a.exe\n", kOurs, kToday), std::nullopt);
}

TEST(CompareVersions, FieldsAreNumbersAndAnEmptyFieldIsNot) {
    EXPECT_EQ(CompareVersions("1.10", "1.9"), 1);
    EXPECT_EQ(CompareVersions("1.7.9.9", "1.8.0.0"), -1);
    EXPECT_LT(CompareVersions("", "1.8.0.0"), 0);
}

TEST(IsNewerVersionByDate, LaterDateIsNewerAndAMalformedDateCountsAsToday) {
    const TVersionCheck ours{byDate, "", "04/05/2007"};
    EXPECT_TRUE(IsNewerVersion("#date=04/06/2007\r\n", ours, kToday));
    EXPECT_FALSE(IsNewerVersion("#date=04/05/2007\r\n", ours, kToday));
    EXPECT_TRUE(IsNewerVersion("#date=garbage\r\n", ours, kToday));
    EXPECT_FALSE(IsNewerVersion("#date=02/30/2008\r\n", {byDate, "", "12/31/2099"}, kToday));
}

TEST(ParseInfoDate, MonthDayYearOrToday) {
    EXPECT_EQ(ParseInfoDate("04/05/2007", kToday), (TInfoDate{2007, 4, 5}));
    EXPECT_EQ(ParseInfoDate("02/29/2008", kToday), (TInfoDate{2008, 2, 29}));
    for (const char* bad : {"02/29/2007", "13/01/2007", "04-05-2007", "04/05", "a/05/2007", "04/05/2007x", ""})
        EXPECT_EQ(ParseInfoDate(bad, kToday), kToday) << bad;
}

TEST(InfoFileList, FollowsTheNumberingRule) {
    const auto urls = [](const std::string& info) {
        std::vector<std::string> out;
        for (const TInfoFile& f : InfoFileList(info)) out.push_back(f.Url);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(urls("#url0=a\r\n#url1=b\r\n"), V{"a"});  // after url0 the next key is url2
    EXPECT_EQ(urls("#url1=a\r\n#url2=b\r\n"), (V{"a", "b"}));
    EXPECT_EQ(urls("#url=a\r\n#url0=b\r\n#url3=c\r\n#url2=d\r\n"), (V{"a", "b", "c"}));  // two taken: url3 next
    EXPECT_EQ(urls("#url=a\r\n#url2=b\r\n#url3=c\r\n"), (V{"a", "b", "c"}));
    EXPECT_EQ(urls("#version=9\r\n"), V{});
}

TEST(InfoFileList, EachFileCarriesTheDigestOfItsOwnKey) {
    const auto files = InfoFileList(
        "#url=http://h/a.exe\n#sha256=ABCdef\n#url0=http://h/b.dll\n#url3=http://h/c.txt\n#sha2563=0123\n");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].Sha256, "abcdef");
    EXPECT_EQ(files[1].Sha256, "");  // no "#sha2560=": not checked
    EXPECT_EQ(files[2].Sha256, "0123");
    EXPECT_TRUE(files[0].Accepts("abcdef"));
    EXPECT_FALSE(files[0].Accepts("abcdee"));
    EXPECT_TRUE(files[1].Accepts("anything"));
}

TEST(InfoValue, MessageKeepsLineBreaksAndEndsAtTheFirstBrace) {
    const std::string info = "#Message={New demos.\r\nFaster start.} and more}\r\n#version=1.9 beta\r\n";
    EXPECT_EQ(InfoValue(info, "message", true), "New demos.\r\nFaster start.");
    EXPECT_EQ(InfoValue(info, "version"), "1.9 beta");  // case kept, no trimming
    EXPECT_EQ(InfoValue(info, "url"), "");
    EXPECT_EQ(InfoValue("#message=plain\n", "message", true), "");
    EXPECT_EQ(InfoValue("#url=caf\xE9\tx", "url"), "caf\xE9");  // bytes above 127 are text, a tab ends
}

TEST(InfoUpgradeMethod, FirstCharacterCounts) {
    EXPECT_EQ(InfoUpgradeMethod("#method=1\n"), umUseExternalSetup);
    EXPECT_EQ(InfoUpgradeMethod("#method=2x\n"), umRedirectToURL);
    EXPECT_EQ(InfoUpgradeMethod("#method=3\n"), umSelfUpgrade);
    EXPECT_EQ(InfoUpgradeMethod(""), umSelfUpgrade);
}

TEST(RedirectAddress, OnlyWebAddresses) {
    EXPECT_EQ(RedirectAddress("www.kestrane.com/wm"), "http://www.kestrane.com/wm");
    EXPECT_EQ(RedirectAddress("HTTPS://host/a"), "HTTPS://host/a");
    EXPECT_EQ(RedirectAddress("file:///C:/Windows/system32/calc.exe"), std::nullopt);
    EXPECT_EQ(RedirectAddress("ftp://host/a"), std::nullopt);
    // Nothing that could end the browser's quoted argument or its command line.
    for (const char* unsafe : {"http://h/a\" -new-window \"file:///C:/x", "http://h/a\r\nb", "http://h/\x7F", "http://h/a\tb"})
        EXPECT_EQ(RedirectAddress(unsafe), std::nullopt) << unsafe;
}

}  // namespace
}  // namespace wmb
