#pragma once
// The run controller's surroundings for its tests: a window, the other subsystems' steps, the locale and the
// game as fakes over an in-memory file system and settings key, and a fixture that plays the game's starts.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "gameconfig/config_writer.h"
#include "run/run_controller.h"
#include "support/memory_file_system.h"
#include "support/windows1252.h"

namespace wmb::test {

inline const char* const kProgram = "C:\\Bench\\";
inline const char* const kGame = "C:\\Games\\Wildmere\\";
inline const char* const kBin32 = "C:\\Games\\Wildmere\\Bin32\\";
inline const char* const kPierLog = "C:\\Games\\Wildmere\\Levels\\Pier\\1.log";

struct FakeWindow : SequenceWindow {
    BenchSettings Settings;
    bool ButtonEnabled = true;
    bool PanelShown = false;
    bool PanelEverShown = false;
    std::vector<std::string> Statuses, Messages, Opened;
    std::vector<int> Timers;  // every timer asked for, in milliseconds
    bool TimerPending = false;
    int Closes = 0;

    BenchSettings CurrentSettings() override { return Settings; }
    void SetBenchButtonEnabled(bool enabled) override { ButtonEnabled = enabled; }
    void ShowAbortPanel(bool shown) override {
        PanelShown = shown;
        PanelEverShown |= shown;
    }
    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void StartTimer(int ms) override {
        Timers.push_back(ms);
        TimerPending = true;
    }
    void StopTimer() override { TimerPending = false; }
    void OpenDocument(const std::string& path) override {
        Opened.push_back(path);
        if (OnOpen) OnOpen();
    }
    std::function<void()> OnOpen;
    void CloseWindow() override { ++Closes; }
};

struct FakeSteps : SequenceSteps {
    std::vector<std::string> Calls;
    // When set, the configuration steps go through the real writer (over the test's file system).
    GameConfigWriter* Writer = nullptr;
    Folders WriterFolders;
    std::function<void()> OnRestore;  // runs as each of the game's files is put back
    bool BeginFails = false;
    bool ConfigFails = false;
    bool RestoreFails = false;
    bool SplashBack = true;
    bool DeferCollection = false;
    std::function<void()> PendingCollection;
    std::string ShaderArgument;

    void BeginSequence() override {
        Calls.push_back("BeginSequence");
        if (BeginFails) throw std::runtime_error("Cannot write C:\\Bench\\Backup\\sequence.jnl: Access denied.");
        if (Writer) Writer->BeginSequence(WriterFolders);
    }
    void InstallBenchSplash() override { Calls.push_back("InstallBenchSplash"); }
    void CollectSystemInfo(std::function<void()> onDone) override {
        Calls.push_back("CollectSystemInfo");
        if (DeferCollection) {
            PendingCollection = std::move(onDone);
        } else {
            onDone();
        }
    }
    void FinishSystemInfo() override { std::exchange(PendingCollection, nullptr)(); }
    void WriteGameConfig(const BenchSettings& settings, const std::function<void()>& prepare) override {
        Calls.push_back("WriteGameConfig");
        if (ConfigFails) throw std::runtime_error("The user's configuration could not be backed up.");
        if (Writer) {
            Writer->WriteGameConfig(settings, WriterFolders, prepare);
        } else {
            prepare();
        }
    }
    std::string ShaderPathArgument(const BenchSettings&) override { return ShaderArgument; }
    std::vector<std::string> ReportHeader(const BenchSettings&, const std::string& startText) override {
        Calls.push_back("ReportHeader");
        return {"<head " + startText + ">"};
    }
    std::vector<MachineFact> MachineFacts() override { return {{"CPU", "Athlon\xAE 64"}}; }
    std::string ProgramVersion() override { return "1.8.0.0"; }
    std::string QualityLabel() override { return "Maximum quality option"; }
    std::string RendererLabel() override { return "Direct3D"; }
    void RestoreUserConfig() override {
        Calls.push_back("RestoreUserConfig");
        if (OnRestore) OnRestore();
        if (RestoreFails) throw std::runtime_error("Access denied: C:\\Games\\Wildmere\\system.cfg");
        if (Writer) Writer->RestoreUserConfig(WriterFolders);
    }
    bool RestoreGameSplash() override {
        Calls.push_back("RestoreGameSplash");
        if (OnRestore) OnRestore();
        return SplashBack;
    }
};

struct FakeLocale : LocaleInfo {
    mutable int Calls = 0;
    char DecimalSeparator() const override { return '.'; }
    std::string NowAsText() const override { return ++Calls == 1 ? "05.04.2007 15:04:05" : "05.04.2007 15:04:06"; }
    std::u16string AnsiToUtf16(const std::string& text) const override { return test::Windows1252ToUtf16(text); }
};

struct GameStart {
    std::string Application, CommandLine, Folder;
};

struct FakeGame : ProcessRunner {
    std::vector<GameStart> Starts;
    bool Fail = false;
    void Start(const std::string& application, const std::string& commandLine, const std::string& folder) override {
        if (Fail) throw std::runtime_error("The system cannot find the file specified.");
        Starts.push_back({application, commandLine, folder});
    }
    bool Running() const override { return false; }
};

// A timedemo log as the game writes it: three lines of preamble, then one result line every five lines.
inline std::string Log(const std::vector<std::string>& scores, bool finished = true) {
    std::string log = "Timedemo log\r\nLevel Pier\r\nDemo 1\r\n";
    for (std::size_t j = 0; j < scores.size(); ++j) {
        log += "TimeDemo Run " + std::to_string(j) + " Finished. Play Time: 30.0s, Average FPS: " + scores[j] + "\r\n";
        if (j + 1 < scores.size()) log += "a\r\nb\r\nc\r\nd\r\n";
    }
    if (finished) log += "!TimeDemo Run " + std::to_string(scores.size() - 1) + " Finished.\r\n";
    return log;
}

class RunControllerTest : public ::testing::Test {
protected:
    RunControllerTest() : controller(window, steps, files, store, locale, game) {
        controller.SetFolders({kProgram, kBin32, kGame});
        files.Put(std::string(kProgram) + "PXG\\1.tmd", "demo");
        files.CreateFolders(std::string(kGame) + "Levels\\Pier");
        BenchSettings& s = window.Settings;
        s.ResultsFolder = "C:\\Results\\";
        s.DemoIndex = 0;
        s.DetailLevel = 1;
        s.LanguageIndex = 1;
        s.RunCount = "3";
        s.WaitSeconds = "2";
        s.ShaderModel = 0;
        s.RendererIndex = 0;
        s.AntialiasIndex = 0;
        s.AnisotropyIndex = 0;
        s.ReportDecimalSeparator = ".";
    }

    // Lets every pending timer fire, as the window's message loop would.
    void Settle() {
        while (window.TimerPending) {
            window.TimerPending = false;
            controller.OnTimer();
        }
    }
    // Plays every game start: `logFor(n)` gives the log of the n-th start (or nullopt for none).
    // `duringPause` runs while the controller waits between two slots.
    void PlayGames(const std::function<std::optional<std::string>(std::size_t)>& logFor,
                   const std::function<void()>& duringPause = nullptr) {
        Settle();
        std::size_t handled = 0;
        while (handled < game.Starts.size()) {
            const auto log = logFor(handled++);
            if (log) files.Put(kPierLog, *log);
            controller.cpTerminate();
            if (duringPause && controller.State() == SequenceState::BetweenSlots) duringPause();
            Settle();
        }
    }
    void PlayAllSucceeding(const std::vector<std::string>& scores = {"70.00", "76.42", "75.00"},
                           const std::function<void()>& duringPause = nullptr) {
        PlayGames([&](std::size_t) { return Log(scores); }, duringPause);
    }
    void SelectSlots(std::initializer_list<int> slots) {
        for (int k : slots) window.Settings.ResolutionChecked[static_cast<std::size_t>(k)] = true;
    }
    // The game's files are back and the next start has nothing to recover.
    void ExpectGameFilesBack() {
        EXPECT_EQ(controller.State(), SequenceState::Idle);
        EXPECT_TRUE(window.ButtonEnabled);
        EXPECT_FALSE(window.PanelShown);
        EXPECT_EQ(store.Values["NoErrorWarning"], "0");
        EXPECT_EQ(steps.Calls.back(), "RestoreGameSplash");
        EXPECT_FALSE(files.FileExists(std::string(kGame) + "Systemcfgoverride.cfg"));
    }

    FakeWindow window;
    FakeSteps steps;
    MemoryFileSystem files;
    MemorySettings store;
    FakeLocale locale;
    FakeGame game;
    RunController controller;
};

}  // namespace wmb::test
