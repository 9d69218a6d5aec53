// The main window in an unattended start, its profiles and the comparison of results from its system menu.

#include <variant>

#include "platform/win32/file_system_win32.h"
#include "run/profile.h"
#include "run/run_controller.h"
#include "run/windows_path.h"
#include "ui/app_services.h"
#include "ui/compare_results.h"
#include "ui/main_window.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {
namespace {

// System menu commands: their low four bits are the system's.
constexpr UINT kSaveProfileCommand = 0x0100;
constexpr UINT kLoadProfileCommand = 0x0110;
constexpr UINT kRunProfilesCommand = 0x0120;
constexpr UINT kCompareCommand = 0x0130;

constexpr const char kProfileFilter[] = "Profiles (*.ini)\0*.ini\0All files (*.*)\0*.*\0";

}  // namespace

void MainWindow::SequenceOver(bool filesBack, const std::string& endStatus) {
    if (unattended_) unattended_->SequenceOver(filesBack, endStatus);
}

void MainWindow::ChooseSettings(const BenchSettings& before, const BenchSettings& after) {
    // Each value shown, then the rules its choice sets off in the window, in the pages' order.
    MakeAllPages();
    ShowAllSettings(after);
    if (after.CustomResolution != before.CustomResolution) settings1_.EnableCustomSize(after.CustomResolution);
    if (after.DetailLevel != before.DetailLevel) settings1_.DetailBoxChanging();
    if (after.UserMapFolder != before.UserMapFolder) {
        demos_.RefreshDemoList();
        demos_.DemoBox().SelectText(after.UserDemoFile);
    }
    if (after.DemoIndex != before.DemoIndex) demos_.DemoChanging();
    if (after.ScreenshotMode != before.ScreenshotMode || after.AddDisplayInfo != before.AddDisplayInfo) {
        ScreenshotModeSwitched(after.ScreenshotMode);
    }
    if (after.HdrEnabled != before.HdrEnabled) specific_.HdrBoxClick();
    if (after.RunTwice != before.RunTwice) RunTwiceSwitched(after.RunTwice);
}

bool MainWindow::StartSequence() {
    app_->Controller().BenchButtonClick();
    return app_->Controller().Busy();
}

std::string MainWindow::ReportPath() { return app_->Controller().ReportPath(); }

std::vector<SlotResult> MainWindow::SlotResults() { return app_->Controller().SlotResults(); }

std::string MainWindow::ResultsFolder() { return ShownSettings().ResultsFolder; }

std::string MainWindow::ProgramFolder() { return wmb::ProgramFolder(); }

std::optional<std::string> MainWindow::ReadFile(const std::string& path) { return app_->Files().ReadFile(path); }

void MainWindow::WriteFile(const std::string& path, const std::string& bytes) {
    // A file that cannot be written (the log in a folder that cannot be made) is left out.
    try {
        const std::string folder = FolderOf(path);
        if (!folder.empty() && !app_->Files().FolderExists(folder)) app_->Files().CreateFolders(folder);
        app_->Files().WriteFile(path, bytes);
    } catch (const std::exception&) {
    }
}

void MainWindow::Later(std::function<void()> step) { Dispatcher().Post(std::move(step)); }

void MainWindow::End(int exitCode) {
    if (!sweepFromWindow_) {
        SetExitCode(exitCode);
        CloseLater();
        return;
    }
    // A sweep started from the window ends with the window open.
    sweepFromWindow_ = false;
    Later([this, exitCode] {
        const std::string log = unattended_ ? UnattendedLogPath(unattended_->Args(), ResultsFolder(), ProgramFolder()) : "";
        unattended_.reset();
        for (Page* page : pages_) page->SetEnabled(true);
        ShowMessage(std::string(exitCode == 0 ? "Every profile's sequence succeeded." : "Not every profile's sequence succeeded.") +
                    "\r\n\r\nWhat happened is in the log " + log + ".");
    });
}

void MainWindow::AddProfileMenu() {
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kSaveProfileCommand, "Save profile...");
    AppendMenuA(menu, MF_STRING, kLoadProfileCommand, "Load profile...");
    AppendMenuA(menu, MF_STRING, kRunProfilesCommand, "Run several profiles...");
    AppendMenuA(menu, MF_STRING, kCompareCommand, "Compare results...");
}

bool MainWindow::OnProfileMenu(WPARAM command) {
    const bool idle = app_ && !app_->Controller().Busy() && !unattended_;
    switch (command & 0xFFF0) {
    case kSaveProfileCommand:
        if (idle) SaveProfile();
        return true;
    case kLoadProfileCommand:
        if (idle) LoadProfile();
        return true;
    case kRunProfilesCommand:
        if (idle) RunProfiles();
        return true;
    case kCompareCommand:
        if (app_) CompareResults();
        return true;
    default:
        return false;
    }
}

void MainWindow::SaveProfile() {
    std::string path = "profile.ini";
    if (!ChooseSaveFile(Handle(), kProfileFilter, "ini", path)) return;
    try {
        app_->Files().WriteFile(path, WriteProfile(CurrentSettings()));
    } catch (const std::exception&) {
        ShowMessage("The profile " + path + " cannot be written.");
    }
}

void MainWindow::LoadProfile() {
    std::string path;
    if (!ChooseFile(Handle(), kProfileFilter, path, "Load profile")) return;
    const auto text = app_->Files().ReadFile(path);
    if (!text) {
        ShowMessage("The profile " + path + " cannot be read.");
        return;
    }
    const auto read = ReadProfile(*text);
    if (const auto* refused = std::get_if<ProfileError>(&read)) {
        ShowMessage("The profile " + path + " is refused, and nothing was changed:\r\n" + refused->Message);
        return;
    }
    const BenchSettings before = CurrentSettings();
    BenchSettings after = before;
    ApplyProfile(std::get<ProfileChanges>(read), after);
    ChooseSettings(before, after);
}

void MainWindow::RunProfiles() {
    UnattendedArgs args;
    args.Run = true;
    if (!ChooseFiles(Handle(), kProfileFilter, args.Profiles, "Run several profiles")) return;
    sweepFromWindow_ = true;
    unattended_ = std::make_unique<UnattendedRun>(static_cast<UnattendedWindow&>(*this), std::move(args));
    for (Page* page : pages_) page->SetEnabled(false);
    unattended_->Begin();
}

void MainWindow::CompareResults() {
    CompareChosenResults(Handle(), [this](const std::string& text) { ShowMessage(text); },
                         [this](const std::string& page) { OpenDocument(page); });
}

}  // namespace wmb::ui
