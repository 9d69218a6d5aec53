#include "platform/win32/http_services_win32.h"

#include <atomic>
#include <stdexcept>

#include "platform/win32/wininet_connection.h"
#include "platform/win32/wrappers/error_handler.h"
#include "platform/win32/wrappers/handle.h"

namespace wmb {

namespace {

constexpr UINT kCallMessage = 0x8FFF;           // sent: runs the std::function at lParam
constexpr UINT kPostMessage = kCallMessage - 1;  // posted: runs and frees the std::function at lParam
constexpr const char* kWindowClass = "WildmereBenchHttpEvents";

using Call = std::function<void()>;

class FileSource : public IByteSource {
public:
    explicit FileSource(Handle file) : file_(std::move(file)) {}
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) override {
        DWORD read = 0;
        const bool ok = ReadFile(file_.Get(), buffer, size, &read, nullptr);
        got = ok ? read : 0;
        return ok;
    }

private:
    Handle file_;
};

class BodyFile : public IBodyFile {
public:
    explicit BodyFile(Handle file) : file_(std::move(file)) {}
    bool Write(const char* data, std::uint32_t size) override {
        DWORD written = 0;
        return WriteFile(file_.Get(), data, size, &written, nullptr) && written == size;
    }

private:
    Handle file_;
};

int WindowsPriority(TudThreadPriority priority) {
    switch (priority) {
    case TudThreadPriority::tpIdle: return THREAD_PRIORITY_IDLE;
    case TudThreadPriority::tpLowest: return THREAD_PRIORITY_LOWEST;
    case TudThreadPriority::tpLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case TudThreadPriority::tpNormal: return THREAD_PRIORITY_NORMAL;
    case TudThreadPriority::tpHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case TudThreadPriority::tpHighest: return THREAD_PRIORITY_HIGHEST;
    case TudThreadPriority::tpTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
    }
    return THREAD_PRIORITY_NORMAL;
}

DWORD WINAPI RunWorker(LPVOID work) {
    const std::unique_ptr<Call> owned(static_cast<Call*>(work));
    (*owned)();
    return 0;
}

}  // namespace

std::unique_ptr<IByteSource> Win32HttpFiles::OpenForReading(const std::string& path, std::uint32_t startAt,
                                                            std::uint32_t& size) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    size = GetFileSize(file.Get(), nullptr);
    if (startAt != 0) SetFilePointer(file.Get(), static_cast<LONG>(startAt), nullptr, FILE_BEGIN);
    return std::make_unique<FileSource>(std::move(file));
}

std::unique_ptr<IBodyFile> Win32HttpFiles::Create(const std::string& path, bool append, bool hiddenTemporary) {
    const DWORD attributes = hiddenTemporary ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY : FILE_ATTRIBUTE_NORMAL;
    // A file left hidden by an earlier download would refuse to be truncated by a plain create.
    if (!append) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                            attributes, nullptr));
    if (!file) return nullptr;
    if (append) SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    return std::make_unique<BodyFile>(std::move(file));
}

void Win32HttpFiles::Delete(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The worker's way to the event window; it may outlive the services, and then answers nothing.
class Win32HttpServices::Link : public IHttpWorkerLink {
public:
    explicit Link(HWND window) : window_(window) {}
    void CallOnUiThread(const std::function<void()>& call) override {
        if (HWND window = window_.load()) SendMessageA(window, kCallMessage, 0, reinterpret_cast<LPARAM>(&call));
    }
    void PostToUiThread(std::function<void()> call) override {
        HWND window = window_.load();
        auto owned = std::make_unique<Call>(std::move(call));
        if (window && PostMessageA(window, kPostMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) owned.release();
    }
    std::uint32_t TickCount() override { return GetTickCount(); }
    void Disconnect() { window_ = nullptr; }

private:
    std::atomic<HWND> window_;
};

Win32HttpServices::Win32HttpServices() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32HttpServices::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when a second instance registers it again
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    if (!window_) throw std::runtime_error("The HTTP client's event window cannot be created.");
    link_ = std::make_shared<Link>(window_);
}

Win32HttpServices::~Win32HttpServices() {
    link_->Disconnect();
    MSG msg;
    while (PeekMessageA(&msg, window_, kPostMessage, kPostMessage, PM_REMOVE)) delete reinterpret_cast<Call*>(msg.lParam);
    DestroyWindow(window_);
}

// Whatever a handler throws is reported in a box of its own: looking for an owner on every event costs
// more than the event.
LRESULT CALLBACK Win32HttpServices::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kCallMessage:
        return Guarded(nullptr, [&] { (*reinterpret_cast<const Call*>(lParam))(); return LRESULT{0}; }, 0);
    case kPostMessage: {
        const std::unique_ptr<Call> owned(reinterpret_cast<Call*>(lParam));
        return Guarded(nullptr, [&] { (*owned)(); return LRESULT{0}; }, 0);
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::unique_ptr<IHttpConnection> Win32HttpServices::NewConnection() { return std::make_unique<WinInetConnection>(); }

std::shared_ptr<IHttpWorkerLink> Win32HttpServices::WorkerLink() { return link_; }

bool Win32HttpServices::StartWorker(TudThreadPriority priority, std::function<void()> work) {
    auto owned = std::make_unique<Call>(std::move(work));
    Handle thread(CreateThread(nullptr, 0, &RunWorker, owned.get(), CREATE_SUSPENDED, nullptr));
    if (!thread) return false;
    owned.release();
    SetThreadPriority(thread.Get(), WindowsPriority(priority));
    ResumeThread(thread.Get());
    return true;  // the thread runs on by itself and ends with its request
}

}  // namespace wmb
