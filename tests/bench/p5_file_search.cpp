// P5: the file search against hand-written Win32 loops doing the same work.
//
// Lays out, once, a tree of 20,000 timedemo files (".tmd", empty) in 400 folders (20 folders of 19
// subfolders each, 50 files in every folder) and 64 text files of 1 MiB (words of lower-case letters,
// no "timedemo" in them). Then, alternating over seven rounds:
//   - a synchronous TFileFinder with "*.tmd" over the tree against a bare FindFirstFileA/FindNextFileA
//     walk that lists "*.tmd" and then "*.*" for the subfolders in every folder, as the finder does;
//   - the finder's content test ("timedemo", whole word, letter case ignored) over the 64 text files
//     against a bare loop that reads 61440-byte blocks with ReadFile and looks for the phrase with
//     memchr and memcmp, keeping the phrase's length less one byte across block edges.
// Prints the median of the rounds' files per second and MB per second of each side, with the smallest and
// the largest, and the ratio of the two medians; details go to stderr.
//
// Usage: p5_file_search WORK_FOLDER (a Windows path; the files are made under it)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "platform/win32/search_file_system.h"
#include "platform/win32/wrappers/handle.h"

namespace {

constexpr int kTopFolders = 20;
constexpr int kSubfolders = 19;
constexpr int kFilesPerFolder = 50;
constexpr int kTextFiles = 64;
constexpr std::size_t kTextFileSize = 1 << 20;
constexpr int kRounds = 7;
constexpr char kPhrase[] = "timedemo";

using Clock = std::chrono::steady_clock;

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
    return folder;
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot make " + path);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    const wmb::Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) ||
                                     written != bytes.size())))
        throw std::runtime_error("cannot write " + path);
}

void MakeFolderWithFiles(const std::string& folder) {
    MakeFolder(folder);
    for (int i = 0; i < kFilesPerFolder; ++i) WriteFileBytes(folder + "demo" + std::to_string(i) + ".tmd", "");
}

// The tree of timedemos, made unless a finished one is there; returns its folder.
std::string MakeTree(const std::string& work) {
    const std::string tree = work + "tree\\";
    const std::string done = work + "tree.done";
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return tree;
    MakeFolder(tree);
    for (int t = 0; t < kTopFolders; ++t) {
        const std::string top = tree + "level" + std::to_string(t) + "\\";
        MakeFolderWithFiles(top);
        for (int s = 0; s < kSubfolders; ++s) MakeFolderWithFiles(top + "part" + std::to_string(s) + "\\");
    }
    WriteFileBytes(done, "");
    return tree;
}

// 1 MiB of words of lower-case letters between blanks and line ends.
std::string TextBlock(unsigned seed) {
    std::string text;
    text.reserve(kTextFileSize);
    unsigned state = seed * 2654435761u + 1;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    while (text.size() < kTextFileSize) {
        const unsigned length = 2 + next() % 9;
        for (unsigned i = 0; i < length; ++i) text.push_back(static_cast<char>('a' + next() % 26));
        text.push_back(next() % 12 == 0 ? '\n' : ' ');
    }
    text.resize(kTextFileSize);
    return text;
}

std::vector<std::string> MakeTexts(const std::string& work) {
    const std::string folder = work + "texts\\";
    const std::string done = work + "texts.done";
    std::vector<std::string> files;
    for (int i = 0; i < kTextFiles; ++i) files.push_back(folder + "text" + std::to_string(i) + ".txt");
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return files;
    MakeFolder(folder);
    for (int i = 0; i < kTextFiles; ++i) {
        const std::string text = TextBlock(static_cast<unsigned>(i));
        if (text.find(kPhrase) != std::string::npos) throw std::runtime_error("the phrase came up in a text file");
        WriteFileBytes(files[i], text);
    }
    WriteFileBytes(done, "");
    return files;
}

template <class F>
double TimeMs(F&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Each round's rate: `amount` over its time.
std::vector<double> Rates(double amount, const std::vector<double>& ms) {
    std::vector<double> rates;
    for (double m : ms) rates.push_back(amount / (m / 1000));
    return rates;
}

std::size_t BareWalk(const std::string& folder) {
    std::size_t found = 0;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "*.tmd").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++found;
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    search = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const bool dot = std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dot)
                found += BareWalk(folder + data.cFileName + "\\");
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return found;
}

std::size_t FinderCount(const wmb::TSearchCriteria& criteria) {
    wmb::Win32SearchFileSystem disk;
    wmb::TFileFinder finder(disk);
    finder.Criteria = criteria;
    std::size_t found = 0;
    finder.OnFileMatch = [&](wmb::TFileFinder&, const std::string&, const wmb::TFileEntry&) { ++found; };
    finder.StartSearch();
    return found;
}

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           static_cast<unsigned char>(c) >= 0xC0;
}

// Whether the file holds the phrase as a whole word: blocks of 61440 bytes, memchr for its first byte.
bool BareContains(const std::string& path) {
    const wmb::Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw std::runtime_error("cannot open " + path);
    const std::size_t n = sizeof kPhrase - 1;
    std::vector<char> buffer(n + 61440);
    std::size_t kept = 0;  // bytes carried over from the last block, after one byte before them
    char before = ' ';
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data() + kept, 61440, &got, nullptr)) return false;
        const std::size_t size = kept + got;
        const char* data = buffer.data();
        for (std::size_t at = 0; at + n <= size;) {
            const void* hit = std::memchr(data + at, kPhrase[0], size - n - at + 1);
            if (!hit) break;
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
            if (std::memcmp(data + at + 1, kPhrase + 1, n - 1) == 0 && !IsWordByte(at ? data[at - 1] : before) &&
                (at + n == size ? got == 0 : !IsWordByte(data[at + n])))
                return true;
            ++at;
        }
        if (got == 0) return false;
        kept = std::min(size, n);
        before = size > kept ? data[size - kept - 1] : before;
        std::memmove(buffer.data(), data + size - kept, kept);
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc != 2) throw std::runtime_error("usage: p5_file_search WORK_FOLDER");
        const std::string work = WithBackslash(argv[1]);
        MakeFolder(work);
        std::string tree;
        std::vector<std::string> texts;
        const double makeMs = TimeMs([&] {
            tree = MakeTree(work);
            texts = MakeTexts(work);
        });
        std::fprintf(stderr, "files ready in %.0f ms\n", makeMs);

        wmb::TSearchCriteria files;
        files.Files.FileName = "*.tmd";
        files.Files.Location = tree;
        wmb::TSearchCriteria content;
        content.Files.FileName = "*.txt";
        content.Files.Location = work + "texts\\";
        content.Content = {kPhrase, true, true};

        std::vector<double> finderMs, bareMs, finderContentMs, bareContentMs;
        std::size_t finderFound = 0, bareFound = 0, contentFound = 0, bareContentFound = 0;
        FinderCount(files);  // both walks start from a warm cache
        BareWalk(tree);
        for (int round = 0; round < kRounds; ++round) {
            finderMs.push_back(TimeMs([&] { finderFound = FinderCount(files); }));
            bareMs.push_back(TimeMs([&] { bareFound = BareWalk(tree); }));
            finderContentMs.push_back(TimeMs([&] { contentFound = FinderCount(content); }));
            bareContentMs.push_back(TimeMs([&] {
                bareContentFound = 0;
                for (const std::string& text : texts) bareContentFound += BareContains(text) ? 1 : 0;
            }));
            std::fprintf(stderr, "round %d: walk %.1f / %.1f ms, content %.1f / %.1f ms\n", round, finderMs.back(),
                         bareMs.back(), finderContentMs.back(), bareContentMs.back());
        }
        const std::size_t expected = static_cast<std::size_t>(kTopFolders) * (kSubfolders + 1) * kFilesPerFolder;
        if (finderFound != expected || bareFound != expected)
            throw std::runtime_error("the walks found " + std::to_string(finderFound) + " and " +
                                     std::to_string(bareFound) + " files, not " + std::to_string(expected));
        if (contentFound != 0 || bareContentFound != 0) throw std::runtime_error("the phrase was found where it is not");

        using wmb::bench::Describe;
        using wmb::bench::RatioOfMedians;
        const wmb::bench::Spread finderRate = wmb::bench::SpreadOf(Rates(double(expected), finderMs));
        const wmb::bench::Spread bareRate = wmb::bench::SpreadOf(Rates(double(expected), bareMs));
        std::printf("P5 file search over %zu files: finder %s, bare FindFirstFileA walk %s, ratio of the medians %.2f "
                    "(target >= 0.9)\n",
                    expected, Describe(finderRate, "files/s", 0, "rounds").c_str(),
                    Describe(bareRate, "files/s", 0, "rounds").c_str(), RatioOfMedians(finderRate, bareRate));
        const double megabytes = kTextFiles * static_cast<double>(kTextFileSize) / (1 << 20);
        const wmb::bench::Spread finderMBs = wmb::bench::SpreadOf(Rates(megabytes, finderContentMs));
        const wmb::bench::Spread bareMBs = wmb::bench::SpreadOf(Rates(megabytes, bareContentMs));
        std::printf("P5 content search over %.0f MB: finder %s, bare ReadFile and memchr %s, ratio of the medians %.2f "
                    "(target >= 0.5)\n",
                    megabytes, Describe(finderMBs, "MB/s", 0, "rounds").c_str(),
                    Describe(bareMBs, "MB/s", 0, "rounds").c_str(), RatioOfMedians(finderMBs, bareMBs));
        return 0;
    } catch (const std::exception& e) {
        std::printf("P5 not measured: %s\n", e.what());
        return 1;
    }
}
