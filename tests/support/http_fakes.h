#pragma once
// Test doubles of the HTTP request's library and disk: a server that answers each send with the next reply,
// and files in memory.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/custom_http.h"
#include "net/http_request.h"
#include "net/wininet_values.h"

namespace wmb {

struct TReply {
    std::map<std::uint32_t, std::string> headers;  // by query number; 19 is the status
    std::string body;
    std::size_t failAt = std::string::npos;  // a read fails once this much was read
    bool sameRequest = false;  // answers a redirect of the request before it, on its connection
};

inline TReply Reply(const char* status, std::string body, bool announceLength = true) {
    TReply r{{{inet::kQueryStatusCode, status}, {inet::kQueryContentType, "text/plain"}}, body};
    if (announceLength) r.headers[inet::kQueryContentLength] = std::to_string(body.size());
    return r;
}

// The library as a server that answers each send with the next reply; no reply left: the send fails.
struct TFakeConnection : IHttpConnection {
    bool opens = true, connects = true;
    std::deque<TReply> replies;
    TReply current;
    std::size_t position = 0;
    TInternetOpenArgs openArgs;
    std::string host, user, password, verb, object, sentHeaders, sentBody;
    std::uint16_t port = 0;
    std::uint32_t flags = 0;
    std::vector<TRequestOption> options;
    std::map<std::uint32_t, std::string> textOptions;
    std::vector<std::pair<std::string, std::uint32_t>> added;
    int sends = 0, reads = 0;
    std::vector<std::string> hosts, objects;  // of every Connect and OpenRequest

    std::string uploaded;
    std::function<void(std::uint32_t, const std::string&)> status;
    bool Open(const TInternetOpenArgs& a, std::function<void(std::uint32_t, const std::string&)> s) override {
        status = std::move(s);
        if (status) status(inet::kStatusHandleCreated, "");
        return openArgs = a, opens;
    }
    bool Connect(const std::string& h, std::uint16_t p, const std::string& u, const std::string& pw) override {
        host = h, port = p, user = u, password = pw;
        hosts.push_back(h + ":" + std::to_string(p));
        return connects;
    }
    bool OpenRequest(const std::string& v, const std::string& o, const std::string&, const std::string&,
                     std::uint32_t f) override {
        verb = v, object = o, flags = f;
        objects.push_back(o);
        return true;
    }
    void SetOption(std::uint32_t o, std::uint32_t v) override { options.push_back({o, v}); }
    void SetTextOption(std::uint32_t o, const std::string& v) override { textOptions[o] = v; }
    void AddHeaders(const std::string& l, std::uint32_t m) override { added.emplace_back(l, m); }
    bool Send(const std::string& h, const std::string& b) override {
        ++sends;
        if (replies.empty()) return false;
        sentHeaders = h, sentBody = b, current = replies.front(), position = 0;
        replies.pop_front();
        return true;
    }
    bool BeginUpload(std::uint32_t) override { return uploaded.clear(), true; }
    bool Write(const char* d, std::uint32_t n) override { return uploaded.append(d, n), true; }
    bool EndUpload() override { return Send("", uploaded); }
    std::optional<std::string> Query(std::uint32_t q) override {
        const auto it = current.headers.find(q);
        return it == current.headers.end() ? std::nullopt : std::optional(it->second);
    }
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) override {
        ++reads;
        if (position >= current.failAt) return false;
        got = static_cast<std::uint32_t>(std::min<std::size_t>({size, current.body.size() - position, current.failAt - position}));
        current.body.copy(buffer, got, position);
        position += got;
        return true;
    }
    int requestsClosed = 0;
    void CloseRequest() override { ++requestsClosed; }
    void Close() override {}
};

struct TFakeFiles : IHttpFiles {
    std::map<std::string, std::string> disk;
    std::string unwritable;
    struct TSource : IByteSource {
        std::string data;
        bool Read(char* b, std::uint32_t size, std::uint32_t& got) override {
            got = static_cast<std::uint32_t>(data.copy(b, size));
            data.erase(0, got);
            return true;
        }
    };
    struct TFile : IBodyFile {
        std::string& content;
        explicit TFile(std::string& c) : content(c) {}
        bool Write(const char* d, std::uint32_t n) override { return content.append(d, n), true; }
    };
    std::unique_ptr<IByteSource> OpenForReading(const std::string& path, std::uint32_t startAt, std::uint32_t& size) override {
        if (!disk.count(path)) return nullptr;
        auto source = std::make_unique<TSource>();
        size = static_cast<std::uint32_t>(disk[path].size());
        source->data = disk[path].substr(std::min<std::size_t>(startAt, size));
        return source;
    }
    std::unique_ptr<IBodyFile> Create(const std::string& path, bool append, bool) override {
        if (path == unwritable) return nullptr;
        if (!append) disk[path].clear();
        return std::make_unique<TFile>(disk[path]);
    }
    void Delete(const std::string& path) override { disk.erase(path); }
};

// The worker runs when the test says so, on the test's thread; what it posts waits in a queue for the
// "user-interface thread" (the test) to run it, as the window's queue would.
struct TStepServices : IHttpServices, IHttpWorkerLink {
    std::deque<TReply> replies;  // one per request, in order; none left: nothing answers
    std::shared_ptr<TFakeFiles> files = std::make_shared<TFakeFiles>();
    std::function<void()> worker;
    std::deque<std::function<void()>> posted;
    bool threadsFail = false;

    std::unique_ptr<IHttpConnection> NewConnection() override {
        auto connection = std::make_unique<TFakeConnection>();
        if (!replies.empty()) connection->replies = {replies.front()}, replies.pop_front();
        while (!replies.empty() && replies.front().sameRequest)
            connection->replies.push_back(replies.front()), replies.pop_front();
        return connection;
    }
    std::shared_ptr<IHttpFiles> Files() override { return files; }
    std::shared_ptr<IHttpWorkerLink> WorkerLink() override { return {std::shared_ptr<void>(), this}; }
    std::uint32_t TickCount() override { return 1000; }
    bool StartWorker(TudThreadPriority, std::function<void()> work) override {
        if (threadsFail) return false;
        worker = std::move(work);
        return true;
    }
    void CallOnUiThread(const std::function<void()>& call) override { call(); }
    void PostToUiThread(std::function<void()> call) override { posted.push_back(std::move(call)); }

    void RunWorker() {
        if (auto work = std::exchange(worker, nullptr)) work();
    }
    // The worker, then the user-interface thread's queue, until both are idle.
    void Settle() {
        while (worker || !posted.empty()) {
            RunWorker();
            while (!posted.empty()) {
                auto call = std::move(posted.front());
                posted.pop_front();
                call();
            }
        }
    }
};

}  // namespace wmb
