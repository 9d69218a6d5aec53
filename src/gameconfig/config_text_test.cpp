#include "gameconfig/config_text.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(ConfigText, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitConfigLines("a\r\nb\nc\rd"), (ConfigText{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitConfigLines("a\r\n\r\nb\n\nc\r\r"), (ConfigText{"a", "", "b", "", "c", ""}));
    // CR LF is one line end, LF CR two.
    EXPECT_EQ(SplitConfigLines("a\n\rb"), (ConfigText{"a", "", "b"}));
}

TEST(ConfigText, FinalLineEndAddsNoEmptyLine) {
    EXPECT_EQ(SplitConfigLines("a\r\nb\r\n"), (ConfigText{"a", "b"}));
    EXPECT_EQ(SplitConfigLines("a\r"), (ConfigText{"a"}));
    EXPECT_EQ(SplitConfigLines("a\n \n"), (ConfigText{"a", " "}));
    EXPECT_TRUE(SplitConfigLines("").empty());
    EXPECT_EQ(SplitConfigLines("\r\n"), (ConfigText{""}));
}

TEST(ConfigText, JoinEndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinConfigLines({"a", "", " "}), "a\r\n\r\n \r\n");
    EXPECT_EQ(JoinConfigLines({}), "");
    EXPECT_EQ(JoinConfigLines(SplitConfigLines("x = \"1\"\ny = \"2\"")), "x = \"1\"\r\ny = \"2\"\r\n");
}

TEST(ConfigText, LinesCompareWholeAndWithoutCase) {
    EXPECT_TRUE(SameLine("s_SoundEnable = \"0\"", "S_SOUNDENABLE = \"0\""));
    EXPECT_FALSE(SameLine("s_SoundEnable = \"0\"", "s_SoundEnable = \"0\" "));
    EXPECT_FALSE(SameLine("r_FSAA = \"1\"", "r_FSAA_samples = \"1\""));
    // Only ASCII letters fold; other 8-bit characters compare as they are.
    EXPECT_FALSE(SameLine("\xC4", "\xE4"));

    const ConfigText text{"a = \"1\"", "B = \"2\"", "b = \"2\""};
    EXPECT_EQ(FindLine(text, "b = \"2\""), 1u);
    EXPECT_EQ(FindLine(text, "c = \"3\""), std::nullopt);
}

TEST(ConfigText, AssignmentLineQuotesTheValue) {
    EXPECT_EQ(AssignmentLine("r_Width", "1280"), "r_Width = \"1280\"");
    EXPECT_EQ(AssignmentLine("g_serverprofile", ""), "g_serverprofile = \"\"");
}

}  // namespace wmb
