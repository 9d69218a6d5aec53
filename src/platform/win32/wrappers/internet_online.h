#pragma once
// Whether the machine is online, as the shell's URL.DLL tells it.

#include <optional>

namespace wmb {

// Loads "URL.DLL" (the library is kept loaded) and asks its InetIsOffline with flags 0: true when it
// answers 0. nullopt when the library or the export cannot be found, so the caller's flag stays as it was.
std::optional<bool> InternetOnline();

}  // namespace wmb
