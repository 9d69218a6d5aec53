#include "ui/app_services.h"

#include "gameconfig/options.h"
#include "gameconfig/recovery.h"
#include "platform/win32/sysinfo_platform.h"
#include "platform/win32/version_reader.h"
#include "results/report.h"
#include "settings/game_location.h"
#include "sysinfo/platform_facts.h"

namespace wmb::ui {
namespace {

// Reliability tests end the program right after a chosen step of the backup journal, as a crash or a
// forced end would: WMB_STOP_AFTER_STEP names the step.
void StopAtJournalStep(const std::string& step) {
    char wanted[64] = {};
    const DWORD length = GetEnvironmentVariableA("WMB_STOP_AFTER_STEP", wanted, sizeof wanted);
    if (length > 0 && length < sizeof wanted && step == wanted) TerminateProcess(GetCurrentProcess(), 3);
}

}  // namespace

AppServices::AppServices(UiDispatcher dispatcher, SequenceWindow& sequenceWindow)
    : files_(dispatcher.Window()),
      cp_(dispatcher, [this](DWORD) { controller_.cpTerminate(); }),
      dxrun_(dispatcher, [this](DWORD) { controller_.dxrunTerminate(); }),
      journal_(files_, StopAtJournalStep),
      config_(files_, journal_, [this](const std::string& path) { return FileVersionText(path); }),
      collector_(store_, files_, dxrun_, WindowsSystemFolder(), ProgramFolder()),
      controller_(sequenceWindow, *this, files_, store_, locale_, cp_) {}

void AppServices::SetFolders(const Folders& folders) {
    folders_ = folders;
    controller_.SetFolders(folders);
}

std::string AppServices::FileVersionText(const std::string& path) const {
    return NormalizeFileVersion(ReadFileVersionString(path)).Text;
}

void AppServices::InstallBenchSplash() { wmb::InstallBenchSplash(files_, folders_); }

bool AppServices::RestoreGameSplash() { return wmb::RestoreGameSplash(files_, folders_); }

void AppServices::CollectSystemInfo(std::function<void()> onDone) { collector_.Collect(info_, std::move(onDone)); }

void AppServices::WriteGameConfig(const BenchSettings& settings, const std::function<void()>& prepareLaunchValues) {
    config_.WriteGameConfig(settings, folders_, prepareLaunchValues);
}

std::string AppServices::ShaderPathArgument(const BenchSettings& settings) { return wmb::ShaderPathArgument(settings); }

std::string AppServices::ProgramVersion() { return wmb::ProgramVersion(); }

std::vector<std::string> AppServices::ReportHeader(const BenchSettings& settings, const std::string& startText) {
    const Win32PlatformFacts platform;
    Win32DisplayDriver driver;
    Win32RegistryReader registry;
    RefreshPlatformFacts(info_, platform, driver, registry, locale_.DecimalSeparator());
    ReportHeaderInput in;
    in.SequenceStartText = startText;
    in.Info = info_;
    in.Note = settings.Note;
    return ReportHeaderLines(in);
}

}  // namespace wmb::ui
