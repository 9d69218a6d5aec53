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

    // The settings are worked out in one record and shown once; the steps that act on the window follow.
    BenchSettings s = CurrentSettings();
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
    ShowSettings(s, [this](int id) { return FindControl(id); });
    if (gameFound) demos_.FillMapList(store.Read(kMapNameValue));
    if (pathGiven) RestoreDemoName();
    settings1_.EnableCustomSize(loaded.CustomControlsEnabled);
    settings1_.DetailBoxChanging();
    specific_.HdrBoxClick();
    demos_.DemoChanging();

    SetStatus(gameFound ? kReadyStatus : kNoGameStatus);
    SetBenchButtonEnabled(gameFound);
    if (gameFound) {
        general_.DecimalLabel().SetText(DecimalSeparatorLabel(s.ReportDecimalSeparator));
        CheckVersion(false);
    } else {
        path_.VersionLabel().SetText(pathGiven ? "Version: unsuitable" : "Wildmere version: not available");
    }
    if (pathGiven) {
        OfferRecovery(
            app_->Files(), app_->Journal(), store, app_->GameFolders(),
            [this](const std::string& q) {
                return MessageBoxA(Handle(), q.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
            },
            [this](const std::string& m) { ShowMessage(m); });
    }
}

void MainWindow::RestoreDemoName() {
    BenchSettings stored;
    stored.UserMapFolder = demos_.MapBox().Text();
    RestoreUserDemoFile(app_->Store(), app_->Files(), app_->GameFolders(), stored);
    if (!stored.UserDemoFile.empty()) demos_.DemoBox().SelectText(stored.UserDemoFile);
}

void MainWindow::FormDestroy() {
    if (!app_) return;
    if (app_->Store().IsOpen()) SaveSettings(app_->Store(), CurrentSettings());
    CleanUpAtExit(app_->Files(), app_->GameFolders());
    app_.reset();
}

void MainWindow::FormActivate() {
    // An activation before the news window exists (a question during start-up) leaves the turn for later.
    if (!news_.Handle() || !app_ || !app_->Store().IsOpen()) return;
    if (ClaimNewsTurn(app_->Store())) news_.Show();
}

bool MainWindow::GameExists() {
    const std::string path = path_.PathBox().Text();
    return !path.empty() && app_->Files().FileExists(path);
}

void MainWindow::CheckVersion(bool manualChoice) {
    const FileVersion engine =
        NormalizeFileVersion(ReadFileVersionString(app_->GameFolders().Bin32 + "ZorbSystem.dll"));
    const std::string storedShader = app_->Store().Read(kShaderModelValue);
    const VersionCheckEffects fx =
        manualChoice ? CheckGameVersionAfterChoice(engine, storedShader, settings1_.DetailLevels().Index(),
                                                   ReadyBenchCaption(screen_.ScreenshotMode()))
                     : CheckGameVersionAtStart(engine, storedShader);
    if (fx.VersionLabel) path_.VersionLabel().SetText(*fx.VersionLabel);
    if (fx.SpecificTab != EnableChange::Unchanged) specific_.SetEnabled(fx.SpecificTab == EnableChange::Enable);
    if (fx.ShaderModel) settings2_.ShaderModels().SetIndex(*fx.ShaderModel);
    if (fx.HigherShaderItems != EnableChange::Unchanged) {
        for (int item : {1, 2}) settings2_.ShaderModels().Item(item).Enable(fx.HigherShaderItems == EnableChange::Enable);
    }
    if (fx.BenchCaption) SetBenchCaption(*fx.BenchCaption);
    if (fx.Status) SetStatus(*fx.Status);
    if (fx.BenchEnabled) SetBenchButtonEnabled(*fx.BenchEnabled);
    if (fx.Message) ShowMessage(*fx.Message);
    if (manualChoice) specific_.SetEnabled(SpecificTabEnabled(engine.Build));
}

void MainWindow::GameChosen(const std::string& exePath) {
    BenchSettings s = CurrentSettings();
    app_->SetFolders(AcceptChosenGame(app_->Store(), app_->Files(), app_->GameFolders().Program, exePath, s));
    ShowSettings(s, [this](int id) { return FindControl(id); });
    path_.PathBox().SetText(exePath);
    demos_.FillMapList(app_->Store().Read(kMapNameValue));
    SetBenchButtonEnabled(true);
    SetStatus(kReadyStatus);
    CheckVersion(true);
}

void MainWindow::DemoChosen(const DemoChoiceEffects& effects) { screen_.ApplyDemoChoice(effects); }

void MainWindow::ScreenshotModeSwitched(bool on) {
    const ScreenshotModeEffects fx =
        ScreenshotModeRule(on, specific_.RunTwice(), app_->Store().Read(kRunCountValue),
                           demos_.Demos().Index());
    const ComboBox runs = settings3_.RunCount();
    runs.SelectText(fx.RunCountText);
    runs.Enable(fx.RunCountEnabled);
    general_.SetEnabled(fx.GeneralPageEnabled);
    screen_.ApplyScreenshotMode(fx);
    settings2_.Antialiasing().Enable(fx.AntialiasEnabled);
    SetBenchCaption(fx.BenchCaption);
    SetStatus(fx.Status);
    if (fx.ShowDemoFramesDialog) ShowDemoFrames();
}

void MainWindow::NewRangeClicked() {
    if (demos_.Demos().Index() == kUserDemoIndex) ShowDemoFrames();
}

void MainWindow::PossibilitiesClicked() {
    const auto size = monitorDialog_.Ask();
    if (!size) return;
    settings1_.SetCustomSize(size->Width, size->Height);
    app_->Store().Write(kCustomWidthValue, size->Width);
    app_->Store().Write(kCustomHeightValue, size->Height);
}

void MainWindow::ShowDemoFrames() {
    int frames = 0;
    switch (framesDialog_.Ask(frames)) {
    case DemoFramesDialog::Outcome::NewRange:
        screen_.SetFrameRange(frames);
        break;
    case DemoFramesDialog::Outcome::ScreenshotOff:
        screen_.SwitchScreenshotModeOff();
        break;
    case DemoFramesDialog::Outcome::Unchanged:
        break;
    }
}

void MainWindow::RunTwiceSwitched(bool on) { settings3_.RunCount().SelectText(RunCountForRunTwice(on)); }

}  // namespace wmb::ui
