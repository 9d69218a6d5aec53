#include "compare/compare_tool.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

#include "compare/comparison.h"
#include "base/case_tables.h"

namespace wmb {

namespace {

const char kUsage[] =
    "usage: WildmereCompare A.json B.json [more.json ...] [-o OUT.htm]\n"
    "Compares results files written beside WildmereBench's reports and writes an HTML page, by default beside\n"
    "the first input as <its name>_compare.htm.";

CompareOutcome Failed(const std::string& message) { return {2, "", message}; }

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

// The last part of a path, after the last backslash, slash or drive colon.
std::string FileName(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string DefaultComparePath(const std::string& firstInput) {
    const std::string_view ending = ".json";
    const bool json = firstInput.size() >= ending.size() &&
                      SameTextIgnoringCase(std::string_view(firstInput).substr(firstInput.size() - ending.size()), ending);
    return firstInput.substr(0, json ? firstInput.size() - ending.size() : firstInput.size()) + "_compare.htm";
}

CompareOutcome RunCompare(const std::vector<std::string>& args, const PathText& toUtf8, const PathText& fullPath) {
    std::vector<std::string> paths;
    std::optional<std::string> output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (output || i + 1 >= args.size()) return Failed(kUsage);
            output = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return Failed("unknown option " + toUtf8(args[i]) + "\n" + kUsage);
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() < 2) return Failed(kUsage);
    const std::string target = output ? *output : DefaultComparePath(paths.front());
    const std::string fullTarget = fullPath(target);
    for (const std::string& path : paths) {
        if (SameTextIgnoringCase(fullPath(path), fullTarget)) {
            return Failed(toUtf8(target) + ": is one of the inputs; choose another output file with -o OUT.htm");
        }
    }

    // Inputs named by file name on the page, by path when two share a name.
    bool sameNames = false;
    for (std::size_t i = 0; i < paths.size(); ++i)
        for (std::size_t j = i + 1; j < paths.size(); ++j) sameNames = sameNames || FileName(paths[i]) == FileName(paths[j]);

    std::vector<ComparedInput> inputs;
    for (const std::string& path : paths) {
        const std::string shown = toUtf8(path);
        const std::optional<std::string> text = ReadWholeFile(path);
        if (!text) return Failed(shown + ": cannot be read");
        ResultsRead read = ReadResultsFile(*text);
        if (!read.File) return Failed(shown + ": " + read.Error);
        inputs.push_back({sameNames ? shown : toUtf8(FileName(path)), std::move(*read.File)});
    }
    if (const auto mismatch = CheckResolutions(inputs)) return Failed(toUtf8(paths[mismatch->Input]) + ": " + mismatch->What);

    const std::string page = ComparisonPage(inputs);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    out.close();
    if (!out) {
        std::remove(target.c_str());
        return Failed(toUtf8(target) + ": cannot be written");
    }
    return {0, target, ""};
}

}  // namespace wmb
