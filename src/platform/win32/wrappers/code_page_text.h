#pragma once
// Text between the system's 8-bit code page and UTF-8, and paths made full as the system makes them.

#include <string>

namespace wmb {

std::string AnsiToUtf8(const std::string& text);
std::string Utf8ToAnsi(const std::string& text);
// The path as the system makes it full (the current folder, "." and ".." resolved); the path itself when
// the system cannot.
std::string FullPath(const std::string& path);

}  // namespace wmb
