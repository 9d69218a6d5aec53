#pragma once
// An unattended start ("/run" on the command line): runs one sequence per profile (or one with the stored
// settings), asks nothing, writes what a message box would say into its log, writes a comparison page
// after a sweep and ends the program with the exit code a script tests.

#include <functional>
#include <string>
#include <vector>

#include "results/sequence_results.h"
#include "run/unattended.h"
#include "settings/bench_settings.h"

namespace wmb::ui {

// The main window, as an unattended start drives it.
class UnattendedWindow {
public:
    virtual ~UnattendedWindow() = default;
    virtual BenchSettings CurrentSettings() = 0;
    // Shows the settings as if the user had chosen each value that differs from `before`.
    virtual void ChooseSettings(const BenchSettings& before, const BenchSettings& after) = 0;
    // Presses Benchmark; true when a sequence started.
    virtual bool StartSequence() = 0;
    virtual std::string ReportPath() = 0;
    virtual std::vector<SlotResult> SlotResults() = 0;
    virtual std::string ResultsFolder() = 0;
    virtual std::string ProgramFolder() = 0;
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;
    // Runs `step` on the window's thread once the current message is handled.
    virtual void Later(std::function<void()> step) = 0;
    // Ends the program with `exitCode`.
    virtual void End(int exitCode) = 0;
};

class UnattendedRun {
public:
    UnattendedRun(UnattendedWindow& window, UnattendedArgs args) : window_(window), args_(std::move(args)) {}

    // Once the window is ready: the first sequence.
    void Begin();
    // The controller's sequence is over.
    void SequenceOver(bool filesBack, const std::string& endStatus);
    // The window is being closed: no further sequence starts.
    void StopAfterCurrent() { stopping_ = true; }
    // What a message box would say.
    void Log(const std::string& text);
    const UnattendedArgs& Args() const { return args_; }

private:
    struct Done {
        std::string Profile;  // "" for the stored settings
        SequenceOutcome Outcome;
        std::string ResultsFile;  // the data file, when the sequence gave one
    };

    void RunNext();
    void Finish();
    void Record(SequenceOutcome outcome, const std::string& resultsFile = "");
    std::string LogPath();
    std::string CurrentName() const;

    UnattendedWindow& window_;
    UnattendedArgs args_;
    std::vector<std::string> profiles_;  // empty: one sequence with the stored settings
    BenchSettings start_;                // what each profile changes: the settings the program started with
    std::size_t next_ = 0;
    bool stopping_ = false;
    bool finished_ = false;
    std::string logPath_;
    std::vector<Done> done_;
};

}  // namespace wmb::ui
