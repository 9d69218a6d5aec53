#include "gameconfig/user_config.h"

#include <exception>
#include <optional>
#include <stdexcept>

#include "gameconfig/config_text.h"

namespace wmb {
namespace {

constexpr const char* kBegun = "begun";

std::string GameConfigPath(const Folders& folders) { return folders.Game + "system.cfg"; }
std::string BackupPath(const Folders& folders) { return folders.Program + "Backup\\system.cfg"; }

JournalState Current(const BackupJournal& journal, const Folders& folders) {
    return journal.Read(folders.Program).value_or(JournalState{});
}

// Records that no sequence is under way any more, keeping what the journal knows of the files.
void CloseJournal(BackupJournal& journal, const Folders& folders) {
    const auto state = journal.Read(folders.Program);
    if (SequenceUnderWay(state)) journal.Write(folders.Program, *state, "sequence-ended");
}

// Whether `bytes` are the file the journal says the program put into the Game folder.
bool IsProgramConfig(const JournalState& state, const std::string& bytes) {
    return !state.ProgramConfigPrint.empty() && state.ProgramConfigPrint == Fingerprint(bytes);
}

// Puts `bytes` into the Game folder. The file there is about to be replaced by the user's anyway: when the
// write fails (a full disk needs room for the new file beside the old one) that file goes first, and the
// write is tried once more. The user's copy stays in the backup whatever happens.
void WriteBackIntoGameFolder(FileSystem& files, const Folders& folders, const std::string& bytes) {
    const std::string target = GameConfigPath(folders);
    try {
        files.WriteFileAtomic(target, bytes);
    } catch (const std::exception&) {
        if (!files.FileExists(target) || !files.RemoveFile(target)) throw;
        files.WriteFileAtomic(target, bytes);
    }
}

}  // namespace

void BeginUserConfigJournal(FileSystem& files, BackupJournal& journal, const Folders& folders) {
    JournalState state = Current(journal, folders);
    const auto inGame = files.ReadFile(GameConfigPath(folders));
    if (state.UserConfigInBackup && inGame && !IsProgramConfig(state, *inGame)) {
        state.UserConfigInBackup = false;
        state.ProgramConfigPrint.clear();
    }
    try {
        journal.Write(folders.Program, state, kBegun);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("the game's configuration could not be backed up. ") + e.what());
    }
}

void SaveUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders) {
    const std::string original = GameConfigPath(folders);
    const auto bytes = files.ReadFile(original);
    if (!bytes) {
        if (files.FileExists(original)) {
            throw std::runtime_error("The game's configuration " + original + " cannot be read. It was left as it "
                                     "is and the game was not started.");
        }
        return;
    }
    JournalState state = Current(journal, folders);
    if (!IsProgramConfig(state, *bytes)) {
        const std::string backup = BackupPath(folders);
        files.ShellCopy(original, backup);
        if (files.ReadFile(backup) != bytes) {
            throw std::runtime_error("The game's configuration " + original + " could not be backed up to " +
                                     backup + ". It was left as it is and the game was not started.");
        }
        state.UserConfigInBackup = true;
        state.ProgramConfigPrint.clear();
        journal.Write(folders.Program, state, "user-config-saved");
    }
    files.RemoveFile(original);
}

void NoteProgramConfig(BackupJournal& journal, const Folders& folders, const std::string& bytes) {
    JournalState state = Current(journal, folders);
    state.ProgramConfigPrint = Fingerprint(bytes);
    journal.Write(folders.Program, state, "config-written");
}

bool RestoreUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders, RestoreForm form) {
    const auto state = journal.Read(folders.Program);
    if (!state || !state->UserConfigInBackup) {
        CloseJournal(journal, folders);
        return false;
    }
    const std::string backup = BackupPath(folders);
    const auto bytes = files.ReadFile(backup);
    if (!bytes) throw std::runtime_error("The backup of the game's configuration " + backup + " cannot be read.");
    if (form == RestoreForm::Exact) {
        WriteBackIntoGameFolder(files, folders, *bytes);
    } else {
        ConfigText text = SplitConfigLines(*bytes);
        const auto soundOff = FindLine(text, AssignmentLine("s_SoundEnable", "0"));
        if (soundOff) text[*soundOff] = AssignmentLine("s_SoundEnable", "1");
        const std::string restored = JoinConfigLines(text);
        WriteBackIntoGameFolder(files, folders, restored);
        if (soundOff) files.WriteFileAtomic(backup, restored);
    }
    journal.Write(folders.Program, JournalState{}, "user-config-restored");
    return true;
}

void KeepUserConfigInBackup(FileSystem& files, BackupJournal& journal, const Folders& folders) {
    auto state = journal.Read(folders.Program);
    if (!state) {
        // No readable journal (deleted, damaged, or left by an older version): the backup is the only copy
        // that can be the user's, so it is recorded as such before a later sequence could back up over it.
        if (!files.FileExists(BackupPath(folders))) return;
        state = JournalState{};
        state->UserConfigInBackup = true;
    }
    if (!state->UserConfigInBackup) {
        CloseJournal(journal, folders);
        return;
    }
    const auto inGame = files.ReadFile(GameConfigPath(folders));
    state->ProgramConfigPrint = inGame ? Fingerprint(*inGame) : std::string();
    journal.Write(folders.Program, *state, "recovery-declined");
}

bool RecoverUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders) {
    const auto state = journal.Read(folders.Program);
    const std::string backup = BackupPath(folders);
    if (!state) {
        // A flag this program's sequences did not leave: the backup is all there is.
        if (files.FileExists(backup)) files.ShellCopy(backup, GameConfigPath(folders));
        return false;
    }
    if (state->UserConfigInBackup) {
        RestoreUserConfig(files, journal, folders, RestoreForm::Exact);
        return false;
    }
    const bool olderBackupLeft = state->Step == kBegun && files.FileExists(backup);
    CloseJournal(journal, folders);
    return olderBackupLeft;
}

}  // namespace wmb
