#include "run/unattended.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/case_tables.h"
#include "base/text.h"
#include "run/windows_path.h"

namespace wmb {

namespace {

enum class Switch { None, Unknown, Run, Results, Note, Quiet };

constexpr std::array<const char*, 4> kSwitchNames = {"run", "results", "note", "quiet"};

Switch SwitchOf(const std::string& argument) {
    if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) return Switch::None;
    for (std::size_t i = 0; i < kSwitchNames.size(); ++i) {
        if (SameTextIgnoringAsciiCase(std::string_view(argument).substr(1), kSwitchNames[i])) {
            return static_cast<Switch>(static_cast<int>(Switch::Run) + static_cast<int>(i));
        }
    }
    return Switch::Unknown;
}

bool IsKnownSwitch(const std::string& argument) {
    const Switch s = SwitchOf(argument);
    return s != Switch::None && s != Switch::Unknown;
}

bool IsSweepPath(const std::string& path) {
    const std::string_view extension = kSweepExtension;
    return path.size() > extension.size() &&
           SameTextIgnoringAsciiCase(std::string_view(path).substr(path.size() - extension.size()), extension);
}

bool HasControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

CommandLineRefusal Refusal(const std::string& message) { return {message}; }

}  // namespace

std::variant<UnattendedArgs, CommandLineRefusal> ParseUnattendedArgs(const std::vector<std::string>& arguments) {
    if (std::none_of(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return SwitchOf(a) == Switch::Run; })) {
        return UnattendedArgs{};
    }
    UnattendedArgs args;
    std::vector<Switch> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const Switch kind = SwitchOf(argument);
        if (kind == Switch::None) {
            if (!args.Run) return Refusal(Quote(argument) + " comes before /run; the profiles follow /run.");
            if (std::string problem = FilePathProblem(argument); !problem.empty()) {
                return Refusal("The profile " + Quote(argument) + " " + problem + ".");
            }
            args.Profiles.push_back(argument);
            continue;
        }
        if (kind == Switch::Unknown) {
            return Refusal("Unknown switch " + Quote(argument) +
                           "; the switches are /run, /results, /note and /quiet.");
        }
        if (std::find(seen.begin(), seen.end(), kind) != seen.end()) return Refusal(argument + " is given twice.");
        seen.push_back(kind);
        const bool hasValue = i + 1 < arguments.size() && !IsKnownSwitch(arguments[i + 1]);
        switch (kind) {
            case Switch::Run:
                args.Run = true;
                break;
            case Switch::Quiet:
                args.Quiet = true;
                break;
            case Switch::Results: {
                if (!hasValue) return Refusal(argument + " must be followed by a folder.");
                const std::string& folder = arguments[++i];
                if (std::string problem = FullPathProblem(folder); !problem.empty()) {
                    return Refusal("The folder after " + argument + " " + problem + ": " + Quote(folder) + ".");
                }
                args.ResultsFolder = WithBackslash(folder);
                break;
            }
            case Switch::Note: {
                if (!hasValue) return Refusal(argument + " must be followed by its text.");
                const std::string& note = arguments[++i];
                if (HasControl(note)) return Refusal("The text after " + argument + " holds a control character.");
                args.Note = note;
                break;
            }
            default:
                break;
        }
    }
    const bool sweep = std::any_of(args.Profiles.begin(), args.Profiles.end(), IsSweepPath);
    if (sweep && args.Profiles.size() > 1) return Refusal("A sweep file must be the only file after /run.");
    if (sweep) {
        args.SweepFile = args.Profiles.front();
        args.Profiles.clear();
    }
    return args;
}

std::variant<std::vector<std::string>, ProfileError> ReadSweep(const std::string& text,
                                                               const std::string& sweepFolder) {
    auto read = ReadIniSection(text, kSweepSection);
    if (auto* error = std::get_if<ProfileError>(&read)) return std::move(*error);
    std::vector<std::string> profiles;
    for (const IniEntry& entry : std::get<std::vector<IniEntry>>(read)) {
        if (!SameTextIgnoringAsciiCase(entry.Key, "Profile")) {
            return LineError(entry.Line, entry.Key,
                             Quote(entry.Key) + " is not a sweep key; each line is Profile=PATH.");
        }
        const std::string& path = entry.Value;
        if (path.empty()) return LineError(entry.Line, "Profile", "Profile must name a file.");
        if (std::string problem = FilePathProblem(path); !problem.empty()) {
            return LineError(entry.Line, "Profile", "Profile " + problem + ": " + Quote(path) + ".");
        }
        if (IsSweepPath(path)) {
            return LineError(entry.Line, "Profile", "Profile names a sweep file; a sweep lists profiles only.");
        }
        const std::string full = IsFullWindowsPath(path) ? path : WithBackslash(sweepFolder) + path;
        if (full.size() > kLongestPath) {
            return LineError(entry.Line, "Profile",
                             "Profile is longer than " + std::to_string(kLongestPath) +
                                 " characters with the sweep's folder: " + Quote(full) + ".");
        }
        profiles.push_back(full);
    }
    if (profiles.empty()) return LineError(1, "", "the sweep lists no profile.");
    return profiles;
}

UnattendedExit ExitCodeFor(const std::vector<SequenceOutcome>& outcomes) {
    const auto count = [&](SequenceOutcome o) { return std::count(outcomes.begin(), outcomes.end(), o); };
    if (count(SequenceOutcome::FilesNotBack) > 0) return UnattendedExit::FilesNotBack;
    if (count(SequenceOutcome::Refused) == static_cast<std::ptrdiff_t>(outcomes.size())) return UnattendedExit::Refused;
    if (count(SequenceOutcome::Succeeded) < static_cast<std::ptrdiff_t>(outcomes.size())) return UnattendedExit::Failed;
    return UnattendedExit::Succeeded;
}

std::string LogLines(const LogTime& time, const std::string& text) {
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d  ", time.Year, time.Month, time.Day, time.Hour,
                  time.Minute, time.Second);
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) lines.emplace_back();
    for (std::string& line : lines) line = stamp + line;
    return JoinLines(lines);
}

std::string UnattendedLogPath(const UnattendedArgs& args, const std::string& resultsFolder,
                              const std::string& programFolder) {
    std::string folder = programFolder;
    if (args.ResultsFolder) {
        folder = *args.ResultsFolder;
    } else if (FullPathProblem(resultsFolder).empty()) {
        folder = resultsFolder;
    }
    return WithBackslash(folder) + kUnattendedLogName;
}

}  // namespace wmb
