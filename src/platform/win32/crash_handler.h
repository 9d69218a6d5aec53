#pragma once
// The program's last handler: structured exceptions no one handled (access violation, stack overflow,
// illegal instruction ...) through the unhandled-exception filter, and C++ exceptions that escaped the
// guarded window procedures or a thread. It writes a text report and a minidump into the crash folder,
// lets the program show them to the user and ends the process with a non-zero exit code. A fault inside
// the handler ends the process at once.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "crash/crash_report.h"

namespace wmb {

// The exit code of a process whose crash handler faulted itself.
inline constexpr unsigned kCrashHandlerFaultExitCode = 0xDEADu;

struct CrashDetails {
    CrashFacts Facts;
    std::string ReportText;
    std::string ReportPath;  // "" when it could not be written
    std::string DumpPath;    // "" when it could not be written
};

struct CrashHandlerSetup {
    std::string ProgramVersion;
    // Where the reports and minidumps go (created when missing), ending in a backslash.
    std::string CrashFolder;
    // The benchmark sequence's journal: a sequence is running while its last step says so.
    std::string JournalPath;
    // Shows the details to the user; runs on a thread of the handler's own while the faulting thread waits.
    std::function<void(const CrashDetails&)> Present;
};

// %LOCALAPPDATA%\Kestrane\WildmereBench\Crashes\ (the crash folder of the user).
std::string UserCrashFolder();

// Takes over the unhandled-exception filter, std::terminate and the guarded window procedures' reports.
void InstallCrashHandler(CrashHandlerSetup setup);
// Keeps the status bar's text for the report.
void NoteStatusForCrashReport(const std::string& text);
// Handles a C++ exception no handler of the program took; never returns.
[[noreturn]] void HandleEscapedException(std::exception_ptr error);

// Test trigger: WMB_TEST_CRASH names a fault ("access-violation", "exception", "thread-exception",
// "illegal-instruction", "stack-overflow", or "second-fault": an access violation whose report is followed
// by another one in the handler); TestCrashKind returns it ("" when unset) and TriggerTestCrash causes it on
// the calling thread (the thread exception on a thread of its own).
std::string TestCrashKind();
void TriggerTestCrash(const std::string& kind);

}  // namespace wmb
