#pragma once
// Controls described by tables in 96-DPI coordinates and created scaled to the system's DPI.

#include <windows.h>

#include <map>
#include <span>
#include <string>

namespace wmb::ui {

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
inline constexpr DWORD kGroup = kChild | BS_GROUPBOX;
inline constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
inline constexpr DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
inline constexpr DWORD kRadioFirst = kRadio | WS_GROUP;
inline constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
inline constexpr DWORD kLabel = kChild | SS_LEFT;
inline constexpr DWORD kEdit = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
inline constexpr DWORD kReadOnly = kEdit | ES_READONLY;
inline constexpr DWORD kList = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
inline constexpr DWORD kCombo = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
inline constexpr DWORD kPicture = kChild | SS_BITMAP;
inline constexpr DWORD kDisabled = WS_DISABLED;

struct ControlRow {
    const char* ClassName;
    const char* Text;
    int Id;
    int X, Y, W, H;  // at 96 DPI
    DWORD Style;
};

// The system's DPI and coordinates scaled to it.
int SystemDpi();
int Scaled(int coordinate);
RECT ScaledRect(int x, int y, int w, int h);
// A font `pixels` high at 96 DPI (scaled), of the ANSI character set; the caller owns it.
HFONT MakeFont(int pixels, int weight, const char* face = "MS Sans Serif", bool italic = false, BYTE family = FF_SWISS);
// The height of `text` in `font` wrapped at `width` pixels, as a word-wrapping static control shows it.
int WrappedTextHeight(HWND control, HFONT font, const std::string& text, int width);
// The outer size of a window with these styles whose client area is clientWidth × clientHeight at
// 96 DPI (scaled).
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// The controls a window made from its tables, by id. Kept so that a control is found without asking
// the system, which under Wine costs a round trip to the server for every GetDlgItem.
class ControlHandles {
public:
    // Keeps the first control of an id, the one GetDlgItem finds.
    void Add(int id, HWND control) { byId_.emplace(id, control); }
    // nullptr when no control has that id.
    HWND Find(int id) const;

private:
    std::map<int, HWND> byId_;
};

// Creates one control as a child of `parent` with `font`; returns its handle.
HWND CreateControl(HWND parent, const ControlRow& row, HFONT font);
// Creates the controls in table order and adds them to `handles`.
void CreateControls(HWND parent, std::span<const ControlRow> rows, HFONT font, ControlHandles& handles);

}  // namespace wmb::ui
