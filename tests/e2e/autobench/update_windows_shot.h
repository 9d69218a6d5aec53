#pragma once
// Pictures of the update windows with sample texts, shown in this process from the program's window
// classes: "offer" (the update offer), "wizard" (the download wizard halfway through the second of three
// files) and "wizard-done" (its last page).

#include <string>

// True when `page` names one of them.
bool IsUpdateWindowPage(const std::string& page);
// Shows the window, saves its picture as a BMP file at `out` and closes it; 0 on success.
int ScreenshotUpdateWindow(const std::string& out, const std::string& page);
