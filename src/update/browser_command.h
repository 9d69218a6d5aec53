#pragma once
// The program part of a registered open command ("C:\Program Files\Web\web.exe" -nohome "%1"): the
// updater starts it with an address of its own.

#include <string>

namespace wmb {

// The quoted first word, or else the text up to and including the first ".exe" (case ignored), or else up
// to the first blank; empty for an empty command.
std::string CommandProgram(const std::string& command);

// The browser's command line for an address: the program quoted, then the address as one quoted argument.
// The address must hold no double quote (see RedirectAddress).
std::string BrowserCommandLine(const std::string& program, const std::string& address);

// The verb to use of a class's verbs: "open" when it has one, else the first whose name contains "open"
// (case ignored); empty when none does.
std::string OpenVerb(const std::string* verbs, std::size_t count);

}  // namespace wmb
