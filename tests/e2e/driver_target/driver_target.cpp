// A small window for the window driver's self-test. Every notification it receives from its controls is
// appended as one line to the event log box (id 200), so a test in another process can read back exactly
// what the program saw. The argument "exit=N" sets the exit code used when the window is closed.

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {

enum : int {
    kPress = 101,
    kCheck = 102,
    kCombo = 103,
    kEdit = 104,
    kTabs = 105,
    kShowBox = 106,
    kList = 107,
    kDisabled = 108,
    kEditableCombo = 109,
    kLockTab = 110,
    kMultiline = 111,
    kOther = 112,
    kOptionsGroup = 120,
    kOptionsLow = 121,
    kOptionsHigh = 122,
    kLevelsGroup = 123,
    kLevelsLow = 124,
    kLevelsHigh = 125,
    kNestedGroup = 126,
    kNestedInner = 127,
    kFolder = 130,
    kDigits = 131,
    kReadOnly = 132,
    kPageTwoButton = 140,
    kStatus = 150,
    kLog = 200,
};

HINSTANCE instance;
HWND mainWindow;
int exitCode = 0;

HWND Control(const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id,
             HWND parent = nullptr) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           parent ? parent : mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Log(const std::string& line) {
    HWND log = GetDlgItem(mainWindow, kLog);
    const int end = GetWindowTextLengthA(log);
    SendMessageA(log, EM_SETSEL, end, end);
    SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>((line + "\r\n").c_str()));
    SendMessageA(GetDlgItem(mainWindow, kStatus), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::string ComboSelection(HWND combo) {
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ListSelection(HWND list) {
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    char text[256] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void AddItems(HWND control, UINT message, std::initializer_list<const char*> items) {
    for (const char* item : items) SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(item));
}

void AddTab(HWND tabs, int index, const char* text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(text);
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void CreateControls(const std::string& arguments) {
    Control("BUTTON", "Press me", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 100, 24, kPress);
    Control("BUTTON", "&Check me", BS_AUTOCHECKBOX | WS_TABSTOP, 120, 10, 100, 24, kCheck);
    HWND combo = Control("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 230, 10, 120, 120, kCombo);
    AddItems(combo, CB_ADDSTRING, {"Alpha", "Beta", "beta", "Gamma"});
    Control("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 360, 10, 120, 24, kEdit);
    Control("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 490, 10, 120, 24, kOther);

    Control("BUTTON", "Show box", BS_PUSHBUTTON | WS_TABSTOP, 10, 44, 100, 24, kShowBox);
    HWND disabled = Control("BUTTON", "Disabled", BS_PUSHBUTTON, 120, 44, 100, 24, kDisabled);
    EnableWindow(disabled, FALSE);
    HWND editable = Control("COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 230, 44, 120, 120,
                            kEditableCombo);
    AddItems(editable, CB_ADDSTRING, {"1", "2", "3"});
    HWND digits = Control("EDIT", "", WS_BORDER | ES_NUMBER | WS_TABSTOP, 360, 44, 120, 24, kDigits);
    SendMessageA(digits, EM_LIMITTEXT, 5, 0);
    Control("EDIT", "fixed", WS_BORDER | ES_READONLY, 490, 44, 120, 24, kReadOnly);

    HWND list = Control("LISTBOX", "", WS_BORDER | LBS_NOTIFY | WS_TABSTOP, 10, 78, 100, 70, kList);
    AddItems(list, LB_ADDSTRING, {"Red", "Green", "Blue"});
    Control("EDIT", "", WS_BORDER | ES_MULTILINE | WS_TABSTOP, 120, 78, 200, 70, kMultiline);
    Control("BUTTON", "Lock page", BS_AUTOCHECKBOX | WS_TABSTOP, 330, 78, 120, 24, kLockTab);
    Control("STATIC", [] {
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, folder);
        return std::string(folder);
    }().c_str(), 0, 330, 110, 300, 20, kFolder);

    // Two groups with the same radio captions; their buttons are siblings placed on the group boxes.
    Control("BUTTON", " Options ", BS_GROUPBOX, 10, 160, 200, 80, kOptionsGroup);
    Control("BUTTON", "Low", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 20, 180, 80, 20, kOptionsLow);
    Control("BUTTON", "High", BS_AUTORADIOBUTTON, 20, 205, 80, 20, kOptionsHigh);
    Control("BUTTON", " &Levels ", BS_GROUPBOX, 220, 160, 200, 80, kLevelsGroup);
    Control("BUTTON", "Low", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 230, 180, 80, 20, kLevelsLow);
    Control("BUTTON", "High", BS_AUTORADIOBUTTON, 230, 205, 80, 20, kLevelsHigh);
    // A group whose check box is its child window.
    HWND nested = Control("BUTTON", " Nested ", BS_GROUPBOX, 430, 160, 180, 80, kNestedGroup);
    Control("BUTTON", "Inner", BS_AUTOCHECKBOX, 10, 25, 100, 20, kNestedInner, nested);

    HWND tabs = Control(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, 10, 250, 400, 90, kTabs);
    AddTab(tabs, 0, "One");
    AddTab(tabs, 1, "Two");
    AddTab(tabs, 2, "Three");
    HWND pageTwo = Control("BUTTON", "On page two", BS_PUSHBUTTON, 30, 290, 120, 24, kPageTwoButton);
    ShowWindow(pageTwo, SW_HIDE);

    Control("EDIT", "", WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 420, 250, 260, 200,
            kLog);

    HWND status = Control(STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0, kStatus);
    int parts[] = {300, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(("Arguments: " + arguments).c_str()));
}

void OnCommand(int id, int code, HWND control) {
    if (id == kLog || !control) return;
    const std::string ident = std::to_string(id);
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") == 0 && code == BN_CLICKED) {
        Log("click " + ident);
        if (id == kShowBox) {
            const int answer = MessageBoxA(mainWindow, "Do you want more?", "Question", MB_YESNO);
            Log("answer " + std::to_string(answer));
        }
    } else if (lstrcmpiA(cls, "ComboBox") == 0) {
        if (code == CBN_SELCHANGE) Log("selchange " + ident + " " + ComboSelection(control));
        if (code == CBN_EDITCHANGE) Log("editchange " + ident + " " + TextOf(control));
    } else if (lstrcmpiA(cls, "ListBox") == 0) {
        if (code == LBN_SELCHANGE) Log("listchange " + ident + " " + ListSelection(control));
    } else if (lstrcmpiA(cls, "Edit") == 0) {
        if (code == EN_CHANGE) Log("change " + ident + " " + TextOf(control));
        if (code == EN_KILLFOCUS) Log("killfocus " + ident);
        if (code == EN_SETFOCUS) Log("setfocus " + ident);
        // Handlers that stop for the user, as input checks do.
        if ((id == kOther && code == EN_CHANGE && TextOf(control) == "box") ||
            (id == kDigits && code == EN_KILLFOCUS && TextOf(control) == "0"))
            Log("answer " + std::to_string(MessageBoxA(mainWindow, "Not allowed", "Check", MB_OK)));
    }
}

LRESULT OnNotify(const NMHDR& header) {
    if (header.idFrom != kTabs) return 0;
    HWND tabs = GetDlgItem(mainWindow, kTabs);
    const auto current = std::to_string(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    if (header.code == TCN_SELCHANGING) {
        Log("tabchanging " + current);
        return IsDlgButtonChecked(mainWindow, kLockTab) == BST_CHECKED;
    }
    if (header.code == TCN_SELCHANGE) {
        Log("tabchange " + current);
        ShowWindow(GetDlgItem(mainWindow, kPageTwoButton), current == "1" ? SW_SHOW : SW_HIDE);
    }
    return 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_SIZE:
            SendMessageA(GetDlgItem(window, kStatus), WM_SIZE, 0, 0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(exitCode);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int show) {
    instance = hInstance;
    const std::string arguments = commandLine;
    if (const auto at = arguments.find("exit="); at != std::string::npos)
        exitCode = std::atoi(arguments.c_str() + at + 5);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "DriverTargetWindow";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "DriverTargetWindow", "Driver target", WS_OVERLAPPEDWINDOW, 20, 20, 700, 520,
                                 nullptr, nullptr, hInstance, nullptr);
    CreateControls(arguments);
    ShowWindow(mainWindow, show);
    UpdateWindow(mainWindow);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(mainWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
