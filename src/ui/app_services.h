#pragma once
// The non-visual parts the main window owns: platform access, the game-configuration writer, the
// system information, the process runners and the run controller, wired together.

#include <windows.h>

#include <memory>
#include <string>

#include "gameconfig/config_writer.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/process_runner_win32.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/wrappers/ui_dispatcher.h"
#include "run/run_controller.h"
#include "run/sequence_host.h"
#include "settings/bench_settings.h"
#include "settings/settings_table.h"
#include "sysinfo/system_info.h"
#include "sysinfo/system_info_collector.h"

namespace wmb::ui {

class AppServices : private SequenceSteps {
public:
    // The process runners report their ends through `dispatcher`.
    AppServices(UiDispatcher dispatcher, SequenceWindow& sequenceWindow);
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;

    Win32FileSystem& Files() { return files_; }
    // The settings key, read through the checks of its table.
    SettingsStore& Store() { return store_; }
    const Win32Locale& Locale() const { return locale_; }
    RunController& Controller() { return controller_; }
    BackupJournal& Journal() { return journal_; }
    Folders& GameFolders() { return folders_; }
    void SetFolders(const Folders& folders);
    // The normalised version text of a file ("Value Not Available" when it has none).
    std::string FileVersionText(const std::string& path) const;

private:
    // SequenceSteps
    void BeginSequence() override { config_.BeginSequence(folders_); }
    void InstallBenchSplash() override;
    void CollectSystemInfo(std::function<void()> onDone) override;
    void FinishSystemInfo() override { collector_.OnToolEnded(info_); }
    void WriteGameConfig(const BenchSettings& settings, const std::function<void()>& prepareLaunchValues) override;
    std::string ShaderPathArgument(const BenchSettings& settings) override;
    std::vector<std::string> ReportHeader(const BenchSettings& settings, const std::string& startText) override;
    std::vector<MachineFact> MachineFacts() override { return wmb::MachineFacts(info_); }
    std::string ProgramVersion() override;
    std::string QualityLabel() override { return config_.QualityLabel(); }
    std::string RendererLabel() override { return config_.RendererLabel(); }
    void RestoreUserConfig() override { config_.RestoreUserConfig(folders_); }
    bool RestoreGameSplash() override;

    Folders folders_;
    Win32FileSystem files_;
    RegistrySettingsStore key_;
    CheckedSettingsStore store_{key_};
    Win32Locale locale_;
    Win32ProcessRunner cp_;
    Win32ProcessRunner dxrun_;
    BackupJournal journal_;
    GameConfigWriter config_;
    SystemInfo info_;
    SystemInfoCollector collector_;
    RunController controller_;
};

}  // namespace wmb::ui
