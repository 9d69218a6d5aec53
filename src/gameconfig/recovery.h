#pragma once
// The splash swap around a benchmark sequence, the recovery offered after a sequence that never
// ended, and the clean-up at exit. None of them touches a file while the game is not located.

#include <functional>
#include <string>

#include "gameconfig/backup_journal.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "settings/bench_settings.h"

namespace wmb {

// Whether the Game and Bin32 folders are known.
bool GameLocated(const Folders& folders);

// Start of a sequence: the game's splash is backed up once into the Program folder's "Backup\",
// the game's bitmaps are renamed to "wmsplashold.bmp", and the program's bitmap is copied into the
// Game and Bin32 folders, never over a game bitmap that could not be set aside.
void InstallBenchSplash(FileSystem& fs, const Folders& folders);

// Orderly end of a sequence: the program's bitmaps are deleted and the game's are renamed back.
// Returns false when a set-aside game bitmap is still not back in its place.
bool RestoreGameSplash(FileSystem& fs, const Folders& folders);

// When the crash-recovery flag "NoErrorWarning" is "1", asks whether to restore the game's files
// from the backups and clears the flag either way. Without a located game nothing is asked and the
// flag stays, so the question waits for a start that finds the game. The configuration put back is the
// one the interrupted sequence itself saved, as its journal says; on No that backup stays the user's file.
void OfferRecovery(FileSystem& fs, BackupJournal& journal, SettingsStore& settings, const Folders& folders,
                   const std::function<bool(const std::string& question)>& askYesNo,
                   const std::function<void(const std::string& message)>& showMessage);

// Exit: removes what a sequence may have left in the game's folders.
void CleanUpAtExit(FileSystem& fs, const Folders& folders);

}  // namespace wmb
