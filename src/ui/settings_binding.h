#pragma once
// The one table that ties the pages' controls to the fields of BenchSettings, read both ways.

#include <windows.h>

#include <functional>

#include "settings/bench_settings.h"
#include "ui/layout.h"

namespace wmb::ui {

// Finds a control of the window by its id; nullptr for a control that is not made (yet).
using ControlLookup = std::function<HWND(int id)>;
// Finds the layout row of a control by its id; nullptr for none.
using LayoutLookup = std::function<const ControlRow*(int id)>;

// A fresh copy of what the controls show; the fields of controls that are not made come from `unmade`.
BenchSettings ReadControls(const ControlLookup& control, const BenchSettings& unmade = {});
// Shows every field in its control (the resolution items' enabled state included), where the control exists.
void ShowSettings(const BenchSettings& settings, const ControlLookup& control);
// What freshly made controls of these layout rows show, before anything is put into them.
BenchSettings SettingsAsLaidOut(const LayoutLookup& row);

}  // namespace wmb::ui
