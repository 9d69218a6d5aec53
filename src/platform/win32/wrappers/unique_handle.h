#pragma once
// Owner of one handle of the system that `Close` gives back (a kernel object, a WinINet handle, a GDI
// object). Move-only; closed when the owner goes.

#include <utility>

namespace wmb {

template <class T, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }

    T Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

    void Reset(T h = nullptr) {
        if (h_) Close(h_);
        h_ = h;
    }

private:
    T h_ = nullptr;
};

}  // namespace wmb
