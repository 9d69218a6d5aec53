#pragma once
// The abort panel: a white panel over the whole client area above the status bar, with the "Abort Test"
// picture button and its explanation. The three are children of the main window laid over the others.

#include <windows.h>

#include "ui/gdi.h"

namespace wmb::ui {

class AbortPanel {
public:
    // `height` is the client height the panel covers; `font` is the explanation's.
    void Create(HWND frame, int width, int height, HFONT font);
    void Show(bool shown) const;
    // Paints the picture button (WM_DRAWITEM of IDC_IMAGE2); false for other controls.
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND panel_ = nullptr;
    HWND button_ = nullptr;
    HWND text_ = nullptr;
    Bitmap picture_;
};

}  // namespace wmb::ui
