#pragma once
// A web server on the loopback interface standing in for the maker's: it answers every request with a
// small page and keeps each request's method, path, header lines and body. It runs on a thread of its own
// until it is destroyed.

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wmb::e2e {

struct ServedRequest {
    std::string Method;
    std::string Path;
    std::string Head;  // the request line and the header lines
    std::string Body;
};

class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Host and port, as they stand in an http address.
    const std::string& Host() const { return host_; }
    bool WasAskedFor(const std::string& path) const;
    std::vector<ServedRequest> Requests() const;

private:
    void Serve();
    void Answer(SOCKET client);

    SOCKET listener_ = INVALID_SOCKET;
    std::string host_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<ServedRequest> requests_;
};

}  // namespace wmb::e2e
