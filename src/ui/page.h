#pragma once
// A page of the main window's tab control: a child window that owns its controls, lays them out from
// its table and carries out its own rules. What reaches beyond the page goes through its PageHost.

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/window.h"

namespace wmb {
struct DemoChoiceEffects;
}

namespace wmb::ui {

class AppServices;

// The main window, as a page sees it.
class PageHost {
public:
    virtual ~PageHost() = default;
    virtual AppServices& App() = 0;
    virtual HFONT NormalFont() const = 0;
    virtual HFONT BoldFont() const = 0;
    // The window's hints: one tooltip window serves the frame and every page.
    virtual const ToolTips& Hints() const = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void OpenDocument(const std::string& path) = 0;
    // Whether the game's executable named in the path box exists.
    virtual bool GameExists() = 0;
    // Rules that reach other pages or the frame.
    virtual void GameChosen(const std::string& exePath) = 0;
    virtual void DemoChosen(const DemoChoiceEffects& effects) = 0;
    virtual void ScreenshotModeSwitched(bool on) = 0;
    virtual void RunTwiceSwitched(bool on) = 0;
    virtual void NewRangeClicked() = 0;
    virtual void PossibilitiesClicked() = 0;
};

inline constexpr const char* kPageClass = "WildmereBenchPage";

class Page : public Window {
public:
    explicit Page(PageHost& host) : host_(host) {}
    // Creates the page over `area` of the frame, hidden; its controls are built by Build().
    void Create(HWND frame, const RECT& area);
    void Show(bool shown) const { ShowWindow(Handle(), shown ? SW_SHOW : SW_HIDE); }
    void SetEnabled(bool enabled) const { EnableWindow(Handle(), enabled); }
    // The page's control with that id, nullptr for none (or while the page is not made).
    HWND ControlById(int id) const { return controls_.Find(id); }
    // The rows Build() lays the page's controls out from; known before the page is made.
    virtual std::span<const ControlRow> Layout() const = 0;

protected:
    // Creates the page's controls and registers its handlers.
    virtual void Build() = 0;

    template <class T = Control>
    T Ctl(int id) const {
        return T(controls_.Find(id));
    }
    // The radio buttons with the ids firstId, firstId + 1, ... as one group.
    RadioGroup Radios(int firstId, int count) const;
    void AddControls(std::span<const ControlRow> rows);
    // A read-only box drawn in the info-tip colour.
    void UseInfoTipColour(int id) { infoTipIds_.push_back(id); }
    void AddHint(int id, const std::string& text) const;
    // Puts the glyph `bitmapId` of the program's pictures on the button `id`.
    void AddGlyph(int id, int bitmapId);
    // A picture control showing the bitmap `bitmapId`.
    void ShowPicture(int id, int bitmapId);
    void OnClick(int id, std::function<void()> handler) { OnCommand(id, BN_CLICKED, std::move(handler)); }

    // The folder buttons beside a folder box whose path is stored in the settings value `valueName`.
    void ChooseFolderFor(int boxId, const char* valueName);
    void DefaultFolderFor(int boxId, const char* valueName, const char* subFolder);

    PageHost& host_;

private:
    void OnCreate() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    void PutFolder(int boxId, const char* valueName, const std::string& folder);

    ControlHandles controls_;
    std::vector<int> infoTipIds_;
    std::vector<Bitmap> bitmaps_;
    std::vector<GlyphList> glyphs_;
};

}  // namespace wmb::ui
