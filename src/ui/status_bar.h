#pragma once
// The status bar: one pane across the window's width with red text.

#include <windows.h>

#include <string>

namespace wmb::ui {

// Creates the bar as a child of `parent`; the text is kept by the control itself (WM_GETTEXT reads it).
HWND CreateRedStatusBar(HWND parent, int id, HFONT font);
void SetStatusText(HWND bar, const std::string& text);

}  // namespace wmb::ui
