#pragma once
// A window subclass owned by an object: messages of the control go to `handler` first, and the
// subclass is removed when the owner goes.

#include <windows.h>

#include <functional>

namespace wmb::ui {

class Subclass {
public:
    // Returns true when it handled the message, with `result` the answer; false passes it on.
    using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    Subclass() = default;
    Subclass(HWND control, Handler handler);
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    HWND control_ = nullptr;
    Handler handler_;
};

}  // namespace wmb::ui
