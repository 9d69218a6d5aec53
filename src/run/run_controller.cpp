#include "run/run_controller.h"

#include <exception>

#include "run/log_reader.h"
#include "run/report.h"
#include "run/screenshot.h"
#include "run/sequence_stamp.h"
#include "settings/slots.h"

namespace wmb {
namespace {

const char* const kRefusal = "Please, choose a resolution and/or the language of Wildmere.";
const char* const kAborted = "Benchmark aborted.";
const char* const kOverrideFile = "Systemcfgoverride.cfg";

char ReportSeparator(const BenchSettings& s) {
    return s.ReportDecimalSeparator == "," ? ',' : '.';
}

}  // namespace

int WaitMillisecondsFrom(const std::string& waitText) {
    int seconds = 0;
    for (char c : waitText) {
        if (c < '0' || c > '9' || seconds > 10) return 3000;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds < 1 || seconds > 10) return 3000;
    return seconds * 1000;
}

RunController::RunController(SequenceWindow& window, SequenceSteps& steps, FileSystem& files, SettingsStore& settings,
                             const LocaleInfo& locale, ProcessRunner& game)
    : window_(window), steps_(steps), files_(files), store_(settings), locale_(locale), game_(game) {}

std::string RunController::ReportPath() const {
    return ReportFilePath(settings_.ResultsFolder, folders_.Program, sequenceStamp_);
}

std::string RunController::LogPath() const {
    return folders_.Game + "Levels\\" + demo_.MapFolder + demo_.DemoName + ".log";
}

void RunController::BenchButtonClick() {
    window_.SetBenchButtonEnabled(false);
    steps_.InstallBenchSplash();
    settings_ = window_.CurrentSettings();
    if (!settings_.ResultsFolder.empty() && !files_.FolderExists(settings_.ResultsFolder)) {
        files_.CreateFolders(settings_.ResultsFolder);
    }
    if (settings_.ScreenshotMode) {
        const std::string picture = folders_.Game + "Wildmere0000.jpg";
        if (files_.FileExists(picture)) files_.RemoveFile(picture);
        if (!files_.FolderExists(folders_.Game + "Screenshot")) files_.CreateFolders(folders_.Game + "Screenshot");
    }
    reportLines_.clear();
    store_.Write("NoErrorWarning", "1");

    selectedSlotCount_ = 0;
    finishedSlotCount_ = 0;
    abortRequested_ = false;
    for (int k = 0; k < kSlotCount; ++k) {
        if (SlotSelected(k, settings_)) ++selectedSlotCount_;
    }
    if (selectedSlotCount_ > 1) window_.ShowAbortPanel(true);
    waitMs_ = WaitMillisecondsFrom(settings_.WaitSeconds);

    // No language at all counts as "Select language": the game would get no language line to rely on.
    if (selectedSlotCount_ == 0 || settings_.LanguageIndex <= 0) {
        window_.ShowAbortPanel(false);
        window_.ShowMessage(kRefusal);
        window_.SetBenchButtonEnabled(true);
        state_ = SequenceState::Idle;
        return;
    }
    window_.SetStatus("Collecting system information, please wait...");
    state_ = SequenceState::Collecting;
    steps_.CollectSystemInfo([this] { StartSequence(); });
}

void RunController::StartSequence() {
    sequenceStamp_ = SequenceStampFrom(locale_.NowAsText());
    sequenceStartText_ = locale_.NowAsText();
    // Without a shader model chosen the label of the previous sequence stays.
    if (const std::string label = wmb::ShaderLabel(settings_.ShaderModel); !label.empty()) shaderLabel_ = label;
    try {
        steps_.WriteGameConfig(settings_, [this] { PrepareLaunchValues(); });
        const auto head = steps_.ReportHeader(settings_, sequenceStartText_);
        reportLines_.insert(reportLines_.end(), head.begin(), head.end());
    } catch (...) {
        // Without its configuration (or a safe backup of the user's) the sequence cannot run: put the
        // game's files back and let the error handler say why.
        AbortSequence();
        throw;
    }
    LaunchSlot(0);
}

void RunController::PrepareLaunchValues() {
    const std::string batch = folders_.Bin32 + "rerurov.bat";
    if (!folders_.Bin32.empty() && files_.FileExists(batch)) files_.RemoveFile(batch);
    if (!demo_.DemoName.empty() && files_.FileExists(LogPath())) files_.RemoveFile(LogPath());
    window_.Pause(500);
    UpdateLaunchValues(launch_, settings_);
}

void RunController::LaunchSlot(int k) {
    while (k < kSlotCount && !SlotSelected(k, settings_)) ++k;
    if (k >= kSlotCount) return;

    const std::string label = SlotLabel(k, settings_);
    window_.SetStatus((settings_.ScreenshotMode ? "Screenshot mode in progress... Resolution: "
                                                : "Benchmarking in progress... Resolution: ") +
                      label);
    currentSlot_ = k;
    currentSlotKey_ = SlotKey(k);
    commandLine_ = BuildCommandLine(folders_.Bin32, steps_.ShaderPathArgument(settings_), launch_,
                                    SlotWidth(k, settings_), SlotHeight(k, settings_));
    InstallDemo(files_, folders_, settings_, demo_, commandLine_);
    if (files_.FileExists(LogPath())) files_.RemoveFile(LogPath());
    resolutionLabel_ = "Resolution: " + label;

    state_ = SequenceState::Running;
    try {
        game_.Start(folders_.Bin32 + "Wildmere.exe", commandLine_, folders_.Bin32);
    } catch (...) {
        // The game could not be started: put the user's files back so that nothing stays half done,
        // then let the error handler report the system's reason.
        AbortSequence();
        throw;
    }
}

bool RunController::CheckRunLog() {
    results_.reset();
    const auto log = files_.ReadFile(LogPath());
    if (!log || !wmb::CheckRunLog(*log, launch_.RunsArgument)) return false;
    if (settings_.ScreenshotMode) return true;
    // The scores are read once here; a log whose scores cannot be read counts as a failed run rather
    // than a broken report.
    results_ = ReadRunResults(*log, launch_.RunsArgument, ReportSeparator(settings_), locale_.DecimalSeparator());
    return results_.has_value();
}

void RunController::cpTerminate() {
    runSucceeded_ = CheckRunLog();
    ++finishedSlotCount_;
    if (finishedSlotCount_ >= selectedSlotCount_) {
        FinishLastSlot();
        return;
    }
    state_ = SequenceState::BetweenSlots;
    window_.Pause(waitMs_);
    window_.ProcessPendingMessages();
    window_.Pause(500);
    if (settings_.ScreenshotMode) MoveScreenshot();
    if (abortRequested_) {
        AbortSequence();
        return;
    }
    if (!settings_.ScreenshotMode && runSucceeded_) AppendResultSection();
    LaunchSlot(currentSlot_ + 1);
}

void RunController::FinishLastSlot() {
    state_ = SequenceState::Ending;
    window_.ShowAbortPanel(false);
    std::exception_ptr failure;
    try {
        if (settings_.ScreenshotMode) {
            window_.SetStatus("Screenshot mode is successful.");
            MoveScreenshot();
        } else if (runSucceeded_) {
            window_.SetStatus("The benchmarking is successful.");
            AppendResultSection();
        } else {
            window_.SetStatus(kAborted);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // The game's files go back even when the report or the picture could not be written.
    EndSequence();
    if (failure) std::rethrow_exception(failure);
}

void RunController::AppendResultSection() {
    if (results_) {
        ReportSectionInput in;
        in.Slot = currentSlot_;
        in.Settings = settings_;
        in.QualityLabel = steps_.QualityLabel();
        in.RendererLabel = steps_.RendererLabel();
        in.Demo = demo_;
        in.Results = *results_;
        const auto section = ReportSectionLines(in);
        reportLines_.insert(reportLines_.end(), section.begin(), section.end());
    }
    if (finishedSlotCount_ == selectedSlotCount_) {
        const auto foot = ReportFootLines();
        reportLines_.insert(reportLines_.end(), foot.begin(), foot.end());
        const std::string path = ReportPath();
        const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
        if (!files_.FolderExists(folder)) files_.CreateFolders(folder);
        files_.WriteFile(path, JoinReport(reportLines_));
        window_.Pause(500);
    }
}

void RunController::MoveScreenshot() {
    ScreenshotInfoInput in;
    in.Slot = currentSlot_;
    in.Settings = settings_;
    in.ResolutionLabel = resolutionLabel_;
    in.ShaderLabel = shaderLabel_;
    in.RendererLabel = steps_.RendererLabel();
    in.QualityLabel = steps_.QualityLabel();
    in.DemoName = demo_.DemoName;
    wmb::MoveScreenshot(files_, folders_, sequenceStamp_, in);
}

void RunController::EndSequence() {
    if (!settings_.ScreenshotMode) window_.OpenDocument(ReportPath());
    window_.ShowAbortPanel(false);
    steps_.RestoreUserConfig();
    window_.Pause(1000);
    store_.Write("NoErrorWarning", "0");
    const std::string overrideFile = folders_.Game + kOverrideFile;
    if (files_.FileExists(overrideFile)) files_.RemoveFile(overrideFile);
    steps_.RestoreGameSplash();
    window_.SetBenchButtonEnabled(true);
    state_ = SequenceState::Idle;
}

void RunController::AbortSequence() {
    window_.SetStatus(kAborted);
    window_.ShowAbortPanel(false);
    steps_.RestoreUserConfig();
    window_.Pause(1000);
    window_.SetBenchButtonEnabled(true);
    store_.Write("NoErrorWarning", "0");
    const std::string overrideFile = folders_.Game + kOverrideFile;
    if (files_.FileExists(overrideFile)) files_.RemoveFile(overrideFile);
    steps_.RestoreGameSplash();
    reportLines_.clear();
    state_ = SequenceState::Idle;
}

}  // namespace wmb
