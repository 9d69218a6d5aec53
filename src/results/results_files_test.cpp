#include <gtest/gtest.h>

#include "results/results_csv.h"
#include "results/results_json.h"
#include "compare/json_reader.h"
#include "compare/results_file.h"
#include "support/windows1252.h"

namespace wmb {
namespace {

SequenceResults TwoSlots() {
    SequenceResults r;
    r.Version = "1.8.0.0";
    r.Started = "05.04.2007 15:04:05";
    r.Machine = {{"CPU", "Intel\xAE Core \"Duo\""}, {"CPU speed", "2000 MHz"}};
    r.Settings = {"Pier, 1.tmd", "Maximum quality option", "Direct3D", "model 2.0b", "4\xD7", "8\xD7",
                  "disabled", "enabled", "disabled", 2, "C:\\drivers\\new \x80"};
    SlotResult ok;
    ok.Slot = 2;
    ok.Resolution = "1024\xD7" "768";
    ok.Width = 1024;
    ok.Height = 768;
    ok.Runs = {{"40,5", 40.5}, {"49.5", 49.5}};
    ok.AverageText = "45";
    SlotResult failed;
    failed.Slot = 3;
    failed.Resolution = "1280\xD7" "1024";
    failed.Width = 1280;
    failed.Height = 1024;
    failed.Failure = SlotFailure::NoFinishLine;
    r.Slots = {ok, failed};
    return r;
}

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
        "      \"interval95\": {\"low\": -12.177921312786118, \"high\": 102.17792131278611}\r\n"
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
    EXPECT_EQ(ResultsJson(TwoSlots(), test::Windows1252ToUtf16), expected);
}

// What the program writes is what the comparison tool reads (texts come back as UTF-8).
TEST(ResultsJson, ReadsBackToTheSameTextsAndNumbers) {
    SequenceResults r = TwoSlots();
    r.Slots[0].Runs = {{"0.1", 0.1}, {"77.81", 77.81}, {"1e+20", 1e20}};
    const std::string json = ResultsJson(r, test::Windows1252ToUtf16);
    const ResultsRead read = ReadResultsFile(json);
    ASSERT_TRUE(read.File) << read.Error;
    EXPECT_EQ(read.File->Machine[0].second, "Intel\xC2\xAE Core \"Duo\"");
    EXPECT_EQ(read.File->Slots[0].Resolution, "1024\xC3\x97" "768");
    EXPECT_EQ(read.File->Slots[0].Scores, (std::vector<double>{0.1, 77.81, 1e20}));
    EXPECT_TRUE(read.File->Slots[0].Unstable);
    EXPECT_EQ(read.File->Slots[1].Failure, "no finish line");
    const auto parsed = ParseJson(json);
    ASSERT_TRUE(parsed.Value);
    const double cv = *parsed.Value->Member("slots")->Array()->at(0).Member("cv")->Number();
    EXPECT_EQ(cv, StatisticsOf(ScoresOf(r.Slots[0])).CvPercent);
    EXPECT_FALSE(ReadResultsFile(json.substr(0, 200)).File);
}

TEST(ResultsJson, ControlCharactersAndNoSlots) {
    EXPECT_EQ(JsonString("a\tb\r\n\x01", test::Windows1252ToUtf16), "\"a\\tb\\r\\n\\u0001\"");
    SequenceResults none;
    const std::string json = ResultsJson(none, test::Windows1252ToUtf16);
    EXPECT_NE(json.find("\"machine\": [],\r\n"), std::string::npos);
    EXPECT_NE(json.find("\"slots\": []\r\n}"), std::string::npos);
}

TEST(ResultsCsv, OneRowPerRunOfTheSlotsThatSucceeded) {
    SequenceResults r = TwoSlots();
    r.Slots[0].Runs[0].Score = 40.25;
    EXPECT_EQ(ResultsCsv(r),
              "slot,resolution,run,score,width,height\r\n"
              "2,1024x768,1,40.25,1024,768\r\n"
              "2,1024x768,2,49.5,1024,768\r\n");
    for (unsigned char c : ResultsCsv(r)) EXPECT_LT(c, 0x80);
}

// A file written before settings could be null: an empty box was "" or, for the filters, a bare sign.
TEST(ResultsJson, OlderFilesReadTheirEmptyBoxesAsNotSet) {
    SequenceResults r = TwoSlots();
    r.Settings.ShaderModel = "";
    r.Settings.Antialiasing = "\xD7";
    r.Settings.Anisotropic = "16\xD7";
    r.Settings.Renderer = "OpenGL";
    r.Settings.Note = "";
    const ResultsRead read = ReadResultsFile(ResultsJson(r, test::Windows1252ToUtf16));
    ASSERT_TRUE(read.File) << read.Error;
    const auto value = [&](const std::string& label) {
        for (const auto& [name, text] : read.File->Settings) {
            if (name == label) return text;
        }
        return std::string("(missing)");
    };
    EXPECT_EQ(value("Shader model"), kNotSetText);
    EXPECT_EQ(value("Antialiasing"), kNotSetText);
    EXPECT_EQ(value("Anisotropic filtering"), "16\xC3\x97");
    EXPECT_EQ(value("Renderer"), "OpenGL");
    EXPECT_EQ(value("Note"), "");
}

TEST(ResultsCsv, ResolutionsInAscii) {
    const std::pair<const char*, const char*> cases[] = {
        {"1024\xD7" "768", "1024x768"}, {"1152\xD7" "864", "1152x864"}, {"", ""}, {"640x480", "640x480"}};
    for (const auto& [text, ascii] : cases) EXPECT_EQ(AsciiResolution(text), ascii);
}

// Options the program did not set for the game are null, and the comparison tool reads them back as not set.
TEST(ResultsJson, SettingsNotSetAreNull) {
    SequenceResults r = TwoSlots();
    r.Settings.Renderer.reset();
    r.Settings.ShaderModel.reset();
    r.Settings.Antialiasing.reset();
    r.Settings.Anisotropic = "From System";
    const std::string json = ResultsJson(r, test::Windows1252ToUtf16);
    for (const char* line : {"\"renderer\": null,\r\n", "\"shaderModel\": null,\r\n", "\"antialiasing\": null,\r\n",
                             "\"anisotropic\": \"From System\",\r\n", "\"quality\": \"Maximum quality option\",\r\n"}) {
        EXPECT_NE(json.find(line), std::string::npos) << line;
    }
    const ResultsRead read = ReadResultsFile(json);
    ASSERT_TRUE(read.File) << read.Error;
    const std::vector<NamedText> expected = {
        {"Demo", "Pier, 1.tmd"}, {"Quality", "Maximum quality option"}, {"Renderer", kNotSetText},
        {"Shader model", kNotSetText}, {"Antialiasing", kNotSetText}, {"Anisotropic filtering", "From System"},
        {"HDR", "disabled"}, {"Instancing", "enabled"}, {"Normal maps", "disabled"}, {"Runs", "2"},
        {"Note", "C:\\drivers\\new \xE2\x82\xAC"}};
    EXPECT_EQ(read.File->Settings, expected);
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
