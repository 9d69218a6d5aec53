#include "ui/unattended_run.h"

#include <windows.h>

#include <variant>

#include "compare/compare_tool.h"
#include "compare/comparison.h"
#include "run/profile.h"
#include "run/run_controller.h"
#include "run/windows_path.h"

namespace wmb::ui {
namespace {

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithExtension(const std::string& path, const char* extension) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

LogTime Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// The console of the script that started the program, when it has one.
void ToConsole(const std::string& lines) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

}  // namespace

void UnattendedRun::Begin() {
    start_ = window_.CurrentSettings();
    Log("Unattended start.");
    if (args_.SweepFile) {
        const auto text = window_.ReadFile(*args_.SweepFile);
        if (!text) {
            Log("The sweep file " + *args_.SweepFile + " cannot be read.");
            Finish();
            return;
        }
        auto listed = ReadSweep(*text, FolderOf(*args_.SweepFile));
        if (const auto* refused = std::get_if<ProfileError>(&listed)) {
            Log("The sweep file " + *args_.SweepFile + " is refused: " + refused->Message);
            Finish();
            return;
        }
        profiles_ = std::get<std::vector<std::string>>(std::move(listed));
    } else {
        profiles_ = args_.Profiles;
    }
    RunNext();
}

std::string UnattendedRun::CurrentName() const {
    return profiles_.empty() ? std::string("the stored settings") : "the profile " + profiles_[next_ - 1];
}

void UnattendedRun::RunNext() {
    const std::size_t total = profiles_.empty() ? 1 : profiles_.size();
    if (stopping_ || next_ >= total) {
        Finish();
        return;
    }
    ++next_;
    const BenchSettings before = window_.CurrentSettings();
    BenchSettings after = start_;
    if (!profiles_.empty()) {
        const std::string& profile = profiles_[next_ - 1];
        const auto text = window_.ReadFile(profile);
        if (!text) {
            Log("The profile " + profile + " cannot be read.");
            Record(SequenceOutcome::Refused);
            return;
        }
        const auto read = ReadProfile(*text);
        if (const auto* refused = std::get_if<ProfileError>(&read)) {
            Log("The profile " + profile + " is refused: " + refused->Message);
            Record(SequenceOutcome::Refused);
            return;
        }
        ApplyProfile(std::get<ProfileChanges>(read), after);
    }
    if (args_.ResultsFolder) after.ResultsFolder = *args_.ResultsFolder;
    if (args_.Note) after.Note = *args_.Note;
    window_.ChooseSettings(before, after);
    Log("The sequence of " + CurrentName() + " starts.");
    // A refused start has said why through the window's message, which went to the log.
    if (!window_.StartSequence()) Record(SequenceOutcome::Refused);
}

void UnattendedRun::SequenceOver(bool filesBack, const std::string& endStatus) {
    SequenceOutcome outcome = SequenceOutcome::Succeeded;
    if (!filesBack) {
        outcome = SequenceOutcome::FilesNotBack;
    } else if (endStatus != kSequenceSucceeded && endStatus != kScreenshotSucceeded) {
        outcome = SequenceOutcome::Failed;
    } else {
        for (const SlotResult& slot : window_.SlotResults()) {
            if (slot.Failure) outcome = SequenceOutcome::Failed;
        }
    }
    Log("The sequence of " + CurrentName() + " ended: " + (endStatus.empty() ? "without a status" : endStatus) +
        (filesBack ? "" : " The game's files are not all back."));
    // A data file that is not there is told apart when the comparison reads it.
    Record(outcome, endStatus == kSequenceSucceeded ? WithExtension(window_.ReportPath(), ".json") : "");
}

void UnattendedRun::Record(SequenceOutcome outcome, const std::string& resultsFile) {
    done_.push_back({profiles_.empty() ? "" : profiles_[next_ - 1], outcome, resultsFile});
    // The next sequence starts once the controller has left the handler that reported this one.
    window_.Later([this] { RunNext(); });
}

void UnattendedRun::Finish() {
    if (finished_) return;
    finished_ = true;
    if (done_.size() > 1) {
        std::vector<ComparedInput> inputs;
        std::vector<std::string> missing;
        std::string lastResults;
        for (const Done& each : done_) {
            const std::string name = NameOf(each.Profile);
            if (each.Outcome == SequenceOutcome::Refused) {
                missing.push_back(name + ": refused (see the log)");
                continue;
            }
            const auto json = each.ResultsFile.empty() ? std::nullopt : window_.ReadFile(each.ResultsFile);
            ResultsRead read = json ? ReadResultsFile(*json) : ResultsRead{};
            if (each.Outcome != SequenceOutcome::Succeeded || !read.File) {
                missing.push_back(name + ": the sequence failed (see the log)");
                continue;
            }
            inputs.push_back({name, std::move(*read.File)});
            lastResults = each.ResultsFile;
        }
        if (!lastResults.empty()) {
            const std::string page = DefaultComparePath(lastResults);
            window_.WriteFile(page, ComparisonPage(inputs, missing));
            Log("The comparison of the sequences is in " + page + ".");
        }
    }
    std::vector<SequenceOutcome> outcomes;
    for (const Done& each : done_) outcomes.push_back(each.Outcome);
    const int code = static_cast<int>(ExitCodeFor(outcomes));
    Log("Unattended start ended with exit code " + std::to_string(code) + ".");
    window_.End(code);
}

std::string UnattendedRun::LogPath() {
    if (logPath_.empty()) logPath_ = UnattendedLogPath(args_, window_.ResultsFolder(), window_.ProgramFolder());
    return logPath_;
}

void UnattendedRun::Log(const std::string& text) {
    const std::string lines = LogLines(Now(), text);
    ToConsole(lines);
    const std::string path = LogPath();
    window_.WriteFile(path, window_.ReadFile(path).value_or("") + lines);
}

}  // namespace wmb::ui
