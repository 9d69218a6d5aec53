#pragma once
// The main window's update check: the updater with its windows (message boxes, the offer, the lost-file
// question, the wizard) and the Windows side, set up as this program uses it.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/http_services_win32.h"
#include "platform/win32/updater_system_win32.h"
#include "ui/update_wizard.h"
#include "ui/upgrade_offer_dialog.h"
#include "update/auto_updater.h"

namespace wmb::ui {

// The updater's windows, owned by the main window.
class UpdaterDialogs : public IUpdaterDialogs {
public:
    UpdaterDialogs(HINSTANCE instance, HWND owner, HFONT font, std::string title)
        : instance_(instance), owner_(owner), font_(font), title_(std::move(title)) {}

    void Message(const std::string& text, TudMessageIcon icon) override;
    bool AskUpgrade(const std::string& labelText) override;
    bool AskSkipLostFile(const std::string& text, const std::string& caption) override;
    void ShowWizard(const TudAutoUpdaterWizard& wizard, std::function<void()> cancelled,
                    std::function<void()> finished) override;
    bool WizardShown() const override { return wizard_.Shown(); }
    void WizardFile(const std::string& url, const std::string& allDownloading) override;
    void WizardFileSize(const std::string& text) override { wizard_.SetFileSize(text); }
    void WizardProgress(int filePercent, int allPercent, const std::string& rate, const std::string& timeLeft) override;
    void WizardCompletionPage(const std::string& afterNote) override;
    void CloseWizard() override { wizard_.Close(); }

    HWND WizardWindow() const { return wizard_.Handle(); }

private:
    HINSTANCE instance_;
    HWND owner_;
    HFONT font_;
    std::string title_;  // the program's file name without extension
    UpdateWizard wizard_;
};

class UpdateService {
public:
    // `showMessage` is the main window's plain message box.
    UpdateService(HINSTANCE instance, HWND mainWindow, HFONT font, std::function<void(const std::string&)> showMessage);

    // The Update button: a check over a direct connection.
    void Check();
    // Once the program is loaded, with its command-line arguments (its own path left out). After an update
    // that the upgrader could not install, says which file stood in the way and that nothing changed.
    void Loaded(const std::vector<std::string>& arguments);

private:
    std::function<void(const std::string&)> showMessage_;
    Win32HttpServices http_;
    Win32UpdaterSystem system_;
    UpdaterDialogs dialogs_;
    TudAutoUpdater updater_;
};

}  // namespace wmb::ui
