#pragma once
// The "FileVersion" text of a file's version resource.

#include <string>

namespace wmb {

// "FileVersion" from the string table that the first "\VarFileInfo\Translation" entry names, as
// stored (for example "1, 4, 0, 1405"); "" when the file is missing or has no such resource or value.
std::string ReadFileVersionString(const std::string& path);

// The FileVersion of this program's own file, read at the first call.
const std::string& ProgramVersion();

}  // namespace wmb
