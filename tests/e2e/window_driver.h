#pragma once
// Drives a running program's windows from another process, the way a person at the keyboard and mouse
// would: start the program, find its windows and controls, click, pick list items, type text, switch tab
// pages, answer message boxes and read back what the program shows.
//
// Everything goes through window messages, so it works against any Win32 program, also under Wine.
// Actions refuse controls a person could not use (hidden or disabled ones) by throwing
// std::runtime_error; look-ups return nullptr when nothing matches.
//
// An action returns once the program has handled it. When the program's handler opens a modal window
// (a message box) the action returns as soon as that window is up, so the test can answer it: messages
// without pointers are handed over asynchronously and the driver waits until the program has handled them
// or runs a nested message loop; blocking calls (WM_SETTEXT, focus changes) run on a helper thread while
// the driver watches for a new window of the program.
//
// How Wine 8 behaves here (and why the driver does what it does):
// - WM_GETTEXT, WM_SETTEXT, BM_CLICK, CB_SETCURSEL and the other messages without pointers work across
//   processes; GetWindowText on another process's edit box returns "", so GetText uses WM_GETTEXT.
// - The "A" forms of CB_GETLBTEXT and LB_GETTEXT come back as UTF-16 text across processes, so item
//   texts are read with the "W" forms and converted to the 8-bit code page.
// - WM_NOTIFY cannot be sent from another process (Wine refuses the call), so a tab page is chosen by a
//   click on its tab. Messages that fill a structure (SB_GETTEXT, TCM_GETITEM, TCM_GETITEMRECT) work
//   with a buffer placed in the program's memory (VirtualAllocEx, ReadProcessMemory).
// - SetFocus on another process's control works from a thread attached with AttachThreadInput; the
//   program then gets WM_KILLFOCUS/WM_SETFOCUS (EN_KILLFOCUS/EN_SETFOCUS) as on Windows.
// - A single-line edit box sends EN_CHANGE for WM_SETTEXT; it also sends EN_CHANGE for a character
//   refused because the length limit is reached (Windows sends none).
// - Message boxes are "#32770" dialogs whose text is the static control 0xFFFF; unused buttons are not
//   created, so GetDlgItem(box, IDOK) is null in a Yes/No box.
// - BitBlt from the screen DC captures what is shown, title bars of Wine's window decoration included.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wmb::e2e {

// How long a read-only query may take before the program is taken as hung (the call then throws).
inline constexpr int kAnswerTimeoutMs = 10000;

// A program started for a test. Ends the program in the destructor if it still runs, so a failed test
// never leaves a window behind that would disturb the next one.
class RunningProgram {
public:
    // `exePath` is the program's full path; `arguments` are appended to its quoted path on the command
    // line; an empty `workingFolder` keeps the caller's current folder. Throws std::runtime_error with
    // the system's error code when the process cannot be started.
    RunningProgram(const std::string& exePath, const std::string& arguments,
                   const std::string& workingFolder);
    ~RunningProgram();
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram& operator=(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return processId_; }
    DWORD MainThreadId() const { return threadId_; }
    HANDLE ProcessHandle() const { return process_; }

    bool IsRunning() const;
    // Waits until the program has created its windows and waits for input.
    bool WaitForInputIdle(int timeoutMs) const;
    // True when the program ended within the time limit.
    bool WaitForExit(int timeoutMs) const;
    // Ends the program at once with `exitCode` and waits for it to be gone.
    void Terminate(UINT exitCode = 1);
    // The exit code once the program has ended; empty while it runs.
    std::optional<DWORD> ExitCode() const;

private:
    // Ends the program if it still runs and lets go of it.
    void Close() noexcept;

    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// Polls `condition` every `pollMs` until it holds; true when it did within `timeoutMs` (it is asked one
// last time at the deadline).
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs = 20);

// Windows ---------------------------------------------------------------------------------------------

// A visible top-level window of the process whose caption starts with `titlePrefixOrClass` or whose
// window class is exactly that text (an empty text takes any visible top-level window of the process).
HWND WaitForTopWindow(DWORD processId, const std::string& titlePrefixOrClass, int timeoutMs);
// Every visible top-level window of the process, in z-order.
std::vector<HWND> TopWindows(DWORD processId);
// Asks the window to close as the close box in its title bar would (WM_SYSCOMMAND SC_CLOSE, posted).
void RequestClose(HWND top);

// Finding controls ------------------------------------------------------------------------------------
// Controls are searched among all descendants of `top`, so controls on tab pages and panels are found.
// Captions compare as a person reads them: blanks at both ends and the '&' accelerator marks are ignored.

HWND FindControl(HWND top, int id);
// The control with that id once it exists, as a person waits for a page to come up: a window may make
// some of its controls only after it shows. nullptr when none came within the time.
HWND WaitForControl(HWND top, int id, int timeoutMs);
// `className` (compared without regard to case, for example "Button" or "ComboBox") narrows the search.
HWND FindControlByText(HWND top, const std::string& caption, const char* className = nullptr);
// The control with that caption that lies inside the group box with `groupCaption`: either a child of
// the group box or a window whose centre lies within the group box's rectangle (a sibling placed on it).
// An empty `controlCaption` takes any control (with `className`, the first of that class, reading from
// top left). Among several group boxes with the same caption, the visible ones are tried first.
HWND FindInGroup(HWND top, const std::string& groupCaption, const std::string& controlCaption,
                 const char* className = nullptr);
std::string ClassOf(HWND window);

// State -----------------------------------------------------------------------------------------------

// Enabled, counting disabled parents (a control on a disabled panel cannot be used either).
bool IsEnabled(HWND control);
// Visible, counting hidden parents (a control on a hidden tab page is not visible).
bool IsVisible(HWND control);
bool IsChecked(HWND button);
// The window text through WM_GETTEXT (GetWindowText returns "" for another process's edit boxes).
std::string GetText(HWND window);

// Buttons, check boxes, radio buttons --------------------------------------------------------------------

// Clicks a push button, check box or radio button (BM_CLICK) and returns once the program has handled
// the click or shows a modal dialog because of it.
void Click(HWND button);
// Clicks the check box or radio button only when its state differs. A radio button cannot be switched
// off by clicking it; asking for that throws std::logic_error.
void SetCheck(HWND button, bool checked);

// Combo boxes and list boxes ----------------------------------------------------------------------------

// Selects the item with exactly this text (CB_FINDSTRINGEXACT, CB_SETCURSEL) and tells the parent with
// CBN_SELCHANGE as a real choice would. Throws std::runtime_error when there is no such item.
void SelectComboItem(HWND combo, const std::string& itemText);
// The text shown in the combo box: the selected item, or what was typed into an editable one.
std::string ComboText(HWND combo);
std::vector<std::string> ComboItems(HWND combo);
// The same for list boxes (LB_FINDSTRINGEXACT, LB_SETCURSEL, LBN_SELCHANGE).
void SelectListItem(HWND listBox, const std::string& itemText);
std::string ListSelectedText(HWND listBox);  // "" when nothing is selected
std::vector<std::string> ListItems(HWND listBox);

// The texts of a list view's items (first column), and their check boxes (LVS_EX_CHECKBOXES); a check
// is set as a click on the item's box would set it (the list view tells its parent, LVN_ITEMCHANGED).
std::vector<std::string> ListViewItems(HWND listView);
bool ListViewChecked(HWND listView, int index);
void SetListViewCheck(HWND listView, int index, bool checked);

// Text entry ------------------------------------------------------------------------------------------

// Replaces the whole text (WM_SETTEXT) and makes the change known as typing would: a single-line edit box
// sends EN_CHANGE itself; for a multi-line edit box the driver sends EN_CHANGE, and for an editable combo
// box CBN_EDITCHANGE. Read-only edit boxes refuse, as they refuse a person's typing.
void TypeText(HWND edit, const std::string& text);
// Types `path` into a common open or save dialog's file name box (the Explorer-style dialog's combo box
// cmb13, or the edit box edt1) and presses OK; false when the dialog has neither box.
bool EnterFileName(HWND dialog, const std::string& path);
// Types the text key by key (WM_CHAR after selecting everything), so the control applies its own rules:
// length limit, digits only, one EN_CHANGE per character. Works on edit boxes and editable combo boxes.
void TypeKeys(HWND edit, const std::string& text);
// Moves the keyboard focus into the control (as a click into it would).
void Focus(HWND control);
// Moves the keyboard focus from the control to the next control in tab order, so that the program's
// "focus lost" handlers (EN_KILLFOCUS, CBN_KILLFOCUS) run.
void LeaveControl(HWND control);
// The control that has the keyboard focus in the thread that owns `anyWindowOfThread`.
HWND FocusedControl(HWND anyWindowOfThread);

// Status bar ------------------------------------------------------------------------------------------

// The text of pane `pane` of the first status bar ("msctls_statusbar32") below `top`. Throws
// std::runtime_error when the window has no status bar.
std::string StatusBarText(HWND top, int pane = 0);

// Tab controls ----------------------------------------------------------------------------------------

// The first tab control ("SysTabControl32") below `top`, or nullptr.
HWND FindTabControl(HWND top);
// Switches to page `index` by clicking its tab, so the tab control itself sends TCN_SELCHANGING (which
// the program may refuse) and TCN_SELCHANGE. Throws std::runtime_error when the program refused the
// change, the index does not exist or its tab is scrolled out of view.
void SelectTab(HWND tabControl, int index);
int CurrentTab(HWND tabControl);
int TabCount(HWND tabControl);
std::string TabText(HWND tabControl, int index);

// Message boxes ---------------------------------------------------------------------------------------

// A visible message box of the process: a top-level dialog ("#32770") with the message text (id 0xFFFF),
// so the program's own dialogs do not count (find those with WaitForTopWindow(pid, "#32770", ...)).
// nullptr after `timeoutMs`.
HWND WaitForMessageBox(DWORD processId, int timeoutMs);
// The message of a message box (its static text, id 0xFFFF); throws for other windows.
std::string MessageBoxText(HWND box);
// Presses the button `buttonId` (IDOK, IDYES, IDNO, IDCANCEL...) and waits until the box has closed.
// Throws std::runtime_error when the box has no such button or does not close.
void AnswerMessageBox(HWND box, int buttonId);

// Screenshots -----------------------------------------------------------------------------------------

// Saves the whole screen, or only the screen area of `window`, as a 24-bit BMP file. False when the
// screen could not be read or the file not written.
bool SaveScreenshot(const std::string& bmpPath, HWND window = nullptr);

}  // namespace wmb::e2e
