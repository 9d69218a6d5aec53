// The Help button: the user guide help.chm ships in the Program folder and the shell is asked to open it.

#include "e2e/bench_fixture.h"
#include "e2e/registry_override.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

using HelpE2E = BenchTest;

TEST_F(HelpE2E, HelpButtonOpensTheGuideInTheProgramFolder) {
    const std::string guide = program_ + "help.chm";
    ASSERT_TRUE(Exists(guide));
    EXPECT_EQ(ReadAll(guide).substr(0, 4), "ITSF") << "not a compiled help file";

    // The recorder writes the document the shell hands to the .chm program into a file of this test.
    const std::string fileClass = RegKey::Open(HKEY_CLASSES_ROOT, ".chm", KEY_READ).ReadString("");
    ASSERT_FALSE(fileClass.empty()) << "no program is associated with .chm files";
    const std::string opened = program_ + "help-opened.txt";
    // The class's open command lives under HKEY_CLASSES_ROOT: Wine lets no HKEY_CURRENT_USER class override it.
    RegistryValueOverride recorder(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command", "",
                                   "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + opened + "\"");

    StartProgram();
    Click(Ctl(IDC_HELPBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return !ReadAll(opened).empty(); }, 30000)) << "the shell opened nothing";
    std::string document = LinesOf(opened).at(0);
    while (!document.empty() && (document.back() == ' ' || document.back() == '"')) document.pop_back();
    if (!document.empty() && document.front() == '"') document.erase(0, 1);
    char longPath[MAX_PATH];
    ASSERT_NE(GetLongPathNameA(document.c_str(), longPath, MAX_PATH), 0u) << document;
    EXPECT_EQ(std::string(longPath), guide);
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
