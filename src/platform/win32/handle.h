#pragma once
// Owner of a kernel object handle (process, thread, mutex, event, file). Closed when the owner goes.

#include <windows.h>

#include <utility>

namespace wmb {

class Handle {
public:
    Handle() = default;
    // Takes ownership; both NULL and INVALID_HANDLE_VALUE count as "no handle".
    explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~Handle() { Reset(); }

    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }

    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

    void Reset() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

}  // namespace wmb
