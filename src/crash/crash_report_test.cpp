#include "crash/crash_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "gameconfig/backup_journal.h"

namespace wmb {
namespace {

CrashFacts AccessViolation() {
    CrashFacts f;
    f.ProgramVersion = "1.8.0.0";
    f.Time = "2026-12-09 17:24:00";
    f.Code = 0xC0000005u;
    f.AccessKind = 1;
    f.AccessAddress = 0;
    f.FaultAddress = {0x00412A30u, "WildmereBench.exe", 0x12A30u};
    f.ThreadId = 36;
    f.Stack = {{0x00401234u, "WildmereBench.exe", 0x1234u}, {0x7B012345u, "", 0}};
    f.OperatingSystem = "Windows 7 (6.1.7601) Service Pack 1";
    f.LastStatus = "Set the parameters & bench!";
    return f;
}

TEST(CrashReport, NamesTheFaultAndWhereItHappened) {
    CrashFacts cpp;
    cpp.Kind = FaultKind::CppException;
    cpp.Code = 0xE06D7363u;
    cpp.TypeName = "std::runtime_error";
    cpp.Message = "Cannot write C:\\x";
    CrashFacts nameless = cpp;
    nameless.TypeName.clear();
    nameless.Message.clear();
    CrashFacts unknownCode;
    unknownCode.Code = 0xDEADBEEFu;
    CrashFacts overflow;
    overflow.Code = 0xC00000FDu;
    const struct {
        CrashFacts Facts;
        const char* Summary;
    } cases[] = {
        {AccessViolation(), "Access violation (EXCEPTION_ACCESS_VIOLATION, 0xC0000005) writing address 0x00000000"},
        {overflow, "Stack overflow (EXCEPTION_STACK_OVERFLOW, 0xC00000FD)"},
        {unknownCode, "Exception 0xDEADBEEF"},
        {cpp, "C++ exception std::runtime_error: Cannot write C:\\x"},
        {nameless, "C++ exception of unknown type"},
    };
    for (const auto& c : cases) EXPECT_EQ(FaultSummary(c.Facts), c.Summary);
    EXPECT_EQ(FormatCodeAddress({0x00412A30u, "WildmereBench.exe", 0x12A30u}), "WildmereBench.exe+0x12A30 (0x00412A30)");
    EXPECT_EQ(FormatCodeAddress({0x7B012345u, "", 0}), "0x7B012345");
    EXPECT_EQ(ExceptionCodeName(0xC000001Du), "EXCEPTION_ILLEGAL_INSTRUCTION");
}

TEST(CrashReport, LaysOutEveryFactOneLineEachWithTheStackLast) {
    EXPECT_EQ(CrashReportText(AccessViolation()),
              "Wildmere Benchmark crash report\r\n\r\n"
              "Program version: 1.8.0.0\r\n"
              "Time: 2026-12-09 17:24:00\r\n"
              "Operating system: Windows 7 (6.1.7601) Service Pack 1\r\n"
              "Exception: Access violation (EXCEPTION_ACCESS_VIOLATION, 0xC0000005) writing address 0x00000000\r\n"
              "Exception code: 0xC0000005\r\n"
              "Fault address: WildmereBench.exe+0x12A30 (0x00412A30)\r\n"
              "Module: WildmereBench.exe\r\n"
              "Thread: 36\r\n"
              "Last status: Set the parameters & bench!\r\n"
              "Sequence running: no\r\n"
              "\r\nStack (return addresses found on the stack, innermost first):\r\n"
              "  WildmereBench.exe+0x1234 (0x00401234)\r\n"
              "  0x7B012345\r\n");
}

TEST(CrashReport, CppExceptionsCarryTheirTypeAndMessage) {
    CrashFacts f = AccessViolation();
    f.Kind = FaultKind::CppException;
    f.Code = 0xE06D7363u;
    f.AccessKind = -1;
    f.TypeName = "std::logic_error";
    f.Message = "bad state";
    f.Stack.clear();
    const std::string text = CrashReportText(f);
    EXPECT_NE(text.find("Exception type: std::logic_error\r\nMessage: bad state\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  (none found)\r\n"), std::string::npos) << text;
}

TEST(CrashDialogText, SaysWhereTheFilesAreAndWhenTheGamesFilesComeBack) {
    CrashFacts f = AccessViolation();
    const std::string idle = CrashDialogText(f, "C:\\Crashes\\crash-1.txt", "");
    EXPECT_NE(idle.find("Report: C:\\Crashes\\crash-1.txt\r\nMinidump: could not be written"), std::string::npos);
    EXPECT_NE(idle.find("at WildmereBench.exe+0x12A30"), std::string::npos);
    EXPECT_EQ(idle.find("restored"), std::string::npos);
    f.SequenceRunning = true;
    EXPECT_NE(CrashDialogText(f, "r", "d").find("the game's files are restored at the next start"), std::string::npos);
}

// The handler takes "a sequence is running" from the journal's last step, never from the file's mere existence.
TEST(CrashReport, SaysASequenceRanOnlyWhileTheJournalSaysSo) {
    const std::string kRunning = "A benchmark sequence was running";
    const struct {
        const char* step;  // nullptr: no journal
        bool running;
    } cases[] = {
        {nullptr, false},          {"begun", true},           {"user-config-saved", true},
        {"config-written", true},  {"user-config-restored", false}, {"sequence-ended", false},
        {"recovery-declined", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step ? c.step : "no journal");
        std::optional<std::string> journal;
        if (c.step) journal = JournalText({c.step, false, ""});
        CrashFacts f = AccessViolation();
        f.SequenceRunning = JournalSaysSequenceUnderWay(journal);
        EXPECT_EQ(f.SequenceRunning, c.running);
        const std::string report = CrashReportText(f);
        EXPECT_NE(report.find(c.running ? "Sequence running: yes\r\n" : "Sequence running: no\r\n"), std::string::npos);
        EXPECT_EQ(CrashDialogText(f, "r", "d").find(kRunning) != std::string::npos, c.running);
    }
    EXPECT_FALSE(JournalSaysSequenceUnderWay(std::string("step=begun\x01\xFF")));
}

TEST(CrashFiles, StemAndUploadAddress) {
    EXPECT_EQ(CrashFileStem(2026, 12, 9, 7, 4, 0), "crash-20261209-070400");
    EXPECT_EQ(CrashUploadAddress("www.kestrane.com"), "http://www.kestrane.com/benchmarks/crash");
    EXPECT_EQ(CrashUploadAddress("127.0.0.1:8080"), "http://127.0.0.1:8080/benchmarks/crash");
}

}  // namespace
}  // namespace wmb
