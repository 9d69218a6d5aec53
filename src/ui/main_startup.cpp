// Start-up, exit, the game's location and version, and the rules that reach across pages.

#include <windows.h>

#include "demos/demo_table.h"
#include "gameconfig/recovery.h"
#include "platform/win32/version_reader.h"
#include "platform/win32/wrappers/display_modes.h"
#include "platform/win32/wrappers/shortcut.h"
#include "settings/game_location.h"
#include "settings/option_rules.h"
#include "settings/settings_table.h"
#include "ui/app_services.h"
#include "ui/main_window.h"
#include "ui/settings_binding.h"

namespace wmb::ui {
namespace {

constexpr const char* kReadyStatus = "Set the parameters & bench!";
constexpr const char* kNoGameStatus = "Please define the Wildmere path!";
constexpr const char* kNoSettingsKeyStatus = "The settings key is missing: please reinstall the program.";
constexpr const char* kNoSettingsKeyMessage =
    "The settings key HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\RERurov is missing, so Wildmere Benchmark "
    "cannot load or keep its settings.\r\n\r\nPlease reinstall the program with its installer "
    "(WildmereBenchSetup.exe), which creates the key.";

}  // namespace

void MainWindow::FormCreate() {
    Folders folders;
    folders.Program = ProgramFolder();
    app_->SetFolders(folders);
    const std::string caption =
        "Kestrane Wildmere Benchmark v" + ProgramVersion() + " - www.kestrane.com";
    SetWindowTextA(Handle(), caption.c_str());

    auto& store = app_->Store();
    if (!store.IsOpen()) {
        // Loading stops here, as without the key nothing could be kept; the user learns why.
        SetStatus(kNoSettingsKeyStatus);
        MessageBoxA(Handle(), kNoSettingsKeyMessage, "Wildmere Benchmark", MB_OK | MB_ICONERROR);
        return;
    }

    // The settings are worked out in one record and shown once; the steps that act on the window follow,
    // each on its page when that page is made (nothing is pending yet: the pages not made show their
    // layout).
    BenchSettings s = ShownSettings();
    s.GamePath = LocateGame(store, app_->Files(), CommonDesktopFolder(), CommonProgramsFolder(),
                            [](const std::string& lnk) { return ReadShortcut(lnk).Target; });
    const LoadResult loaded = LoadSettings(store, store, DisplayModeTexts(EnumerateDisplayModes()), s);
    const bool pathGiven = !s.GamePath.empty();
    const bool gameFound = pathGiven && app_->Files().FileExists(s.GamePath);
    if (gameFound) {
        app_->SetFolders(DeriveFolders(folders.Program, s.GamePath));
        LoadGameSettings(store, app_->GameFolders(), app_->Locale().DecimalSeparator(), s);
    } else if (pathGiven) {
        s.GamePath.clear();
    } else {
        LoadDecimalWithoutGame(store, app_->Locale().DecimalSeparator(), s);
    }
    ShowAllSettings(s);
    if (gameFound) WhenMade(demos_, [this, map = store.Read(kMapNameValue)] { demos_.FillMapList(map); });
    if (pathGiven) WhenMade(demos_, [this] { RestoreDemoName(); });
    WhenMade(settings1_, [this, enabled = loaded.CustomControlsEnabled] {
        settings1_.EnableCustomSize(enabled);
        settings1_.DetailBoxChanging();
    });
    WhenMade(specific_, [this] { specific_.HdrBoxClick(); });
    WhenMade(demos_, [this] { demos_.DemoChanging(); });

    SetStatus(gameFound ? kReadyStatus : kNoGameStatus);
    SetBenchButtonEnabled(gameFound);
    if (gameFound) {
        WhenMade(general_, [this, label = DecimalSeparatorLabel(s.ReportDecimalSeparator)] {
            general_.DecimalLabel().SetText(label);
        });
        CheckVersion(false);
    } else {
        Made(path_).VersionLabel().SetText(pathGiven ? "Version: unsuitable" : "Wildmere version: not available");
    }
    if (pathGiven) {
        OfferRecovery(
            app_->Files(), app_->Journal(), store, app_->GameFolders(),
            [this](const std::string& q) {
                if (unattended_) {
                    // As "Yes": the user's files go back before the run.
                    unattended_->Log(q + " Yes (unattended start).");
                    return true;
                }
                return MessageBoxA(Handle(), q.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
            },
            [this](const std::string& m) { ShowMessage(m); });
    }
}

void MainWindow::RestoreDemoName() {
    BenchSettings stored;
    stored.UserMapFolder = Made(demos_).MapBox().Text();
    RestoreUserDemoFile(app_->Store(), app_->Files(), app_->GameFolders(), stored);
    if (!stored.UserDemoFile.empty()) demos_.DemoBox().SelectText(stored.UserDemoFile);
}

void MainWindow::FormDestroy() {
    if (!app_) return;
    // No page is made while the window goes: those not made yet keep the settings held for them. An
    // unattended start leaves the stored settings as they were.
    if (app_->Store().IsOpen() && !unattended_) SaveSettings(app_->Store(), ShownSettings());
    CleanUpAtExit(app_->Files(), app_->GameFolders());
    app_.reset();
}

void MainWindow::FormActivate() {
    // An activation during start-up (a question asked then) leaves the turn for later; an unattended
    // start shows no news.
    if (!ready_ || !app_ || !app_->Store().IsOpen() || unattended_) return;
    if (!ClaimNewsTurn(app_->Store())) return;
    if (news_.Handle() || news_.Create(instance_)) news_.Show();
}

bool MainWindow::GameExists() {
    const std::string path = Made(path_).PathBox().Text();
    return !path.empty() && app_->Files().FileExists(path);
}

void MainWindow::CheckVersion(bool manualChoice) {
    const FileVersion engine =
        NormalizeFileVersion(ReadFileVersionString(app_->GameFolders().Bin32 + "ZorbSystem.dll"));
    const std::string storedShader = app_->Store().Read(kShaderModelValue);
    const VersionCheckEffects fx =
        manualChoice ? CheckGameVersionAfterChoice(engine, storedShader, Made(settings1_).DetailLevels().Index(),
                                                   ReadyBenchCaption(Made(screen_).ScreenshotMode()))
                     : CheckGameVersionAtStart(engine, storedShader);
    if (fx.VersionLabel) Made(path_).VersionLabel().SetText(*fx.VersionLabel);
    if (fx.SpecificTab != EnableChange::Unchanged) {
        WhenMade(specific_, [this, on = fx.SpecificTab == EnableChange::Enable] { specific_.SetEnabled(on); });
    }
    if (fx.ShaderModel) WhenMade(settings2_, [this, model = *fx.ShaderModel] { settings2_.ShaderModels().SetIndex(model); });
    if (fx.HigherShaderItems != EnableChange::Unchanged) {
        WhenMade(settings2_, [this, on = fx.HigherShaderItems == EnableChange::Enable] {
            for (int item : {1, 2}) settings2_.ShaderModels().Item(item).Enable(on);
        });
    }
    if (fx.BenchCaption) SetBenchCaption(*fx.BenchCaption);
    if (fx.Status) SetStatus(*fx.Status);
    if (fx.BenchEnabled) SetBenchButtonEnabled(*fx.BenchEnabled);
    if (fx.Message) ShowMessage(*fx.Message);
    if (manualChoice) Made(specific_).SetEnabled(SpecificTabEnabled(engine.Build));
}

void MainWindow::GameChosen(const std::string& exePath) {
    BenchSettings s = CurrentSettings();
    app_->SetFolders(AcceptChosenGame(app_->Store(), app_->Files(), app_->GameFolders().Program, exePath, s));
    ShowAllSettings(s);
    Made(path_).PathBox().SetText(exePath);
    Made(demos_).FillMapList(app_->Store().Read(kMapNameValue));
    SetBenchButtonEnabled(true);
    SetStatus(kReadyStatus);
    CheckVersion(true);
}

void MainWindow::DemoChosen(const DemoChoiceEffects& effects) {
    WhenMade(screen_, [this, effects] { screen_.ApplyDemoChoice(effects); });
}

void MainWindow::ScreenshotModeSwitched(bool on) {
    const ScreenshotModeEffects fx =
        ScreenshotModeRule(on, Made(specific_).RunTwice(), app_->Store().Read(kRunCountValue),
                           Made(demos_).Demos().Index());
    const ComboBox runs = Made(settings3_).RunCount();
    runs.SelectText(fx.RunCountText);
    runs.Enable(fx.RunCountEnabled);
    Made(general_).SetEnabled(fx.GeneralPageEnabled);
    Made(screen_).ApplyScreenshotMode(fx);
    Made(settings2_).Antialiasing().Enable(fx.AntialiasEnabled);
    SetBenchCaption(fx.BenchCaption);
    SetStatus(fx.Status);
    if (fx.ShowDemoFramesDialog) ShowDemoFrames();
}

void MainWindow::NewRangeClicked() {
    if (Made(demos_).Demos().Index() == kUserDemoIndex) ShowDemoFrames();
}

void MainWindow::PossibilitiesClicked() {
    if (!monitorDialog_.Handle()) monitorDialog_.Create(instance_, Handle(), font_.Get(), buttonFont_.Get());
    const auto size = monitorDialog_.Ask();
    if (!size) return;
    Made(settings1_).SetCustomSize(size->Width, size->Height);
    app_->Store().Write(kCustomWidthValue, size->Width);
    app_->Store().Write(kCustomHeightValue, size->Height);
}

void MainWindow::ShowDemoFrames() {
    if (unattended_) return;  // nothing is asked: the frame range stays as it is
    int frames = 0;
    if (!framesDialog_.Handle()) framesDialog_.Create(instance_, Handle(), font_.Get());
    switch (framesDialog_.Ask(frames)) {
    case DemoFramesDialog::Outcome::NewRange:
        Made(screen_).SetFrameRange(frames);
        break;
    case DemoFramesDialog::Outcome::ScreenshotOff:
        Made(screen_).SwitchScreenshotModeOff();
        break;
    case DemoFramesDialog::Outcome::Unchanged:
        break;
    }
}

void MainWindow::RunTwiceSwitched(bool on) { Made(settings3_).RunCount().SelectText(RunCountForRunTwice(on)); }

}  // namespace wmb::ui
