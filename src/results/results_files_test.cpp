#include <gtest/gtest.h>

#include "results/results_csv.h"
#include "results/results_json.h"
#include "support/sequence_results_sample.h"
#include "support/windows1252.h"

namespace wmb {
namespace {

TEST(ResultsJson, WholeFile) {
    const std::string expected =
        "{\r\n"
        "  \"program\": \"WildmereBench\",\r\n"
        "  \"version\": \"1.8.0.0\",\r\n"
        "  \"started\": \"05.04.2007 15:04:05\",\r\n"
        "  \"machine\": [\r\n"
        "    {\"name\": \"CPU\", \"value\": \"Intel\\u00ae Core \\\"Duo\\\"\"},\r\n"
        "    {\"name\": \"CPU speed\", \"value\": \"2000 MHz\"}\r\n"
        "  ],\r\n"
        "  \"settings\": {\r\n"
        "    \"demo\": \"Pier, 1.tmd\",\r\n"
        "    \"quality\": \"Maximum quality option\",\r\n"
        "    \"renderer\": \"Direct3D\",\r\n"
        "    \"shaderModel\": \"model 2.0b\",\r\n"
        "    \"antialiasing\": \"4\\u00d7\",\r\n"
        "    \"anisotropic\": \"8\\u00d7\",\r\n"
        "    \"hdr\": \"disabled\",\r\n"
        "    \"instancing\": \"enabled\",\r\n"
        "    \"normalMaps\": \"disabled\",\r\n"
        "    \"runs\": 2,\r\n"
        "    \"note\": \"C:\\\\drivers\\\\new \\u20ac\"\r\n"
        "  },\r\n"
        "  \"slots\": [\r\n"
        "    {\r\n"
        "      \"slot\": 2,\r\n"
        "      \"resolution\": \"1024\\u00d7768\",\r\n"
        "      \"width\": 1024,\r\n"
        "      \"height\": 768,\r\n"
        "      \"status\": \"ok\",\r\n"
        "      \"runs\": [\r\n"
        "        {\"run\": 1, \"text\": \"40,5\", \"score\": 40.5},\r\n"
        "        {\"run\": 2, \"text\": \"49.5\", \"score\": 49.5}\r\n"
        "      ],\r\n"
        "      \"average\": 45,\r\n"
        "      \"averageText\": \"45\",\r\n"
        "      \"min\": 40.5,\r\n"
        "      \"max\": 49.5,\r\n"
        "      \"stddev\": 6.363961030678928,\r\n"
        "      \"cv\": 14.142135623730951,\r\n"
        "      \"unstable\": true,\r\n"
        // mean 45 +- t(0.975, 1) 12.7062 * 6.3640 / sqrt(2)
        "      \"interval95\": {\"low\": -12.177921, \"high\": 102.177921}\r\n"
        "    },\r\n"
        "    {\r\n"
        "      \"slot\": 3,\r\n"
        "      \"resolution\": \"1280\\u00d71024\",\r\n"
        "      \"width\": 1280,\r\n"
        "      \"height\": 1024,\r\n"
        "      \"status\": \"failed\",\r\n"
        "      \"failure\": \"no finish line\"\r\n"
        "    }\r\n"
        "  ]\r\n"
        "}\r\n";
    EXPECT_EQ(ResultsJson(test::TwoSlots(), test::Windows1252ToUtf16), expected);
}

TEST(ResultsJson, ControlCharactersAndNoSlots) {
    EXPECT_EQ(JsonString("a\tb\r\n\x01", test::Windows1252ToUtf16), "\"a\\tb\\r\\n\\u0001\"");
    SequenceResults none;
    const std::string json = ResultsJson(none, test::Windows1252ToUtf16);
    EXPECT_NE(json.find("\"machine\": [],\r\n"), std::string::npos);
    EXPECT_NE(json.find("\"slots\": []\r\n}"), std::string::npos);
}

TEST(ResultsCsv, OneRowPerRunOfTheSlotsThatSucceeded) {
    SequenceResults r = test::TwoSlots();
    r.Slots[0].Runs[0].Score = 40.25;
    EXPECT_EQ(ResultsCsv(r),
              "slot,resolution,run,score,width,height\r\n"
              "2,1024x768,1,40.25,1024,768\r\n"
              "2,1024x768,2,49.5,1024,768\r\n");
    for (unsigned char c : ResultsCsv(r)) EXPECT_LT(c, 0x80);
}

// Two launches of two runs each, whose runs still vary more than the 3 % limit.
SequenceResults Repeated() {
    SequenceResults r = test::TwoSlots();
    r.Repeat = RepeatSettings{3, 2};
    r.Slots[0].Runs = {{"40,5", 40.5}, {"49.5", 49.5}, {"45", 45}, {"46", 46}};
    r.Slots[0].Repeats = SlotRepeats{2, false, 3, 2};
    return r;
}

TEST(ResultsJson, RepeatsAddTheirSettingsEachRunsLaunchAndTheSlotsLaunches) {
    const std::string json = ResultsJson(Repeated(), test::Windows1252ToUtf16);
    for (const char* part : {
             "    \"note\": \"C:\\\\drivers\\\\new \\u20ac\",\r\n"
             "    \"repeatLimit\": 3,\r\n    \"repeatMost\": 2\r\n  },",
             "        {\"run\": 1, \"text\": \"40,5\", \"score\": 40.5, \"launch\": 1},\r\n",
             "        {\"run\": 2, \"text\": \"49.5\", \"score\": 49.5, \"launch\": 1},\r\n",
             "        {\"run\": 3, \"text\": \"45\", \"score\": 45, \"launch\": 2},\r\n",
             "        {\"run\": 4, \"text\": \"46\", \"score\": 46, \"launch\": 2}\r\n",
             "},\r\n      \"launches\": 2,\r\n      \"stable\": false\r\n    },",
         }) {
        EXPECT_NE(json.find(part), std::string::npos) << part;
    }
    // The failed slot says nothing of launches.
    EXPECT_EQ(json.find("\"launches\"", json.find("\"failed\"")), std::string::npos);
}

TEST(ResultsCsv, RepeatsAddTheLaunchOfEachRunAsALastColumn) {
    EXPECT_EQ(ResultsCsv(Repeated()),
              "slot,resolution,run,score,width,height,launch\r\n"
              "2,1024x768,1,40.5,1024,768,1\r\n"
              "2,1024x768,2,49.5,1024,768,1\r\n"
              "2,1024x768,3,45,1024,768,2\r\n"
              "2,1024x768,4,46,1024,768,2\r\n");
}

TEST(ResultsCsv, ResolutionsInAscii) {
    const std::pair<const char*, const char*> cases[] = {
        {"1024\xD7" "768", "1024x768"}, {"1152\xD7" "864", "1152x864"}, {"", ""}, {"640x480", "640x480"}};
    for (const auto& [text, ascii] : cases) EXPECT_EQ(AsciiResolution(text), ascii);
}

TEST(ResultsCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::pair<const char*, const char*> cases[] = {
        {"1024\xD7" "768", "1024\xD7" "768"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
    };
    for (const auto& [text, field] : cases) EXPECT_EQ(CsvField(text), field);
}

}  // namespace
}  // namespace wmb
