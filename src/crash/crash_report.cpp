#include "crash/crash_report.h"

#include <cstdio>

namespace wmb {
namespace {

struct CodeName {
    std::uint32_t Code;
    const char* Name;
    const char* Plain;
};

constexpr CodeName kCodes[] = {
    {0xC0000005u, "EXCEPTION_ACCESS_VIOLATION", "Access violation"},
    {0xC00000FDu, "EXCEPTION_STACK_OVERFLOW", "Stack overflow"},
    {0xC000001Du, "EXCEPTION_ILLEGAL_INSTRUCTION", "Illegal instruction"},
    {0xC0000096u, "EXCEPTION_PRIV_INSTRUCTION", "Privileged instruction"},
    {0xC0000094u, "EXCEPTION_INT_DIVIDE_BY_ZERO", "Integer division by zero"},
    {0xC0000095u, "EXCEPTION_INT_OVERFLOW", "Integer overflow"},
    {0xC000008Eu, "EXCEPTION_FLT_DIVIDE_BY_ZERO", "Floating-point division by zero"},
    {0xC0000090u, "EXCEPTION_FLT_INVALID_OPERATION", "Invalid floating-point operation"},
    {0xC0000006u, "EXCEPTION_IN_PAGE_ERROR", "In-page error"},
    {0xC000008Cu, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED", "Array bounds exceeded"},
    {0x80000003u, "EXCEPTION_BREAKPOINT", "Breakpoint"},
    {0xC0000409u, "STATUS_STACK_BUFFER_OVERRUN", "Stack buffer overrun"},
    {0xC0000374u, "STATUS_HEAP_CORRUPTION", "Heap corruption"},
    {0xE06D7363u, "C++ exception", "C++ exception"},
};

const CodeName* Find(std::uint32_t code) {
    for (const CodeName& c : kCodes) {
        if (c.Code == code) return &c;
    }
    return nullptr;
}

std::string AccessText(int kind) {
    switch (kind) {
    case 0: return "reading";
    case 1: return "writing";
    case 8: return "executing";
    default: return "accessing";
    }
}

}  // namespace

std::string CrashUploadAddress(const std::string& server) { return "http://" + server + "/benchmarks/crash"; }

std::string ExceptionCodeName(std::uint32_t code) {
    const CodeName* c = Find(code);
    return c ? c->Name : "";
}

std::string HexAddress(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string FormatCodeAddress(const CodeAddress& address) {
    if (address.Module.empty()) return HexAddress(address.Address);
    char offset[16];
    std::snprintf(offset, sizeof offset, "0x%X", static_cast<unsigned>(address.Offset));
    return address.Module + "+" + offset + " (" + HexAddress(address.Address) + ")";
}

std::string FaultSummary(const CrashFacts& facts) {
    if (facts.Kind == FaultKind::CppException) {
        std::string text = "C++ exception " + (facts.TypeName.empty() ? std::string("of unknown type") : facts.TypeName);
        return facts.Message.empty() ? text : text + ": " + facts.Message;
    }
    const CodeName* c = Find(facts.Code);
    std::string text = c ? std::string(c->Plain) + " (" + c->Name + ", " + HexAddress(facts.Code) + ")"
                         : "Exception " + HexAddress(facts.Code);
    if (facts.AccessKind >= 0) text += " " + AccessText(facts.AccessKind) + " address " + HexAddress(facts.AccessAddress);
    return text;
}

std::string CrashReportText(const CrashFacts& facts) {
    std::string text;
    auto line = [&text](const std::string& name, const std::string& value) { text += name + ": " + value + "\r\n"; };
    text += "Wildmere Benchmark crash report\r\n\r\n";
    line("Program version", facts.ProgramVersion);
    line("Time", facts.Time);
    line("Operating system", facts.OperatingSystem);
    line("Exception", FaultSummary(facts));
    line("Exception code", HexAddress(facts.Code));
    if (facts.Kind == FaultKind::CppException) {
        line("Exception type", facts.TypeName.empty() ? "unknown" : facts.TypeName);
        line("Message", facts.Message);
    }
    line("Fault address", FormatCodeAddress(facts.FaultAddress));
    line("Module", facts.FaultAddress.Module.empty() ? "none" : facts.FaultAddress.Module);
    line("Thread", std::to_string(facts.ThreadId));
    line("Last status", facts.LastStatus);
    line("Sequence running", facts.SequenceRunning ? "yes" : "no");
    text += "\r\nStack (return addresses found on the stack, innermost first):\r\n";
    if (facts.Stack.empty()) text += "  (none found)\r\n";
    for (const CodeAddress& frame : facts.Stack) text += "  " + FormatCodeAddress(frame) + "\r\n";
    return text;
}

std::string CrashDialogText(const CrashFacts& facts, const std::string& reportPath, const std::string& dumpPath) {
    std::string text = "Wildmere Benchmark has stopped because of an error it could not handle.\r\n\r\n";
    text += FaultSummary(facts) + "\r\nat " + FormatCodeAddress(facts.FaultAddress) + "\r\n\r\n";
    text += "Report: " + (reportPath.empty() ? std::string("could not be written") : reportPath) + "\r\n";
    text += "Minidump: " + (dumpPath.empty() ? std::string("could not be written") : dumpPath) + "\r\n";
    if (facts.SequenceRunning) {
        text += "\r\nA benchmark sequence was running: the game's files are restored at the next start of "
                "Wildmere Benchmark.\r\n";
    }
    text += "\r\nPlease send the report to Kestrane, so that the fault can be found.";
    return text;
}

std::string CrashFileStem(int year, int month, int day, int hour, int minute, int second) {
    char text[40];
    std::snprintf(text, sizeof text, "crash-%04d%02d%02d-%02d%02d%02d", year, month, day, hour, minute, second);
    return text;
}

}  // namespace wmb
