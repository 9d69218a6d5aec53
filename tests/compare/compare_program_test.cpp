// WildmereCompare.exe from the Program folder on results files in the program's layout: the page for two
// sequences with different presets, and the messages and exit code 2 for bad input.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "e2e/test_files.h"

namespace wmb::e2e {
namespace {

struct Finished {
    DWORD ExitCode = 0;
    std::string Out;
    std::string Err;
};

struct Slot {
    int Width, Height;
    std::vector<double> Scores;  // empty: the slot failed
};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

double Average(const std::vector<double>& scores) {
    double sum = 0;
    for (double s : scores) sum += s;
    return sum / static_cast<double>(scores.size());
}

// A results file as the program writes it beside its report.
std::string ResultsJson(const std::string& quality, const std::string& started, const std::vector<Slot>& slots) {
    std::string json =
        "{\r\n  \"program\": \"WildmereBench\",\r\n  \"version\": \"1.8.0.0\",\r\n  \"started\": \"" + started + "\",\r\n"
        "  \"machine\": [\r\n    {\"name\": \"Operating system\", \"value\": \"Windows XP Professional\"},\r\n"
        "    {\"name\": \"Graphics card\", \"value\": \"RADEON X800\"}\r\n  ],\r\n"
        "  \"settings\": {\r\n    \"demo\": \"Pier 1\", \"quality\": \"" + quality + "\", \"renderer\": \"Direct3D\", "
        "\"shaderModel\": \"Pixel shader: default model\", \"antialiasing\": \"Off\",\r\n    \"anisotropic\": \"4x\", "
        "\"hdr\": \"Off\", \"instancing\": \"On\", \"normalMaps\": \"On\", \"runs\": 3, \"note\": \"caf\\u00e9\"\r\n  },\r\n"
        "  \"slots\": [";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Slot& slot = slots[i];
        json += std::string(i ? "," : "") + "\r\n    {\"slot\": " + std::to_string(i) + ", \"resolution\": \"" +
                std::to_string(slot.Width) + "\\u00d7" + std::to_string(slot.Height) + "\", \"width\": " +
                std::to_string(slot.Width) + ", \"height\": " + std::to_string(slot.Height) + ", ";
        if (slot.Scores.empty()) {
            json += "\"status\": \"failed\", \"failure\": \"no finish line\"}";
            continue;
        }
        json += "\"status\": \"ok\",\r\n     \"runs\": [";
        for (std::size_t r = 0; r < slot.Scores.size(); ++r) {
            json += std::string(r ? ", " : " ") + "{\"run\": " + std::to_string(r + 1) + ", \"text\": \"" +
                    Number(slot.Scores[r]) + "\", \"score\": " + Number(slot.Scores[r]) + "}";
        }
        const std::string average = Number(Average(slot.Scores));
        json += " ],\r\n     \"average\": " + average + ", \"averageText\": \"" + average + "\", \"min\": 0, \"max\": 0, "
                "\"stddev\": 0, \"cv\": 0, \"unstable\": false}";
    }
    return json + "\r\n  ]\r\n}\r\n";
}

class CompareProgram : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTree(BuildFolder() + "\\compare-work");
        ASSERT_TRUE(CreateDirectoryA((BuildFolder() + "\\compare-work").c_str(), nullptr));
        work_ = BuildFolder() + "\\compare-work\\";
        exe_ = BuildFolder() + "\\program\\WildmereCompare.exe";
        ASSERT_TRUE(Exists(exe_)) << exe_;
    }
    void TearDown() override { RemoveTree(BuildFolder() + "\\compare-work"); }

    // Starts the program with its output and error output going into files (without a console, which
    // would hold on to them) and waits for its end.
    Finished Compare(const std::string& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        ++runs_;
        const std::string outPath = work_ + "out" + std::to_string(runs_) + ".txt";
        const std::string errPath = work_ + "err" + std::to_string(runs_) + ".txt";
        HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_NEW, 0, nullptr);
        HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_NEW, 0, nullptr);
        if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make " + outPath);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        PROCESS_INFORMATION process{};
        std::string commandLine = "\"" + exe_ + "\" " + arguments;
        const BOOL started = CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                                            nullptr, work_.c_str(), &startup, &process);
        CloseHandle(out);
        CloseHandle(err);
        if (!started) throw std::runtime_error("CreateProcessA failed: " + std::to_string(GetLastError()));
        Finished run;
        const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.ExitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (waited != WAIT_OBJECT_0) throw std::runtime_error("WildmereCompare.exe did not end");
        run.Out = ReadAll(outPath);
        run.Err = ReadAll(errPath);
        return run;
    }

    std::string work_;
    std::string exe_;
    int runs_ = 0;
};

const std::vector<Slot> kHigh = {{800, 600, {88.1, 88.9, 88.2}}, {1024, 768, {70.1, 71.9, 73.7}}, {1280, 1024, {52, 52, 52}}};
const std::vector<Slot> kUltra = {{800, 600, {60.0, 61.2, 62.4}}, {1024, 768, {41.0, 45.3, 49.6}}, {1280, 1024, {}}};

TEST_F(CompareProgram, ComparesTwoSequencesWithDifferentPresets) {
    WriteAll(work_ + "A.json", ResultsJson("High quality option", "09.12.2026 20:15:04", kHigh));
    WriteAll(work_ + "B.json", ResultsJson("Ultra quality option", "09.12.2026 21:02:40", kUltra));

    const Finished run = Compare("A.json B.json");
    EXPECT_EQ(run.ExitCode, 0u) << run.Err;
    EXPECT_EQ(run.Out, "A_compare.htm\r\n");
    const std::string page = ReadAll(work_ + "A_compare.htm");
    ASSERT_FALSE(page.empty());
    for (const std::string& shown : {std::string("<th>A.json</th>"), std::string("<th>B.json</th>"),
                                     std::string("<td>09.12.2026 21:02:40</td>"),
                                     std::string("<tr class=\"differs\"><th>Quality</th><td>High quality option</td>"),
                                     std::string("<td>caf\xC3\xA9</td>"), std::string("<th>1024\xC3\x97" "768</th>"),
                                     std::string("failed (no finish line)")})
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    // The differences against A, computed here from the averages both files hold.
    for (std::size_t i = 0; i < 2; ++i) {
        const double first = std::stod(Number(Average(kHigh[i].Scores)));
        const double other = std::stod(Number(Average(kUltra[i].Scores)));
        char expected[32];
        std::snprintf(expected, sizeof expected, ">%+.1f %%</td>", (other - first) / first * 100);
        EXPECT_NE(page.find(expected), std::string::npos) << expected;
    }

    const Finished named = Compare("B.json A.json -o \"two sequences.htm\"");
    EXPECT_EQ(named.ExitCode, 0u) << named.Err;
    EXPECT_EQ(named.Out, "two sequences.htm\r\n");
    EXPECT_TRUE(Exists(work_ + "two sequences.htm"));
}

TEST_F(CompareProgram, BadInputGetsTheMessageExitCodeTwoAndNoPage) {
    const std::string whole = ResultsJson("Ultra quality option", "09.12.2026 21:02:40", kUltra);
    WriteAll(work_ + "A.json", ResultsJson("High quality option", "09.12.2026 20:15:04", kHigh));
    WriteAll(work_ + "B.json", whole.substr(0, whole.size() / 2));
    WriteAll(work_ + "C.json", ResultsJson("Ultra quality option", "09.12.2026 21:02:40", {kUltra[0]}));
    struct Case {
        std::string Arguments;
        std::string Message;
    };
    for (const Case& c : {Case{"A.json B.json", "B.json: unexpected end of data"},
                          Case{"A.json missing.json -o out.htm", "missing.json: cannot be read"},
                          Case{"A.json C.json", "C.json: its resolutions (800\xD7" "600) differ from those of A.json"},
                          Case{"A.json", "usage: WildmereCompare"}}) {
        const Finished run = Compare(c.Arguments);
        EXPECT_EQ(run.ExitCode, 2u) << c.Arguments;
        EXPECT_EQ(run.Err.rfind(c.Message, 0), 0u) << ::testing::PrintToString(run.Err);
        EXPECT_EQ(run.Out, "") << c.Arguments;
    }
    EXPECT_FALSE(Exists(work_ + "A_compare.htm"));
    EXPECT_FALSE(Exists(work_ + "out.htm"));
}

TEST_F(CompareProgram, AnOutputThatIsOneOfTheInputsIsRefusedAndTheInputKept) {
    const std::string a = ResultsJson("High quality option", "09.12.2026 20:15:04", kHigh);
    WriteAll(work_ + "A.json", a);
    WriteAll(work_ + "B.json", ResultsJson("Ultra quality option", "09.12.2026 21:02:40", kUltra));
    for (const std::string& output : {std::string("A.json"), std::string("a.JSON"), std::string(".\\A.json"),
                                      "\"" + work_ + "B.json\""}) {
        const Finished run = Compare("A.json B.json -o " + output);
        EXPECT_EQ(run.ExitCode, 2u) << output;
        EXPECT_NE(run.Err.find("is one of the inputs"), std::string::npos) << ::testing::PrintToString(run.Err);
        EXPECT_EQ(run.Out, "") << output;
    }
    EXPECT_EQ(ReadAll(work_ + "A.json"), a);
    EXPECT_EQ(ReadAll(work_ + "B.json").substr(0, 1), "{");
}

}  // namespace
}  // namespace wmb::e2e
