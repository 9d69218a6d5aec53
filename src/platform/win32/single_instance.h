#pragma once
// One running instance per executable path: a named mutex whose name comes from the full path of the
// executable, so a copy of the program in another folder is an instance of its own.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/wrappers/handle.h"

namespace wmb {

class SingleInstanceGuard {
public:
    // Tag of the WM_COPYDATA message that carries a second instance's command line.
    static constexpr ULONG_PTR kCommandLineData = 0x574D4231;  // "WMB1"

    // Guards the running executable.
    SingleInstanceGuard();
    // Guards the executable at `exePath` (tests use paths of their own).
    explicit SingleInstanceGuard(const std::string& exePath);

    // False when another instance of the same executable path holds the mutex.
    bool IsFirst() const { return first_; }

    // The mutex name for an executable path: the path upper-cased, backslashes and colons replaced.
    static std::string MutexName(const std::string& exePath);

    // Brings the top-level window of class `windowClass` to the front (restoring it when minimised)
    // and sends it this process's command line as WM_COPYDATA with kCommandLineData. False when no
    // such window exists.
    static bool ActivateOther(const std::string& windowClass);
    // The command line carried by a WM_COPYDATA from ActivateOther; nullopt for any other data.
    static std::optional<std::string> CommandLineFrom(const COPYDATASTRUCT& data);

private:
    Handle mutex_;
    bool first_ = true;
};

}  // namespace wmb
