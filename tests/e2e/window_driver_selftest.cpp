// Drives the small target window (driver_target.exe, built beside this test) through every function of
// the window driver and checks, from the target's own event log, that the program saw what a person's
// actions would have caused: one notification per action, in the right order, with the right values.

#include "e2e/window_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

namespace wmb::e2e {
namespace {

constexpr int kStartTimeoutMs = 20000;

std::string FolderOfThisTest() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

RunningProgram StartTarget(const std::string& arguments) {
    return RunningProgram(FolderOfThisTest() + "driver_target.exe", arguments, TempFolder());
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        top_ = WaitForTopWindow(program_.ProcessId(), "Driver target", kStartTimeoutMs);
        ASSERT_NE(top_, nullptr) << "the target window did not appear";
    }

    HWND Ctl(int id) const {
        HWND control = FindControl(top_, id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        return control;
    }

    // The target's event log, one entry per line.
    std::vector<std::string> Events() const {
        std::istringstream text(GetText(FindControl(top_, 200)));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // What the target logged since `Mark()`.
    void Mark() { mark_ = Events().size(); }
    std::vector<std::string> Since() const {
        const auto all = Events();
        return {all.begin() + static_cast<std::ptrdiff_t>(mark_), all.end()};
    }

    RunningProgram program_ = StartTarget("exit=7 two  blanks");
    HWND top_ = nullptr;
    std::size_t mark_ = 0;
};

using Lines = std::vector<std::string>;

TEST_F(DriverTest, StartsWithArgumentsAndFolderAndReportsTheExitCode) {
    EXPECT_EQ(StatusBarText(top_, 1), "Arguments: exit=7 two  blanks");
    EXPECT_EQ(GetText(Ctl(130)), TempFolder());
    EXPECT_TRUE(program_.IsRunning());
    EXPECT_FALSE(program_.ExitCode().has_value());
    EXPECT_FALSE(program_.WaitForExit(50));

    RequestClose(top_);
    ASSERT_TRUE(program_.WaitForExit(kStartTimeoutMs));
    EXPECT_FALSE(program_.IsRunning());
    EXPECT_EQ(program_.ExitCode(), 7u);
}

TEST(RunningProgramTest, TerminateMoveAndDestructorEndTheProgram) {
    RunningProgram first = StartTarget("");
    ASSERT_NE(WaitForTopWindow(first.ProcessId(), "Driver target", kStartTimeoutMs), nullptr);
    first.Terminate(3);
    EXPECT_EQ(first.ExitCode(), 3u);

    DWORD pid = 0;
    {
        RunningProgram second = StartTarget("");
        RunningProgram moved = std::move(second);
        pid = moved.ProcessId();
        EXPECT_EQ(second.ProcessId(), 0u);
        EXPECT_FALSE(second.IsRunning());
        ASSERT_NE(WaitForTopWindow(pid, "DriverTargetWindow", kStartTimeoutMs), nullptr);
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "the destructor left the program running";
        CloseHandle(process);
    }
}

TEST(RunningProgramTest, MissingProgramThrowsAndUnknownWindowsAreNotFound) {
    EXPECT_THROW(RunningProgram(FolderOfThisTest() + "no_such_program.exe", "", ""), std::runtime_error);
    EXPECT_EQ(WaitForTopWindow(GetCurrentProcessId(), "Nothing like this", 100), nullptr);
    EXPECT_EQ(WaitForMessageBox(GetCurrentProcessId(), 100), nullptr);
}

TEST(WaitUntilTest, ReturnsAsSoonAsTheConditionHoldsOrFalseAtTheDeadline) {
    int asked = 0;
    EXPECT_TRUE(WaitUntil([&] { return ++asked == 3; }, 5000, 1));
    EXPECT_EQ(asked, 3);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitUntil([] { return false; }, 100));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST_F(DriverTest, FindsControlsByIdCaptionAndClass) {
    EXPECT_EQ(GetDlgCtrlID(FindControlByText(top_, "Press me")), 101);
    EXPECT_EQ(GetDlgCtrlID(FindControlByText(top_, "Check me", "button")), 102) << "'&' marks are ignored";
    EXPECT_EQ(FindControlByText(top_, "Press me", "Edit"), nullptr);
    EXPECT_EQ(FindControlByText(top_, "Press"), nullptr) << "captions compare whole";
    EXPECT_EQ(FindControl(top_, 9999), nullptr);
    EXPECT_EQ(ClassOf(Ctl(103)), "ComboBox");
}

TEST_F(DriverTest, FindsControlsInsideTheRightGroupBox) {
    EXPECT_EQ(GetDlgCtrlID(FindInGroup(top_, " Options ", "Low")), 121);
    EXPECT_EQ(GetDlgCtrlID(FindInGroup(top_, "Options", "High")), 122);
    EXPECT_EQ(GetDlgCtrlID(FindInGroup(top_, "Levels", "Low")), 124);
    EXPECT_EQ(GetDlgCtrlID(FindInGroup(top_, " Levels ", "", "Button")), 124) << "first in reading order";
    EXPECT_EQ(GetDlgCtrlID(FindInGroup(top_, " Nested ", "Inner")), 127) << "a child of the group box";
    EXPECT_EQ(FindInGroup(top_, " Options ", "Inner"), nullptr);
    EXPECT_EQ(FindInGroup(top_, " Missing ", "Low"), nullptr);
}

TEST_F(DriverTest, ClickReachesTheProgramOnceAndRefusesUnusableButtons) {
    Mark();
    Click(Ctl(101));
    EXPECT_EQ(Since(), Lines({"click 101"}));
    EXPECT_EQ(StatusBarText(top_), "click 101");

    EXPECT_FALSE(IsEnabled(Ctl(108)));
    EXPECT_THROW(Click(Ctl(108)), std::runtime_error);
    EXPECT_FALSE(IsVisible(Ctl(140)));
    EXPECT_THROW(Click(Ctl(140)), std::runtime_error);
    EXPECT_EQ(Since(), Lines({"click 101"}));
}

TEST_F(DriverTest, CheckBoxesAndRadioButtonsChangeOnlyWhenNeeded) {
    HWND box = Ctl(102);
    Mark();
    EXPECT_FALSE(IsChecked(box));
    SetCheck(box, true);
    SetCheck(box, true);
    EXPECT_TRUE(IsChecked(box));
    SetCheck(box, false);
    EXPECT_FALSE(IsChecked(box));
    EXPECT_EQ(Since(), Lines({"click 102", "click 102"}));

    SetCheck(Ctl(122), true);
    EXPECT_TRUE(IsChecked(Ctl(122)));
    SetCheck(Ctl(121), true);
    EXPECT_TRUE(IsChecked(Ctl(121)));
    EXPECT_FALSE(IsChecked(Ctl(122))) << "the radio group switches the other one off";
    EXPECT_THROW(SetCheck(Ctl(121), false), std::logic_error);

    HWND inner = FindInGroup(top_, "Nested", "Inner");
    SetCheck(inner, true);
    EXPECT_TRUE(IsChecked(inner));
}

TEST_F(DriverTest, ComboAndListSelectionNotifiesTheParentWithTheExactItem) {
    HWND combo = Ctl(103);
    EXPECT_EQ(ComboItems(combo), Lines({"Alpha", "Beta", "beta", "Gamma"}));
    Mark();
    SelectComboItem(combo, "beta");
    EXPECT_EQ(ComboText(combo), "beta") << "items compare with letter case";
    SelectComboItem(combo, "Gamma");
    EXPECT_EQ(ComboText(combo), "Gamma");
    EXPECT_THROW(SelectComboItem(combo, "Delta"), std::runtime_error);
    EXPECT_EQ(ComboText(combo), "Gamma");

    HWND list = Ctl(107);
    EXPECT_EQ(ListSelectedText(list), "");
    SelectListItem(list, "Green");
    EXPECT_EQ(ListSelectedText(list), "Green");
    EXPECT_EQ(ListItems(list), Lines({"Red", "Green", "Blue"}));
    EXPECT_EQ(Since(), Lines({"selchange 103 beta", "selchange 103 Gamma", "listchange 107 Green"}));
}

TEST_F(DriverTest, TypedTextArrivesWithOneChangeNotification) {
    Mark();
    TypeText(Ctl(104), "hello");
    EXPECT_EQ(GetText(Ctl(104)), "hello");
    TypeText(Ctl(111), "two\r\nlines");
    EXPECT_EQ(GetText(Ctl(111)), "two\r\nlines");
    TypeText(Ctl(109), "25");
    EXPECT_EQ(ComboText(Ctl(109)), "25");
    TypeText(Ctl(104), "caf\xE9 \xD7");
    EXPECT_EQ(GetText(Ctl(104)), "caf\xE9 \xD7") << "8-bit text keeps its bytes";
    EXPECT_EQ(Since(), Lines({"change 104 hello", "change 111 two", "lines", "editchange 109 25",
                              "change 104 caf\xE9 \xD7"}));

    EXPECT_THROW(TypeText(Ctl(132), "x"), std::runtime_error) << "read-only";
    EXPECT_THROW(TypeText(Ctl(103), "x"), std::runtime_error) << "drop-down list";
    EXPECT_EQ(GetText(Ctl(132)), "fixed");
}

TEST_F(DriverTest, TypedKeysFollowTheControlsOwnRules) {
    Mark();
    TypeKeys(Ctl(131), "12a3");
    EXPECT_EQ(GetText(Ctl(131)), "123") << "digits only";
    EXPECT_EQ(Since(), Lines({"change 131 1", "change 131 12", "change 131 123"}));
    TypeKeys(Ctl(131), "1234567");
    EXPECT_EQ(GetText(Ctl(131)), "12345") << "five at most";
    TypeKeys(Ctl(131), "9");
    EXPECT_EQ(GetText(Ctl(131)), "9") << "typing replaces the whole text";
    TypeKeys(Ctl(109), "42");
    EXPECT_EQ(ComboText(Ctl(109)), "42");
    EXPECT_EQ(Since().back(), "editchange 109 42");
}

TEST_F(DriverTest, FocusMovesIntoAndOutOfAControl) {
    HWND edit = Ctl(104);
    Mark();
    Focus(edit);
    EXPECT_EQ(FocusedControl(top_), edit);
    LeaveControl(edit);
    EXPECT_EQ(FocusedControl(top_), Ctl(112)) << "the next control in tab order";
    EXPECT_EQ(Since(), Lines({"setfocus 104", "killfocus 104", "setfocus 112"}));
}

TEST_F(DriverTest, StatusBarPanesAreReadFromOutside) {
    EXPECT_EQ(StatusBarText(top_), "Ready");
    EXPECT_EQ(StatusBarText(top_, 1), "Arguments: exit=7 two  blanks");
    EXPECT_THROW(StatusBarText(top_, 2), std::runtime_error);
    EXPECT_THROW(StatusBarText(Ctl(101)), std::runtime_error) << "a window without a status bar";
}

TEST_F(DriverTest, TabPagesSwitchWithBothNotificationsAndAcceptARefusal) {
    HWND tabs = FindTabControl(top_);
    ASSERT_EQ(tabs, Ctl(105));
    EXPECT_EQ(TabCount(tabs), 3);
    EXPECT_EQ(TabText(tabs, 1), "Two");
    EXPECT_EQ(CurrentTab(tabs), 0);

    Mark();
    SelectTab(tabs, 1);
    EXPECT_EQ(CurrentTab(tabs), 1);
    EXPECT_EQ(Since(), Lines({"tabchanging 0", "tabchange 1"}));
    Click(Ctl(140));  // shown by the program for page two

    SetCheck(Ctl(110), true);  // the program now refuses to leave the page
    Mark();
    EXPECT_THROW(SelectTab(tabs, 2), std::runtime_error);
    EXPECT_EQ(CurrentTab(tabs), 1);
    EXPECT_EQ(Since(), Lines({"tabchanging 1"}));
    EXPECT_THROW(SelectTab(tabs, 3), std::runtime_error);
}

TEST_F(DriverTest, MessageBoxesAreFoundReadAndAnswered) {
    Mark();
    Click(Ctl(106));  // returns while the program waits in its message box
    HWND box = WaitForMessageBox(program_.ProcessId(), kStartTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetText(box), "Question");
    EXPECT_EQ(MessageBoxText(box), "Do you want more?");
    EXPECT_THROW(AnswerMessageBox(box, IDOK), std::runtime_error) << "a Yes/No box has no OK button";
    AnswerMessageBox(box, IDNO);
    EXPECT_FALSE(IsWindow(box) && IsWindowVisible(box));
    ASSERT_TRUE(WaitUntil([&] { return Since().size() == 2; }, kAnswerTimeoutMs));
    EXPECT_EQ(Since(), Lines({"click 106", "answer " + std::to_string(IDNO)}));
}

TEST_F(DriverTest, ActionsReturnWhileTheirHandlerWaitsInAMessageBox) {
    Mark();
    TypeText(Ctl(112), "box");
    HWND box = WaitForMessageBox(program_.ProcessId(), kStartTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Not allowed");
    AnswerMessageBox(box, IDOK);

    TypeText(Ctl(131), "0");
    Focus(Ctl(131));
    LeaveControl(Ctl(131));
    box = WaitForMessageBox(program_.ProcessId(), kStartTimeoutMs);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Since().size() >= 6; }, kAnswerTimeoutMs));
    EXPECT_EQ(Since(), Lines({"change 112 box", "answer 1", "change 131 0", "setfocus 131", "killfocus 131",
                              "answer 1"}));
}

TEST_F(DriverTest, ScreenshotsAreWrittenAsBitmapFiles) {
    const std::string whole = TempFolder() + "\\driver_screen.bmp";
    const std::string part = TempFolder() + "\\driver_window.bmp";
    ASSERT_TRUE(SaveScreenshot(whole));
    ASSERT_TRUE(SaveScreenshot(part, top_));

    std::ifstream in(part, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    const auto word = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(file[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 3])) << 24;
    };
    RECT r{};
    GetWindowRect(top_, &r);
    EXPECT_EQ(word(2), file.size());
    EXPECT_EQ(word(18), static_cast<std::uint32_t>(r.right - r.left));
    EXPECT_EQ(word(22), static_cast<std::uint32_t>(r.bottom - r.top));
    EXPECT_EQ(word(28) & 0xFFFF, 24u);
    EXPECT_FALSE(SaveScreenshot(TempFolder() + "\\no_such_folder\\x.bmp"));
    DeleteFileA(whole.c_str());
    DeleteFileA(part.c_str());
}

}  // namespace
}  // namespace wmb::e2e
