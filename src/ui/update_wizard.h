#pragma once
// The update wizard: the download of an update's files, with the file being fetched, its size, the
// transfer rate, the time left and the progress of the file and of all files, and at the end a page that
// says the update is complete. Not modal; one at a time; closing it destroys the window (Show makes a new
// one). The close box and Cancel ask the owner first; Finish closes it.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/subclass.h"
#include "ui/window.h"

namespace wmb::ui {

inline constexpr const char* kUpdateWizardClass = "WildmereBenchUpdateWizard";

// The wizard's texts that do not change while the files come in, formatted by the owner.
struct TWizardTexts {
    std::string Caption;
    std::string Title;
    std::string CurrentFileGroup;  // group captions, with a blank at both ends
    std::string AllFilesGroup;
    std::string DownloadingFrom;
    // What the figures show before the first file reports them.
    std::string FileSize;
    std::string TransferRate;
    std::string EstimatedTime;
    std::string AllDownloading;
    std::string Finish;
    std::string Cancel;
    std::string FinishDone;  // Finish's text on the last page
    std::string About;  // drawn embossed over the line above the buttons
};

class UpdateWizard : public Window {
public:
    UpdateWizard() = default;
    ~UpdateWizard() override { Close(); }
    UpdateWizard(const UpdateWizard&) = delete;
    UpdateWizard& operator=(const UpdateWizard&) = delete;

    // Asked when the close box or Cancel is used: true lets the wizard close (the owner asks the user).
    // Without a handler it closes.
    std::function<bool()> OnCancelAsked;
    // The wizard has closed and its window is gone: by Finish (`finished` true) or after OnCancelAsked
    // said yes (false). Not called for Close().
    std::function<void(bool finished)> OnClosed;

    // Creates the wizard when there is none (centred on the screen, the side picture from `instance`), fills
    // it with `texts` and empty progress and shows it. With `hideFileLocation` the source address and its
    // label are hidden and the figures move up; with `stayOnTop` the window is topmost.
    void Show(HINSTANCE instance, const TWizardTexts& texts, bool hideFileLocation, bool stayOnTop);
    // Destroys the wizard without asking and without OnClosed.
    void Close();
    bool Shown() const { return Handle() != nullptr; }

    // The figures while downloading (progress in percent); ignored when there is no wizard.
    void SetFileUrl(const std::string& url) const;
    void SetAllDownloading(const std::string& text) const;
    void SetFileSize(const std::string& text) const;
    void SetTransferRate(const std::string& text) const;
    void SetEstimatedTime(const std::string& text) const;
    void SetFileProgress(int percent) const;
    void SetAllProgress(int percent) const;

    // The last page: the title becomes `doneTitle`, the groups give way to `afterNote` (as high as its
    // lines), Cancel is disabled and Finish, with its last page's text, is enabled and focused.
    void ShowCompletionPage(const std::string& doneTitle, const std::string& afterNote);

private:
    void OnCreate() override;
    void OnDestroy() override;
    bool OnClose() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

    void SetText(int id, const std::string& text) const;
    void SetProgress(int id, int percent) const;
    void Fill(const TWizardTexts& texts);
    // Puts every control at its place: the current file's group and its figures move when the source
    // address is hidden.
    void Arrange();
    // The groups with their controls (the source address and its label stay hidden when asked for).
    void ShowGroups(bool shown) const;
    void AskToClose();
    void Paint();

    ControlHandles controls_;
    Font font_;
    Font titleFont_;
    Bitmap picture_;
    std::optional<Subclass> urlKeys_;
    std::string about_;
    std::string finishDone_;
    bool hideFileLocation_ = false;
    bool completed_ = false;
};

}  // namespace wmb::ui
