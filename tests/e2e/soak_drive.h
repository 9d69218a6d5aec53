#pragma once
// A long session driven from outside: benchmark sequences one after the other in one running program,
// openings and closings of its dialogs, and the program's resource counts read between them. Shared by
// the P7 benchmark program and the short end-to-end soak test.

#include <windows.h>

#include <string>

namespace wmb::e2e {

// What a running program holds.
struct ResourceCounts {
    double privateMiB = 0;  // GetProcessMemoryInfo's PagefileUsage (Wine leaves PrivateUsage at 0)
    long handles = 0;       // kernel handles
    long gdiObjects = 0;
    long userObjects = 0;
};

// Reads the counts of the process `process` (a handle with query and read access). GetProcessHandleCount
// and GetGuiResources answer 0 under Wine; then the handles come from the system's handle list, the GDI
// objects from the process's GDI handle table and the USER objects are its windows (top-level, child
// and message-only; not the URL moniker library's one notification window). The counts are those of two
// reads in a row that agree, so that a device context held for a paint is not counted. Throws
// std::runtime_error when a figure cannot be read.
ResourceCounts ReadResourceCounts(HANDLE process, DWORD processId);

// "  private bytes    8.61 MiB    8.70 MiB   +1.0 %" lines, one per figure, with the growth.
std::string CountsSideBySide(const ResourceCounts& first, const ResourceCounts& last, const std::string& firstName,
                             const std::string& lastName);

// The folders of a sandbox: Program folder and game folder, Windows paths with a trailing backslash.
struct SoakSandbox {
    std::string program;
    std::string game;
};

// Puts a demo of the user's own into the game's level folders, for the demo frames dialog.
void PutUserDemo(const SoakSandbox& box);

// Sequence number `index` (from 0): two resolution slots, one run, 1 s between tests, the preset, the
// built-in demo and screenshot mode taking turns; waits for its success, then empties the results
// folder. Throws std::runtime_error when the sequence does not succeed.
void RunSoakSequence(HWND main, DWORD processId, const SoakSandbox& box, int index);

// The dialogs: each opened and closed once as a user would. Throws when one does not appear or close.
// The frames dialog needs the user's demo chosen with screenshot mode: PrepareFramesDialog does that
// (and answers the dialog it opens) once before the first opening.
void OpenAndCloseMonitorDialog(HWND main, DWORD processId);
void PrepareFramesDialog(HWND main, DWORD processId);
void OpenAndCloseFramesDialog(HWND main, DWORD processId);
void OpenAndCloseNewsWindow(DWORD processId);

}  // namespace wmb::e2e
