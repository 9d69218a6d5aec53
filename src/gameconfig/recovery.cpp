#include "gameconfig/recovery.h"

#include <exception>

#include "gameconfig/user_config.h"

namespace wmb {

namespace {

const char* const kSplash = "wmsplash.bmp";
const char* const kOldSplash = "wmsplashold.bmp";
const char* const kFlag = "NoErrorWarning";

void DeleteIfPresent(FileSystem& fs, const std::string& path) {
    if (fs.FileExists(path)) fs.RemoveFile(path);
}

void RenameIfPresent(FileSystem& fs, const std::string& from, const std::string& to) {
    if (fs.FileExists(from)) fs.RenameFile(from, to);
}

}  // namespace

bool GameLocated(const Folders& folders) { return !folders.Game.empty() && !folders.Bin32.empty(); }

void InstallBenchSplash(FileSystem& fs, const Folders& folders) {
    if (!GameLocated(folders)) return;
    const std::string gameSplash = folders.Game + kSplash;
    const std::string backup = folders.Program + "Backup\\" + kSplash;
    if (fs.FileExists(gameSplash) && !fs.FileExists(backup)) fs.ShellCopy(gameSplash, backup);
    for (const std::string& folder : {folders.Game, folders.Bin32}) {
        const std::string splash = folder + kSplash;
        const std::string old = folder + kOldSplash;
        // The game's own bitmap is never overwritten: when it cannot be set aside (and no earlier sequence
        // set it aside already) the game keeps showing its own.
        if (fs.FileExists(splash) && !fs.FileExists(old) && !fs.RenameFile(splash, old)) continue;
        fs.ShellCopy(folders.Program + kSplash, splash);
    }
}

bool RestoreGameSplash(FileSystem& fs, const Folders& folders) {
    if (!GameLocated(folders)) return true;
    bool back = true;
    for (const std::string& folder : {folders.Game, folders.Bin32}) {
        const std::string old = folder + kOldSplash;
        if (!fs.FileExists(old)) {
            // Nothing was set aside here: only the program's bitmap has to go.
            DeleteIfPresent(fs, folder + kSplash);
            continue;
        }
        DeleteIfPresent(fs, folder + kSplash);
        if (!fs.RenameFile(old, folder + kSplash)) back = false;
    }
    return back;
}

void OfferRecovery(FileSystem& fs, BackupJournal& journal, SettingsStore& settings, const Folders& folders,
                   const std::function<bool(const std::string& question)>& askYesNo,
                   const std::function<void(const std::string& message)>& showMessage) {
    if (settings.Read(kFlag) != "1" || !GameLocated(folders)) return;
    if (askYesNo("Last time an error occured. Do you wish to restore the original Wildmere settings?")) {
        try {
            if (RecoverUserConfig(fs, journal, folders)) {
                showMessage("The game's configuration was left as it is: the interrupted benchmark had not changed "
                            "it yet, so the older copy in the Backup folder was not used.");
            }
        } catch (const std::exception& e) {
            showMessage(std::string(e.what()) + "\r\nThe copy in the Backup folder stays the one to restore.");
        }
        const std::string splashBackup = folders.Program + "Backup\\" + kSplash;
        if (fs.FileExists(folders.Game + kSplash)) fs.ShellCopy(splashBackup, folders.Game + kSplash);
        if (fs.FileExists(folders.Bin32 + kSplash)) {
            fs.ShellCopy(splashBackup, folders.Bin32 + kSplash);
        } else {
            showMessage("Sorry, the settings cannot be restored!");
        }
    } else {
        try {
            KeepUserConfigInBackup(fs, journal, folders);
        } catch (const std::exception& e) {
            showMessage(e.what());
        }
    }
    settings.Write(kFlag, "0");
}

void CleanUpAtExit(FileSystem& fs, const Folders& folders) {
    if (!GameLocated(folders)) return;
    DeleteIfPresent(fs, folders.Bin32 + "rerurov.bat");
    DeleteIfPresent(fs, folders.Bin32 + "systemold.cfg");
    DeleteIfPresent(fs, folders.Game + "systemold.cfg");
    DeleteIfPresent(fs, folders.Game + "Systemcfgoverride.cfg");
    RenameIfPresent(fs, folders.Game + kOldSplash, folders.Game + kSplash);
}

}  // namespace wmb
