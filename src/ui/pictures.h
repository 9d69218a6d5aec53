#pragma once
// The program's bitmaps from its resources.

#include <windows.h>
#include <commctrl.h>

#include "ui/gdi.h"

namespace wmb::ui {

// A picture as drawn.
Bitmap LoadPicture(HINSTANCE instance, int id);

// A button glyph as an image list with one image per button state: the glyph as drawn, and a paler
// grey one for the disabled button. Magenta (255, 0, 255) is transparent.
class GlyphList {
public:
    GlyphList() = default;
    GlyphList(HINSTANCE instance, int id);
    ~GlyphList();
    GlyphList(GlyphList&& other) noexcept;
    GlyphList& operator=(GlyphList&& other) noexcept;
    GlyphList(const GlyphList&) = delete;
    GlyphList& operator=(const GlyphList&) = delete;

    // Shows the glyph on `button`: left of its caption, or alone (centred, no caption drawn).
    void ShowOn(HWND button, bool alone) const;

private:
    HIMAGELIST list_ = nullptr;
};

}  // namespace wmb::ui
