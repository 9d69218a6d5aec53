#pragma once
// The program's crash reporting: the crash handler with the program's version, crash folder and journal,
// the crash dialog to show its report, and the sender behind the dialog's "Send report".

#include <windows.h>

namespace wmb::ui {

// Posted to the main window when WMB_TEST_CRASH asks for a test fault once the window is ready.
inline constexpr UINT kTestCrashMessage = WM_APP + 0x60;

void InstallCrashReporting(HINSTANCE instance);

}  // namespace wmb::ui
