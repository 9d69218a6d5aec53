#include "ui/pictures.h"

#include <utility>

namespace wmb::ui {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);

Bitmap LoadDib(HINSTANCE instance, int id) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// Turns every pixel but the transparent ones into a pale grey of its brightness.
void MakeDisabled(HBITMAP bitmap) {
    DIBSECTION dib{};
    if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24) return;
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes;
        for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
            if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) continue;  // stored blue, green, red
            const int brightness = (pixel[0] + pixel[1] + pixel[2]) / 3;
            const BYTE grey = static_cast<BYTE>(150 + brightness * 90 / 255);
            pixel[0] = pixel[1] = pixel[2] = grey;
        }
    }
}

}  // namespace

Bitmap LoadPicture(HINSTANCE instance, int id) {
    return Bitmap(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
}

GlyphList::GlyphList(HINSTANCE instance, int id) {
    Bitmap normal = LoadDib(instance, id);
    Bitmap disabled = LoadDib(instance, id);
    BITMAP bm{};
    if (!normal || !disabled || !GetObjectA(normal.Get(), sizeof bm, &bm)) return;
    MakeDisabled(disabled.Get());
    list_ = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 6, 0);
    // One image per button state: normal, hot, pressed, disabled, default, stylus hot.
    for (HBITMAP state : {normal.Get(), normal.Get(), normal.Get(), disabled.Get(), normal.Get(), normal.Get()}) {
        ImageList_AddMasked(list_, state, kTransparent);
    }
}

GlyphList::~GlyphList() {
    if (list_) ImageList_Destroy(list_);
}

GlyphList::GlyphList(GlyphList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}

GlyphList& GlyphList::operator=(GlyphList&& other) noexcept {
    if (this != &other) {
        if (list_) ImageList_Destroy(list_);
        list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
}

void GlyphList::ShowOn(HWND button, bool alone) const {
    BUTTON_IMAGELIST images{};
    images.himl = list_;
    images.margin = RECT{alone ? 0 : 4, 0, 0, 0};
    images.uAlign = alone ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
}

}  // namespace wmb::ui
