#include "platform/win32/wrappers/internet_online.h"

#include <windows.h>

namespace wmb {

std::optional<bool> InternetOnline() {
    using InetIsOfflineFunction = BOOL(WINAPI*)(DWORD);
    HMODULE library = GetModuleHandleA("URL.DLL");
    if (!library) library = LoadLibraryA("URL.DLL");
    if (!library) return std::nullopt;
    const auto inetIsOffline =
        reinterpret_cast<InetIsOfflineFunction>(reinterpret_cast<void*>(GetProcAddress(library, "InetIsOffline")));
    if (!inetIsOffline) return std::nullopt;
    return inetIsOffline(0) == 0;
}

}  // namespace wmb
