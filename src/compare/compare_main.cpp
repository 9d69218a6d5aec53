// WildmereCompare.exe: compares results files written beside WildmereBench's reports.
//   WildmereCompare A.json B.json [...] [-o OUT.htm]
// Prints the written page's path; on an error prints the message, writes nothing and exits with 2.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "compare/compare_tool.h"
#include "platform/win32/wrappers/code_page_text.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const wmb::CompareOutcome outcome = wmb::RunCompare(args, wmb::AnsiToUtf8, wmb::FullPath);
    if (outcome.ExitCode != 0) {
        std::fprintf(stderr, "%s\n", wmb::Utf8ToAnsi(outcome.Message).c_str());
        return outcome.ExitCode;
    }
    std::printf("%s\n", outcome.WrittenPath.c_str());
    return 0;
}
