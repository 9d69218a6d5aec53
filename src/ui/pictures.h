#pragma once
// The program's bitmaps from its resources.

#include <windows.h>

#include "ui/gdi.h"

namespace wmb::ui {

// A picture as drawn.
Bitmap LoadPicture(HINSTANCE instance, int id);
// A button glyph: its magenta (255, 0, 255) pixels take the colour `background`.
Bitmap LoadGlyph(HINSTANCE instance, int id, COLORREF background);
// Shows a glyph on a button: beside its caption, or alone on a button with BS_BITMAP. The button
// does not own the bitmap.
void SetButtonGlyph(HWND button, HBITMAP glyph);

}  // namespace wmb::ui
