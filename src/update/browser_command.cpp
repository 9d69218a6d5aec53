#include "update/browser_command.h"

#include "base/case_tables.h"
#include "base/text.h"

namespace wmb {

std::string CommandProgram(const std::string& command) {
    const std::size_t start = command.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (command[start] == '"') {
        const std::size_t end = command.find('"', start + 1);
        return command.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    const std::string rest = command.substr(start);
    const std::size_t exe = LowerText(rest).find(".exe");
    if (exe != std::string::npos) return rest.substr(0, exe + 4);
    return rest.substr(0, rest.find(' '));
}

std::string BrowserCommandLine(const std::string& program, const std::string& address) {
    return Quoted(program) + " " + Quoted(address);
}

std::string OpenVerb(const std::string* verbs, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (SameTextIgnoringCase(verbs[i], "open")) return verbs[i];
    for (std::size_t i = 0; i < count; ++i)
        if (LowerText(verbs[i]).find("open") != std::string::npos) return verbs[i];
    return {};
}

}  // namespace wmb
