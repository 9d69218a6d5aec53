// Profiles, sweep files and the unattended command line, as people write them by hand: a profile that is
// read must give settings whose own profile reads back to the same text; a refusal names a line of the
// input. The same input is read as a sweep file and, split at its line ends, as the program's arguments.

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "fuzz/fuzz_input.h"
#include "run/profile.h"
#include "run/unattended.h"
#include "run/windows_path.h"

using namespace wmb;
using namespace wmb::fuzz;

namespace {

void RequireLineError(const ProfileError& error, std::size_t lines) {
    Require(error.Line >= 1 && static_cast<std::size_t>(error.Line) <= std::max<std::size_t>(lines, 1),
            "a refusal names a line of the input");
    Require(error.Message.starts_with("line " + std::to_string(error.Line) + ": "), "a refusal starts with its line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    const std::size_t lines = SplitLines(input).size();

    const auto read = ReadProfile(input);
    if (const auto* error = std::get_if<ProfileError>(&read)) {
        RequireLineError(*error, lines);
    } else {
        BenchSettings settings;
        ApplyProfile(std::get<ProfileChanges>(read), settings);
        const std::string written = WriteProfile(settings);
        const auto again = ReadProfile(written);
        Require(std::holds_alternative<ProfileChanges>(again), "a written profile reads back");
        BenchSettings reloaded;
        ApplyProfile(std::get<ProfileChanges>(again), reloaded);
        Require(WriteProfile(reloaded) == written, "a profile read back writes the same text");
    }

    const auto sweep = ReadSweep(input, "C:\\Sweeps\\");
    if (const auto* error = std::get_if<ProfileError>(&sweep)) {
        RequireLineError(*error, lines);
    } else {
        for (const std::string& path : std::get<std::vector<std::string>>(sweep)) {
            Require(FilePathProblem(path).empty() && IsFullWindowsPath(path), "a swept profile has a full path");
        }
    }

    const auto args = ParseUnattendedArgs(SplitLines(input));
    if (const auto* parsed = std::get_if<UnattendedArgs>(&args)) {
        Require(parsed->Run || (parsed->Profiles.empty() && !parsed->ResultsFolder && !parsed->Note),
                "a start without /run carries nothing else");
        Require(!parsed->ResultsFolder || parsed->ResultsFolder->ends_with('\\'),
                "a results folder ends in a backslash");
    }
    return 0;
}
