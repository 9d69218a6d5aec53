#pragma once
// What the run controller needs from its surroundings: the main window, and the operations of the
// other subsystems that a sequence calls on its way.

#include <functional>
#include <string>
#include <vector>

#include "results/report.h"
#include "settings/bench_settings.h"

namespace wmb {

// The main window, as the run controller sees it. Nothing here blocks: the controller waits through
// its one timer, and the window calls RunController::OnTimer() on the user-interface thread when it is due.
class SequenceWindow {
public:
    virtual ~SequenceWindow() = default;
    // A fresh copy of the window's controls.
    virtual BenchSettings CurrentSettings() = 0;
    virtual void SetBenchButtonEnabled(bool enabled) = 0;
    // Shows (and repaints at once) or hides the abort panel.
    virtual void ShowAbortPanel(bool shown) = 0;
    // Sets the status bar text and repaints the window.
    virtual void SetStatus(const std::string& text) = 0;
    // A plain message box with an OK button (modal: messages keep being handled while it is shown).
    virtual void ShowMessage(const std::string& text) = 0;
    // Arranges one call of RunController::OnTimer() `ms` milliseconds from now, replacing any pending one.
    virtual void StartTimer(int ms) = 0;
    // Cancels the pending timer call, if any.
    virtual void StopTimer() = 0;
    // Asks the shell to open a document with its associated program.
    virtual void OpenDocument(const std::string& path) = 0;
    // A close that waited for the sequence to end may go ahead now.
    virtual void CloseWindow() = 0;
    // The sequence is over and the game's files are back (`filesBack`) or not; `endStatus` is the status
    // it ended with ("" when it ended without one). Called last, once the controller is idle again.
    virtual void SequenceOver(bool filesBack, const std::string& endStatus) {
        static_cast<void>(filesBack);
        static_cast<void>(endStatus);
    }
};

// Operations of the other subsystems that a sequence calls.
class SequenceSteps {
public:
    virtual ~SequenceSteps() = default;
    // Records the start of a sequence before any file of the game changes. Throws with the reason when
    // it cannot, and the sequence must not start.
    virtual void BeginSequence() = 0;
    virtual void InstallBenchSplash() = 0;
    // Learns the system facts, then calls `onDone`: at once from its per-run cache, or later through
    // FinishSystemInfo() once the diagnostic tool has ended.
    virtual void CollectSystemInfo(std::function<void()> onDone) = 0;
    // Reads the diagnostic tool's report and calls the `onDone` given to CollectSystemInfo().
    virtual void FinishSystemInfo() = 0;
    // Writes the game's configuration and override file; calls `prepareLaunchValues` on its way.
    virtual void WriteGameConfig(const BenchSettings& settings, const std::function<void()>& prepareLaunchValues) = 0;
    // The shader path command-line argument (with its quotes) or "".
    virtual std::string ShaderPathArgument(const BenchSettings& settings) = 0;
    // The head of the report (refreshes the platform facts first).
    virtual std::vector<std::string> ReportHeader(const BenchSettings& settings, const std::string& startText) = 0;
    // The facts of the last report head, in its order.
    virtual std::vector<MachineFact> MachineFacts() = 0;
    // The program's FileVersion, as its caption shows it.
    virtual std::string ProgramVersion() = 0;
    virtual std::string QualityLabel() = 0;
    virtual std::string RendererLabel() = 0;
    // Puts the user's configuration back (without pausing). Throws with the reason when it cannot.
    virtual void RestoreUserConfig() = 0;
    // Returns false when a game bitmap that was set aside is still not back in its place.
    virtual bool RestoreGameSplash() = 0;
};

}  // namespace wmb
