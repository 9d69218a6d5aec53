#include "base/text.h"

#include <gtest/gtest.h>

#include "base/case_tables.h"

namespace wmb {
namespace {

TEST(Text, SplitLinesAtEveryKindOfLineEnd) {
    const struct {
        const char* bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.bytes), c.lines) << c.bytes;
        EXPECT_EQ(SplitLines(JoinLines(c.lines)), c.lines) << c.bytes;
    }
    EXPECT_EQ(JoinLines({"a", "", " "}), "a\r\n\r\n \r\n");
}

TEST(Text, TrimBlanksTakesSpacesAndTabsOnly) {
    EXPECT_EQ(TrimBlanks(" \t 12,5\t "), "12,5");
    EXPECT_EQ(TrimBlanks("\r12\n"), "\r12\n");
    EXPECT_EQ(TrimBlanks(" \t"), "");
}

TEST(Text, QuotableRefusesQuotesAndControlCharacters) {
    EXPECT_TRUE(Quotable("map Pier \xD7"));
    EXPECT_FALSE(Quotable("a\"b"));
    EXPECT_FALSE(Quotable("a\tb"));
    EXPECT_FALSE(Quotable("a\x7F"));
    EXPECT_EQ(Quoted("C:\\Program Files\\x.exe"), "\"C:\\Program Files\\x.exe\"");
}

TEST(Text, EscapeHtmlKeepsEverythingButItsFourCharacters) {
    EXPECT_EQ(EscapeHtml("<a href=\"x\">&\xD7</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;\xD7&lt;/a&gt;");
}

TEST(CaseTables, AsciiFoldingLeavesTheAnsiLettersAlone) {
    EXPECT_TRUE(SameTextIgnoringAsciiCase("s_SoundEnable", "S_SOUNDENABLE"));
    EXPECT_FALSE(SameTextIgnoringAsciiCase("\xC4", "\xE4"));
    EXPECT_TRUE(SameTextIgnoringCase("\xC4", "\xE4"));
    EXPECT_TRUE(ContainsIgnoringAsciiCase("Card name: X", "CARD NAME:"));
    EXPECT_FALSE(ContainsIgnoringAsciiCase("Card", "Card name"));
    EXPECT_TRUE(ContainsIgnoringAsciiCase("", ""));
}

}  // namespace
}  // namespace wmb
