#include "update/auto_updater.h"

#include "net/http_progress.h"
#include "net/http_url.h"
#include "update/update_texts.h"
#include "update/upgrade_paths.h"

namespace wmb {

namespace {

constexpr int kTextNewerNotFound = 24;
constexpr int kTextNoInfoFile = 25;
constexpr int kTextConnectionLost = 30;
constexpr const char* kSignatureSuffix = ".sig";

}  // namespace

TudAutoUpdater::TudAutoUpdater(IHttpServices& services, IUpdaterDialogs& dialogs, IUpdaterSystem& system)
    : TudCustomHTTP(services), dialogs_(dialogs), system_(system) {
    OnDone = [this](TudCustomHTTP&, const std::string&, TudBodyTarget body, std::uint32_t) {
        switch (phase_) {
        case TPhase::Info:
            return InfoDone(body ? *body : std::string());
        case TPhase::Signature:
            return SignatureDone(body ? *body : std::string());
        case TPhase::Files:
            return FileDone();
        case TPhase::Idle:
            return;
        }
    };
    OnNoConnection = [this](TudCustomHTTP&) { NoConnection(); };
    OnTransferLost = [this](TudCustomHTTP&, const std::string&, TudBodyTarget, std::uint32_t, std::uint32_t) {
        TransferLost();
    };
    OnHttpError = [this](TudCustomHTTP&, std::int32_t status, TudBodyTarget) { HttpError(status); };
    OnSkipped = [this](TudCustomHTTP&) {
        if (phase_ == TPhase::Files) DownloadNextFile(false);
    };
    OnHeaderInfo = [this](TudCustomHTTP&, const TudHeaderInfo& info, bool& continueDownload) {
        if (phase_ == TPhase::Files) HeaderInfo(info, continueDownload);
    };
    OnDownloadProgress = [this](TudCustomHTTP&, const std::string&, TudBodyTarget, const TudProgress& progress) {
        if (phase_ == TPhase::Files) Progress(progress);
    };
}

TudAutoUpdater::~TudAutoUpdater() {
    if (phase_ != TPhase::Files) return;
    AbortRequest(true, true);
    system_.DeleteTempFiles();
}

std::string TudAutoUpdater::Title() { return ApplicationTitle(system_.ProgramPath()); }

void TudAutoUpdater::CheckUpdate() { Check(false); }

void TudAutoUpdater::Check(bool silent) {
    aborted_ = false;
    silent_ = silent;
    // A download that waits on its last page for OK or Cancel is not disturbed either.
    if (IsBusy() || phase_ == TPhase::Files) return;
    // What an earlier attempt may have left is never installed: it goes before anything is fetched.
    system_.DeleteTempFiles();
    phase_ = TPhase::Info;
    FetchIntoMemory(InfoFileURL);
}

void TudAutoUpdater::FetchIntoMemory(const std::string& url) {
    Url = url;
    OutputFileName.clear();
    // The information file and its signature are never taken from a cache; the files keep the cache options
    // as they are.
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
    // The signature comes from beside the information file, over the same way and without a cache.
    infoText_ = body;
    phase_ = TPhase::Signature;
    FetchIntoMemory(InfoFileURL + kSignatureSuffix);
}

void TudAutoUpdater::SignatureDone(const std::string& body) {
    phase_ = TPhase::Idle;
    if (!system_.InfoSignatureValid(infoText_, body)) return NotVerified();
    Offer();
}

void TudAutoUpdater::NotVerified() {
    phase_ = TPhase::Idle;
    infoText_.clear();
    if (silent_) return ArmAutoCheck();
    dialogs_.Message(kInfoNotVerified, TudMessageIcon::Error);
}

void TudAutoUpdater::Offer() {
    files_.clear();
    const TVersionCheck check{VersionControl, VersionNumber, VersionDate};
    const auto offer = ReadUpdateOffer(infoText_, check, system_.Today());
    infoText_.clear();
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
        if (const auto address = RedirectAddress(files_.front().Url)) return system_.OpenWebPage(*address);
        return dialogs_.Message(kInvalidWebPageAddress, TudMessageIcon::Error);
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
    if (phase_ == TPhase::Files) {
        if (TooManyRedirects()) return LostFile(kTooManyRedirects);
        // A reply that came but could not be written to its file.
        if (IsTransferStatus(status)) return LostFile(kCannotWrite);
        return LostFile(std::to_string(status));
    }
    if (phase_ == TPhase::Signature) return NotVerified();
    phase_ = TPhase::Idle;
    if (TooManyRedirects()) {
        if (!silent_) dialogs_.Message(kInfoTooManyRedirects, TudMessageIcon::Error);
        return;
    }
    if (OnNoInfoFile) OnNoInfoFile(*this);
    if (Shows(mNoInfoFile)) dialogs_.Message(UpdateText(kTextNoInfoFile), TudMessageIcon::Error);
}

void TudAutoUpdater::DownloadNextFile(bool start) {
    if (start) {
        phase_ = TPhase::Files;
        done_ = false;
        index_ = 0;
        staged_.clear();
        if (Wizard.Enabled)
            dialogs_.ShowWizard(Wizard, [this] { AbortUpgrade(); }, [this] { Completed(); });
    } else {
        ++index_;
    }
    target_.clear();
    if (index_ >= files_.size()) return AllFilesDone();
    const TInfoFile& file = files_[index_];
    if (dialogs_.WizardShown()) dialogs_.WizardFile(file.Url, DownloadingText(index_, files_.size()));
    if (!IsDownloadAddress(file.Url)) return LostFile(kInvalidAddress);
    const auto target = TargetPath(system_.ProgramFolder(), file.Url);
    // A name Windows would not store as that very file of the program folder: a lost file.
    if (!target) return LostFile(kInvalidFileName);
    // The signed information file vouches for a file only through its digest.
    if (file.Sha256.empty()) return LostFile(kNoChecksum);
    target_ = *target;
    fileTime_ = 0;
    Url = file.Url;
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
    const auto digest = system_.FileDigest(target_);
    if (!digest || !file.Accepts(digest->Sha256)) return LostFile(kChecksumMismatch);
    staged_.push_back({UrlFileName(file.Url), *digest});
    if (fileTime_ != 0) system_.SetFileTime(target_, fileTime_);
    if (OnFileDone) OnFileDone(*this, target_);
    DownloadNextFile(false);
}

void TudAutoUpdater::LostFile(const std::string& error) {
    // What was written of a lost file goes at once; it is never listed, so never installed.
    if (!target_.empty()) system_.DeleteDownload(target_);
    const std::string& url = files_[index_].Url;
    bool continueUpgrade = false;
    if (OnLostFile) OnLostFile(*this, url, error, continueUpgrade);
    if (Shows(mLostFile)) continueUpgrade = dialogs_.AskSkipLostFile(LostFileText(url, error), LostFileCaption(error));
    if (continueUpgrade) return DownloadNextFile(false);
    AbortUpgrade();
}

void TudAutoUpdater::AllFilesDone() {
    // Nothing verified to install, or no record of it: the update ends here as aborted.
    if (staged_.empty() || !system_.WriteStagingRecord(StagingRecordText(staged_))) return AbortUpgrade();
    if (dialogs_.WizardShown()) return dialogs_.WizardCompletionPage(CompletedText(Title()));
    Completed();
}

void TudAutoUpdater::Completed() {
    if (aborted_) return;
    done_ = true;
    bool restart = true;
    if (OnEndUpgrade) OnEndUpgrade(*this, restart);
    if (!restart) return;
    // From here on the downloads belong to the upgrader.
    phase_ = TPhase::Idle;
    RestartProgram();
}

void TudAutoUpdater::RestartProgram() {
    system_.LaunchUpgrader(RestartParam(RestartParams, upgradeMethod_));
    if (OnDoOwnCloseAppMethod) return OnDoOwnCloseAppMethod(*this);
    system_.CloseApplication();
}

void TudAutoUpdater::AbortUpgrade() {
    aborted_ = true;
    StopTransfer();
    if (OnAborted) OnAborted(*this);
}

void TudAutoUpdater::StopTransfer() {
    // At once, so that the file being written is closed before the downloads are deleted.
    AbortRequest(true, true);
    dialogs_.CloseWizard();
    DropDownloads();
}

void TudAutoUpdater::DropDownloads() {
    const bool downloading = phase_ == TPhase::Files;
    phase_ = TPhase::Idle;
    staged_.clear();
    if (downloading) system_.DeleteTempFiles();
}

}  // namespace wmb
