// Start-up, exit and the option rules of the main window.

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "demos/demo_table.h"
#include "platform/win32/display_modes.h"
#include "platform/win32/shortcut.h"
#include "platform/win32/version_reader.h"
#include "settings/game_location.h"
#include "settings/recovery.h"
#include "settings/settings_table.h"
#include "ui/app_services.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr const char* kWebAddress = "http://www.kestrane.com/";
constexpr const char* kPartnerAddress = "http://www.pixelgrund.com/";
constexpr const char* kReadyStatus = "Set the parameters & bench!";
constexpr const char* kNoGameStatus = "Please define the Wildmere path!";
constexpr const char* kScreenshotStatus = "Set the parameters & get screenshot!";

bool ChooseFile(HWND owner, const char* filter, const char* title, std::string& path) {
    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return false;
    path = buffer;
    return true;
}

bool ChooseFolder(HWND owner, std::string& path) {
    char buffer[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = buffer;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    if (!list) return false;
    const bool ok = SHGetPathFromIDListA(list, buffer) != FALSE;
    CoTaskMemFree(list);
    if (ok) path = buffer;
    return ok;
}

}  // namespace

// ---- Start-up and exit ----

void MainWindow::FormCreate() {
    app_ = std::make_unique<AppServices>(hwnd_, kProcessEndedMessage, *this);
    Folders folders;
    folders.Program = ProgramFolder();
    app_->SetFolders(folders);
    const std::string caption =
        "Kestrane Wildmere Benchmark v" + ReadFileVersionString(ProgramPath()) + " - www.kestrane.com";
    SetWindowTextA(hwnd_, caption.c_str());

    auto& store = app_->Store();
    if (!store.IsOpen()) return;

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
    if (pathGiven) RestoreUserDemoFile(store, app_->Files(), app_->GameFolders(), s);
    ApplyLoadedSettings(s);
    Enable(IDC_CUSWIDTH, loaded.CustomControlsEnabled);
    Enable(IDC_CUSHEIGHT, loaded.CustomControlsEnabled);
    Enable(IDC_CUSPOSSIBILITIES, loaded.CustomControlsEnabled);
    DetailBoxChanging();
    if (s.DemoIndex >= 0) DemoChanging();

    SetStatus(gameFound ? kReadyStatus : kNoGameStatus);
    SetBenchButtonEnabled(gameFound);
    if (gameFound) {
        SetText(IDC_LABEL8, DecimalSeparatorLabel(s.ReportDecimalSeparator));
        CheckVersion(false);
    } else {
        SetText(IDC_VERSIONLABEL, pathGiven ? "Version: unsuitable" : "Wildmere version: not available");
    }
    if (pathGiven) {
        OfferRecovery(
            app_->Files(), store, app_->GameFolders(),
            [this](const std::string& q) {
                return MessageBoxA(hwnd_, q.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
            },
            [this](const std::string& m) { ShowMessage(m); });
    }
}

void MainWindow::FormDestroy() {
    if (!app_) return;
    if (app_->Store().IsOpen()) SaveSettings(app_->Store(), CurrentSettings());
    CleanUpAtExit(app_->Files(), app_->GameFolders());
    app_.reset();
}

void MainWindow::FormActivate() {
    if (!app_ || newsShown_) return;
    auto& store = app_->Store();
    if (store.Read("News") == "0") {
        store.Write("News", "1");
        newsShown_ = true;
    }
}

// ---- Game location ----

void MainWindow::CheckVersion(bool manualChoice) {
    const FileVersion engine = NormalizeFileVersion(ReadFileVersionString(app_->GameFolders().Bin32 + "ZorbSystem.dll"));
    const std::string storedShader = app_->Store().Read("PS");
    const VersionCheckEffects fx =
        manualChoice ? CheckGameVersionAfterChoice(engine, storedShader, RadioIndex(IDC_DETAIL0, 4), "Benchmark")
                     : CheckGameVersionAtStart(engine, storedShader);
    if (fx.VersionLabel) SetText(IDC_VERSIONLABEL, *fx.VersionLabel);
    if (fx.SpecificTab != EnableChange::Unchanged) SetPageEnabled(kPageSpecific, fx.SpecificTab == EnableChange::Enable);
    if (fx.ShaderModel) SetRadioIndex(IDC_PSHADER0, 3, *fx.ShaderModel);
    if (fx.HigherShaderItems != EnableChange::Unchanged) {
        Enable(IDC_PSHADER0 + 1, fx.HigherShaderItems == EnableChange::Enable);
        Enable(IDC_PSHADER0 + 2, fx.HigherShaderItems == EnableChange::Enable);
    }
    if (fx.BenchCaption) SetWindowTextA(benchButton_, fx.BenchCaption->c_str());
    if (fx.Status) SetStatus(*fx.Status);
    if (fx.BenchEnabled) SetBenchButtonEnabled(*fx.BenchEnabled);
    if (fx.Message) ShowMessage(*fx.Message);
    if (manualChoice) SetPageEnabled(kPageSpecific, SpecificTabEnabled(engine.Build));
}

void MainWindow::FindManClick() {
    std::string path;
    if (!ChooseFile(hwnd_, "Wildmere (Wildmere.exe)\0WILDMERE.EXE\0", nullptr, path)) return;
    BenchSettings s = CurrentSettings();
    app_->SetFolders(AcceptChosenGame(app_->Store(), app_->Files(), app_->GameFolders().Program, path, s));
    ApplyLoadedSettings(s);
    SetText(IDC_WMPATHEDIT, path);
    SetBenchButtonEnabled(true);
    SetStatus(kReadyStatus);
    CheckVersion(true);
}

// ---- Option rules ----

void MainWindow::DetailBoxChanging() {
    const bool custom = RadioIndex(IDC_DETAIL0, 4) == 3;
    Enable(IDC_DETAILEDIT, custom);
    Enable(IDC_DETAILBUTTON, custom);
}

void MainWindow::DetailButtonClick() {
    std::string path;
    if (!ChooseFile(hwnd_, "Wildmere config file (system.cfg)\0system.cfg\0", nullptr, path)) return;
    SetText(IDC_DETAILEDIT, path);
    app_->Store().Write("CustomConfig", path);
}

void MainWindow::DemoChanging() {
    const int index = RadioIndex(IDC_DEMO0, 12);
    if (index < 0) return;
    const bool user = index == kUserDemoIndex;
    Enable(IDC_TOOLBUTTON3, user);
    Enable(IDC_MAPNAMEBOX, user);
    Enable(IDC_DEMONAMEBOX, user);
    ShowWindow(Ctl(IDC_BUTTON1), user ? SW_SHOW : SW_HIDE);
    if (user) {
        SetText(IDC_LABEL3, kNoFrameRangeText);
    } else {
        const int frames = kBuiltInDemos[static_cast<std::size_t>(index)].Frames;
        SetText(IDC_LABEL3, FrameRangeText(frames));
        frameMax_ = frames;
    }
}

void MainWindow::CusResBoxClick() {
    const bool on = Checked(IDC_CUSRESBOX);
    Enable(IDC_CUSWIDTH, on);
    Enable(IDC_CUSHEIGHT, on);
    Enable(IDC_CUSPOSSIBILITIES, on);
    WriteCustomResolutionFlag();
}

void MainWindow::WriteCustomResolutionFlag() {
    const bool selected = Checked(IDC_CUSRESBOX) && !Text(IDC_CUSWIDTH).empty() && !Text(IDC_CUSHEIGHT).empty();
    app_->Store().Write("CusRes", selected ? "1" : "0");
}

void MainWindow::FolderChoice(int editId, const char* valueName) {
    std::string folder;
    if (!ChooseFolder(hwnd_, folder)) return;
    if (folder.size() >= 4) folder += "\\";
    SetText(editId, folder);
    app_->Store().Write(valueName, folder);
    if (!app_->Files().FolderExists(folder)) app_->Files().CreateFolders(folder);
}

void MainWindow::DefaultFolder(int editId, const char* valueName, const char* subFolder) {
    const std::string gamePath = Text(IDC_WMPATHEDIT);
    const auto& folders = app_->GameFolders();
    const std::string folder = (!gamePath.empty() && app_->Files().FileExists(gamePath) ? folders.Game : folders.Program) +
                               subFolder;
    SetText(editId, folder);
    app_->Store().Write(valueName, folder);
    if (!app_->Files().FolderExists(folder)) app_->Files().CreateFolders(folder);
}

void MainWindow::OpenResFolderClick() {
    const std::string folder = Text(IDC_RESEDIT);
    if (folder.empty()) return;
    if (app_->Files().FolderExists(folder)) {
        OpenDocument(folder);
    } else {
        ShowMessage("The results directory not exist.");
    }
}

void MainWindow::DecBoxChange() { SetText(IDC_LABEL8, DecimalSeparatorLabel(Text(IDC_DECBOX))); }

void MainWindow::DecBoxExit() {
    const std::string text = Text(IDC_DECBOX);
    if (text != "." && text != ",") {
        SelectComboText(IDC_DECBOX, app_->Store().Read("Decimal"));
        DecBoxChange();
    }
}

void MainWindow::WaitsChange() { SetText(IDC_LABEL10, Text(IDC_WAITS) == "1" ? "second." : "seconds."); }

void MainWindow::EnableScShotClick() {
    const bool on = Checked(IDC_ENABLESCSHOT);
    Enable(IDC_FRAMEEDIT, on);
    if (on) {
        SelectComboText(IDC_RUNNUMBERBOX, Checked(IDC_SECTIME) ? "2" : "1");
    } else {
        SelectComboText(IDC_RUNNUMBERBOX, app_->Store().Read("TRun"));
    }
    Enable(IDC_RUNNUMBERBOX, !on);
    SetPageEnabled(kPageGeneral, !on);
    for (int id : {IDC_SCRSAVEFOLD, IDC_TOOLBUTTON9, IDC_TOOLBUTTON10, IDC_BUTTON1}) Enable(id, on);
    Enable(IDC_AABOX, !on);
    SetWindowTextA(benchButton_, on ? "Screenshot" : "Benchmark");
    SetStatus(on ? kScreenshotStatus : "");
}

void MainWindow::FrameEditExit() {
    const std::string text = Text(IDC_FRAMEEDIT);
    bool valid = !text.empty() && text.size() < 9;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') valid = false;
        else value = value * 10 + (c - '0');
    }
    if (!valid || value < 1 || value > frameMax_) SetText(IDC_FRAMEEDIT, std::to_string(frameMax_));
}

void MainWindow::HdrBoxClick() {
    const bool on = Checked(IDC_HDRBOX);
    Enable(IDC_HDRLEVELBOX, on);
    Enable(IDC_HDRLEVELSPIN, on);
    Enable(IDC_SECTIME, on);
}

void MainWindow::SecTimeClick() { SelectComboText(IDC_RUNNUMBERBOX, Checked(IDC_SECTIME) ? "2" : "1"); }

// ---- Commands ----

void MainWindow::OnCommand(int id, int code, HWND) {
    if (!app_) return;
    if (id >= IDC_DEMO0 && id < IDC_DEMO0 + 12) {
        if (code == BN_CLICKED) DemoChanging();
        return;
    }
    if (id >= IDC_DETAIL0 && id < IDC_DETAIL0 + 4) {
        if (code == BN_CLICKED) DetailBoxChanging();
        return;
    }
    switch (id) {
    case IDC_BENCHBUTTON:
        if (code == BN_CLICKED) app_->Controller().BenchButtonClick();
        break;
    case IDC_IMAGE2:
        if (code == BN_CLICKED) app_->Controller().Image2Click();
        break;
    case IDC_FINDMAN:
        FindManClick();
        break;
    case IDC_DETAILBUTTON:
        DetailButtonClick();
        break;
    case IDC_CUSRESBOX:
        if (code == BN_CLICKED) CusResBoxClick();
        break;
    case IDC_TOOLBUTTON2:
        FolderChoice(IDC_RESEDIT, "ResultPath");
        break;
    case IDC_TOOLBUTTON8:
        DefaultFolder(IDC_RESEDIT, "ResultPath", "Benchmark\\");
        break;
    case IDC_TOOLBUTTON9:
        FolderChoice(IDC_SCRSAVEFOLD, "ScrPath");
        break;
    case IDC_TOOLBUTTON10:
        DefaultFolder(IDC_SCRSAVEFOLD, "ScrPath", "Screenshot\\");
        break;
    case IDC_OPENRESFOLDER:
        OpenResFolderClick();
        break;
    case IDC_DECBOX:
        if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) DecBoxChange();
        if (code == CBN_KILLFOCUS) DecBoxExit();
        break;
    case IDC_WAITS:
        if (code == EN_CHANGE) WaitsChange();
        break;
    case IDC_ENABLESCSHOT:
    case IDC_ADDINFO:
        if (code == BN_CLICKED) EnableScShotClick();
        break;
    case IDC_FRAMEEDIT:
        if (code == EN_KILLFOCUS) FrameEditExit();
        break;
    case IDC_HDRBOX:
        if (code == BN_CLICKED) HdrBoxClick();
        break;
    case IDC_SECTIME:
        if (code == BN_CLICKED) SecTimeClick();
        break;
    case IDC_HOMEPAGE:
        ShellExecuteA(hwnd_, "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDC_PARTNERLOGO:
        if (code == STN_CLICKED) ShellExecuteA(hwnd_, "open", kPartnerAddress, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDC_HELPBUTTON:
        ShellExecuteA(hwnd_, "open", (app_->GameFolders().Program + "help.chm").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    default:
        break;
    }
}

void MainWindow::OnProcessEnded(WPARAM runner) { app_->OnProcessEnded(runner); }

// ---- Settings <-> controls ----

BenchSettings MainWindow::CurrentSettings() {
    BenchSettings s;
    s.GamePath = Text(IDC_WMPATHEDIT);
    s.ResultsFolder = Text(IDC_RESEDIT);
    s.ScreenshotFolder = Text(IDC_SCRSAVEFOLD);
    s.CustomConfigPath = Text(IDC_DETAILEDIT);
    for (int i = 0; i < kFixedSlotCount; ++i) {
        s.ResolutionChecked[static_cast<std::size_t>(i)] = Checked(IDC_RES0 + i);
        s.ResolutionAvailable[static_cast<std::size_t>(i)] = IsWindowEnabled(Ctl(IDC_RES0 + i)) != FALSE;
    }
    s.CustomWidth = Text(IDC_CUSWIDTH);
    s.CustomHeight = Text(IDC_CUSHEIGHT);
    s.CustomResolution = Checked(IDC_CUSRESBOX);
    s.DemoIndex = RadioIndex(IDC_DEMO0, 12);
    s.DetailLevel = RadioIndex(IDC_DETAIL0, 4);
    s.ShaderModel = RadioIndex(IDC_PSHADER0, 3);
    s.RendererIndex = ComboIndex(IDC_RENDERERBOX);
    s.AnisotropyIndex = ComboIndex(IDC_AFBOX);
    s.AntialiasIndex = ComboIndex(IDC_AABOX);
    s.RunCount = Text(IDC_RUNNUMBERBOX);
    s.Note = Text(IDC_NOTEEDIT);
    s.WaitSeconds = Text(IDC_WAITS);
    s.HdrEnabled = Checked(IDC_HDRBOX);
    s.HdrLevel = Text(IDC_HDRLEVELBOX);
    s.GeometryInstancing = Checked(IDC_GIBOX);
    s.NormalMapCompression = Checked(IDC_COMPRESSBOX);
    s.LanguageIndex = ComboIndex(IDC_LANGBOX);
    s.AddDisplayInfo = Checked(IDC_ADDINFO);
    s.ReportDecimalSeparator = Text(IDC_DECBOX);
    s.UserMapFolder = Text(IDC_MAPNAMEBOX);
    s.UserDemoFile = Text(IDC_DEMONAMEBOX);
    s.ScreenshotMode = Checked(IDC_ENABLESCSHOT);
    s.ScreenshotFrame = Text(IDC_FRAMEEDIT);
    s.RunTwice = Checked(IDC_SECTIME);
    return s;
}

void MainWindow::ApplyLoadedSettings(const BenchSettings& s) {
    SetText(IDC_WMPATHEDIT, s.GamePath);
    SetText(IDC_RESEDIT, s.ResultsFolder);
    SetText(IDC_SCRSAVEFOLD, s.ScreenshotFolder);
    SetText(IDC_DETAILEDIT, s.CustomConfigPath);
    for (int i = 0; i < kFixedSlotCount; ++i) {
        SetChecked(IDC_RES0 + i, s.ResolutionChecked[static_cast<std::size_t>(i)]);
        Enable(IDC_RES0 + i, s.ResolutionAvailable[static_cast<std::size_t>(i)]);
    }
    SetText(IDC_CUSWIDTH, s.CustomWidth);
    SetText(IDC_CUSHEIGHT, s.CustomHeight);
    SetChecked(IDC_CUSRESBOX, s.CustomResolution);
    SetRadioIndex(IDC_DEMO0, 12, s.DemoIndex);
    SetRadioIndex(IDC_DETAIL0, 4, s.DetailLevel);
    SetRadioIndex(IDC_PSHADER0, 3, s.ShaderModel);
    SetComboIndex(IDC_RENDERERBOX, s.RendererIndex);
    SetComboIndex(IDC_AFBOX, s.AnisotropyIndex);
    SetComboIndex(IDC_AABOX, s.AntialiasIndex);
    SelectComboText(IDC_RUNNUMBERBOX, s.RunCount);
    SetText(IDC_NOTEEDIT, s.Note);
    SetText(IDC_WAITS, s.WaitSeconds);
    SetChecked(IDC_HDRBOX, s.HdrEnabled);
    SetText(IDC_HDRLEVELBOX, s.HdrLevel);
    HdrBoxClick();
    SetChecked(IDC_GIBOX, s.GeometryInstancing);
    SetChecked(IDC_COMPRESSBOX, s.NormalMapCompression);
    SetComboIndex(IDC_LANGBOX, s.LanguageIndex);
    SetChecked(IDC_ADDINFO, s.AddDisplayInfo);
    SelectComboText(IDC_DECBOX, s.ReportDecimalSeparator);
    SetText(IDC_MAPNAMEBOX, s.UserMapFolder);
    SetText(IDC_DEMONAMEBOX, s.UserDemoFile);
}

}  // namespace wmb::ui
