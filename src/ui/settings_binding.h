#pragma once
// The one table that ties the pages' controls to the fields of BenchSettings, read both ways.

#include <windows.h>

#include <functional>

#include "settings/bench_settings.h"

namespace wmb::ui {

// Finds a control of the window by its id.
using ControlLookup = std::function<HWND(int id)>;

// A fresh copy of what the controls show.
BenchSettings ReadControls(const ControlLookup& control);
// Shows every field in its control (the resolution items' enabled state included).
void ShowSettings(const BenchSettings& settings, const ControlLookup& control);

}  // namespace wmb::ui
