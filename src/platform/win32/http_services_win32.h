#pragma once
// What the HTTP client component needs of Windows: WinINet handles per request, the disk, the tick count, a
// worker thread per request and a hidden window of the user-interface thread through which the worker hands
// its events over (message 0x8FFF, sent, so the worker waits for each handler) and its result (posted).

#include <windows.h>

#include "net/custom_http.h"

namespace wmb {

class Win32HttpFiles : public IHttpFiles {
public:
    std::unique_ptr<IByteSource> OpenForReading(const std::string& path, std::uint32_t startAt,
                                                std::uint32_t& size) override;
    std::unique_ptr<IBodyFile> Create(const std::string& path, bool append, bool hiddenTemporary) override;
    void Delete(const std::string& path) override;
};

// Made on the user-interface thread, which then delivers the events.
class Win32HttpServices : public IHttpServices {
public:
    Win32HttpServices();
    ~Win32HttpServices() override;
    Win32HttpServices(const Win32HttpServices&) = delete;
    Win32HttpServices& operator=(const Win32HttpServices&) = delete;

    std::unique_ptr<IHttpConnection> NewConnection() override;
    std::shared_ptr<IHttpFiles> Files() override { return files_; }
    std::shared_ptr<IHttpWorkerLink> WorkerLink() override;
    bool StartWorker(TudThreadPriority priority, std::function<void()> work) override;

private:
    class Link;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::shared_ptr<Link> link_;
    std::shared_ptr<Win32HttpFiles> files_ = std::make_shared<Win32HttpFiles>();
};

}  // namespace wmb
