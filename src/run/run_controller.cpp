#include "run/run_controller.h"

#include <cctype>
#include <exception>
#include <utility>

#include "demos/user_demos.h"
#include "gameconfig/config_writer.h"
#include "results/log_reader.h"
#include "results/report.h"
#include "results/results_chart_page.h"
#include "results/results_csv.h"
#include "results/results_json.h"
#include "run/demo_install.h"
#include "run/screenshot.h"
#include "run/sequence_stamp.h"
#include "settings/slots.h"

namespace wmb {
namespace {

const char* const kRefusal = "Please, choose a resolution and/or the language of Wildmere.";
const char* const kNoDemo = "Please, choose a demo on the \"Demos\" page.";
const char* const kFlagNotWritten =
    "The benchmark cannot start: the crash-recovery flag \"NoErrorWarning\" cannot be written to the registry.";
const char* const kNoRunCount = "Please, choose the number of runs from the list on the \"Settings 3\" page.";
const char* const kAborted = "Benchmark aborted.";
const char* const kNotAllBack = "The benchmark ended, but the game's files are not all back.";
const char* const kOverrideFile = "Systemcfgoverride.cfg";
const char* const kFlag = "NoErrorWarning";

// The launch preparation and the restore each let the file system settle this long.
constexpr int kPrepareMs = 500;
constexpr int kRestoreMs = 1000;
constexpr int kToolReportMs = 1000;
// Part of every pause between slots, after the chosen seconds.
constexpr int kAfterWaitMs = 500;

char ReportSeparator(const BenchSettings& s) {
    return s.ReportDecimalSeparator == "," ? ',' : '.';
}

std::string Describe(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return x.what();
    } catch (...) {
        return "Unknown error.";
    }
}

// The number of runs per slot: one more than the game's run argument.
int RunCount(const std::string& runsArgument) {
    const std::optional<std::size_t> index = ParseRunsArgument(runsArgument);
    return index ? static_cast<int>(*index) + 1 : 0;
}

bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       path[2] == '\\';
    return drive || path.rfind("\\\\", 0) == 0;
}

// Writes a result file; one that could be written only in part (a full disk) is removed again, so that no
// cut-off file is taken for a whole one.
void WriteWhole(FileSystem& files, const std::string& path, const std::string& bytes) {
    try {
        files.WriteFile(path, bytes);
    } catch (...) {
        if (files.FileExists(path)) files.RemoveFile(path);
        throw;
    }
}

// A sequence as it starts: nothing gathered yet, the chosen slots to run and the pause between them.
SequenceRun FreshRun(const BenchSettings& settings) {
    SequenceRun run;
    run.SelectedSlotCount = SelectedSlotCount(settings);
    run.WaitMs = WaitMillisecondsFrom(settings.WaitSeconds);
    run.Repeat = RepeatSettingsFrom(settings);
    return run;
}

}  // namespace

std::string ResultsFolderProblem(FileSystem& files, const std::string& folder) {
    const std::string prefix = "The report cannot be saved in the Results folder " + folder + ": ";
    if (!IsFullPath(folder)) return prefix + "it is not a full path. Please, choose the folder on the \"General\" page.";
    if (folder.size() > kMaxResultsFolderLength) {
        return prefix + "the path is too long. Please, choose another folder on the \"General\" page.";
    }
    if (!files.FolderExists(folder) && !files.CreateFolders(folder)) {
        return prefix + "it cannot be created. Please, choose another folder on the \"General\" page.";
    }
    return "";
}

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

std::string RunController::ResultsFolder() const {
    return ReportFolder(settings_.ResultsFolder, folders_.Program);
}

std::string RunController::LogPath() const {
    return folders_.Game + "Levels\\" + demo_.MapFolder + demo_.DemoName + ".log";
}

template <class Step>
bool RunController::Try(Step step) {
    try {
        step();
        return true;
    } catch (...) {
        failures_.push_back(Describe(std::current_exception()));
        return false;
    }
}

void RunController::Wait(Due due, int ms) {
    due_ = due;
    window_.StartTimer(ms);
}

// ---- Start ----

std::string RunController::Refusal() {
    // No language at all counts as "Select language": the game would get no language line to rely on.
    if (wmb::SelectedSlotCount(settings_) == 0 || settings_.LanguageIndex <= 0) return kRefusal;
    if (settings_.DemoIndex < 0) return kNoDemo;
    if (settings_.DemoIndex == kUserDemoIndex && settings_.UserMapFolder.empty()) return kNoMapForUserDemo;
    if (settings_.DemoIndex == kUserDemoIndex &&
        (!IsPlainName(settings_.UserMapFolder) || !IsPlainName(settings_.UserDemoFile))) {
        return kNotALevelName;
    }
    // A count outside the list keeps the previous sequence's; before any, the game would get none.
    if (ItemIndex(kRunCountItems, settings_.RunCount) < 0 && launch_.RunsArgument.empty()) return kNoRunCount;
    if (std::string problem = CustomConfigProblem(files_, settings_); !problem.empty()) return problem;
    if (!settings_.ScreenshotMode) return ResultsFolderProblem(files_, ResultsFolder());
    return "";
}

void RunController::BenchButtonClick() {
    if (Busy()) return;
    window_.SetBenchButtonEnabled(false);
    settings_ = window_.CurrentSettings();
    // A refused press changes nothing, so the next start has nothing to recover.
    std::string refusal = Refusal();
    if (refusal.empty() && !Try([this] { steps_.BeginSequence(); })) {
        refusal = "The benchmark cannot start: " + failures_.back();
    }
    failures_.clear();
    if (!refusal.empty()) {
        window_.ShowMessage(refusal);
        window_.SetBenchButtonEnabled(true);
        return;
    }
    steps_.InstallBenchSplash();
    if (settings_.ScreenshotMode) {
        // No report in this mode, yet the Results folder is made ready all the same.
        ResultsFolderProblem(files_, ResultsFolder());
        const std::string picture = folders_.Game + "Wildmere0000.jpg";
        if (files_.FileExists(picture)) files_.RemoveFile(picture);
        if (!files_.FolderExists(folders_.Game + "Screenshot")) files_.CreateFolders(folders_.Game + "Screenshot");
    }
    run_ = FreshRun(settings_);

    if (!store_.Write(kFlag, "1")) {
        steps_.RestoreGameSplash();
        store_.Write(kFlag, "0");
        window_.ShowMessage(kFlagNotWritten);
        window_.SetBenchButtonEnabled(true);
        return;
    }
    if (run_.SelectedSlotCount > 1) window_.ShowAbortPanel(true);
    window_.SetStatus("Collecting system information, please wait...");
    state_ = SequenceState::Collecting;
    steps_.CollectSystemInfo([this] { StartSequence(); });
}

void RunController::dxrunTerminate() {
    if (state_ == SequenceState::Collecting && due_ == Due::Nothing) Wait(Due::ToolReport, kToolReportMs);
}

void RunController::StartSequence() {
    if (run_.CloseRequested) {
        AbortSequence();
        return;
    }
    sequenceStamp_ = SequenceStampFrom(locale_.NowAsText());
    sequenceStartText_ = locale_.NowAsText();
    // Without a shader model chosen the label of the previous sequence stays.
    if (const std::string label = wmb::ShaderLabel(settings_.ShaderModel); !label.empty()) shaderLabel_ = label;
    state_ = SequenceState::Running;
    const bool ready = Try([this] {
        steps_.WriteGameConfig(settings_, [this] { PrepareLaunchValues(); });
        const auto head = steps_.ReportHeader(settings_, sequenceStartText_);
        run_.Report.AddHead(head);
        run_.Report.SetMachine(steps_.MachineFacts());
    });
    // Without its configuration (or a safe backup of the user's) the sequence cannot run.
    if (!ready || !Try([this] { PrepareSlot(0); })) {
        Fail();
        return;
    }
    Wait(Due::FirstLaunch, kPrepareMs);
}

void RunController::PrepareLaunchValues() {
    const std::string batch = folders_.Bin32 + "rerurov.bat";
    if (!folders_.Bin32.empty() && files_.FileExists(batch)) files_.RemoveFile(batch);
    if (!demo_.DemoName.empty() && files_.FileExists(LogPath())) files_.RemoveFile(LogPath());
    UpdateLaunchValues(launch_, settings_);
}

bool RunController::PrepareSlot(int k) {
    while (k < kSlotCount && !SlotSelected(k, settings_)) ++k;
    preparedSlot_ = k < kSlotCount ? k : -1;
    if (preparedSlot_ < 0) return false;
    commandLine_ = BuildCommandLine(folders_.Bin32, steps_.ShaderPathArgument(settings_), launch_,
                                    SlotWidth(k, settings_), SlotHeight(k, settings_));
    InstallDemo(files_, folders_, settings_, demo_, commandLine_);
    if (files_.FileExists(LogPath())) files_.RemoveFile(LogPath());
    run_.SlotLaunches = 0;
    run_.SlotRuns = {};
    return true;
}

void RunController::StartPreparedSlot() {
    const int k = preparedSlot_;
    if (k < 0) return;
    const std::string label = SlotLabel(k, settings_);
    currentSlot_ = k;
    currentSlotKey_ = SlotKey(k);
    resolutionLabel_ = "Resolution: " + label;
    state_ = SequenceState::Running;
    if (!Try([this] { game_.Start(folders_.Bin32 + "Wildmere.exe", commandLine_, folders_.Bin32); })) {
        Fail();
        return;
    }
    // The game starts hidden and takes its time to show itself: the status follows the start at once.
    // A slot launched again says which launch runs.
    const std::string launch =
        run_.SlotLaunches > 0 ? " (launch " + std::to_string(run_.SlotLaunches + 1) + ")" : std::string();
    window_.SetStatus((settings_.ScreenshotMode ? "Screenshot mode in progress... Resolution: "
                                                : "Benchmarking in progress... Resolution: ") +
                      label + launch);
}

// ---- Between slots ----

bool RunController::CheckRunLog() {
    results_.reset();
    repeats_.reset();
    relaunch_ = false;
    const auto log = files_.ReadFile(LogPath());
    if (!log) return SlotFailed(SlotFailure::NoLog);
    if (!wmb::CheckRunLog(*log, launch_.RunsArgument)) return SlotFailed(SlotFailure::NoFinishLine);
    if (settings_.ScreenshotMode) return true;
    // The scores are read once here; a log whose scores cannot be read counts as a failed run rather
    // than a broken report.
    results_ = ReadRunResults(*log, launch_.RunsArgument, ReportSeparator(settings_), locale_.DecimalSeparator());
    if (!results_) return SlotFailed(SlotFailure::UnreadableScore);
    if (!run_.Repeat) {
        run_.Report.AddSlot(SucceededSlot(currentSlot_, settings_, *results_));
        return true;
    }
    const std::size_t runsPerLaunch = results_->Values.size();
    if (!CountLaunch()) return SlotFailed(SlotFailure::UnreadableScore);
    // The slot's result is told once its last launch has ended.
    if (relaunch_) return true;
    repeats_ = SlotRepeats{run_.SlotLaunches, run_.SlotStable, run_.Repeat->LimitPercent, runsPerLaunch};
    SlotResult slot = SucceededSlot(currentSlot_, settings_, *results_);
    slot.Repeats = repeats_;
    run_.Report.AddSlot(std::move(slot));
    return true;
}

bool RunController::CountLaunch() {
    if (run_.SlotLaunches == 0) {
        run_.SlotRuns = *results_;
    } else if (!AddLaunchRuns(run_.SlotRuns, *results_, ReportSeparator(settings_))) {
        return false;
    }
    ++run_.SlotLaunches;
    results_ = run_.SlotRuns;
    const RepeatDecision decision = DecideRepeat(run_.SlotRuns.Values, run_.SlotLaunches, *run_.Repeat);
    run_.SlotStable = decision.Stable;
    relaunch_ = decision.Relaunch;
    return true;
}

bool RunController::SlotFailed(SlotFailure failure) {
    if (!settings_.ScreenshotMode) run_.Report.AddSlot(FailedSlot(currentSlot_, settings_, failure));
    return false;
}

void RunController::cpTerminate() {
    if (state_ != SequenceState::Running) return;
    const bool more = run_.FinishedSlotCount + 1 < run_.SelectedSlotCount && !run_.CloseRequested;
    // The pause runs from the game's end: the log check and the next start's preparation happen inside it.
    if (more) Wait(Due::NextSlot, run_.WaitMs + kAfterWaitMs);
    runSucceeded_ = CheckRunLog();
    if (relaunch_ && !run_.CloseRequested) {
        // The slot has not finished: it goes again after the same pause.
        state_ = SequenceState::BetweenSlots;
        Wait(Due::Relaunch, run_.WaitMs + kAfterWaitMs);
        return;
    }
    ++run_.FinishedSlotCount;
    if (run_.CloseRequested) {
        // The window waited for the game to end: the sequence ends here as an abort.
        if (settings_.ScreenshotMode) Try([this] { MoveScreenshot(); });
        AbortSequence();
        return;
    }
    if (run_.FinishedSlotCount >= run_.SelectedSlotCount) {
        FinishLastSlot();
        return;
    }
    state_ = SequenceState::BetweenSlots;
    // The next start is made ready during the pause, so that only the start itself follows it.
    if (!Try([this] { PrepareSlot(currentSlot_ + 1); })) {
        window_.StopTimer();
        due_ = Due::Nothing;
        Fail();
    }
}

void RunController::AfterPause() {
    if (settings_.ScreenshotMode && !Try([this] { MoveScreenshot(); })) {
        Fail();
        return;
    }
    if (run_.AbortRequested) {
        AbortSequence();
        return;
    }
    if (!settings_.ScreenshotMode && runSucceeded_) AppendResultSection();
    StartPreparedSlot();
}

void RunController::Relaunch() {
    if (run_.AbortRequested) {
        AbortSequence();
        return;
    }
    // Only the log of the launch that has been read goes; the configuration and the demo stay as they are.
    if (!Try([this] {
            if (files_.FileExists(LogPath())) files_.RemoveFile(LogPath());
        })) {
        Fail();
        return;
    }
    StartPreparedSlot();
}

// ---- End ----

void RunController::FinishLastSlot() {
    state_ = SequenceState::Ending;
    window_.ShowAbortPanel(false);
    if (settings_.ScreenshotMode) {
        const bool moved = Try([this] { MoveScreenshot(); });
        run_.EndStatus = moved ? kScreenshotSucceeded : kAborted;
    } else {
        if (runSucceeded_) AppendResultSection();
        // The report and the data files are written once the game's files are back, so that a full disk
        // meets them rather than the user's configuration.
        run_.ReportDue = true;
        run_.EndStatus = runSucceeded_ ? kSequenceSucceeded : kAborted;
    }
    EndSequence();
}

void RunController::FinishReport() {
    // The report keeps the sections of the slots that succeeded even when the last one failed; success is
    // told only once the report is really written.
    if (run_.Report.SectionCount() == 0 || !Try([this] { SaveReport(); })) {
        run_.EndStatus = kAborted;
        return;
    }
    WriteResultFiles();
}

void RunController::AppendResultSection() {
    if (!results_) return;
    ReportSectionInput in;
    in.Slot = currentSlot_;
    in.Settings = settings_;
    in.QualityLabel = steps_.QualityLabel();
    in.RendererLabel = steps_.RendererLabel();
    in.Demo = demo_;
    in.Results = *results_;
    in.Repeats = repeats_;
    run_.Report.AddSection(in);
}

void RunController::SaveReport() {
    const std::string report = run_.Report.Finish();
    if (!files_.FolderExists(ResultsFolder())) files_.CreateFolders(ResultsFolder());
    WriteWhole(files_, ReportPath(), report);
}

void RunController::WriteResultFiles() {
    SequenceResults results =
        run_.Report.Results(steps_.ProgramVersion(), sequenceStartText_,
                            ResultSettingsFrom(settings_, RunCount(launch_.RunsArgument), steps_.QualityLabel(),
                                               steps_.RendererLabel(), demo_));
    results.Repeat = run_.Repeat;
    const AnsiToUtf16 toUtf16 = [this](const std::string& text) { return locale_.AnsiToUtf16(text); };
    const std::string report = ReportPath();
    Try([&] { WriteWhole(files_, BesideReport(report, ".json"), ResultsJson(results, toUtf16)); });
    Try([&] { WriteWhole(files_, BesideReport(report, ".csv"), ResultsCsv(results)); });
    Try([&] { WriteWhole(files_, BesideReport(report, "chart.htm"), ResultsChartPage(results)); });
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
    // The report is opened last, once the user's files are back.
    run_.OpenReport = !settings_.ScreenshotMode;
    window_.ShowAbortPanel(false);
    RestoreAndWait();
}

void RunController::AbortSequence() {
    window_.SetStatus(kAborted);
    window_.ShowAbortPanel(false);
    run_.Report.DropLines();
    RestoreAndWait();
}

void RunController::Fail() { AbortSequence(); }

void RunController::RestoreAndWait() {
    state_ = SequenceState::Ending;
    configBack_ = Try([this] { steps_.RestoreUserConfig(); });
    if (run_.CloseRequested) {
        // The window is waiting to close: no reason to let the user wait too.
        FinishRestore();
        return;
    }
    Wait(Due::FilesRestored, kRestoreMs);
}

void RunController::FinishRestore() {
    // Every step runs even when an earlier one failed; the flag says "all back" only when it is true.
    bool filesBack = configBack_;
    const std::string overrideFile = folders_.Game + kOverrideFile;
    if (files_.FileExists(overrideFile) && !files_.RemoveFile(overrideFile)) {
        failures_.push_back("The file " + overrideFile + " cannot be deleted.");
    }
    if (!steps_.RestoreGameSplash()) {
        failures_.push_back("The game's splash bitmaps cannot be put back.");
        filesBack = false;
    }
    if (filesBack && !store_.Write(kFlag, "0")) {
        failures_.push_back("The crash-recovery flag \"NoErrorWarning\" cannot be cleared in the registry.");
    }
    if (std::exchange(run_.ReportDue, false)) FinishReport();
    const std::string endStatus = std::exchange(run_.EndStatus, "");
    if (!endStatus.empty()) window_.SetStatus(!filesBack && endStatus != kAborted ? kNotAllBack : endStatus);
    state_ = SequenceState::Idle;
    due_ = Due::Nothing;
    window_.SetBenchButtonEnabled(true);
    if (!failures_.empty()) {
        std::string text = "The benchmark sequence met these problems:";
        for (const auto& f : failures_) text += "\r\n" + f;
        if (!filesBack) {
            text += "\r\n\r\nThe game's own files are not all back; the next start of the program offers to restore them.";
        }
        failures_.clear();
        window_.ShowMessage(text);
    }
    if (std::exchange(run_.OpenReport, false)) window_.OpenDocument(ReportPath());
    const bool closeNow = run_.CloseWhenDone;
    window_.SequenceOver(filesBack, endStatus);
    if (closeNow) window_.CloseWindow();
}

// ---- Timer and close ----

void RunController::OnTimer() {
    const Due due = std::exchange(due_, Due::Nothing);
    switch (due) {
    case Due::Nothing:
        break;
    case Due::ToolReport:
        steps_.FinishSystemInfo();
        break;
    case Due::FirstLaunch:
        if (run_.CloseRequested || run_.AbortRequested) {
            AbortSequence();
        } else {
            StartPreparedSlot();
        }
        break;
    case Due::NextSlot:
        AfterPause();
        break;
    case Due::Relaunch:
        Relaunch();
        break;
    case Due::FilesRestored:
        FinishRestore();
        break;
    }
}

void RunController::RunDueNow() {
    if (due_ == Due::Nothing) return;
    window_.StopTimer();
    OnTimer();
}

bool RunController::RequestClose() {
    if (!Busy()) return true;
    run_.CloseRequested = true;
    run_.AbortRequested = true;
    const bool processRunning = state_ == SequenceState::Running && due_ == Due::Nothing;
    const bool toolRunning = state_ == SequenceState::Collecting && due_ == Due::Nothing;
    if (processRunning || toolRunning) {
        // The game (or the diagnostic tool) is never killed: the close follows its end.
        run_.CloseWhenDone = true;
        return false;
    }
    // Whatever was waiting for its timer happens now; the sequence ends as an abort on its way.
    while (Busy() && due_ != Due::Nothing) RunDueNow();
    if (Busy()) {
        run_.CloseWhenDone = true;
        return false;
    }
    return true;
}

void RunController::EndNow() {
    if (!Busy()) return;
    window_.StopTimer();
    due_ = Due::Nothing;
    run_.CloseRequested = true;
    run_.CloseWhenDone = false;
    run_.OpenReport = false;
    window_.ShowAbortPanel(false);
    if (!run_.ReportDue) run_.Report.DropLines();
    state_ = SequenceState::Ending;
    configBack_ = Try([this] { steps_.RestoreUserConfig(); });
    FinishRestore();
}

}  // namespace wmb
