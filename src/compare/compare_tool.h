#pragma once
// The comparison tool's work between its command line and its output: reading the inputs, the checks,
// writing the page.

#include <functional>
#include <string>
#include <vector>

namespace wmb {

struct CompareOutcome {
    int ExitCode = 0;         // 0 written, 2 for any error (nothing written then)
    std::string WrittenPath;  // the page's path as the command line gives paths
    std::string Message;      // the error, UTF-8: "<input>: <what is wrong>", or the usage
};

using PathText = std::function<std::string(const std::string&)>;

// The paths of the command line are in the system's 8-bit code page; `toUtf8` converts them for the page
// and the messages, `fullPath` makes a path full as the system does (the current folder, "." and ".."
// resolved). Arguments: two or more results files and "-o OUT.htm" anywhere; without -o the page goes
// beside the first input as <its name without .json>_compare.htm. An output that is one of the inputs
// (their full paths equal but for letter case) is refused before anything is read or written.
CompareOutcome RunCompare(const std::vector<std::string>& args, const PathText& toUtf8, const PathText& fullPath);

// The page's path when no -o is given.
std::string DefaultComparePath(const std::string& firstInput);

}  // namespace wmb
