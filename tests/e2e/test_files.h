#pragma once
// File helpers shared by the end-to-end tests and the benchmark programs.

#include <string>
#include <vector>

namespace wmb::e2e {

// A whole file; "" when it is missing.
std::string ReadAll(const std::string& path);
// Creates or replaces a file; throws std::runtime_error when it cannot be written.
void WriteAll(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Names of the files (not folders) in a folder.
std::vector<std::string> FilesIn(const std::string& folder);
// Names of the HTML reports (result_STAMP_.htm) in a folder, without the data files beside them.
std::vector<std::string> ReportsIn(const std::string& folder);
// Lines of a text file without their line ends.
std::vector<std::string> LinesOf(const std::string& path);
// Copies the contents of `from` into `to` (created when missing); throws when the shell fails.
void CopyTree(const std::string& from, const std::string& to);
// Removes a folder with everything in it, when it exists.
void RemoveTree(const std::string& folder);
// The build folder (WMB_TEST_BIN) as a Windows path without a closing backslash; throws when it is not set.
std::string BuildFolder();

}  // namespace wmb::e2e
