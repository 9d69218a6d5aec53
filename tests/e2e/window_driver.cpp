#include "e2e/window_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>

namespace wmb::e2e {
namespace {

// How long the program may take to handle an action before the driver gives up on it.
constexpr int kSettleTimeoutMs = 30000;

std::string Hex(std::uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}

std::string Describe(HWND window) {
    return "window " + Hex(reinterpret_cast<std::uintptr_t>(window));
}

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

std::string SystemError(const std::string& what) {
    return what + " (error " + std::to_string(GetLastError()) + ")";
}

// Window class names are ASCII and compare without regard to case.
bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A caption as a person reads it: "&Open" shows as "Open", "&&" as "&"; surrounding blanks are invisible.
std::string Readable(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

// Sends a message and waits for the answer; false when the window is gone or did not answer in time.
bool TrySend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &answer))
        return false;
    if (result) *result = static_cast<LRESULT>(answer);
    return true;
}

// A question to a window that must be answered (reading state): throws when the program does not answer.
LRESULT Query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    LRESULT result = 0;
    if (!TrySend(window, message, wParam, lParam, kAnswerTimeoutMs, &result))
        Fail(SystemError(Describe(window) + " did not answer message " + Hex(message)));
    return result;
}

// Hands a message without pointers to the program without waiting for its handler, then waits until the
// handler has finished or runs a nested message loop (a modal dialog it opened answers WM_NULL). Sent
// messages are handled in the order they arrive, so the WM_NULL cannot overtake the action.
void SendAndSettle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SendNotifyMessageA(window, message, wParam, lParam))
        Fail(SystemError("could not send message " + Hex(message) + " to " + Describe(window)));
    if (TrySend(window, WM_NULL, 0, 0, kSettleTimeoutMs, nullptr)) return;
    // A window that closed itself while handling the message (a dialog's button) has finished with it.
    if (GetLastError() == ERROR_TIMEOUT && IsWindow(window))
        Fail(Describe(window) + " is still busy with message " + Hex(message) + " after " +
             std::to_string(kSettleTimeoutMs) + " ms");
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Runs a blocking call into the program on a helper thread. Returns true when it finished; false when the
// program opened a new window meanwhile (its handler then waits in that window's message loop, and the
// helper finishes whenever the handler does). `call` must own everything it touches.
bool RunWhileWatching(HWND target, std::function<void()> call) {
    const DWORD pid = ProcessOf(target);
    const auto before = TopWindows(pid);
    const std::set<HWND> known(before.begin(), before.end());
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread([call = std::move(call), finished] {
        call();
        *finished = true;
    }).detach();
    bool opened = false;
    WaitUntil(
        [&] {
            if (*finished) return true;
            for (HWND w : TopWindows(pid))
                if (!known.count(w)) opened = true;
            return opened;
        },
        kSettleTimeoutMs, 10);
    if (*finished) return true;
    if (opened) return false;
    Fail(Describe(target) + " is still busy after " + std::to_string(kSettleTimeoutMs) + " ms");
}

void RequireUsable(HWND control, const char* action) {
    if (!control || !IsWindow(control)) Fail(std::string("cannot ") + action + ": no such control");
    if (!IsVisible(control))
        Fail(std::string("cannot ") + action + ": " + Describe(control) + " (\"" + GetText(control) +
             "\") is hidden");
    if (!IsEnabled(control))
        Fail(std::string("cannot ") + action + ": " + Describe(control) + " (\"" + GetText(control) +
             "\") is disabled");
}

// Tells the control's parent about a change as the control itself would (WM_COMMAND with the control's id).
void NotifyParent(HWND control, WORD code) {
    const auto id = static_cast<WORD>(GetDlgCtrlID(control));
    SendAndSettle(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> found;
    EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool HasClass(HWND window, const char* className) {
    return !className || EqualNoCase(ClassOf(window), className);
}

bool IsGroupBox(HWND window) {
    return EqualNoCase(ClassOf(window), "Button") &&
           (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Reading order: top to bottom, then left to right.
void SortByPosition(std::vector<HWND>& windows) {
    std::stable_sort(windows.begin(), windows.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
}

HWND FirstMatching(std::vector<HWND> candidates, const std::string& caption, const char* className) {
    SortByPosition(candidates);
    const std::string wanted = Readable(caption);
    for (HWND w : candidates)
        if (HasClass(w, className) && (caption.empty() || Readable(GetText(w)) == wanted)) return w;
    return nullptr;
}

// Memory in another process, for messages whose parameters point to data.
class RemoteMemory {
public:
    RemoteMemory(DWORD pid, std::size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process_) Fail(SystemError("cannot open process " + std::to_string(pid)));
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_) {
            const std::string message = SystemError("cannot reserve memory in process " + std::to_string(pid));
            CloseHandle(process_);
            Fail(message);
        }
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void* data, std::size_t size) {
        if (size > size_ || !WriteProcessMemory(process_, address_, data, size, nullptr))
            Fail(SystemError("cannot write into the program's memory"));
    }
    void Read(void* data, std::size_t size) const {
        if (size > size_ || !ReadProcessMemory(process_, address_, data, size, nullptr))
            Fail(SystemError("cannot read the program's memory"));
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

// Item texts are read in UTF-16 and converted to the program's 8-bit code page: Wine hands the "A" forms of
// CB_GETLBTEXT and LB_GETTEXT to another process as UTF-16 text.
std::vector<std::string> ItemTexts(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    const LRESULT count = Query(control, countMessage);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(control, lengthMessage, static_cast<WPARAM>(i), 0, SMTO_NORMAL, kAnswerTimeoutMs,
                                 &length) ||
            static_cast<LRESULT>(length) < 0)
            Fail("cannot read item " + std::to_string(i) + " of " + Describe(control));
        std::wstring wide(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()),
                                 SMTO_NORMAL, kAnswerTimeoutMs, &copied))
            Fail("cannot read item " + std::to_string(i) + " of " + Describe(control));
        wide.resize(std::min<std::size_t>(copied, length));
        std::string text(wide.size() * 2, '\0');
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                              static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(static_cast<std::size_t>(std::max(bytes, 0)));
        items.push_back(text);
    }
    return items;
}

int IndexOf(const std::vector<std::string>& items, const std::string& text, HWND control) {
    const auto it = std::find(items.begin(), items.end(), text);
    if (it == items.end()) Fail("\"" + text + "\" is not an item of " + Describe(control));
    return static_cast<int>(it - items.begin());
}

bool IsReadOnlyEdit(HWND edit) {
    return EqualNoCase(ClassOf(edit), "Edit") && (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
}

bool IsEditableCombo(HWND combo) {
    const LONG kind = GetWindowLongA(combo, GWL_STYLE) & 3;
    return kind == CBS_SIMPLE || kind == CBS_DROPDOWN;
}

// The window that takes typed characters: the edit box itself, or the edit part of a combo box.
HWND KeyTarget(HWND control) {
    if (EqualNoCase(ClassOf(control), "ComboBox")) {
        if (!IsEditableCombo(control)) Fail(Describe(control) + " is a drop-down list: nothing can be typed");
        HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
        if (!edit) Fail(Describe(control) + " has no edit part");
        return edit;
    }
    if (IsReadOnlyEdit(control)) Fail(Describe(control) + " is read-only");
    return control;
}

// Sets the focus from a helper thread that shares the program's input state (a window of another thread
// cannot take the focus otherwise). The focus change runs the program's WM_KILLFOCUS and WM_SETFOCUS
// handlers, which may open a message box, so the change is watched rather than waited for.
void MoveFocus(HWND to) {
    const DWORD thread = GetWindowThreadProcessId(to, nullptr);
    auto attached = std::make_shared<std::atomic<bool>>(true);
    RunWhileWatching(to, [to, thread, attached] {
        const DWORD self = GetCurrentThreadId();
        if (!AttachThreadInput(self, thread, TRUE)) {
            *attached = false;
            return;
        }
        SetFocus(to);
        AttachThreadInput(self, thread, FALSE);
    });
    if (!*attached) Fail(SystemError("cannot share the input state of " + Describe(to)));
}

void WriteLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

// RunningProgram -------------------------------------------------------------------------------------

RunningProgram::RunningProgram(const std::string& exePath, const std::string& arguments,
                               const std::string& workingFolder) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
        Fail(SystemError("cannot start " + exePath));
    process_ = info.hProcess;
    thread_ = info.hThread;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
}

RunningProgram::~RunningProgram() { Close(); }

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      thread_(std::exchange(other.thread_, nullptr)),
      processId_(std::exchange(other.processId_, 0)),
      threadId_(std::exchange(other.threadId_, 0)) {}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
    if (this != &other) {
        Close();
        process_ = std::exchange(other.process_, nullptr);
        thread_ = std::exchange(other.thread_, nullptr);
        processId_ = std::exchange(other.processId_, 0);
        threadId_ = std::exchange(other.threadId_, 0);
    }
    return *this;
}

void RunningProgram::Close() noexcept {
    if (IsRunning() && TerminateProcess(process_, 1)) WaitForSingleObject(process_, kAnswerTimeoutMs);
    if (thread_) CloseHandle(thread_);
    if (process_) CloseHandle(process_);
    thread_ = process_ = nullptr;
}

bool RunningProgram::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForInputIdle(int timeoutMs) const {
    return process_ && ::WaitForInputIdle(process_, static_cast<DWORD>(timeoutMs)) == 0;
}

bool RunningProgram::WaitForExit(int timeoutMs) const {
    return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void RunningProgram::Terminate(UINT exitCode) {
    if (!IsRunning()) return;
    if (!TerminateProcess(process_, exitCode)) Fail(SystemError("cannot end the program"));
    WaitForSingleObject(process_, static_cast<DWORD>(kAnswerTimeoutMs));
}

std::optional<DWORD> RunningProgram::ExitCode() const {
    if (!process_ || IsRunning()) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        Sleep(static_cast<DWORD>(pollMs));
    }
    return condition();
}

// Windows ---------------------------------------------------------------------------------------------

std::vector<HWND> TopWindows(DWORD processId) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND w : all)
        if (ProcessOf(w) == processId && IsWindowVisible(w)) found.push_back(w);
    return found;
}

HWND WaitForTopWindow(DWORD processId, const std::string& titlePrefixOrClass, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(processId)) {
                // The caption as the system keeps it: a window closing meanwhile (a dialog just answered)
                // gives no text instead of failing.
                char title[512] = {};
                GetWindowTextA(w, title, sizeof title);
                if (titlePrefixOrClass.empty() || std::string(title).rfind(titlePrefixOrClass, 0) == 0 ||
                    ClassOf(w) == titlePrefixOrClass) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

void RequestClose(HWND top) {
    if (!PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0)) Fail(SystemError("cannot close " + Describe(top)));
}

// Finding controls ------------------------------------------------------------------------------------

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND FindControl(HWND top, int id) {
    for (HWND w : Descendants(top))
        if (GetDlgCtrlID(w) == id) return w;
    return nullptr;
}

HWND WaitForControl(HWND top, int id, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindControl(top, id)) != nullptr || !IsWindow(top); }, timeoutMs);
    return found;
}

HWND FindControlByText(HWND top, const std::string& caption, const char* className) {
    return FirstMatching(Descendants(top), caption, className);
}

HWND FindInGroup(HWND top, const std::string& groupCaption, const std::string& controlCaption,
                 const char* className) {
    std::vector<HWND> groups;
    const std::string wanted = Readable(groupCaption);
    for (HWND w : Descendants(top))
        if (IsGroupBox(w) && Readable(GetText(w)) == wanted) groups.push_back(w);
    std::stable_partition(groups.begin(), groups.end(), [](HWND g) { return IsWindowVisible(g) != FALSE; });

    for (HWND group : groups) {
        if (HWND inside = FirstMatching(Descendants(group), controlCaption, className)) return inside;
        RECT area{};
        GetWindowRect(group, &area);
        const long groupSize = (area.right - area.left) * (area.bottom - area.top);
        std::vector<HWND> placed;
        for (HWND w : Descendants(GetParent(group))) {
            if (w == group || IsGroupBox(w)) continue;
            RECT r{};
            GetWindowRect(w, &r);
            const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            if (PtInRect(&area, centre) && (r.right - r.left) * (r.bottom - r.top) < groupSize)
                placed.push_back(w);
        }
        if (HWND sibling = FirstMatching(placed, controlCaption, className)) return sibling;
    }
    return nullptr;
}

// State -----------------------------------------------------------------------------------------------

bool IsEnabled(HWND control) {
    for (HWND w = control; w; w = GetAncestor(w, GA_PARENT)) {
        if (!IsWindowEnabled(w)) return false;
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return control != nullptr;
}

bool IsVisible(HWND control) { return control && IsWindowVisible(control); }

bool IsChecked(HWND button) { return Query(button, BM_GETCHECK) == BST_CHECKED; }

std::string GetText(HWND window) {
    const LRESULT length = Query(window, WM_GETTEXTLENGTH);
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const LRESULT copied = Query(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()))));
    return text;
}

// Buttons ---------------------------------------------------------------------------------------------

void Click(HWND button) {
    RequireUsable(button, "click");
    SendAndSettle(button, BM_CLICK, 0, 0);
}

void SetCheck(HWND button, bool checked) {
    if (IsChecked(button) == checked) return;
    const LONG kind = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (!checked && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON))
        throw std::logic_error("a radio button is switched off by choosing another one, not by clicking it");
    // A three-state box cycles through "indeterminate", so it may take two clicks.
    for (int click = 0; click < 3 && IsChecked(button) != checked; ++click) Click(button);
    if (IsChecked(button) != checked)
        Fail(Describe(button) + " (\"" + GetText(button) + "\") did not change its check mark");
}

// Combo boxes and list boxes ----------------------------------------------------------------------------

void SelectComboItem(HWND combo, const std::string& itemText) {
    RequireUsable(combo, "choose an item");
    const int index = IndexOf(ComboItems(combo), itemText, combo);
    if (Query(combo, CB_SETCURSEL, static_cast<WPARAM>(index)) != index)
        Fail("cannot select \"" + itemText + "\" in " + Describe(combo));
    NotifyParent(combo, CBN_SELCHANGE);
}

std::string ComboText(HWND combo) { return GetText(combo); }

std::vector<std::string> ComboItems(HWND combo) {
    return ItemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void SelectListItem(HWND listBox, const std::string& itemText) {
    RequireUsable(listBox, "choose an item");
    const int index = IndexOf(ListItems(listBox), itemText, listBox);
    if (Query(listBox, LB_SETCURSEL, static_cast<WPARAM>(index)) == LB_ERR)
        Fail("cannot select \"" + itemText + "\" in " + Describe(listBox));
    NotifyParent(listBox, LBN_SELCHANGE);
}

std::string ListSelectedText(HWND listBox) {
    const LRESULT index = Query(listBox, LB_GETCURSEL);
    if (index < 0) return {};
    return ListItems(listBox).at(static_cast<std::size_t>(index));
}

std::vector<std::string> ListItems(HWND listBox) {
    return ItemTexts(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

// List views with check boxes: the texts of the first column, and each item's check box. The item
// structure and its text buffer live in the program's memory, where the list view reads and writes them.
std::vector<std::string> ListViewItems(HWND listView) {
    std::vector<std::string> items;
    const int count = static_cast<int>(Query(listView, LVM_GETITEMCOUNT, 0, 0));
    constexpr std::size_t kTextSize = 256;
    RemoteMemory memory(ProcessOf(listView), sizeof(LVITEMA) + kTextSize);
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<char*>(memory.Address() + sizeof(LVITEMA));
        item.cchTextMax = kTextSize;
        memory.Write(&item, sizeof item);
        const auto length = static_cast<std::size_t>(Query(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), memory.Address()));
        std::vector<char> all(sizeof(LVITEMA) + kTextSize);
        memory.Read(all.data(), all.size());
        items.emplace_back(all.data() + sizeof(LVITEMA), std::min(length, kTextSize - 1));
    }
    return items;
}

bool ListViewChecked(HWND listView, int index) {
    const auto state = Query(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void SetListViewCheck(HWND listView, int index, bool checked) {
    RequireUsable(listView, "check an item of");
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    RemoteMemory memory(ProcessOf(listView), sizeof item);
    memory.Write(&item, sizeof item);
    Query(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), memory.Address());
}

// Text entry ------------------------------------------------------------------------------------------

bool EnterFileName(HWND dialog, const std::string& path) {
    HWND name = FindControl(dialog, 0x47C);
    if (!name) name = FindControl(dialog, 0x480);
    if (!name) return false;
    TypeText(name, path);
    Click(GetDlgItem(dialog, IDOK));
    return true;
}

void TypeText(HWND edit, const std::string& text) {
    RequireUsable(edit, "type");
    KeyTarget(edit);
    const bool combo = EqualNoCase(ClassOf(edit), "ComboBox");
    const bool multiline = !combo && (GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE);
    auto copy = std::make_shared<std::string>(text);
    auto delivered = std::make_shared<std::atomic<bool>>(true);
    const bool finished = RunWhileWatching(edit, [edit, copy, delivered] {
        *delivered = TrySend(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy->c_str()), kSettleTimeoutMs,
                             nullptr);
    });
    if (!finished) return;
    if (!*delivered) Fail("cannot set the text of " + Describe(edit));
    // A single-line edit box reports WM_SETTEXT as a change itself; the others do not.
    if (combo)
        NotifyParent(edit, CBN_EDITCHANGE);
    else if (multiline)
        NotifyParent(edit, EN_CHANGE);
}

void TypeKeys(HWND edit, const std::string& text) {
    RequireUsable(edit, "type");
    HWND target = KeyTarget(edit);
    Query(target, EM_SETSEL, 0, -1);
    for (char c : text) SendAndSettle(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

HWND FocusedControl(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void Focus(HWND control) {
    RequireUsable(control, "focus");
    MoveFocus(control);
}

void LeaveControl(HWND control) {
    HWND focusable = control;
    if (EqualNoCase(ClassOf(GetParent(control)), "ComboBox")) focusable = GetParent(control);
    HWND top = GetAncestor(focusable, GA_ROOT);
    HWND next = focusable;
    do {
        next = GetNextDlgTabItem(top, next, FALSE);
    } while (next && next != focusable && GetParent(next) == focusable);
    if (!next || next == focusable) Fail("no other control to move the focus to from " + Describe(control));
    MoveFocus(next);
}

// Status bar ------------------------------------------------------------------------------------------

std::string StatusBarText(HWND top, int pane) {
    HWND bar = nullptr;
    for (HWND w : Descendants(top))
        if (EqualNoCase(ClassOf(w), STATUSCLASSNAMEA)) {
            bar = w;
            break;
        }
    if (!bar) Fail(Describe(top) + " has no status bar");
    const LRESULT panes = Query(bar, SB_GETPARTS, 0, 0);
    if (pane < 0 || (pane > 0 && pane >= panes))
        Fail("the status bar has no pane " + std::to_string(pane));
    const auto length = static_cast<std::size_t>(LOWORD(Query(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane))));
    RemoteMemory memory(ProcessOf(bar), length + 1);
    Query(bar, SB_GETTEXTA, static_cast<WPARAM>(pane), memory.Address());
    std::string text(length + 1, '\0');
    memory.Read(text.data(), text.size());
    text.resize(length);
    return text;
}

// Tab controls ----------------------------------------------------------------------------------------

HWND FindTabControl(HWND top) {
    for (HWND w : Descendants(top))
        if (EqualNoCase(ClassOf(w), WC_TABCONTROLA)) return w;
    return nullptr;
}

int CurrentTab(HWND tabControl) { return static_cast<int>(Query(tabControl, TCM_GETCURSEL)); }

int TabCount(HWND tabControl) { return static_cast<int>(Query(tabControl, TCM_GETITEMCOUNT)); }

std::string TabText(HWND tabControl, int index) {
    constexpr std::size_t kCapacity = 256;
    RemoteMemory memory(ProcessOf(tabControl), sizeof(TCITEMA) + kCapacity);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPSTR>(memory.Address() + sizeof(TCITEMA));
    item.cchTextMax = kCapacity;
    memory.Write(&item, sizeof item);
    if (!Query(tabControl, TCM_GETITEMA, static_cast<WPARAM>(index), memory.Address()))
        Fail("tab control " + Describe(tabControl) + " has no page " + std::to_string(index));
    std::string text(sizeof(TCITEMA) + kCapacity, '\0');
    memory.Read(text.data(), text.size());
    text.erase(0, sizeof(TCITEMA));
    text.resize(text.find('\0'));
    return text;
}

void SelectTab(HWND tabControl, int index) {
    RequireUsable(tabControl, "switch pages");
    if (index < 0 || index >= TabCount(tabControl))
        Fail("tab control " + Describe(tabControl) + " has no page " + std::to_string(index));
    if (CurrentTab(tabControl) == index) return;
    // Another process cannot send WM_NOTIFY under Wine (it refuses to pass the pointer), so the driver
    // clicks the page's tab and lets the tab control send TCN_SELCHANGING and TCN_SELCHANGE itself.
    RemoteMemory memory(ProcessOf(tabControl), sizeof(RECT));
    if (!Query(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.Address()))
        Fail("cannot find the tab of page " + std::to_string(index));
    RECT tab{};
    memory.Read(&tab, sizeof tab);
    RECT client{};
    GetClientRect(tabControl, &client);
    const POINT centre{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    if (!PtInRect(&client, centre)) Fail("the tab of page " + std::to_string(index) + " is scrolled out of view");
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    SendAndSettle(tabControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendAndSettle(tabControl, WM_LBUTTONUP, 0, at);
    if (CurrentTab(tabControl) != index)
        Fail("the program did not switch to page " + std::to_string(index) + " (it stays on page " +
             std::to_string(CurrentTab(tabControl)) + ")");
}

// Message boxes ---------------------------------------------------------------------------------------

// A message box is a dialog whose message is the static text with id 0xFFFF (under Windows and Wine
// alike); this keeps the program's own dialogs from being taken for one.
constexpr int kMessageBoxTextId = 0xFFFF;

HWND WaitForMessageBox(DWORD processId, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(processId))
                if (ClassOf(w) == "#32770" && GetDlgItem(w, kMessageBoxTextId)) {
                    found = w;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    if (!text) Fail(Describe(box) + " is not a message box");
    return GetText(text);
}

void AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button) Fail("the message box \"" + MessageBoxText(box) + "\" has no button " + std::to_string(buttonId));
    Click(button);
    if (!WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, kAnswerTimeoutMs))
        Fail("the message box \"" + MessageBoxText(box) + "\" did not close");
}

// Screenshots -----------------------------------------------------------------------------------------

bool SaveScreenshot(const std::string& bmpPath, HWND window) {
    RECT area{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (window && !GetWindowRect(window, &area)) return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up rows, as a BMP file stores them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);

    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC memoryDc = CreateCompatibleDC(screen);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bool copied = false;
    if (memoryDc && bitmap) {
        HGDIOBJ old = SelectObject(memoryDc, bitmap);
        copied = BitBlt(memoryDc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        SelectObject(memoryDc, old);
    }
    bool written = false;
    if (copied) {
        std::ofstream out(bmpPath, std::ios::binary | std::ios::trunc);
        const std::uint32_t headers = 14 + sizeof(BITMAPINFOHEADER);
        out.put('B');
        out.put('M');
        WriteLittleEndian(out, headers + pixelBytes, 4);
        WriteLittleEndian(out, 0, 4);
        WriteLittleEndian(out, headers, 4);
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
        out.write(static_cast<const char*>(pixels), pixelBytes);
        written = static_cast<bool>(out.flush());
    }
    if (bitmap) DeleteObject(bitmap);
    if (memoryDc) DeleteDC(memoryDc);
    ReleaseDC(nullptr, screen);
    return written;
}

}  // namespace wmb::e2e
