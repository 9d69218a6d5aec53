#include "sysinfo/system_info_collector.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/memory_file_system.h"

namespace wmb {
namespace {

class FakeRunner : public ProcessRunner {
public:
    struct Call {
        std::string Application, CommandLine, WorkingFolder;
    };
    std::vector<Call> Calls;
    bool Fail = false;
    void Start(const std::string& application, const std::string& commandLine,
               const std::string& workingFolder) override {
        if (Fail) throw std::runtime_error("cannot start");
        Calls.push_back({application, commandLine, workingFolder});
    }
    bool Running() const override { return false; }
};

const char* const kSystem = "C:\\WINDOWS\\system32";
const char* const kProgram = "C:\\Bench\\";
const char* const kReport = "C:\\Bench\\dxinfo.txt";

const std::string kReportBytes =
    "------------------\r\nSystem Information\r\n------------------\r\n"
    "        Card name: Example Adapter\r\n"
    "   Display Memory: 256.0 MB\r\n"
    "   Driver Version: 6.14.0010.6614 (English)\r\n"
    "            Description: Example Audio Device\r\n";

class Collector : public ::testing::Test {
protected:
    Collector() { files.Put(std::string(kSystem) + "\\dxdiag.exe", "MZ"); }

    // Runs one collection; returns whether onDone ran before Collect returned.
    bool Collect() {
        done = 0;
        return collector.Collect(info, [this] { ++done; });
    }

    test::MemorySettings settings;
    test::MemoryFileSystem files;
    FakeRunner runner;
    SystemInfoCollector collector{settings, files, runner, kSystem, kProgram};
    SystemInfo info;
    int done = 0;
};

TEST(DxDiagCommand, IsTheSystemFolderToolWithTheReportInTheProgramFolder) {
    EXPECT_EQ(DxDiagCommandLine("C:\\WINDOWS\\system32", "C:\\Bench\\"),
              "C:\\WINDOWS\\system32\\dxdiag.exe /whql:on /t C:\\Bench\\dxinfo.txt");
    EXPECT_EQ(DxDiagCommandLine("C:\\WINDOWS\\system32", "C:\\Program Files\\X\\"),
              "C:\\WINDOWS\\system32\\dxdiag.exe /whql:on /t \"C:\\Program Files\\X\\dxinfo.txt\"");
    EXPECT_EQ(DxDiagCommandLine("C:\\My Windows\\system32", "C:\\B\\"),
              "\"C:\\My Windows\\system32\\dxdiag.exe\" /whql:on /t C:\\B\\dxinfo.txt");
}

TEST_F(Collector, FirstCollectionStartsTheToolAndReadsItsReport) {
    EXPECT_FALSE(Collect());
    ASSERT_EQ(runner.Calls.size(), 1u);
    EXPECT_EQ(runner.Calls[0].Application, "C:\\WINDOWS\\system32\\dxdiag.exe");
    EXPECT_EQ(runner.Calls[0].CommandLine, "C:\\WINDOWS\\system32\\dxdiag.exe /whql:on /t C:\\Bench\\dxinfo.txt");
    EXPECT_EQ(runner.Calls[0].WorkingFolder, kSystem);
    EXPECT_EQ(done, 0);
    EXPECT_TRUE(collector.WaitingForTool());

    files.Put(kReport, kReportBytes);
    collector.OnToolEnded(info);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(collector.WaitingForTool());
    EXPECT_EQ(info.CardName, " Example Adapter");
    EXPECT_EQ(info.DisplayMemory, " 256.0 MB");
    EXPECT_EQ(info.DriverVersion, " 6.14.0010.6614 (English)");
    EXPECT_EQ(info.SoundDevice, "Example Audio Device");
    EXPECT_EQ(settings.Values["Display Memory"], " 256.0 MB");
    EXPECT_EQ(settings.Values["Driver Version"], " 6.14.0010.6614 (English)");
    EXPECT_EQ(settings.Values["Sound"], "Example Audio Device");
    EXPECT_FALSE(files.FileExists(kReport));

    // The second sequence of the run answers from the cache; the card name stays as it was.
    info.DisplayMemory.clear();
    EXPECT_TRUE(Collect());
    EXPECT_EQ(done, 1);
    EXPECT_EQ(runner.Calls.size(), 1u);
    EXPECT_EQ(info.DisplayMemory, " 256.0 MB");
    EXPECT_EQ(info.CardName, " Example Adapter");
}

TEST_F(Collector, CacheFromAnEarlierRunFillsMissingFactsWithNoInformation) {
    settings.Values["Display Memory"] = " 128.0 MB";
    EXPECT_TRUE(Collect());
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(runner.Calls.empty());
    EXPECT_EQ(info.DisplayMemory, " 128.0 MB");
    EXPECT_EQ(info.DriverVersion, kNoInformation);
    EXPECT_EQ(info.SoundDevice, kNoInformation);
    EXPECT_EQ(info.CardName, "");
}

TEST_F(Collector, MissingOrUnstartableToolGivesIndeterminableWithoutCaching) {
    info.CardName = " Earlier";
    files.RemoveFile(std::string(kSystem) + "\\dxdiag.exe");
    EXPECT_TRUE(Collect());
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(runner.Calls.empty());
    EXPECT_EQ(info.DisplayMemory, kIndeterminable);
    EXPECT_EQ(info.DriverVersion, kIndeterminable);
    EXPECT_EQ(info.SoundDevice, kIndeterminable);
    EXPECT_EQ(info.CardName, " Earlier");
    EXPECT_TRUE(settings.Values.empty());

    files.Put(std::string(kSystem) + "\\dxdiag.exe", "MZ");
    runner.Fail = true;
    EXPECT_TRUE(Collect());
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(collector.WaitingForTool());
    EXPECT_EQ(info.DisplayMemory, kIndeterminable);
    EXPECT_TRUE(settings.Values.empty());
}

TEST_F(Collector, ToolWithoutReportGivesFourIndeterminableFacts) {
    Collect();
    collector.OnToolEnded(info);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(info.CardName, kIndeterminable);
    EXPECT_EQ(info.DisplayMemory, kIndeterminable);
    EXPECT_EQ(info.DriverVersion, kIndeterminable);
    EXPECT_EQ(info.SoundDevice, kIndeterminable);
    EXPECT_TRUE(settings.Values.empty());
}

TEST_F(Collector, OnlyFoundNonEmptyFactsAreCached) {
    Collect();
    // Wine's own short report: nothing found, nothing cached, the file still goes.
    files.Put(kReport, "------------------\r\nSystem Information\r\n------------------\r\nMemory: 2048MB\r\n");
    collector.OnToolEnded(info);
    EXPECT_EQ(info.DisplayMemory, kIndeterminable);
    EXPECT_TRUE(settings.Values.empty());
    EXPECT_FALSE(files.FileExists(kReport));

    // An empty display memory is stored but not cached, so the next sequence runs the tool again.
    Collect();
    files.Put(kReport, "h\r\n Card name: A\r\n Display Memory:\r\n Driver Version: 1\r\n Description: S\r\n");
    collector.OnToolEnded(info);
    EXPECT_EQ(info.DisplayMemory, "");
    EXPECT_EQ(settings.Values.count("Display Memory"), 0u);
    EXPECT_EQ(settings.Values["Driver Version"], " 1");
    EXPECT_FALSE(Collect());
    EXPECT_EQ(runner.Calls.size(), 3u);
}

}  // namespace
}  // namespace wmb
