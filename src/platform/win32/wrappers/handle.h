#pragma once
// Owner of a kernel object handle (process, thread, mutex, event, file). Closed when the owner goes.

#include <windows.h>

#include "platform/win32/wrappers/unique_handle.h"

namespace wmb {

class Handle : public UniqueHandle<HANDLE, &CloseHandle> {
public:
    Handle() = default;
    // Takes ownership; both NULL and INVALID_HANDLE_VALUE count as "no handle".
    explicit Handle(HANDLE h) : UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

}  // namespace wmb
