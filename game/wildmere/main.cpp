// Wildmere.exe: a stand-in for the game that plays timedemos without drawing anything.
//
// It honours what a benchmark front end relies on: it reads console settings from its command line
// (e.g. -DEVMODE "#demo_num_runs=2" "#r_Width=1024" "#r_Height=768" "map pier" "demo 1"), finds
// Game folder\Levels\<map>\<demo>.tmd (the Game folder is the parent of the executable's folder),
// plays demo_num_runs + 1 runs, writes the timedemo log <demo>.log beside the demo and exits. Frame
// rates come from a model of the resolution and of the options in Game folder\system.cfg, the
// override file Systemcfgoverride.cfg and the command line. With "#demo_screenshot_frame=F" it also
// saves a JPEG picture Game folder\Wildmere0000.jpg. A missing demo gives no log.
//
// Every start reads Game folder\wildmere-test.ini first and then appends "working folder|command line"
// to Game folder\wildmere-launches.txt; the lines already there count the starts.
//
// Tests choose misbehaviours in Game folder\wildmere-test.ini, one key=value per line (1, yes, true
// or on switch a key on; lines starting with ";" or "#" are comments). Lines before any section apply
// to every start; lines under "[launch N]" only to the N-th start recorded in wildmere-launches.txt
// (e.g. "[launch 2]" then "no_log=1": the second start fails):
//   quit_early=1    end before the last "!TimeDemo Run n Finished." line
//   no_log=1        exit at once; write neither log nor picture
//   run_seconds=N   play for N seconds in all (spread over the runs; default 0.1 s per run, 2 s at most)
//   comma=1         write every number of the log with a decimal comma
//   bad_score=1     write "n/a" where the average frame rate belongs
//   short_log=1     write only a title line and the final finish line
//   no_picture=1    never save the screenshot
//   keep_logs=1     also keep each start's log as Game folder\wildmere-log-<N>.txt (N: the start's number),
//                   where the front end, which deletes the log before the next start, leaves it alone
//   spread=P       the runs' frame rates lie P percent above and below their level in turn, so that they vary
//                  strongly (with spread_width=W only at the width W)
//   timing=1        append "start <ticks>" and "end <ticks>" (QueryPerformanceCounter, one clock for all
//                   processes) to Game folder\wildmere-timing.txt, so tools can measure the time between
//                   one game's end and the next one's start

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "game_session.h"

namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.handle_;
            other.handle_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    ~FileHandle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    void Close() {
        if (Valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    HANDLE handle_;
};

// Closes a find handle when it goes out of scope.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FindHandle(FindHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    FindHandle& operator=(FindHandle&&) = delete;
    ~FindHandle() {
        if (Valid()) FindClose(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

class Win32GameHost : public wmb::game::GameHost {
public:
    std::optional<std::string> ReadFile(const std::string& path) override {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return std::nullopt;
        std::string bytes;
        char buffer[65536];
        DWORD read = 0;
        while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
        return bytes;
    }

    bool WriteFile(const std::string& path, const std::string& bytes) override {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid() && WriteAll(file.Get(), bytes);
    }

    bool AppendFile(const std::string& path, const std::string& bytes) override {
        FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid() && WriteAll(file.Get(), bytes);
    }

    std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) override {
        WIN32_FIND_DATAA data;
        FindHandle find(FindFirstFileA((folder + "*").c_str(), &data));
        if (!find.Valid()) return std::nullopt;
        do {
            if (lstrcmpiA(data.cFileName, name.c_str()) == 0) return std::string(data.cFileName);
        } while (FindNextFileA(find.Get(), &data));
        return std::nullopt;
    }

    void Wait(int milliseconds) override {
        if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
    }
};

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return "";
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string WorkingFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return "";
    std::string folder(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

// True when the control file switches the timing record on (timing=1, yes, true or on).
bool TimingWanted(const std::string& controlText) {
    size_t begin = 0;
    while (begin < controlText.size()) {
        size_t end = controlText.find('\n', begin);
        if (end == std::string::npos) end = controlText.size();
        std::string line;
        for (char c : controlText.substr(begin, end - begin)) {
            if (c == ' ' || c == '\t' || c == '\r') continue;
            line.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
        begin = end + 1;
        if (line == "timing=1" || line == "timing=yes" || line == "timing=true" || line == "timing=on") return true;
    }
    return false;
}

std::string Ticks(const char* label) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return std::string(label) + " " + std::to_string(now.QuadPart) + "\r\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::string started = Ticks("start");
    Win32GameHost host;
    const wmb::game::GameStart start{ModulePath(), GetCommandLineA(), WorkingFolder()};
    const std::string game = wmb::game::GameFolderOf(start.exePath);
    const bool timing = TimingWanted(host.ReadFile(game + "wildmere-test.ini").value_or(""));
    if (timing) host.AppendFile(game + "wildmere-timing.txt", started);
    wmb::game::RunGame(start, host);
    if (timing) host.AppendFile(game + "wildmere-timing.txt", Ticks("end"));
    return 0;
}
