#include "platform/win32/search_file_system.h"

#include <cstdint>
#include <thread>
#include <utility>

#include "platform/win32/wrappers/error_handler.h"
#include "platform/win32/wrappers/file_search.h"
#include "platform/win32/wrappers/handle.h"

namespace wmb {

namespace {

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// A file time in local time, given the difference of local time to UTC in 100-ns ticks.
TDateTime ShiftedDateTime(const FILETIME& time, std::int64_t bias) {
    const std::uint64_t ticks = static_cast<std::uint64_t>(Ticks(time) + bias);
    const FILETIME local{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&local, &st)) return 0;
    return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

// The difference of local time to UTC now, which FileTimeToLocalFileTime applies to every time.
std::int64_t LocalBias(const FILETIME& sample) {
    FILETIME local;
    return FileTimeToLocalFileTime(&sample, &local) ? Ticks(local) - Ticks(sample) : 0;
}

// A listing over the program's FindFirstFileA search. The entry is refilled in place, so that its name
// keeps its buffer from one entry to the next.
class FindListing final : public TDirectoryListing {
public:
    explicit FindListing(const std::string& pattern) : search_(pattern) {
        if (!search_.Found()) return;
        bias_ = LocalBias(search_.Current().ftLastWriteTime);
        Fill(search_.Current());
    }

    bool Found() const { return search_.Found(); }
    const TFileEntry& Entry() const override { return entry_; }
    bool Next() override {
        if (!search_.Next()) return false;
        Fill(search_.Current());
        return true;
    }

private:
    void Fill(const WIN32_FIND_DATAA& data) {
        entry_.Name.assign(data.cFileName);
        entry_.Size = data.nFileSizeLow;
        entry_.Attributes = data.dwFileAttributes;
        entry_.Created = ShiftedDateTime(data.ftCreationTime, bias_);
        entry_.Accessed = ShiftedDateTime(data.ftLastAccessTime, bias_);
        entry_.Modified = ShiftedDateTime(data.ftLastWriteTime, bias_);
    }

    FileSearch search_;
    std::int64_t bias_ = 0;  // the local time's difference to UTC, found once per listing
    TFileEntry entry_;
};

class SharedReadFile final : public TContentFile {
public:
    SharedReadFile(Handle file, std::uint64_t size) : file_(std::move(file)), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::optional<std::size_t> Read(char* buffer, std::size_t capacity) override {
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer, static_cast<DWORD>(capacity), &got, nullptr)) return std::nullopt;
        return got;
    }

private:
    Handle file_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<TDirectoryListing> Win32SearchFileSystem::List(const std::string& pattern) {
    auto listing = std::make_unique<FindListing>(pattern);
    if (!listing->Found()) return nullptr;
    return listing;
}

std::string Win32SearchFileSystem::FullPath(const std::string& path) {
    char fixed[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, fixed, nullptr);
    if (n == 0) return path;
    if (n < MAX_PATH) return std::string(fixed, n);
    std::string full(n, '\0');
    const DWORD again = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
    if (again == 0 || again >= n) return path;
    full.resize(again);
    return full;
}

std::unique_ptr<TContentFile> Win32SearchFileSystem::OpenForContent(const std::string& file) {
    Handle h(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h) return nullptr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h.Get(), &size)) return nullptr;
    return std::make_unique<SharedReadFile>(std::move(h), static_cast<std::uint64_t>(size.QuadPart));
}

TFinderThreadServices Win32FinderThreadServices(const UiDispatcher& dispatcher) {
    TFinderThreadServices services;
    services.StartThread = [](std::function<void()> body, int priority) {
        return std::thread([body = std::move(body), priority] {
            SetThreadPriority(GetCurrentThread(), priority);
            body();
        });
    };
    services.PostToUi = [dispatcher](std::function<void()> work) { dispatcher.Post(std::move(work)); };
    services.PumpWhileWaiting = [] {
        // Wakes for messages other threads send (a handler's SendMessage to this thread's windows)
        // and lets PeekMessage deliver them; posted messages and input wait for the message loop.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    };
    services.ReportError = [dispatcher](std::exception_ptr error) {
        const HWND owner = dispatcher.Window();
        dispatcher.Post([error, owner] {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                ReportError(owner, e);
            } catch (...) {
                ReportUnknownError(owner);
            }
        });
    };
    return services;
}

}  // namespace wmb
