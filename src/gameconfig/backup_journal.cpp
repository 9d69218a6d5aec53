#include "gameconfig/backup_journal.h"

#include <cstdint>
#include <cstdio>
#include <utility>

#include "gameconfig/config_text.h"

namespace wmb {
namespace {

constexpr const char* kStep = "step=";
constexpr const char* kUserConfig = "user-config=";
constexpr const char* kProgramConfig = "program-config=";

bool TakeValue(const std::string& line, const char* key, std::string& value) {
    const std::string prefix = key;
    if (line.rfind(prefix, 0) != 0) return false;
    value = line.substr(prefix.size());
    return true;
}

}  // namespace

bool SequenceUnderWay(const std::optional<JournalState>& state) {
    if (!state) return false;
    for (const char* closing : {"user-config-restored", "sequence-ended", "recovery-declined"}) {
        if (state->Step == closing) return false;
    }
    return true;
}

bool JournalSaysSequenceUnderWay(const std::optional<std::string>& text) {
    return text && SequenceUnderWay(ParseJournal(*text));
}

std::string Fingerprint(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%zu-%016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

std::string JournalText(const JournalState& state) {
    return JoinConfigLines({kStep + state.Step,
                            std::string(kUserConfig) + (state.UserConfigInBackup ? "backup" : "in-place"),
                            kProgramConfig + state.ProgramConfigPrint});
}

std::optional<JournalState> ParseJournal(const std::string& text) {
    JournalState state;
    bool step = false, user = false, program = false;
    for (const std::string& line : SplitConfigLines(text)) {
        std::string value;
        if (TakeValue(line, kStep, value)) {
            state.Step = value;
            step = true;
        } else if (TakeValue(line, kUserConfig, value)) {
            if (value != "backup" && value != "in-place") return std::nullopt;
            state.UserConfigInBackup = value == "backup";
            user = true;
        } else if (TakeValue(line, kProgramConfig, value)) {
            state.ProgramConfigPrint = value;
            program = true;
        }
    }
    if (!step || !user || !program) return std::nullopt;
    return state;
}

BackupJournal::BackupJournal(FileSystem& files, std::function<void(const std::string&)> afterStep)
    : files_(files), afterStep_(std::move(afterStep)) {}

std::optional<JournalState> BackupJournal::Read(const std::string& programFolder) const {
    const auto text = files_.ReadFile(programFolder + kJournalName);
    if (!text) return std::nullopt;
    return ParseJournal(*text);
}

void BackupJournal::Write(const std::string& programFolder, JournalState state, const std::string& step) {
    state.Step = step;
    const std::string folder = programFolder + "Backup";
    if (!files_.FolderExists(folder)) files_.CreateFolders(folder);
    files_.WriteFileAtomic(programFolder + kJournalName, JournalText(state));
    if (afterStep_) afterStep_(step);
}

}  // namespace wmb
