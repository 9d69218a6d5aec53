#pragma once
// An HTTP/1.1 server on 127.0.0.1 for the Windows tests of the HTTP client, on a free port. One thread
// accepts, one thread answers each connection (a slow body holds no other), every reply ends with
// "Connection: close". It keeps every request it was sent. Destroying it closes every socket and joins
// every thread, so a failing test still stops it.
//
// What it answers, by the path of the request (numbers are decimal):
//   /body?size=N           200, Content-Length N, N bytes of BodyBytes(0, N); with a "Range: bytes=a-" or
//                          "bytes=a-b" header 206 with Content-Range, or 416 when a is past the end
//     &nolength=1          no Content-Length: the body, then the connection closes
//     &cut=M               announces N, sends the first M bytes, closes
//     &pause=MS&chunk=K    sends K bytes (default 4096) at a time with MS milliseconds between; stops when
//                          the client goes
//   /login?size=N          401 with WWW-Authenticate: Basic realm="<kRealm>" unless the request carries the
//                          Basic login kUser/kPassword; then as /body
//   /redirect?to=TARGET    302 with Location TARGET (the rest of the request target after "to=")
//   /dated                 200 with Date, Last-Modified, Expires, ETag and Content-Language (the k... texts)
//   a path given to Put    200 with the document put there (cut short when Put says so)
//   a path given to PutRedirect   302 with that Location
//   anything else          404 with kNotFoundPage
// A request body (POST) is read as long as its Content-Length says.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wmb::test {

struct RecordedRequest {
    std::string method;
    std::string target;                // path and query, as sent
    std::vector<std::string> headers;  // "Name: value" lines, as sent
    std::string body;

    // The value of the first header of that name (any case), without surrounding blanks; "" when absent.
    std::string Header(const std::string& name) const;
};

class LoopbackHttpServer {
public:
    static constexpr const char* kRealm = "Wildmere updates";
    static constexpr const char* kUser = "bench";
    static constexpr const char* kPassword = "s3cret";
    static constexpr const char* kNotFoundPage = "<html><body><h1>404 Not Found</h1></body></html>";
    static constexpr const char* kDate = "Wed, 09 Dec 2026 10:20:30 GMT";
    static constexpr const char* kLastModified = "Sun, 06 Nov 1994 08:49:37 GMT";
    static constexpr const char* kExpires = "Thu, 31 Dec 2026 23:59:59 GMT";
    static constexpr const char* kEntityTag = "\"wmb-42\"";
    static constexpr const char* kContentLanguage = "en-GB";

    // Throws std::runtime_error when it cannot listen.
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t Port() const { return port_; }
    // "http://127.0.0.1:PORT" + target.
    std::string Url(const std::string& target) const;

    // Serves `body` at `path` from now on, in pieces of 4096 bytes with `pause` between them.
    void Put(const std::string& path, std::string body, std::chrono::milliseconds pause = {});
    // Announces the whole body but sends only its first `sent` bytes, then closes: a lost connection.
    void PutCut(const std::string& path, std::string body, std::size_t sent);
    // Answers `path` with a redirect to `location` (the same path makes a loop).
    void PutRedirect(const std::string& path, const std::string& location);

    // Every request so far, in the order they arrived.
    std::vector<RecordedRequest> Requests() const;

    // The bytes from `offset` to `offset + count` of every generated body.
    static std::string BodyBytes(std::uint64_t offset, std::size_t count);

private:
    using Socket = std::uintptr_t;  // Winsock's socket handle, kept out of this header
    struct Connection {
        Socket socket;
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    void Accept();
    void Serve(Socket client);
    bool ReadRequest(Socket client, RecordedRequest& request);
    void Answer(Socket client, const RecordedRequest& request);
    void SendBody(Socket client, const RecordedRequest& request, const std::string& query,
                  std::uint64_t size);
    bool SendAll(Socket client, const char* data, std::size_t size);
    bool SendGenerated(Socket client, std::uint64_t offset, std::uint64_t count);
    // Waits up to `pause`; false when the client has closed its side or the server is stopping.
    bool ClientStillThere(Socket client, std::chrono::milliseconds pause);
    void ReapFinished();

    Socket listener_ = ~Socket{0};
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex connectionsMutex_;
    std::list<Connection> connections_;
    struct Document {
        std::string body;
        std::chrono::milliseconds pause;
        std::size_t sent = std::string::npos;  // bytes of the body sent before the connection closes
        std::string location;                  // a redirect
    };
    std::mutex documentsMutex_;
    std::map<std::string, Document> documents_;
    mutable std::mutex requestsMutex_;
    std::vector<RecordedRequest> requests_;
};

// A loopback port that refuses connections: bound, read and closed again.
std::uint16_t RefusedLoopbackPort();

}  // namespace wmb::test
