#pragma once
// The user's own system.cfg around a benchmark sequence. The backup journal says at every moment which
// file is the user's and where it is, so that neither a crash, nor a declined recovery, nor a later
// sequence ever replaces it by a file the program wrote or by an older backup.
//
// Files (folders end in a backslash):
//   Game folder + "system.cfg"            the configuration the game reads
//   Program folder + "Backup\system.cfg"  the user's configuration while a sequence runs

#include <string>

#include "gameconfig/backup_journal.h"
#include "platform/file_system.h"
#include "settings/bench_settings.h"

namespace wmb {

// First thing of a sequence, before it changes any file: records that a sequence has begun. When the
// user's file is kept in the backup but the Game folder now holds another file than the one the program
// put there, the user has changed it since: that file is the user's newest and is what counts from now.
// Throws when the journal cannot be written.
void BeginUserConfigJournal(FileSystem& files, BackupJournal& journal, const Folders& folders);

// Moves the user's Game-folder configuration into the backup (copy, compare, record, delete). A file the
// program put there itself is deleted without a backup. Throws, leaving the user's file in its place, when
// no identical backup can be made.
void SaveUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders);

// Records the configuration the program is about to write into the Game folder.
void NoteProgramConfig(BackupJournal& journal, const Folders& folders, const std::string& bytes);

// How the user's file goes back: as the end of a sequence writes it (line ends made CR LF, and a
// s_SoundEnable = "0" line turned into "1", in the backup too), or byte for byte as the recovery copies it.
enum class RestoreForm { LineEndsNormalised, Exact };

// Puts the user's file back into the Game folder when the journal says it is in the backup. Returns
// whether a file was put back; throws when it cannot be written. Without a journal nothing was moved.
// A write that fails (a full disk) is tried again once the file it was to replace is deleted. Either way the
// journal then says that no sequence is under way.
bool RestoreUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders,
                       RestoreForm form = RestoreForm::LineEndsNormalised);

// The user declined the recovery: the backup stays the user's file, and the file now in the Game folder
// is recorded as the program's, so the next sequence neither backs it up over the user's file nor keeps
// it at its end. Without a readable journal an existing backup is taken for the user's file.
void KeepUserConfigInBackup(FileSystem& files, BackupJournal& journal, const Folders& folders);

// The recovery's Yes: puts back, byte for byte, what the interrupted sequence saved. Without a journal (a
// flag this program's sequences did not leave) the backup is copied whenever it exists. Returns true when
// the current file was kept because the sequence stopped before saving it while an older backup from
// another sequence lies in Backup\. Throws when the file cannot be written.
bool RecoverUserConfig(FileSystem& files, BackupJournal& journal, const Folders& folders);

}  // namespace wmb
