#include "ui/layout.h"

#include "ui/gdi.h"

namespace wmb::ui {

int SystemDpi() {
    static const int dpi = [] {
        const WindowDc screen(nullptr);
        const int value = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Scaled(int coordinate) { return MulDiv(coordinate, SystemDpi(), 96); }

RECT ScaledRect(int x, int y, int w, int h) { return RECT{Scaled(x), Scaled(y), Scaled(x + w), Scaled(y + h)}; }

HFONT MakeFont(int pixels, int weight, const char* face, bool italic, BYTE family) {
    return CreateFontA(-Scaled(pixels), 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | family, face);
}

int WrappedTextHeight(HWND control, HFONT font, const std::string& text, int width) {
    RECT bounds{0, 0, width, 0};
    const WindowDc dc(control);
    if (dc.Get()) {
        const SelectedObject selected(dc.Get(), font);
        DrawTextA(dc.Get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    return bounds.bottom - bounds.top;
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT outer = ScaledRect(0, 0, clientWidth, clientHeight);
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

HWND CreateControl(HWND parent, const ControlRow& row, HFONT font) {
    const RECT r = ScaledRect(row.X, row.Y, row.W, row.H);
    HWND control = CreateWindowExA(0, row.ClassName, row.Text, row.Style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HWND ControlHandles::Find(int id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

void CreateControls(HWND parent, std::span<const ControlRow> rows, HFONT font, ControlHandles& handles) {
    for (const ControlRow& row : rows) handles.Add(row.Id, CreateControl(parent, row, font));
}

}  // namespace wmb::ui
