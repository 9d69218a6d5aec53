#pragma once
// Unattended runs: the program started from a script with "/run", the profiles or the sweep file it names,
// the exit code it ends with, and the log that takes what a message box would say in a window run.
//
//     WildmereBench.exe /run [A.ini B.ini ... | LIST.sweep] [/results FOLDER] [/note TEXT] [/quiet]
//
// Switches compare without regard to case and may start with '-' as well as '/'. "/run" alone runs one
// sequence with the settings the window would show.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "run/ini_text.h"

namespace wmb {

inline constexpr const char* kSweepSection = "WildmereBench sweep";
inline constexpr const char* kSweepExtension = ".sweep";
inline constexpr const char* kUnattendedLogName = "WildmereBench-unattended.log";

// What the command line asks for. Run is false for every start without "/run" (the window's own start,
// the upgrader's restart), and then nothing else is set.
struct UnattendedArgs {
    bool Run = false;
    std::vector<std::string> Profiles;         // the profiles in the order given
    std::optional<std::string> SweepFile;      // instead of the profiles
    std::optional<std::string> ResultsFolder;  // with a trailing backslash; replaces every profile's
    std::optional<std::string> Note;           // replaces every profile's
    bool Quiet = false;                        // no window is shown
};

struct CommandLineRefusal {
    std::string Message;
};

// The program's arguments (its own path left out).
std::variant<UnattendedArgs, CommandLineRefusal> ParseUnattendedArgs(const std::vector<std::string>& arguments);

// The profiles a sweep file lists, in its order, each "Profile=PATH" line one; a relative path is taken
// from `sweepFolder` (the sweep file's folder, with its trailing backslash). Refused like a profile.
std::variant<std::vector<std::string>, ProfileError> ReadSweep(const std::string& text, const std::string& sweepFolder);

// How an unattended start ends, as the exit code scripts see.
enum class UnattendedExit {
    Succeeded = 0,       // every slot of every sequence succeeded
    Failed = 1,          // some slot or some sequence failed, or some of a sweep's profiles were refused
    Refused = 2,         // the command line, the profile or every profile of the sweep was refused
    FilesNotBack = 3,    // the game's files could not be put back
    AlreadyRunning = 4,  // another copy of the program is running
};

// How one profile's sequence ended.
enum class SequenceOutcome {
    Succeeded,     // every slot gave its results
    Failed,        // a slot or the sequence failed, or it was aborted
    Refused,       // the profile (or the sequence's start) was refused; nothing ran
    FilesNotBack,  // the sequence ended without putting the game's files back
};

// The exit code of a finished start from the outcome of each of its sequences: the game's files not back
// wins, then every sequence refused (or none at all), then any failure or refusal.
UnattendedExit ExitCodeFor(const std::vector<SequenceOutcome>& outcomes);

// A moment as the log shows it.
struct LogTime {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// "YYYY-MM-DD hh:mm:ss  text" and CR LF for each line of the text (a message of several lines gives as
// many log lines, each with the time).
std::string LogLines(const LogTime& time, const std::string& text);

// The log's path: in the /results folder when one is given, else in the Results folder the program starts
// with, else in the Program folder. Folders end in a backslash.
std::string UnattendedLogPath(const UnattendedArgs& args, const std::string& resultsFolder,
                              const std::string& programFolder);

}  // namespace wmb
