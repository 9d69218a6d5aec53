// The machine facts at the head of a report: the DirectX diagnostic tool is started once per run of the
// program, its three slow facts are cached in the settings key until the program exits, and a missing
// tool still lets the sequence run.

#include <algorithm>

#include "e2e/bench_fixture.h"
#include "platform/win32/registry_key.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kOverridesKey = "Software\\Wine\\DllOverrides";

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

// Where the substitute tool notes "working folder|command line" for every start.
std::string ToolLaunchesFile() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\temp\\dxdiag-launches.txt";
}

// Puts the substitute tool (or, with an empty path, no tool at all) in place of Wine's dxdiag.exe for
// the life of the object. Wine prefers its own build of a program in the system folder, so the
// substitute also needs a "native" override.
class DiagnosticToolSwap {
public:
    explicit DiagnosticToolSwap(const std::string& substitute)
        : tool_(SystemFolder() + "\\dxdiag.exe"), backup_(SystemFolder() + "\\dxdiag-wine.exe.bak") {
        // A test that was killed may have left Wine's tool in its backup.
        if (Exists(backup_)) MoveFileExA(backup_.c_str(), tool_.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!MoveFileA(tool_.c_str(), backup_.c_str())) throw std::runtime_error("cannot move " + tool_);
        if (substitute.empty()) return;
        if (!CopyFileA(substitute.c_str(), tool_.c_str(), FALSE)) throw std::runtime_error("cannot copy " + substitute);
        RegKey::Create(HKEY_CURRENT_USER, kOverridesKey, KEY_ALL_ACCESS).WriteString("dxdiag.exe", "native");
    }
    ~DiagnosticToolSwap() {
        RegKey::Open(HKEY_CURRENT_USER, kOverridesKey, KEY_ALL_ACCESS).DeleteValue("dxdiag.exe");
        DeleteFileA(tool_.c_str());
        MoveFileA(backup_.c_str(), tool_.c_str());
    }
    DiagnosticToolSwap(const DiagnosticToolSwap&) = delete;
    DiagnosticToolSwap& operator=(const DiagnosticToolSwap&) = delete;

private:
    std::string tool_, backup_;
};

class SysinfoE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        DeleteFileA(ToolLaunchesFile().c_str());
    }

    static std::string Substitute() { return BuildFolder() + "\\game\\dxdiag\\dxdiag.exe"; }

    // Runs one benchmark of slot 800x600 with one run and returns the new report's text.
    std::string BenchmarkOnce() {
        const auto before = ReportsIn(game_ + "Benchmark");
        RunBenchmark("The benchmarking is successful.");
        auto after = ReportsIn(game_ + "Benchmark");
        for (const auto& name : before) after.erase(std::remove(after.begin(), after.end(), name), after.end());
        if (after.size() != 1) {
            ADD_FAILURE() << "expected one new report, found " << after.size();
            return {};
        }
        return ReadAll(game_ + "Benchmark\\" + after[0]);
    }

    void PrepareOneSlot() {
        ChooseTypicalSettings("1");
        CheckResolution(1);
    }

    std::string ExpectedToolStart() const {
        return SystemFolder() + "|" + SystemFolder() + "\\dxdiag.exe /whql:on /t " + program_ + "dxinfo.txt";
    }
};

bool Has(const std::string& html, const std::string& line) { return html.find(line + "\r\n") != std::string::npos; }

std::string MemoryLine(const std::string& value) { return "   <FONT size=2><b>Memory:</b> " + value + "</FONT><br>"; }
std::string DriverLine(const std::string& value) {
    return "   <FONT size=2><b>Driver version:</b> " + value + "</FONT><br>";
}
std::string SoundLine(const std::string& value) {
    return "   <FONT size=2><b>Sound system:</b> " + value + "</FONT><br>";
}

TEST_F(SysinfoE2E, FirstSequenceRunsTheToolLaterOnesUseTheCacheUntilExit) {
    DiagnosticToolSwap tool(Substitute());
    PointAtGame();
    StartProgram();
    PrepareOneSlot();

    const std::string first = BenchmarkOnce();
    EXPECT_EQ(LinesOf(ToolLaunchesFile()), std::vector<std::string>{ExpectedToolStart()});
    EXPECT_FALSE(Exists(program_ + "dxinfo.txt"));
    EXPECT_EQ(Setting("Display Memory"), " 256.0 MB");
    EXPECT_EQ(Setting("Driver Version"), " 6.14.0010.6614 (English)");
    EXPECT_EQ(Setting("Sound"), "Example Audio Device");
    EXPECT_TRUE(Has(first, MemoryLine(" 256.0 MB"))) << first;
    EXPECT_TRUE(Has(first, DriverLine(" 6.14.0010.6614 (English)")));
    EXPECT_TRUE(Has(first, SoundLine("Example Audio Device")));

    // The second sequence takes what the cache holds now, and a missing fact reads "No information".
    SetSetting("Display Memory", " 128.0 MB");
    SetSetting("Sound", "");
    const std::string second = BenchmarkOnce();
    EXPECT_EQ(LinesOf(ToolLaunchesFile()).size(), 1u);
    EXPECT_TRUE(Has(second, MemoryLine(" 128.0 MB"))) << second;
    EXPECT_TRUE(Has(second, DriverLine(" 6.14.0010.6614 (English)")));
    EXPECT_TRUE(Has(second, SoundLine("No information")));

    CloseProgram();
    RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrane\\RERurov", KEY_READ);
    for (const char* name : {"Display Memory", "Driver Version", "Sound"}) {
        EXPECT_TRUE(key.ValueExists(name)) << name;
        EXPECT_EQ(key.ReadString(name), "") << name;
    }
}

TEST_F(SysinfoE2E, ProgramFolderWithABlankIsQuotedOnTheToolsCommandLine) {
    const std::string work = program_.substr(0, program_.size() - std::string("Bench\\").size());
    ASSERT_TRUE(MoveFileA((work + "Bench").c_str(), (work + "Bench Folder").c_str()));
    program_ = work + "Bench Folder\\";
    DiagnosticToolSwap tool(Substitute());
    PointAtGame();
    StartProgram();
    PrepareOneSlot();

    const std::string html = BenchmarkOnce();
    const std::string system = SystemFolder();
    EXPECT_EQ(LinesOf(ToolLaunchesFile()),
              std::vector<std::string>{system + "|" + system + "\\dxdiag.exe /whql:on /t \"" + program_ + "dxinfo.txt\""});
    EXPECT_TRUE(Has(html, MemoryLine(" 256.0 MB"))) << html;
    EXPECT_FALSE(Exists(program_ + "dxinfo.txt"));
    CloseProgram();
}

TEST_F(SysinfoE2E, MissingToolLeavesTheFactsIndeterminableAndTheSequenceRuns) {
    DiagnosticToolSwap tool("");
    PointAtGame();
    StartProgram();
    PrepareOneSlot();

    const std::string html = BenchmarkOnce();
    EXPECT_TRUE(Has(html, MemoryLine("indeterminable"))) << html;
    EXPECT_TRUE(Has(html, DriverLine("indeterminable")));
    EXPECT_TRUE(Has(html, SoundLine("indeterminable")));
    EXPECT_NE(html.find("Score = "), std::string::npos);
    EXPECT_EQ(Setting("Display Memory"), "");
    EXPECT_EQ(Launches().size(), 1u);
    CloseProgram();
}

TEST_F(SysinfoE2E, CacheLeftByAnEarlierRunServesTheFirstSequence) {
    DiagnosticToolSwap tool(Substitute());
    SetSetting("Display Memory", " 64.0 MB");
    SetSetting("Driver Version", "");
    SetSetting("Sound", "Left Audio");
    PointAtGame();
    StartProgram();
    PrepareOneSlot();

    const std::string html = BenchmarkOnce();
    EXPECT_FALSE(Exists(ToolLaunchesFile()));
    EXPECT_TRUE(Has(html, MemoryLine(" 64.0 MB"))) << html;
    EXPECT_TRUE(Has(html, DriverLine("No information")));
    EXPECT_TRUE(Has(html, SoundLine("Left Audio")));
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
