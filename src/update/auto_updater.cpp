#include "update/auto_updater.h"

#include "update/http_url.h"
#include "update/update_texts.h"
#include "update/upgrade_paths.h"

namespace wmb {

namespace {

constexpr int kTextNewerNotFound = 24;
constexpr int kTextNoInfoFile = 25;
constexpr int kTextConnectionLost = 30;

}  // namespace

TudAutoUpdater::TudAutoUpdater(IHttpServices& services, IUpdaterDialogs& dialogs, IUpdaterSystem& system)
    : TudCustomHTTP(services), dialogs_(dialogs), system_(system) {
    OnDone = [this](TudCustomHTTP&, const std::string&, TudBodyTarget body, std::uint32_t) {
        if (infoMode_) {
            InfoDone(body ? *body : std::string());
        } else {
            FileDone();
        }
    };
    OnNoConnection = [this](TudCustomHTTP&) { NoConnection(); };
    OnTransferLost = [this](TudCustomHTTP&, const std::string&, TudBodyTarget, std::uint32_t, std::uint32_t) {
        TransferLost();
    };
    OnHttpError = [this](TudCustomHTTP&, std::int32_t status, TudBodyTarget) { HttpError(status); };
    OnSkipped = [this](TudCustomHTTP&) {
        if (!infoMode_) DownloadNextFile(false);
    };
    OnHeaderInfo = [this](TudCustomHTTP&, const TudHeaderInfo& info, bool& continueDownload) {
        if (!infoMode_) HeaderInfo(info, continueDownload);
    };
    OnDownloadProgress = [this](TudCustomHTTP&, const std::string&, TudBodyTarget, const TudProgress& progress) {
        if (!infoMode_) Progress(progress);
    };
}

std::string TudAutoUpdater::Title() { return ApplicationTitle(system_.ProgramPath()); }

void TudAutoUpdater::CheckUpdate() { Check(false); }

void TudAutoUpdater::Check(bool silent) {
    aborted_ = false;
    silent_ = silent;
    if (IsBusy()) return;
    infoMode_ = true;
    Url = InfoFileURL;
    OutputFileName.clear();
    // The information file is never taken from a cache; the files keep the cache options as they are.
    const TudCacheOptions cache = CacheOptions;
    CacheOptions |= coPragmaNoCache;
    StartRequest();
    CacheOptions = cache;
}

void TudAutoUpdater::Loaded(const std::string& firstArgument) {
    if (OnAfterRestart && firstArgument == (RestartParams.empty() ? " " : RestartParams)) OnAfterRestart(*this);
    if (AutoCheck) ArmAutoCheck();
}

void TudAutoUpdater::ArmAutoCheck() {
    system_.StartTimer(AutoCheckDelay, [this] {
        if (system_.Connected()) return Check(true);
        ArmAutoCheck();
    });
}

void TudAutoUpdater::InfoDone(const std::string& body) {
    files_.clear();
    const TVersionCheck check{VersionControl, VersionNumber, VersionDate};
    const auto offer = ReadUpdateOffer(body, check, system_.Today());
    if (!offer) {
        if (OnNoUpdateAvailable) OnNoUpdateAvailable(*this);
        if (silent_) return ArmAutoCheck();
        if (Shows(mNoUpdateAvailable)) dialogs_.Message(UpdateText(kTextNewerNotFound), TudMessageIcon::Information);
        return;
    }
    files_ = offer->Files;
    upgradeMsg_ = offer->UpgradeMsg;
    upgradeMethod_ = offer->UpgradeMethod;
    bool canUpgrade = true;
    if (OnBeginUpgrade) OnBeginUpgrade(*this, upgradeMsg_, upgradeMethod_, files_, canUpgrade);
    if (canUpgrade && (!Shows(mAskUpgrade) || dialogs_.AskUpgrade(AskUpgradeText(Title(), upgradeMsg_)))) {
        if (upgradeMethod_ != umRedirectToURL) return DownloadNextFile(true);
        if (const auto address = RedirectAddress(files_.front().Url)) system_.OpenWebPage(*address);
        return;
    }
    if (OnLaterUpgrade) OnLaterUpgrade(*this);
}

void TudAutoUpdater::NoConnection() {
    const auto parts = CrackUrl(WithSchemePrefix(Url));
    const std::string host = parts ? parts->HostName : std::string();
    if (OnHostUnreachable) OnHostUnreachable(*this, Url, host);
    if (silent_) {
        StopTransfer();
        return ArmAutoCheck();
    }
    if (Shows(mHostUnreachable)) dialogs_.Message(HostUnreachableText(host), TudMessageIcon::Error);
    StopTransfer();
}

void TudAutoUpdater::TransferLost() {
    if (OnConnLost) OnConnLost(*this);
    if (Shows(mConnLost)) dialogs_.Message(UpdateText(kTextConnectionLost), TudMessageIcon::Error);
    StopTransfer();
}

void TudAutoUpdater::HttpError(std::int32_t status) {
    if (!infoMode_) return LostFile(std::to_string(status));
    if (OnNoInfoFile) OnNoInfoFile(*this);
    if (Shows(mNoInfoFile)) dialogs_.Message(UpdateText(kTextNoInfoFile), TudMessageIcon::Error);
}

void TudAutoUpdater::DownloadNextFile(bool start) {
    if (start) {
        infoMode_ = false;
        done_ = false;
        index_ = 0;
        if (Wizard.Enabled)
            dialogs_.ShowWizard(Wizard, [this] { AbortUpgrade(); }, [this] { Completed(); });
    } else {
        ++index_;
    }
    if (index_ >= files_.size()) {
        if (dialogs_.WizardShown()) return dialogs_.WizardCompletionPage(CompletedText(Title()));
        return Completed();
    }
    const std::string& url = files_[index_].Url;
    if (dialogs_.WizardShown()) dialogs_.WizardFile(url, DownloadingText(index_, files_.size()));
    const auto target = TargetPath(system_.ProgramFolder(), url);
    // An address without a file name of its own would write outside the program folder: a lost file.
    if (!target) return LostFile("invalid file name");
    target_ = *target;
    fileTime_ = 0;
    Url = url;
    OutputFileName = target_;
    HiddenTempFiles = true;
    StartRequest();
}

void TudAutoUpdater::HeaderInfo(const TudHeaderInfo& info, bool& continueDownload) {
    fileTime_ = info.LastModified;
    if (dialogs_.WizardShown()) dialogs_.WizardFileSize(FileSizeText(info.ContentLength));
    if (OnFileStart) OnFileStart(*this, Url, info.ContentLength, fileTime_, continueDownload);
}

void TudAutoUpdater::Progress(const TudProgress& progress) {
    const int total = TotalPercent(index_, files_.size(), progress.PercentDone);
    if (OnProgress) OnProgress(*this, total);
    if (dialogs_.WizardShown())
        dialogs_.WizardProgress(progress.PercentDone, total, TransferRateText(progress.TransferRate),
                                EstimatedTimeText(progress.SecondsLeft));
}

void TudAutoUpdater::FileDone() {
    const TInfoFile& file = files_[index_];
    // The file is read for its digest only when the information file gives one.
    if (!file.Sha256.empty() && !file.Accepts(system_.FileSha256(target_))) return LostFile(kChecksumMismatch);
    if (fileTime_ != 0) system_.SetFileTime(target_, fileTime_);
    if (OnFileDone) OnFileDone(*this, target_);
    DownloadNextFile(false);
}

void TudAutoUpdater::LostFile(const std::string& error) {
    const std::string& url = files_[index_].Url;
    bool continueUpgrade = false;
    if (OnLostFile) OnLostFile(*this, url, error, continueUpgrade);
    if (Shows(mLostFile)) continueUpgrade = dialogs_.AskSkipLostFile(LostFileText(url), LostFileCaption(error));
    if (continueUpgrade) return DownloadNextFile(false);
    AbortUpgrade();
}

void TudAutoUpdater::Completed() {
    if (aborted_) return;
    done_ = true;
    bool restart = true;
    if (OnEndUpgrade) OnEndUpgrade(*this, restart);
    if (restart) RestartProgram();
}

void TudAutoUpdater::RestartProgram() {
    system_.LaunchUpgrader(RestartParam(RestartParams, upgradeMethod_));
    if (OnDoOwnCloseAppMethod) return OnDoOwnCloseAppMethod(*this);
    system_.CloseApplication();
}

void TudAutoUpdater::AbortUpgrade() {
    aborted_ = true;
    StopTransfer();
    system_.DeleteTempFiles();
    if (OnAborted) OnAborted(*this);
}

void TudAutoUpdater::StopTransfer() {
    // At once, so that the file being written is closed before the downloaded files are deleted.
    AbortRequest(false, true);
    dialogs_.CloseWizard();
}

}  // namespace wmb
