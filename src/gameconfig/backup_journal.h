#pragma once
// The journal of the user's configuration around benchmark sequences: Program folder +
// "Backup\sequence.jnl". A sequence writes it before each change it makes to the game's configuration,
// so that after a crash the recovery knows which file is the user's own and where it is. Every write
// replaces the whole journal atomically.
//
//   step=begun                 the last step done; a sequence is under way until a closing step
//                              (user-config-restored, sequence-ended, recovery-declined)
//   user-config=backup         "backup": Backup\system.cfg holds the user's own file, not yet back in
//                              the Game folder; "in-place": the Game folder's file (if any) is the user's
//   program-config=<print>     fingerprint of the Game folder's system.cfg that the program put there
//                              (empty when the file there is not the program's)

#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace wmb {

// The journal's place in the Program folder.
inline constexpr const char* kJournalName = "Backup\\sequence.jnl";

struct JournalState {
    std::string Step;
    bool UserConfigInBackup = false;
    std::string ProgramConfigPrint;

    bool operator==(const JournalState&) const = default;
};

// Whether the journal's last step says a sequence is under way (its end, or the recovery after it, not
// yet reached). No journal, or one that cannot be read, says nothing of the kind.
bool SequenceUnderWay(const std::optional<JournalState>& state);
// The same for the journal file's bytes (nullopt: no file).
bool JournalSaysSequenceUnderWay(const std::optional<std::string>& text);

// A short text that tells files apart: their size and a 64-bit FNV-1a hash.
std::string Fingerprint(const std::string& bytes);

// The journal's text and back.
std::string JournalText(const JournalState& state);
// nullopt for a text that is not a journal.
std::optional<JournalState> ParseJournal(const std::string& text);

class BackupJournal {
public:
    // `afterStep` is called with the step's name after each write (a test aid; may be empty).
    BackupJournal(FileSystem& files, std::function<void(const std::string& step)> afterStep = {});

    // The state kept by the last write; nullopt when there is no readable journal.
    std::optional<JournalState> Read(const std::string& programFolder) const;
    // Writes `state` with `step` as its step. Throws std::runtime_error when it cannot be written.
    void Write(const std::string& programFolder, JournalState state, const std::string& step);

private:
    FileSystem& files_;
    std::function<void(const std::string&)> afterStep_;
};

}  // namespace wmb
