#include "update/browser_command.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(BrowserCommand, ProgramOfARegisteredCommand) {
    const struct {
        const char* command;
        const char* program;
    } cases[] = {
        {"\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\"", "C:\\Program Files\\Web\\web.exe"},
        {"C:\\Program Files\\Web\\WEB.EXE -nohome %1", "C:\\Program Files\\Web\\WEB.EXE"},
        {"winebrowser %1", "winebrowser"},
        {"  ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandProgram(c.command), c.program) << c.command;
}

TEST(BrowserCommand, TheAddressIsOneQuotedArgument) {
    EXPECT_EQ(BrowserCommandLine("C:\\Program Files\\Web\\web.exe", "http://h/a b?x=1&y=2"),
              "\"C:\\Program Files\\Web\\web.exe\" \"http://h/a b?x=1&y=2\"");
}

TEST(BrowserCommand, OpenVerbIsPreferredThenOneNamedLikeIt) {
    const std::string both[] = {"print", "OpenNew", "Open"};
    const std::string like[] = {"print", "opennew"};
    const std::string none[] = {"print", "edit"};
    EXPECT_EQ(OpenVerb(both, 3), "Open");
    EXPECT_EQ(OpenVerb(like, 2), "opennew");
    EXPECT_EQ(OpenVerb(none, 2), "");
}

}  // namespace
}  // namespace wmb
