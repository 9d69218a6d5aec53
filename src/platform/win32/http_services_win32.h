#pragma once
// What the HTTP client component needs of Windows: WinINet handles per request, the disk, the tick count, a
// worker thread per request, and the user-interface thread's dispatcher, through which the worker hands its
// events over (sent, so the worker waits for each handler) and its result (posted).

#include <windows.h>

#include "net/custom_http.h"
#include "platform/win32/wrappers/ui_dispatcher.h"

namespace wmb {

class Win32HttpFiles : public IHttpFiles {
public:
    std::unique_ptr<IByteSource> OpenForReading(const std::string& path, std::uint32_t startAt,
                                                std::uint32_t& size) override;
    std::unique_ptr<IBodyFile> Create(const std::string& path, bool append, bool hiddenTemporary) override;
    void Delete(const std::string& path) override;
};

// The events go to the thread of the dispatcher's window.
class Win32HttpServices : public IHttpServices {
public:
    explicit Win32HttpServices(UiDispatcher dispatcher);
    ~Win32HttpServices() override;
    Win32HttpServices(const Win32HttpServices&) = delete;
    Win32HttpServices& operator=(const Win32HttpServices&) = delete;

    std::unique_ptr<IHttpConnection> NewConnection() override;
    std::shared_ptr<IHttpFiles> Files() override { return files_; }
    std::shared_ptr<IHttpWorkerLink> WorkerLink() override;
    bool StartWorker(TudThreadPriority priority, std::function<void()> work) override;

private:
    class Link;

    std::shared_ptr<Link> link_;
    std::shared_ptr<Win32HttpFiles> files_ = std::make_shared<Win32HttpFiles>();
};

}  // namespace wmb
