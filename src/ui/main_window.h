#pragma once
// The main window: owner of the settings, the run controller and everything a sequence needs.

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "run/sequence_host.h"
#include "settings/bench_settings.h"

namespace wmb {
class RunController;
}

namespace wmb::ui {

class AppServices;

inline constexpr const char* kMainWindowClass = "WildmereBenchMainWindow";
// Posted by the process runners when a child process has ended: WPARAM the runner, LPARAM the exit code.
inline constexpr UINT kProcessEndedMessage = WM_APP + 1;

class MainWindow : public SequenceWindow {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class and creates the window (this runs the start-up steps).
    HWND Create(HINSTANCE instance);
    HWND Handle() const { return hwnd_; }

    // SequenceWindow
    BenchSettings CurrentSettings() override;
    void SetBenchButtonEnabled(bool enabled) override;
    void ShowAbortPanel(bool shown) override;
    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void StartTimer(int ms) override;
    void StopTimer() override;
    void OpenDocument(const std::string& path) override;
    void CloseWindow() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK CusResBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    void CreateChildren();
    void CreateAbortPanel();
    void PaintTopArea(HDC dc);
    void ShowPage(int index);
    void OnCommand(int id, int code, HWND control);
    void OnProcessEnded(WPARAM runner);

    // Start-up and exit.
    void FormCreate();
    void FormDestroy();
    void FormActivate();

    // Option rules and small handlers.
    void DetailBoxChanging();
    void DetailButtonClick();
    void CusResBoxClick();
    void WriteCustomResolutionFlag();
    void FolderChoice(int editId, const char* valueName);
    void DefaultFolder(int editId, const char* valueName, const char* subFolder);
    void OpenResFolderClick();
    void DecBoxChange();
    void DecBoxExit();
    void WaitsChange();
    void EnableScShotClick();
    void FrameEditExit();
    void HdrBoxClick();
    void SecTimeClick();
    void DemoChanging();
    void FindManClick();
    void CheckVersion(bool manualChoice);
    void ApplyLoadedSettings(const BenchSettings& s);

    // Controls.
    HWND Ctl(int id) const;
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void Enable(int id, bool enabled);
    int RadioIndex(int firstId, int count) const;
    void SetRadioIndex(int firstId, int count, int index);
    int ComboIndex(int id) const;
    void SetComboIndex(int id, int index);
    void SelectComboText(int id, const std::string& text);
    void SetPageEnabled(int page, bool enabled);

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND tabs_ = nullptr;
    HWND pages_[8] = {};
    HWND statusBar_ = nullptr;
    HWND benchButton_ = nullptr;
    HWND panel_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HFONT titleFont_ = nullptr;
    std::unordered_map<int, HWND> controls_;
    int frameMax_ = 1;
    bool newsShown_ = false;

    std::unique_ptr<AppServices> app_;
};

}  // namespace wmb::ui
