#include "ui/crash_reporting.h"

#include "platform/win32/crash_handler.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/version_reader.h"
#include "ui/crash_dialog.h"

namespace wmb::ui {

void InstallCrashReporting(HINSTANCE instance) {
    CrashHandlerSetup setup;
    setup.ProgramVersion = ReadFileVersionString(ProgramPath());
    setup.CrashFolder = UserCrashFolder();
    setup.JournalPath = ProgramFolder() + "Backup\\sequence.jnl";
    setup.Present = [instance](const CrashDetails& details) { CrashDialog(nullptr).Show(instance, details); };
    InstallCrashHandler(std::move(setup));
}

}  // namespace wmb::ui
