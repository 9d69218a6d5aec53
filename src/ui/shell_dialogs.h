#pragma once
// The open-file dialog and the folder dialog of the main window.

#include <windows.h>

#include <string>
#include <vector>

namespace wmb::ui {

// `filter` holds description and pattern pairs separated by '\0'; `title` nullptr gives the system's
// own caption. False when the user cancelled.
bool ChooseFile(HWND owner, const char* filter, std::string& path, const char* title = nullptr);
// The open-file dialog taking several files; false when the user cancelled. The paths are full.
bool ChooseFiles(HWND owner, const char* filter, std::vector<std::string>& paths, const char* title);
// The save-file dialog, starting with the file name in `path`; false when the user cancelled.
bool ChooseSaveFile(HWND owner, const char* filter, const char* defaultExtension, std::string& path);
// The folder dialog: the shell's folder picker with its "New folder" button, the shell's context menus
// on the folders (which delete and rename them) and hidden folders shown; it opens at `start` when that
// folder exists. False when the user cancelled.
bool ChooseFolder(HWND owner, const std::string& start, std::string& path);

}  // namespace wmb::ui
