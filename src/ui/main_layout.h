#pragma once
// The controls of the main window's pages, as one layout table.

#include <windows.h>

namespace wmb::ui {

inline constexpr int kPageCount = 8;
inline constexpr const char* kPageTitles[kPageCount] = {"Path",       "Demos",   "Settings 1", "Settings 2",
                                                        "Settings 3", "General", "Screen",     "Specific"};
enum PageIndex { kPagePath, kPageDemos, kPageSettings1, kPageSettings2, kPageSettings3, kPageGeneral, kPageScreen,
                 kPageSpecific };

struct ControlSpec {
    int page;
    const char* className;
    const char* text;
    int id;
    int x, y, w, h;
    DWORD style;
    DWORD exStyle;
};

// Creates the controls of one page as children of `page`, with `font`, and fills the list controls.
void CreatePageControls(HWND page, int pageIndex, HFONT font, HFONT boldFont);

}  // namespace wmb::ui
