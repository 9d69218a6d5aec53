#include "e2e/test_files.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace wmb::e2e {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

std::vector<std::string> ReportsIn(const std::string& folder) {
    std::vector<std::string> reports;
    for (const std::string& name : FilesIn(folder)) {
        const bool report = name.rfind("result_", 0) == 0 && name.size() > 12 &&
                            name.compare(name.size() - 5, 5, "_.htm") == 0;
        if (report) reports.push_back(name);
    }
    return reports;
}

std::vector<std::string> LinesOf(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadAll(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void CopyTree(const std::string& from, const std::string& to) {
    std::string src = from + "\\*";
    src.push_back('\0');
    std::string dst = to;
    dst.push_back('\0');
    CreateDirectoryA(to.c_str(), nullptr);
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_COPY;
    op.pFrom = src.c_str();
    op.pTo = dst.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
    if (SHFileOperationA(&op) != 0) throw std::runtime_error("copy failed: " + from + " -> " + to);
}

void RemoveTree(const std::string& folder) {
    if (!Exists(folder)) return;
    std::string src = folder;
    src.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = src.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

std::string BuildFolder() {
    // The ctest environment gives the build folder's Unix path.
    const char* unixPath = std::getenv("WMB_TEST_BIN");
    if (!unixPath) throw std::runtime_error("WMB_TEST_BIN is not set");
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace wmb::e2e
