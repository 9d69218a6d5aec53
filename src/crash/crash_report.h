#pragma once
// The crash report: what the program knew when a fault ended it, laid out as the text that is kept in the
// crash folder, shown in the crash dialog and sent to the maker.

#include <cstdint>
#include <string>
#include <vector>

namespace wmb {

// The address the "Send report" button posts the text report to.
std::string CrashUploadAddress(const std::string& server);

// A code address with the module it lies in ("" when it lies in none) and its distance from the module's base.
struct CodeAddress {
    std::uint32_t Address = 0;
    std::string Module;
    std::uint32_t Offset = 0;
};

enum class FaultKind {
    StructuredException,  // a processor or system exception (access violation, stack overflow, ...)
    CppException,         // a C++ exception no handler of the program took
};

struct CrashFacts {
    std::string ProgramVersion;
    std::string Time;  // local time of the fault, "2026-12-09 17:24:00"
    FaultKind Kind = FaultKind::StructuredException;
    std::uint32_t Code = 0;   // the exception code (0xE06D7363 for C++ exceptions)
    std::string TypeName;     // C++ exceptions: the exception's type
    std::string Message;      // C++ exceptions: what() (may be empty)
    // Access violations: whether the faulting access read, wrote or executed, and its address.
    int AccessKind = -1;  // 0 read, 1 write, 8 execute; -1 when not an access violation
    std::uint32_t AccessAddress = 0;
    CodeAddress FaultAddress;
    std::uint32_t ThreadId = 0;
    std::vector<CodeAddress> Stack;  // return addresses found on the stack, innermost first
    std::string OperatingSystem;
    std::string LastStatus;
    bool SequenceRunning = false;
};

// The name of a structured exception code ("EXCEPTION_ACCESS_VIOLATION"), or "" for one it does not know.
std::string ExceptionCodeName(std::uint32_t code);
// "0x0040A1B2".
std::string HexAddress(std::uint32_t value);
// "WildmereBench.exe+0x1A2B (0x0041A2B0)", or the bare address for code outside every module.
std::string FormatCodeAddress(const CodeAddress& address);
// One line describing the fault: "Access violation (EXCEPTION_ACCESS_VIOLATION, 0xC0000005) writing address
// 0x00000000" or "C++ exception std::runtime_error: <message>".
std::string FaultSummary(const CrashFacts& facts);
// The whole text report.
std::string CrashReportText(const CrashFacts& facts);
// What the crash dialog shows above its buttons: the summary, where the fault happened, where the report and
// the minidump are, and when a sequence was running, that the game's files are restored at the next start.
std::string CrashDialogText(const CrashFacts& facts, const std::string& reportPath, const std::string& dumpPath);
// The file names' common stem for a fault at that local time: "crash-20261209-172400".
std::string CrashFileStem(int year, int month, int day, int hour, int minute, int second);

}  // namespace wmb
