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

#include "update/http_request.h"
#include "update/wininet_values.h"

namespace wmb {

struct TReply {
    std::map<std::uint32_t, std::string> headers;  // by query number; 19 is the status
    std::string body;
    std::size_t failAt = std::string::npos;  // a read fails once this much was read
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

    std::string uploaded;
    std::function<void(std::uint32_t, const std::string&)> status;
    bool Open(const TInternetOpenArgs& a, std::function<void(std::uint32_t, const std::string&)> s) override {
        status = std::move(s);
        if (status) status(inet::kStatusHandleCreated, "");
        return openArgs = a, opens;
    }
    bool Connect(const std::string& h, std::uint16_t p, const std::string& u, const std::string& pw) override {
        host = h, port = p, user = u, password = pw;
        return connects;
    }
    bool OpenRequest(const std::string& v, const std::string& o, const std::string&, const std::string&,
                     std::uint32_t f) override {
        verb = v, object = o, flags = f;
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

}  // namespace wmb
