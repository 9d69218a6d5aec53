#pragma once
// The main window: the frame around the pages (header, tabs, Benchmark button, status bar, abort
// panel), the owner of the program's services, and the window a benchmark sequence runs in.

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "run/sequence_host.h"
#include "ui/abort_panel.h"
#include "ui/controls.h"
#include "ui/demo_frames_dialog.h"
#include "ui/demos_page.h"
#include "ui/gdi.h"
#include "ui/general_page.h"
#include "ui/monitor_dialog.h"
#include "ui/news_window.h"
#include "ui/page.h"
#include "ui/path_page.h"
#include "ui/pictures.h"
#include "ui/screen_page.h"
#include "ui/settings1_page.h"
#include "ui/settings2_page.h"
#include "ui/settings3_page.h"
#include "ui/specific_page.h"
#include "ui/unattended_run.h"
#include "ui/update_service.h"
#include "ui/window.h"

namespace wmb::ui {

class AppServices;

inline constexpr const char* kMainWindowClass = "WildmereBenchMainWindow";

class MainWindow : public Window, public SequenceWindow, private PageHost, private UnattendedWindow {
public:
    MainWindow();
    ~MainWindow() override;

    // Registers the class and creates the window (this runs the start-up steps); nullptr on failure.
    HWND Create(HINSTANCE instance);
    // Before Create: the start is unattended (see UnattendedRun).
    void RunUnattended(UnattendedArgs args) { unattended_ = std::make_unique<UnattendedRun>(static_cast<UnattendedWindow&>(*this), std::move(args)); }

    // SequenceWindow
    BenchSettings CurrentSettings() override;
    void SetBenchButtonEnabled(bool enabled) override;
    void ShowAbortPanel(bool shown) override;
    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void StartTimer(int ms) override;
    void StopTimer() override;
    void OpenDocument(const std::string& path) override;
    void CloseWindow() override { CloseLater(); }
    void SequenceOver(bool filesBack, const std::string& endStatus) override;

private:
    // Window
    void OnCreate() override;
    bool OnClose() override;
    void OnDestroy() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

    // PageHost
    AppServices& App() override { return *app_; }
    HFONT NormalFont() const override { return font_.Get(); }
    HFONT BoldFont() const override { return boldFont_.Get(); }
    const ToolTips& Hints() const override { return hints_; }
    bool GameExists() override;
    void GameChosen(const std::string& exePath) override;
    void DemoChosen(const DemoChoiceEffects& effects) override;
    void ScreenshotModeSwitched(bool on) override;
    void RunTwiceSwitched(bool on) override;
    void NewRangeClicked() override;
    // The monitor resolutions dialog: the mode added becomes the custom size, stored at once.
    void PossibilitiesClicked() override;
    // Asks for the user demo's frame range; its answer may switch screenshot mode off.
    void ShowDemoFrames();

    void CreateHeader();
    // Pages, made when first wanted (main_pages.cpp). At start only the first page is made; the rest are
    // made once the window is ready and idle, or earlier when something reaches them.
    void CreatePages();
    void ShowPage(int index);
    HWND FindControl(int id) const;
    void MakePage(Page& page);
    template <class P>
    P& Made(P& page) {
        MakePage(page);
        return page;
    }
    // Runs `step` on the page now if it is made, else right after it is made.
    void WhenMade(Page& page, std::function<void()> step);
    void MakeAllPages();
    // What the controls show, the pages not made yet showing the settings held for them.
    BenchSettings ShownSettings() const;
    // Shows the settings on the made pages and holds them for the others.
    void ShowAllSettings(const BenchSettings& settings);
    // Once the window is ready, one step each time it is idle, so that it answers in between: the next page
    // not made yet; when all are made, the hidden news window (or the unattended run). True while steps remain.
    bool NextStepOnIdle();

    // Unattended starts and profiles (main_unattended.cpp).
    void ChooseSettings(const BenchSettings& before, const BenchSettings& after) override;
    bool StartSequence() override;
    std::string ReportPath() override;
    std::vector<SlotResult> SlotResults() override;
    std::string ResultsFolder() override;
    std::string ProgramFolder() override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& bytes) override;
    void Later(std::function<void()> step) override;
    void End(int exitCode) override;
    // The items the window's system menu gains: profiles and the comparison of results.
    void AddProfileMenu();
    bool OnProfileMenu(WPARAM command);
    void SaveProfile();
    void LoadProfile();
    void RunProfiles();
    void CompareResults();
    HWND HeaderControl(int id) const { return header_.Find(id); }
    void SetBenchCaption(const std::string& caption) const { benchButton_.SetText(caption); }

    // Start-up, exit and the game's version (main_startup.cpp).
    void FormCreate();
    void FormDestroy();
    void FormActivate();
    void CheckVersion(bool manualChoice);
    // The stored user demo, when it lies in the map folder the map box names.
    void RestoreDemoName();

    Font font_;
    Font boldFont_;
    Font buttonFont_;
    Bitmap logo_;
    Bitmap partnerLogo_;
    GlyphList benchGlyph_;
    ToolTips hints_;
    ControlHandles header_;
    TabControl tabs_;
    Button benchButton_;
    HWND statusBar_ = nullptr;
    AbortPanel abortPanel_;
    DemoFramesDialog framesDialog_;
    MonitorDialog monitorDialog_;

    std::unique_ptr<AppServices> app_;
    PathPage path_{*this};
    DemosPage demos_{*this};
    Settings1Page settings1_{*this};
    Settings2Page settings2_{*this};
    Settings3Page settings3_{*this};
    GeneralPage general_{*this};
    ScreenPage screen_{*this};
    SpecificPage specific_{*this};
    std::array<Page*, 8> pages_{&path_, &demos_, &settings1_, &settings2_, &settings3_, &general_, &screen_, &specific_};
    RECT pageArea_{};
    BenchSettings held_;  // what the pages not made yet are to show
    std::map<const Page*, std::vector<std::function<void()>>> pendingSteps_;
    NewsWindow news_;
    std::unique_ptr<UpdateService> updates_;
    std::unique_ptr<UnattendedRun> unattended_;
    bool sweepFromWindow_ = false;  // the unattended run is the window's "Run several profiles..."
    HINSTANCE instance_ = nullptr;
    bool ready_ = false;  // the window is made and its start-up is over
};

}  // namespace wmb::ui
