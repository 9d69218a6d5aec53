#include "ui/pictures.h"

#include <vector>

namespace wmb::ui {

Bitmap LoadPicture(HINSTANCE instance, int id) {
    return Bitmap(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
}

Bitmap LoadGlyph(HINSTANCE instance, int id, COLORREF background) {
    Bitmap glyph(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!glyph || GetObjectA(glyph.Get(), sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24) return glyph;
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes;
        for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
            if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) {  // stored blue, green, red
                pixel[0] = GetBValue(background);
                pixel[1] = GetGValue(background);
                pixel[2] = GetRValue(background);
            }
        }
    }
    return glyph;
}

void SetButtonGlyph(HWND button, HBITMAP glyph) {
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph));
}

}  // namespace wmb::ui
