#pragma once
// What the run controller needs from its surroundings: the main window, and the operations of the
// other subsystems that a sequence calls on its way.

#include <functional>
#include <string>
#include <vector>

#include "settings/bench_settings.h"

namespace wmb {

// The main window, as the run controller sees it.
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
    virtual void ShowMessage(const std::string& text) = 0;
    // Blocks the user-interface thread for `ms` milliseconds.
    virtual void Pause(int ms) = 0;
    // Repaints the abort panel and the window, then handles every window message that is waiting.
    virtual void ProcessPendingMessages() = 0;
    // Asks the shell to open a document with its associated program.
    virtual void OpenDocument(const std::string& path) = 0;
};

// Operations of the other subsystems that a sequence calls.
class SequenceSteps {
public:
    virtual ~SequenceSteps() = default;
    virtual void InstallBenchSplash() = 0;
    // Learns the system facts, then calls `onDone` (at once, or later from the tool's end event).
    virtual void CollectSystemInfo(std::function<void()> onDone) = 0;
    // Writes the game's configuration and override file; calls `prepareLaunchValues` on its way.
    virtual void WriteGameConfig(const BenchSettings& settings, const std::function<void()>& prepareLaunchValues) = 0;
    // The shader path command-line argument (with its quotes) or "".
    virtual std::string ShaderPathArgument(const BenchSettings& settings) = 0;
    // The head of the report (refreshes the platform facts first).
    virtual std::vector<std::string> ReportHeader(const BenchSettings& settings, const std::string& startText) = 0;
    virtual std::string QualityLabel() = 0;
    virtual std::string RendererLabel() = 0;
    // Puts the user's configuration back (without pausing).
    virtual void RestoreUserConfig() = 0;
    virtual void RestoreGameSplash() = 0;
};

}  // namespace wmb
