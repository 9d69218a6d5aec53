#include "sysinfo/dxdiag_report.h"

#include <gtest/gtest.h>

#include "sysinfo/system_info.h"

namespace wmb {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

const std::string kFullReport = Lines({
    "------------------",
    "System Information",
    "------------------",
    "Time of this report: 3/14/2007, 21:07:11",
    "       Machine name: BENCH",
    "   Operating System: Windows XP Professional (5.1, Build 2600)",
    "---------------",
    "Display Devices",
    "---------------",
    "        Card name: Example Adapter",
    "     Manufacturer: Example Corp",
    "   Display Memory: 256.0 MB",
    "      Driver Name: example.dll",
    "   Driver Version: 6.14.0010.6614 (English)",
    "  Deinterlace Caps: Format(In/Out)=(YUY2,YUY2) Frames(Prev/Fwd/Back)=(0,0,0)",
    "-------------",
    "Sound Devices",
    "-------------",
    "            Description: Example Audio Device",
    " Default Sound Playback: Yes",
    "         Driver Version: 5.10.0000.2600 (English)",
});

TEST(DxDiagReport, ReadsTheFourFactsOfAFullReport) {
    const DxDiagFacts facts = ParseDxDiagReport(kFullReport);
    EXPECT_EQ(facts.CardName, " Example Adapter");
    EXPECT_EQ(facts.DisplayMemory, " 256.0 MB");
    EXPECT_EQ(facts.DriverVersion, " 6.14.0010.6614 (English)");
    EXPECT_EQ(facts.SoundDevice, "Example Audio Device");
    EXPECT_TRUE(facts.CardNameFound && facts.DisplayMemoryFound && facts.DriverVersionFound && facts.SoundDeviceFound);
}

TEST(DxDiagReport, KeysMatchInAnyCaseAndValuesKeepTheirFixedPosition) {
    const DxDiagFacts facts = ParseDxDiagReport(Lines({
        "header",
        "   CARD NAME: Upper",
        "   display memory: 64.0 MB",
        "   xDriver Version: 1.2",  // key not at the start: the value is still cut at position 16
        "   DESCRIPTION: Loud",
    }));
    EXPECT_EQ(facts.CardName, " Upper");
    EXPECT_EQ(facts.DisplayMemory, " 64.0 MB");
    EXPECT_EQ(facts.DriverVersion, ": 1.2");
    EXPECT_EQ(facts.SoundDevice, "Loud");
}

TEST(DxDiagReport, EachKeyIsSearchedOnlyFromThePreviousKeysLine) {
    const DxDiagFacts facts = ParseDxDiagReport(Lines({
        "header",
        "   Description: Too early",
        "   Driver Version: too early",
        "   Card name: Adapter",
        "   Display Memory: 128.0 MB",
        "   Driver Version: 1.0",
        "   Description: Sound Card",
    }));
    EXPECT_EQ(facts.DriverVersion, " 1.0");
    EXPECT_EQ(facts.SoundDevice, "Sound Card");
}

TEST(DxDiagReport, ALineWithAnEqualsSignIsExaminedAfterItsFirstEquals) {
    const DxDiagFacts facts = ParseDxDiagReport(Lines({
        "header",
        "Card name: in front=nothing",
        "Other=Card name: Behind",
        "   Display Memory: 1 MB",
        "   Driver Version: 2",
        "   Description: Three",
    }));
    EXPECT_EQ(facts.CardName, " Behind");
}

TEST(DxDiagReport, TheFirstLineKeepsItsLeadingBlanks) {
    // Only the first line is reduced without trimming; the value is then cut at the fixed position.
    const DxDiagFacts facts = ParseDxDiagReport(Lines({"  Card name: First", "   Display Memory: 8 MB"}));
    EXPECT_EQ(facts.CardName, ": First");
    EXPECT_EQ(facts.DisplayMemory, " 8 MB");
}

TEST(DxDiagReport, ReportsWithoutKeysEndTheScanAtTheLastLine) {
    const DxDiagFacts empty = ParseDxDiagReport("");
    EXPECT_EQ(empty.CardName, kIndeterminable);
    EXPECT_EQ(empty.SoundDevice, kIndeterminable);
    EXPECT_FALSE(empty.DisplayMemoryFound);

    // The short report Wine's own tool writes: a system section only.
    const DxDiagFacts wine = ParseDxDiagReport(Lines({
        "------------------",
        "System Information",
        "------------------",
        "Operating System: Microsoft Windows 7",
        "Processor: Intel(R) Core(TM) i7 CPU",
        "Memory: 2048MB",
    }));
    EXPECT_EQ(wine.CardName, kIndeterminable);
    EXPECT_EQ(wine.DisplayMemory, kIndeterminable);
    EXPECT_EQ(wine.DriverVersion, kIndeterminable);
    EXPECT_EQ(wine.SoundDevice, kIndeterminable);
    EXPECT_FALSE(wine.CardNameFound || wine.DisplayMemoryFound || wine.DriverVersionFound || wine.SoundDeviceFound);
}

TEST(DxDiagReport, AMissingKeyLeavesTheLaterKeysFindable) {
    const DxDiagFacts facts = ParseDxDiagReport(Lines({
        "header",
        "   Card name: Adapter",
        "   Driver Version: 3.0",
        "   Description: Speaker",
    }));
    EXPECT_EQ(facts.CardName, " Adapter");
    EXPECT_EQ(facts.DisplayMemory, kIndeterminable);
    EXPECT_FALSE(facts.DisplayMemoryFound);
    EXPECT_EQ(facts.DriverVersion, " 3.0");
    EXPECT_EQ(facts.SoundDevice, "Speaker");
}

TEST(DxDiagReport, AKeyWithoutValueGivesAnEmptyText) {
    const DxDiagFacts facts = ParseDxDiagReport(Lines({"h", "   Card name:", "   Display Memory:"}));
    EXPECT_TRUE(facts.CardNameFound);
    EXPECT_EQ(facts.CardName, "");
    EXPECT_TRUE(facts.DisplayMemoryFound);
    EXPECT_EQ(facts.DisplayMemory, "");
    EXPECT_EQ(facts.DriverVersion, kIndeterminable);
}

TEST(DxDiagLines, SplitAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitReportLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitReportLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitReportLines("").empty());
}

TEST(DxDiagLines, ReductionAndNextLine) {
    EXPECT_EQ(ReduceDxInfoLine("Format(In/Out)=(YUY2,YUY2)"), "(YUY2,YUY2)");
    EXPECT_EQ(ReduceDxInfoLine("  Card name: X"), " Card name: X");
    EXPECT_EQ(ReduceDxInfoLine(""), "");

    DxInfoReader reader({"first", "     second line", "a=  third"});
    ASSERT_TRUE(reader.NextDxInfoLine());
    EXPECT_EQ(reader.CurrentLine(), "second line");
    ASSERT_TRUE(reader.NextDxInfoLine());
    EXPECT_EQ(reader.CurrentLine(), "third");
    EXPECT_FALSE(reader.NextDxInfoLine());
    EXPECT_EQ(reader.CurrentLine(), "third");
}

}  // namespace
}  // namespace wmb
