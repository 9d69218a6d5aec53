#pragma once
// The system's own text for an error code (GetLastError and friends).

#include <windows.h>

#include <string>

namespace wmb {

// The message the system has for `code`, without the trailing line break; "Error <code>." when the
// system has no text for it. `file` is the file the failed call was about: it takes the place of the
// message's "%1". The message's other inserts, and "%1" when no file is given, are dropped together with
// a blank beside them.
std::string SystemErrorText(DWORD code, const std::string& file = "");

}  // namespace wmb
