#pragma once
// The update checker and downloader: fetches the information file and its detached signature, offers a
// newer release only when the signature verifies against the maker's key, downloads its files one after the
// other into hidden ".uTMP" files beside the program while a wizard shows the progress, checks each against
// the SHA-256 the information file lists, and once every file is in writes the staging record that names
// them; then it hands over to the upgrader, which installs exactly what the record lists and starts the
// program again. Any other end of a download leaves neither downloads nor record behind. Everything runs
// on the user-interface thread; the files come through the HTTP client's worker.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "net/custom_http.h"
#include "update/staging_record.h"
#include "update/update_info.h"

namespace wmb {

enum TudShowMessage : std::uint8_t {
    mAskUpgrade = 1 << 0,
    mConnLost = 1 << 1,
    mHostUnreachable = 1 << 2,
    mLostFile = 1 << 3,
    mNoInfoFile = 1 << 4,
    mNoUpdateAvailable = 1 << 5,
    mPasswordRequest = 1 << 6,
};
using TudShowMessages = std::uint8_t;

enum class TudMiscFilesUpgrade { mfuAlwaysDownload, mfuOnlyIfSizeDifferent };

struct TudAutoUpdaterWizard {
    bool Enabled = true;
    bool HideFileLocation = false;
    bool StayOnTop = true;
};

enum class TudMessageIcon { Information, Error };

// The updater's windows: its message boxes, the offer, the lost-file question and the wizard.
class IUpdaterDialogs {
public:
    virtual ~IUpdaterDialogs() = default;
    // A message box captioned with text 0.
    virtual void Message(const std::string& text, TudMessageIcon icon) = 0;
    // The offer dialog with its label text; true for Yes.
    virtual bool AskUpgrade(const std::string& labelText) = 0;
    // The lost-file question (Yes/No, warning icon); true for Yes.
    virtual bool AskSkipLostFile(const std::string& text, const std::string& caption) = 0;

    // The wizard: `cancelled` runs when it was closed by a Yes to the abort question, `finished` when the
    // completion page was closed with OK.
    virtual void ShowWizard(const TudAutoUpdaterWizard& wizard, std::function<void()> cancelled,
                            std::function<void()> finished) = 0;
    virtual bool WizardShown() const = 0;
    virtual void WizardFile(const std::string& url, const std::string& allDownloading) = 0;
    virtual void WizardFileSize(const std::string& text) = 0;
    virtual void WizardProgress(int filePercent, int allPercent, const std::string& rate, const std::string& timeLeft) = 0;
    virtual void WizardCompletionPage(const std::string& afterNote) = 0;
    virtual void CloseWizard() = 0;  // without its callbacks
};

// What the updater needs of the system.
class IUpdaterSystem {
public:
    virtual ~IUpdaterSystem() = default;
    virtual std::string ProgramPath() = 0;    // the executable's full path
    virtual std::string ProgramFolder() = 0;  // with its trailing backslash
    virtual TInfoDate Today() = 0;
    virtual void OpenWebPage(const std::string& url) = 0;
    // Every "*.uTMP" of the program folder and the staging record.
    virtual void DeleteTempFiles() = 0;
    virtual void DeleteDownload(const std::string& path) = 0;  // one download, at once
    virtual void SetFileTime(const std::string& path, TDateTime time) = 0;
    virtual std::optional<TFileDigest> FileDigest(const std::string& path) = 0;  // nothing when unreadable
    // Writes the staging record beside the downloads, replacing any in one step; false when it could not.
    virtual bool WriteStagingRecord(const std::string& text) = 0;
    // Whether the signature file fetched beside the information file verifies the information file's bytes
    // against the maker's public key built into the program.
    virtual bool InfoSignatureValid(const std::string& infoText, const std::string& signatureFile) = 0;
    // The automatic check: `due` runs once on the user-interface thread after `ms` milliseconds.
    virtual void StartTimer(std::uint32_t ms, std::function<void()> due) = 0;
    // Whether the machine counts as connected: a dial-up connection is up, or it has a network address other
    // than 127.0.0.1.
    virtual bool Connected() = 0;
    // Writes the upgrader and starts it with that command-line parameter.
    virtual void LaunchUpgrader(const std::string& restartParam) = 0;
    virtual void CloseApplication() = 0;
};

class TudAutoUpdater : public TudCustomHTTP {
public:
    TudAutoUpdater(IHttpServices& services, IUpdaterDialogs& dialogs, IUpdaterSystem& system);
    // A download not yet handed to the upgrader leaves nothing behind.
    ~TudAutoUpdater() override;

    std::string InfoFileURL = "http://";  // its signature is fetched from the same address + ".sig"
    TudVersionControl VersionControl = byDate;
    std::string VersionNumber;
    std::string VersionDate;  // month/day/year
    TudShowMessages ShowMessages = mAskUpgrade | mConnLost | mLostFile | mPasswordRequest;
    std::string RestartParams = "/afterupgrade";
    TudMiscFilesUpgrade MiscFilesUpgrade = TudMiscFilesUpgrade::mfuAlwaysDownload;
    TudAutoUpdaterWizard Wizard;
    // Checks by itself once loaded, after AutoCheckDelay, while the machine is connected; such a check is silent.
    bool AutoCheck = false;
    std::uint32_t AutoCheckDelay = 10000;

    std::function<void(TudAutoUpdater&, const std::string& upgradeMsg, TudUpgradeMethod, const std::vector<TInfoFile>&,
                       bool& canUpgrade)>
        OnBeginUpgrade;
    std::function<void(TudAutoUpdater&, bool& restartImmediately)> OnEndUpgrade;
    std::function<void(TudAutoUpdater&)> OnLaterUpgrade;
    std::function<void(TudAutoUpdater&, int totalPercent)> OnProgress;
    std::function<void(TudAutoUpdater&, const std::string& url, std::uint32_t size, TDateTime time, bool& canUpgrade)>
        OnFileStart;
    std::function<void(TudAutoUpdater&, const std::string& path)> OnFileDone;
    std::function<void(TudAutoUpdater&)> OnDoOwnCloseAppMethod;
    std::function<void(TudAutoUpdater&)> OnAfterRestart;
    std::function<void(TudAutoUpdater&)> OnAborted;
    std::function<void(TudAutoUpdater&)> OnConnLost;
    std::function<void(TudAutoUpdater&, const std::string& url, const std::string& hostName)> OnHostUnreachable;
    std::function<void(TudAutoUpdater&)> OnNoUpdateAvailable;
    std::function<void(TudAutoUpdater&)> OnNoInfoFile;
    std::function<void(TudAutoUpdater&, const std::string& fileUrl, const std::string& error, bool& continueUpgrade)>
        OnLostFile;

    // Starts a check; the outcome comes through the events. Nothing while a request runs.
    void CheckUpdate();
    // Once the program is loaded: raises OnAfterRestart when it was started again by the upgrader, and arms
    // the automatic check.
    void Loaded(const std::string& firstArgument);

    // The download: with `start` the first file, else the next one; after the last the completion.
    void DownloadNextFile(bool start);
    // Stops everything, deletes the downloaded files and raises OnAborted.
    void AbortUpgrade();
    // Stops the running request and closes the wizard; the files downloaded so far stay.
    void StopTransfer();

    const std::vector<TInfoFile>& Files() const { return files_; }
    bool Done() const { return done_; }

private:
    enum class TPhase { Idle, Info, Signature, Files };

    void Check(bool silent);
    void FetchIntoMemory(const std::string& url);
    void ArmAutoCheck();
    void InfoDone(const std::string& body);
    void SignatureDone(const std::string& body);
    void NotVerified();
    void Offer();
    void FileDone();
    void NoConnection();
    void TransferLost();
    void HttpError(std::int32_t status);
    void HeaderInfo(const TudHeaderInfo& info, bool& continueDownload);
    void Progress(const TudProgress& progress);
    void LostFile(const std::string& error);
    void AllFilesDone();
    void Completed();
    void DropDownloads();
    void RestartProgram();
    bool Shows(TudShowMessage message) const { return (ShowMessages & message) != 0; }
    std::string Title();

    IUpdaterDialogs& dialogs_;
    IUpdaterSystem& system_;
    TPhase phase_ = TPhase::Idle;
    bool silent_ = false;  // an automatic check: no "no update" or "unreachable" message, the timer again
    bool aborted_ = false;
    bool done_ = false;
    std::string infoText_;  // the information file, until its signature is checked
    std::vector<TInfoFile> files_;
    std::vector<TStagedFile> staged_;  // the files downloaded and verified so far
    std::string upgradeMsg_;
    TudUpgradeMethod upgradeMethod_ = umSelfUpgrade;
    std::size_t index_ = 0;
    std::string target_;
    TDateTime fileTime_ = 0;
};

}  // namespace wmb
