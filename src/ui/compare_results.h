#pragma once
// "Compare results...": the user picks two or more results files and their comparison page is written
// beside the first and opened.

#include <windows.h>

#include <functional>
#include <string>

namespace wmb::ui {

// `tell` shows a message, `open` opens the page written.
void CompareChosenResults(HWND owner, const std::function<void(const std::string&)>& tell,
                          const std::function<void(const std::string&)>& open);

}  // namespace wmb::ui
