#include "platform/win32/http_services_win32.h"

#include <atomic>

#include "platform/win32/wininet_connection.h"
#include "platform/win32/wrappers/handle.h"

namespace wmb {

namespace {

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

// The worker's way to the user-interface thread; it may outlive the services, and then answers nothing.
// What a posted call finds then is its own business: a request's calls hold the request and look whether
// their component let go of it.
class Win32HttpServices::Link : public IHttpWorkerLink {
public:
    explicit Link(UiDispatcher dispatcher) : dispatcher_(dispatcher) {}
    void CallOnUiThread(const std::function<void()>& call) override {
        if (connected_) dispatcher_.Send(call);
    }
    void PostToUiThread(std::function<void()> call) override {
        if (connected_) dispatcher_.Post(std::move(call));
    }
    std::uint32_t TickCount() override { return GetTickCount(); }
    void Disconnect() { connected_ = false; }

private:
    const UiDispatcher dispatcher_;
    std::atomic<bool> connected_ = true;
};

Win32HttpServices::Win32HttpServices(UiDispatcher dispatcher) : link_(std::make_shared<Link>(dispatcher)) {}

Win32HttpServices::~Win32HttpServices() { link_->Disconnect(); }

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
