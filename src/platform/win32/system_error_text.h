#pragma once
// The system's own text for an error code (GetLastError and friends).

#include <windows.h>

#include <string>

namespace wmb {

// The message the system has for `code`, without the trailing line break; "Error <code>." when the
// system has no text for it.
std::string SystemErrorText(DWORD code);

}  // namespace wmb
