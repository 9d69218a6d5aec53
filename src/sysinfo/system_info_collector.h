#pragma once
// Collection of the diagnostic tool's facts (display memory, driver version, sound device, card
// name) with a cache in the settings key that lasts for one run of the program.

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/process_runner.h"
#include "platform/settings_store.h"
#include "sysinfo/system_info.h"

namespace wmb {

// Names of the cache values in the settings key; the program's orderly exit writes "" to each.
inline constexpr const char* kCacheDisplayMemory = "Display Memory";
inline constexpr const char* kCacheDriverVersion = "Driver Version";
inline constexpr const char* kCacheSound = "Sound";

inline constexpr const char* kDxInfoFileName = "dxinfo.txt";

// Command line of the diagnostic tool: `systemFolder` without, `programFolder` with a trailing
// backslash. Paths holding a blank are put in double quotes so that the tool sees one argument.
std::string DxDiagCommandLine(const std::string& systemFolder, const std::string& programFolder);

class SystemInfoCollector {
public:
    // `dxrun` is the runner whose exit event the owner forwards to OnToolEnded.
    SystemInfoCollector(SettingsStore& settings, FileSystem& files, ProcessRunner& dxrun, std::string systemFolder,
                        std::string programFolder);

    // Fills the diagnostic facts of `info`. With a valid cache it completes at once and calls
    // `onDone`. Otherwise it starts the tool and returns; OnToolEnded completes the collection. When
    // the tool is missing or cannot be started the three cached facts become "indeterminable" and
    // `onDone` runs at once. Returns true when `onDone` has already run.
    bool Collect(SystemInfo& info, std::function<void()> onDone);

    // The tool's exit (the caller has waited a second for the report to be complete): reads the
    // report into `info` and the cache, deletes the report and calls the pending `onDone`.
    void OnToolEnded(SystemInfo& info);

    // Whether a started tool has not been answered by OnToolEnded yet.
    bool WaitingForTool() const { return static_cast<bool>(pending_); }

    std::string ReportPath() const { return programFolder_ + kDxInfoFileName; }
    std::string ToolPath() const { return systemFolder_ + "\\dxdiag.exe"; }

private:
    // Starts the tool on the runner; false when it cannot be started.
    bool StartTool();
    void Finish(std::function<void()> onDone);

    SettingsStore& settings_;
    FileSystem& files_;
    ProcessRunner& dxrun_;
    std::string systemFolder_;
    std::string programFolder_;
    std::function<void()> pending_;
};

}  // namespace wmb
