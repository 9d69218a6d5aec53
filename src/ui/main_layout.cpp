#include "ui/main_layout.h"

#include <commctrl.h>

#include "settings/bench_settings.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kRadioFirst = kRadio | WS_GROUP;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kEdit = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kReadOnly = kEdit | ES_READONLY;
constexpr DWORD kList = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCombo = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
constexpr DWORD kDisabled = WS_DISABLED;

// Demo items flow down the columns, four to a column.
#define DEMO_ITEM(i, text) \
    {kPageDemos, "BUTTON", text, IDC_DEMO0 + (i), 16 + ((i) / 4) * 164, 24 + ((i) % 4) * 22, 160, 20, \
     (i) == 0 ? kRadioFirst : kRadio, 0}

const ControlSpec kControls[] = {
    // Path
    {kPagePath, "BUTTON", " Wildmere path ", 0, 8, 8, 498, 92, kGroup, 0},
    {kPagePath, "EDIT", "", IDC_WMPATHEDIT, 20, 34, 400, 22, kReadOnly, 0},
    {kPagePath, "BUTTON", "...", IDC_FINDMAN, 428, 33, 66, 24, kButton, 0},
    {kPagePath, "STATIC", "", IDC_VERSIONLABEL, 20, 68, 470, 18, kLabel, 0},
    {kPagePath, "STATIC", "Important! The 1.4 patch is the minimum requirement of the benchmark!", 0, 12, 116, 490, 18,
     kLabel, 0},

    // Demos
    {kPageDemos, "BUTTON", " Choose demo ", 0, 8, 4, 498, 118, kGroup, 0},
    DEMO_ITEM(0, "Pixelgrund Demo"),
    DEMO_ITEM(1, "Kestrane- Steam"),
    DEMO_ITEM(2, "Norbury - Regulator"),
    DEMO_ITEM(3, "Kestrane - Volcano"),
    DEMO_ITEM(4, "Polyfax - Research"),
    DEMO_ITEM(5, "Arvenel - Regulator"),
    DEMO_ITEM(6, "Arvenel - Research"),
    DEMO_ITEM(7, "Arvenel - Training"),
    DEMO_ITEM(8, "Arvenel - Volcano"),
    DEMO_ITEM(9, "Kestrane - Archive"),
    DEMO_ITEM(10, "Kestrane - River"),
    DEMO_ITEM(11, "User defined demo"),
    {kPageDemos, "BUTTON", " Map name ", 0, 8, 128, 200, 58, kGroup, 0},
    {kPageDemos, "COMBOBOX", "", IDC_MAPNAMEBOX, 18, 150, 180, 200, kCombo | kDisabled | WS_GROUP, 0},
    {kPageDemos, "BUTTON", " Demo name ", 0, 216, 128, 290, 58, kGroup, 0},
    {kPageDemos, "COMBOBOX", "", IDC_DEMONAMEBOX, 226, 150, 170, 200, kCombo | kDisabled, 0},
    {kPageDemos, "BUTTON", "Import demo", IDC_TOOLBUTTON3, 404, 149, 92, 24, kButton | kDisabled, 0},

    // Settings 1
    {kPageSettings1, "BUTTON", " Resolution ", 0, 8, 4, 498, 84, kGroup, 0},
    {kPageSettings1, "BUTTON", "640 \xD7 480", IDC_RES0 + 0, 16, 24, 80, 20, kCheck | WS_GROUP, 0},
    {kPageSettings1, "BUTTON", "800 \xD7 600", IDC_RES0 + 1, 96, 24, 80, 20, kCheck, 0},
    {kPageSettings1, "BUTTON", "1024 \xD7 768", IDC_RES0 + 2, 176, 24, 82, 20, kCheck, 0},
    {kPageSettings1, "BUTTON", "1280 \xD7 1024", IDC_RES0 + 3, 258, 24, 82, 20, kCheck, 0},
    {kPageSettings1, "BUTTON", "1600 \xD7 1200", IDC_RES0 + 4, 340, 24, 82, 20, kCheck, 0},
    {kPageSettings1, "BUTTON", "2048 \xD7 1536", IDC_RES0 + 5, 422, 24, 82, 20, kCheck, 0},
    {kPageSettings1, "BUTTON", "Custom resolution:", IDC_CUSRESBOX, 16, 56, 116, 20, kCheck, 0},
    {kPageSettings1, "EDIT", "", IDC_CUSWIDTH, 136, 55, 52, 22, kReadOnly | kDisabled, 0},
    {kPageSettings1, "STATIC", "\xD7", 0, 193, 58, 10, 18, kLabel, 0},
    {kPageSettings1, "EDIT", "", IDC_CUSHEIGHT, 206, 55, 52, 22, kReadOnly | kDisabled, 0},
    {kPageSettings1, "BUTTON", "Possibilities", IDC_CUSPOSSIBILITIES, 266, 54, 88, 24, kButton | kDisabled, 0},
    {kPageSettings1, "BUTTON", " Detail level ", 0, 8, 94, 498, 86, kGroup, 0},
    {kPageSettings1, "BUTTON", "Ultra details", IDC_DETAIL0 + 0, 16, 114, 120, 20, kRadioFirst, 0},
    {kPageSettings1, "BUTTON", "Maximum details", IDC_DETAIL0 + 1, 138, 114, 120, 20, kRadio, 0},
    {kPageSettings1, "BUTTON", "Minimum details", IDC_DETAIL0 + 2, 260, 114, 120, 20, kRadio, 0},
    {kPageSettings1, "BUTTON", "Custom config file:", IDC_DETAIL0 + 3, 382, 114, 120, 20, kRadio, 0},
    {kPageSettings1, "EDIT", "", IDC_DETAILEDIT, 16, 144, 404, 22, kEdit | kDisabled | WS_GROUP, 0},
    {kPageSettings1, "BUTTON", "...", IDC_DETAILBUTTON, 428, 143, 66, 24, kButton | kDisabled, 0},

    // Settings 2
    {kPageSettings2, "BUTTON", " Choose Pixel Shader model ", 0, 8, 4, 498, 52, kGroup, 0},
    {kPageSettings2, "BUTTON", "Default model", IDC_PSHADER0 + 0, 16, 26, 160, 20, kRadioFirst, 0},
    {kPageSettings2, "BUTTON", "Shader model 2.0b", IDC_PSHADER0 + 1, 182, 26, 160, 20, kRadio, 0},
    {kPageSettings2, "BUTTON", "Shader model 3.0", IDC_PSHADER0 + 2, 348, 26, 150, 20, kRadio, 0},
    {kPageSettings2, "BUTTON", " Filters ", 0, 8, 64, 498, 84, kGroup, 0},
    {kPageSettings2, "STATIC", "Anisotropic Filtering", 0, 20, 86, 160, 18, kLabel, 0},
    {kPageSettings2, "COMBOBOX", "", IDC_AFBOX, 20, 106, 150, 200, kList | WS_GROUP, 0},
    {kPageSettings2, "STATIC", "Antialiasing", 0, 200, 86, 160, 18, kLabel, 0},
    {kPageSettings2, "COMBOBOX", "", IDC_AABOX, 200, 106, 150, 200, kList, 0},

    // Settings 3
    {kPageSettings3, "BUTTON", " Renderer ", 0, 8, 4, 160, 60, kGroup, 0},
    {kPageSettings3, "COMBOBOX", "", IDC_RENDERERBOX, 20, 28, 136, 200, kList, 0},
    {kPageSettings3, "BUTTON", " Number of times to run the demo ", 0, 178, 4, 220, 60, kGroup, 0},
    {kPageSettings3, "COMBOBOX", "", IDC_RUNNUMBERBOX, 190, 28, 100, 200, kCombo, 0},
    {kPageSettings3, "BUTTON", " Wildmere language ", 0, 8, 72, 160, 60, kGroup, 0},
    {kPageSettings3, "COMBOBOX", "", IDC_LANGBOX, 20, 96, 136, 220, kList, 0},

    // General
    {kPageGeneral, "STATIC", "Results folder", 0, 12, 10, 200, 18, kLabel, 0},
    {kPageGeneral, "EDIT", "", IDC_RESEDIT, 12, 30, 330, 22, kReadOnly, 0},
    {kPageGeneral, "BUTTON", "Open", IDC_OPENRESFOLDER, 348, 29, 50, 24, kButton, 0},
    {kPageGeneral, "BUTTON", "Default", IDC_TOOLBUTTON8, 402, 29, 56, 24, kButton, 0},
    {kPageGeneral, "BUTTON", "...", IDC_TOOLBUTTON2, 462, 29, 40, 24, kButton, 0},
    {kPageGeneral, "STATIC", "Benchmark notes (60 chars at most!)", 0, 12, 64, 300, 18, kLabel, 0},
    {kPageGeneral, "EDIT", "", IDC_NOTEEDIT, 12, 84, 490, 22, kEdit, 0},
    {kPageGeneral, "STATIC", " Decimal separator:", 0, 12, 122, 110, 18, kLabel, 0},
    {kPageGeneral, "COMBOBOX", "", IDC_DECBOX, 124, 118, 44, 120, kCombo, 0},
    {kPageGeneral, "STATIC", "", IDC_LABEL8, 174, 122, 100, 18, kLabel, 0},
    {kPageGeneral, "STATIC", "Wait between tests:", 0, 12, 156, 110, 18, kLabel, 0},
    {kPageGeneral, "EDIT", "3", IDC_WAITS, 124, 152, 44, 22, kEdit | ES_NUMBER, 0},
    {kPageGeneral, "STATIC", "seconds.", IDC_LABEL10, 190, 156, 100, 18, kLabel, 0},

    // Screen
    {kPageScreen, "BUTTON", "Enable screenshot mode (no results, additional information etc.)", IDC_ENABLESCSHOT, 12,
     10, 480, 20, kCheck, 0},
    {kPageScreen, "STATIC", "", 0, 12, 36, 490, 2, kChild | SS_ETCHEDHORZ, 0},
    {kPageScreen, "BUTTON", "Add display information", IDC_ADDINFO, 12, 46, 300, 20, kCheck | kDisabled, 0},
    {kPageScreen, "STATIC", "Frame: ", 0, 12, 80, 44, 18, kLabel, 0},
    {kPageScreen, "EDIT", "1", IDC_FRAMEEDIT, 58, 76, 70, 22, kEdit | ES_NUMBER | kDisabled, 0},
    {kPageScreen, "STATIC", "", IDC_LABEL3, 136, 80, 160, 18, kLabel, 0},
    {kPageScreen, "BUTTON", "New range", IDC_BUTTON1, 300, 75, 90, 24, kButton | kDisabled, 0},
    {kPageScreen, "STATIC", "Select output folder", 0, 12, 112, 200, 18, kLabel, 0},
    {kPageScreen, "EDIT", "", IDC_SCRSAVEFOLD, 12, 132, 380, 22, kReadOnly | kDisabled, 0},
    {kPageScreen, "BUTTON", "...", IDC_TOOLBUTTON9, 398, 131, 40, 24, kButton | kDisabled, 0},
    {kPageScreen, "BUTTON", "Default", IDC_TOOLBUTTON10, 442, 131, 60, 24, kButton | kDisabled, 0},

    // Specific
    {kPageSpecific, "BUTTON", "Enable HDR rendering", IDC_HDRBOX, 12, 10, 300, 20, kCheck, 0},
    {kPageSpecific, "STATIC", "HDR Level:", 0, 32, 40, 64, 18, kLabel, 0},
    {kPageSpecific, "EDIT", "1", IDC_HDRLEVELBOX, 98, 36, 44, 22, kEdit | ES_NUMBER | kDisabled, 0},
    {kPageSpecific, "BUTTON", "Run the demo twice, take screenshot the second time.", IDC_SECTIME, 12, 70, 340, 20,
     kCheck | kDisabled, 0},
    {kPageSpecific, "BUTTON", "Enable Geometry Instancing", IDC_GIBOX, 12, 100, 300, 20, kCheck, 0},
    {kPageSpecific, "BUTTON", "Enable normal-maps compression", IDC_COMPRESSBOX, 12, 130, 300, 20, kCheck, 0},
    {kPageSpecific, "STATIC", "", 0, 372, 10, 2, 150, kChild | SS_ETCHEDVERT, 0},
};

template <std::size_t N>
void FillCombo(HWND page, int id, const std::array<const char*, N>& items) {
    HWND combo = GetDlgItem(page, id);
    for (const char* item : items) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void AddSpin(HWND page, int buddyId, int spinId, int low, int high, int start) {
    HWND buddy = GetDlgItem(page, buddyId);
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                                          UDS_ARROWKEYS | (IsWindowEnabled(buddy) ? 0 : WS_DISABLED),
                                0, 0, 0, 0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spinId)), nullptr, nullptr);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(spin, UDM_SETRANGE32, low, high);
    SendMessageA(spin, UDM_SETPOS32, 0, start);
}

}  // namespace

void CreatePageControls(HWND page, int pageIndex, HFONT font, HFONT boldFont) {
    for (const ControlSpec& c : kControls) {
        if (c.page != pageIndex) continue;
        HWND h = CreateWindowExA(c.exStyle, c.className, c.text, c.style, c.x, c.y, c.w, c.h, page,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(c.id == IDC_DECBOX ? boldFont : font), FALSE);
    }
    switch (pageIndex) {
    case kPageSettings2:
        FillCombo(page, IDC_AFBOX, kAnisotropyItems);
        FillCombo(page, IDC_AABOX, kAntialiasItems);
        break;
    case kPageSettings3:
        FillCombo(page, IDC_RENDERERBOX, kRendererItems);
        FillCombo(page, IDC_RUNNUMBERBOX, kRunCountItems);
        FillCombo(page, IDC_LANGBOX, kLanguageItems);
        break;
    case kPageGeneral:
        FillCombo(page, IDC_DECBOX, std::array<const char*, 2>{".", ","});
        AddSpin(page, IDC_WAITS, IDC_WAITSSPIN, 1, 10, 3);
        break;
    case kPageSpecific:
        AddSpin(page, IDC_HDRLEVELBOX, IDC_HDRLEVELSPIN, 1, 11, 1);
        break;
    default:
        break;
    }
}

}  // namespace wmb::ui
