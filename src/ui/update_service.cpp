#include "ui/update_service.h"

#include "platform/win32/version_reader.h"
#include "platform/win32/wrappers/error_handler.h"
#include "ui/maker_server.h"
#include "update/update_texts.h"

namespace wmb::ui {

namespace {

constexpr const char* kInfoFilePath = "/benchmarks/wm/kst_wm_bench.inf";

enum Text {
    kCaption = 0,
    kDownloadingFiles = 1,
    kCompleted = 2,
    kCurrentFile = 3,
    kAllFiles = 4,
    kDownloadingFrom = 5,
    kNext = 18,
    kYes = 14,
    kOk = 16,
    kCancel = 17,
    kLater = 19,
    kPreparing = 22,
    kAbortQuestion = 27,
};

std::string Framed(int text) { return std::string(" ") + UpdateText(text) + " "; }

}  // namespace

void UpdaterDialogs::Message(const std::string& text, TudMessageIcon icon) {
    const UINT flags = icon == TudMessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxText(owner_, text, UpdateText(kCaption), MB_OK | flags);
}

bool UpdaterDialogs::AskUpgrade(const std::string& labelText) {
    UpgradeOfferDialog offer;
    return offer.Ask(instance_, owner_, font_, UpdateText(kCaption), labelText, UpdateText(kYes), UpdateText(kLater));
}

bool UpdaterDialogs::AskSkipLostFile(const std::string& text, const std::string& caption) {
    const HWND owner = wizard_.Shown() ? wizard_.Handle() : owner_;
    return MessageBoxText(owner, text, caption, MB_YESNO | MB_ICONWARNING) == IDYES;
}

void UpdaterDialogs::ShowWizard(const TudAutoUpdaterWizard& wizard, std::function<void()> cancelled,
                                std::function<void()> finished) {
    TWizardTexts texts;
    texts.Caption = UpdateText(kCaption);
    texts.Title = UpdateText(kDownloadingFiles);
    texts.CurrentFileGroup = Framed(kCurrentFile);
    texts.AllFilesGroup = Framed(kAllFiles);
    texts.DownloadingFrom = UpdateText(kDownloadingFrom);
    texts.FileSize = FileSizeText(0);
    texts.TransferRate = TransferRateText(0);
    texts.EstimatedTime = UpdateText(kPreparing);
    texts.AllDownloading = "";
    texts.Finish = UpdateText(kNext);
    texts.Cancel = UpdateText(kCancel);
    texts.FinishDone = UpdateText(kOk);
    texts.About = " AutoUpdater ";
    wizard_.OnCancelAsked = [this] {
        return MessageBoxText(wizard_.Handle(), UpdateText(kAbortQuestion), title_, MB_YESNO | MB_ICONQUESTION) == IDYES;
    };
    wizard_.OnClosed = [cancelled = std::move(cancelled), finished = std::move(finished)](bool done) {
        if (done) {
            finished();
        } else {
            cancelled();
        }
    };
    wizard_.Show(instance_, texts, wizard.HideFileLocation, wizard.StayOnTop);
}

void UpdaterDialogs::WizardFile(const std::string& url, const std::string& allDownloading) {
    wizard_.SetFileUrl(url);
    wizard_.SetAllDownloading(allDownloading);
}

void UpdaterDialogs::WizardProgress(int filePercent, int allPercent, const std::string& rate,
                                    const std::string& timeLeft) {
    wizard_.SetFileProgress(filePercent);
    wizard_.SetAllProgress(allPercent);
    wizard_.SetTransferRate(rate);
    wizard_.SetEstimatedTime(timeLeft);
}

void UpdaterDialogs::WizardCompletionPage(const std::string& afterNote) {
    wizard_.ShowCompletionPage(UpdateText(kCompleted), afterNote);
}

UpdateService::UpdateService(HINSTANCE instance, HWND mainWindow, HFONT font,
                             std::function<void(const std::string&)> showMessage)
    : showMessage_(showMessage),
      http_(UiDispatcher(mainWindow)),
      system_(mainWindow),
      dialogs_(instance, mainWindow, font, ApplicationTitle(system_.ProgramPath())),
      updater_(http_, dialogs_, system_) {
    updater_.InfoFileURL = "http://" + MakerServer() + kInfoFilePath;
    updater_.VersionControl = byNumber;
    updater_.VersionNumber = ProgramVersion();
    updater_.VersionDate = "04/05/2007";
    updater_.ShowMessages = mAskUpgrade | mConnLost | mHostUnreachable | mLostFile | mNoUpdateAvailable;
    updater_.Wizard.HideFileLocation = true;
    updater_.OnAborted = [showMessage](TudAutoUpdater&) { showMessage("Update aborted."); };
    updater_.OnLaterUpgrade = [showMessage](TudAutoUpdater&) { showMessage("Update aborted."); };
    updater_.OnNoUpdateAvailable = [showMessage](TudAutoUpdater&) { showMessage("No update available."); };
    updater_.OnHostUnreachable = [showMessage](TudAutoUpdater&, const std::string&, const std::string&) {
        showMessage("No internet connection.");
    };
}

void UpdateService::Loaded(const std::vector<std::string>& arguments) {
    updater_.Loaded(arguments.empty() ? std::string() : arguments.front());
    if (const auto failure = ParseUpgradeFailure(arguments))
        showMessage_(UpgradeFailedText(ApplicationTitle(system_.ProgramPath()), *failure));
}

void UpdateService::Check() {
    updater_.Proxy.AccessType = TudAccessType::atDirect;
    updater_.CheckUpdate();
}

}  // namespace wmb::ui
