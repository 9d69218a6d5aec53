#pragma once
// A FindFirstFileA / FindNextFileA search over a pattern; FindClose when it goes.

#include <windows.h>

#include <string>

namespace wmb {

class FileSearch {
public:
    // Found() tells whether the pattern matched anything; Current() is then the first entry.
    explicit FileSearch(const std::string& pattern) : h_(FindFirstFileA(pattern.c_str(), &data_)) {}
    ~FileSearch() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool Found() const { return h_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Current() const { return data_; }
    bool Next() { return FindNextFileA(h_, &data_) != 0; }

private:
    WIN32_FIND_DATAA data_{};
    HANDLE h_;
};

}  // namespace wmb
