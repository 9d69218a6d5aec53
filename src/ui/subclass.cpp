#include "ui/subclass.h"

#include <commctrl.h>

#include "platform/win32/wrappers/error_handler.h"

namespace wmb::ui {

Subclass::Subclass(HWND control, Handler handler) : control_(control), handler_(std::move(handler)) {
    SetWindowSubclass(control_, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

Subclass::~Subclass() {
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, Procedure, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK Subclass::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Subclass*>(data);
    LRESULT result = 0;
    const bool handled =
        Guarded(GetAncestor(hwnd, GA_ROOT), [&] { return self->handler_(msg, wp, lp, result); }, FALSE) != FALSE;
    return handled ? result : DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace wmb::ui
