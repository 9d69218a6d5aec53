#include "compare/json_reader.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(JsonReader, ReadsObjectsInOrderWithEveryKindOfValue) {
    const JsonParse parse = ParseJson("\xEF\xBB\xBF{\"b\": [1, -2.5e2, true, false, null], \"a\": {\"x\": \"y\"}}\r\n");
    ASSERT_TRUE(parse.Value) << parse.Error.Text();
    const JsonObject& members = *parse.Value->Object();
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].first, "b");
    EXPECT_EQ(members[1].first, "a");
    const JsonArray& list = *parse.Value->Member("b")->Array();
    EXPECT_EQ(*list[0].Number(), 1);
    EXPECT_EQ(*list[1].Number(), -250);
    EXPECT_TRUE(*list[2].Bool());
    EXPECT_FALSE(*list[3].Bool());
    EXPECT_TRUE(list[4].IsNull());
    EXPECT_EQ(*parse.Value->Member("a")->Member("x")->String(), "y");
}

TEST(JsonReader, DecodesEscapesToUtf8) {
    const JsonParse parse = ParseJson(R"("1024\u00d7768 \"q\" \\ \/ \t\n \u20ac \ud83d\ude00 \ud800")");
    ASSERT_TRUE(parse.Value) << parse.Error.Text();
    EXPECT_EQ(*parse.Value->String(),
              "1024\xC3\x97" "768 \"q\" \\ / \t\n \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD");
}

TEST(JsonReader, SaysWhatIsWrongAndWhere) {
    struct Case { const char* Text; const char* Error; };
    for (const Case& c : {
             Case{"{\r\n  \"a\": [1,\r\n  2", "unexpected end of data at line 3, column 4"},
             Case{"{\"a\": \"open", "unexpected end of data in a string at line 1, column 12"},
             Case{"{\"a\" 1}", "':' expected after a member name at line 1, column 6"},
             Case{"[1 2]", "',' or ']' expected at line 1, column 4"},
             Case{"\"\\x\"", "unknown escape '\\x' in a string at line 1, column 3"},
             Case{"\"\\u12g4\"", "four hexadecimal digits expected after \\u at line 1, column 6"},
             Case{"[01]", "',' or ']' expected at line 1, column 3"},
             Case{"{} x", "unexpected text after the end of the data at line 1, column 4"},
             Case{"", "unexpected end of data at line 1, column 1"},
             Case{"[1e999]", "number out of range at line 1, column 2"},
         }) {
        const JsonParse parse = ParseJson(c.Text);
        EXPECT_FALSE(parse.Value) << c.Text;
        EXPECT_EQ(parse.Error.Text(), c.Error) << c.Text;
    }
    EXPECT_EQ(ParseJson(std::string(1000, '[')).Error.What, "data nested too deeply");
}

// 200 levels of lists and objects are read; a 201st is refused where it opens.
TEST(JsonReader, NestingDeeperThanTwoHundredLevelsIsAnError) {
    const auto nested = [](int levels, bool objects) {
        std::string open, close;
        for (int i = 0; i < levels; ++i) {
            open += objects && i % 2 ? "{\"k\": " : "[";
            close.insert(0, objects && i % 2 ? "}" : "]");
        }
        return open + "1" + close;
    };
    for (bool objects : {false, true}) {
        SCOPED_TRACE(objects ? "lists and objects" : "lists");
        EXPECT_TRUE(ParseJson(nested(199, objects)).Value);
        EXPECT_TRUE(ParseJson(nested(200, objects)).Value);
        const JsonParse deeper = ParseJson(nested(201, objects));
        EXPECT_FALSE(deeper.Value);
        EXPECT_EQ(deeper.Error.What, "data nested too deeply");
    }
}

}  // namespace wmb
