#include <winsock2.h>

#include "support/loopback_http_server.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace wmb::test {
namespace {

constexpr std::size_t kWriteSize = 64 * 1024;
constexpr std::uint64_t kPatternPeriod = 251;  // prime, so that a wrong offset shows
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr auto kRequestDeadline = std::chrono::seconds(10);

// Enough of the repeating body pattern for one write starting anywhere in the period.
const std::string& Pattern() {
    static const std::string pattern = [] {
        std::string p(kWriteSize + kPatternPeriod, '\0');
        for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<char>(i % kPatternPeriod);
        return p;
    }();
    return pattern;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of `name` in a query "a=1&b=2"; "" when absent.
std::string Param(const std::string& query, const std::string& name) {
    std::size_t at = 0;
    while (at <= query.size()) {
        const std::size_t end = std::min(query.find('&', at), query.size());
        const std::string pair = query.substr(at, end - at);
        if (pair.rfind(name + "=", 0) == 0) return pair.substr(name.size() + 1);
        at = end + 1;
    }
    return {};
}

std::uint64_t Number(const std::string& text) { return std::strtoull(text.c_str(), nullptr, 10); }

std::string Base64(const std::string& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        out += digits[(group >> 18) & 63];
        out += digits[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[group & 63] : '=';
    }
    return out;
}

std::string StatusLine(int code) {
    const char* reason = code == 200   ? "OK"
                         : code == 206 ? "Partial Content"
                         : code == 302 ? "Found"
                         : code == 401 ? "Unauthorized"
                         : code == 416 ? "Range Not Satisfiable"
                                       : "Not Found";
    return "HTTP/1.1 " + std::to_string(code) + " " + reason + "\r\n";
}

// A reply with a small fixed body.
std::string SmallReply(int code, const std::string& headers, const std::string& body) {
    return StatusLine(code) + headers + "Content-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// Parses "bytes=a-" or "bytes=a-b"; false when the header is not such a range.
bool ParseRange(const std::string& header, std::uint64_t& first, std::uint64_t& last, bool& hasLast) {
    if (Lower(header).rfind("bytes=", 0) != 0) return false;
    const std::string range = header.substr(6);
    const std::size_t dash = range.find('-');
    if (dash == std::string::npos || dash == 0) return false;
    first = Number(range.substr(0, dash));
    hasLast = dash + 1 < range.size();
    last = hasLast ? Number(range.substr(dash + 1)) : 0;
    return true;
}

}  // namespace

std::string RecordedRequest::Header(const std::string& name) const {
    const std::string wanted = Lower(name) + ":";
    for (const std::string& line : headers)
        if (Lower(line).rfind(wanted, 0) == 0) return Trim(line.substr(wanted.size()));
    return {};
}

LoopbackHttpServer::LoopbackHttpServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, SOMAXCONN) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        WSACleanup();
        throw std::runtime_error("the loopback HTTP server cannot listen");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    acceptor_.join();
    closesocket(listener_);
    {
        std::lock_guard<std::mutex> lock(connectionsMutex_);
        for (Connection& c : connections_) {
            c.thread.join();
            closesocket(c.socket);
        }
        connections_.clear();
    }
    WSACleanup();
}

std::string LoopbackHttpServer::Url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + target;
}

std::vector<RecordedRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(requestsMutex_);
    return requests_;
}

std::string LoopbackHttpServer::BodyBytes(std::uint64_t offset, std::size_t count) {
    std::string bytes;
    bytes.reserve(count);
    while (bytes.size() < count) {
        const std::size_t piece = std::min(count - bytes.size(), kWriteSize);
        bytes.append(Pattern(), static_cast<std::size_t>((offset + bytes.size()) % kPatternPeriod), piece);
    }
    return bytes;
}

void LoopbackHttpServer::Accept() {
    while (!stopping_) {
        ReapFinished();
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait{0, static_cast<long>(std::chrono::microseconds(kPoll).count())};
        if (select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        std::lock_guard<std::mutex> lock(connectionsMutex_);
        Connection& c = connections_.emplace_back();
        c.socket = client;
        c.thread = std::thread([this, &c] {
            Serve(c.socket);
            c.finished = true;
        });
    }
}

void LoopbackHttpServer::ReapFinished() {
    std::lock_guard<std::mutex> lock(connectionsMutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (!it->finished) {
            ++it;
            continue;
        }
        it->thread.join();
        closesocket(it->socket);
        it = connections_.erase(it);
    }
}

void LoopbackHttpServer::Serve(SOCKET client) {
    // Every wait polls the stop flag: a blocked send would not return when the server stops.
    u_long nonBlocking = 1;
    ioctlsocket(client, FIONBIO, &nonBlocking);
    RecordedRequest request;
    if (!ReadRequest(client, request)) return;
    {
        std::lock_guard<std::mutex> lock(requestsMutex_);
        requests_.push_back(request);
    }
    Answer(client, request);
    shutdown(client, SD_SEND);  // the client sees the end of the reply; the socket is closed when reaped
}

bool LoopbackHttpServer::ReadRequest(SOCKET client, RecordedRequest& request) {
    std::string received;
    std::size_t headerEnd = std::string::npos;
    std::size_t wanted = 0;
    const auto deadline = std::chrono::steady_clock::now() + kRequestDeadline;
    char buffer[16 * 1024];
    for (;;) {
        if (headerEnd == std::string::npos && (headerEnd = received.find("\r\n\r\n")) != std::string::npos) {
            std::size_t at = received.find("\r\n");
            const std::string requestLine = received.substr(0, at);
            const std::size_t space = requestLine.find(' ');
            request.method = requestLine.substr(0, space);
            request.target = requestLine.substr(space + 1, requestLine.rfind(' ') - space - 1);
            while (at < headerEnd) {
                const std::size_t next = received.find("\r\n", at + 2);
                request.headers.push_back(received.substr(at + 2, next - at - 2));
                at = next;
            }
            wanted = headerEnd + 4 + static_cast<std::size_t>(Number(request.Header("Content-Length")));
        }
        if (headerEnd != std::string::npos && received.size() >= wanted) {
            request.body = received.substr(headerEnd + 4, wanted - headerEnd - 4);
            return true;
        }
        if (stopping_ || std::chrono::steady_clock::now() > deadline) return false;
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(client, &ready);
        timeval wait{0, static_cast<long>(std::chrono::microseconds(kPoll).count())};
        if (select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got < 0 && WSAGetLastError() == WSAEWOULDBLOCK) continue;
        if (got <= 0) return false;
        received.append(buffer, static_cast<std::size_t>(got));
    }
}

void LoopbackHttpServer::Put(const std::string& path, std::string body, std::chrono::milliseconds pause) {
    std::lock_guard lock(documentsMutex_);
    documents_[path] = Document{std::move(body), pause, std::string::npos, ""};
}

void LoopbackHttpServer::PutCut(const std::string& path, std::string body, std::size_t sent) {
    std::lock_guard lock(documentsMutex_);
    documents_[path] = Document{std::move(body), {}, sent, ""};
}

void LoopbackHttpServer::PutRedirect(const std::string& path, const std::string& location) {
    std::lock_guard lock(documentsMutex_);
    documents_[path] = Document{"", {}, std::string::npos, location};
}

void LoopbackHttpServer::Answer(SOCKET client, const RecordedRequest& request) {
    const std::size_t question = request.target.find('?');
    const std::string path = request.target.substr(0, question);
    const std::string query = question == std::string::npos ? "" : request.target.substr(question + 1);
    std::string reply;
    std::optional<Document> document;
    {
        std::lock_guard lock(documentsMutex_);
        if (const auto found = documents_.find(path); found != documents_.end()) document = found->second;
    }
    if (document && !document->location.empty()) {
        reply = SmallReply(302, "Location: " + document->location + "\r\n", "");
    } else if (document) {
        const std::string head = StatusLine(200) + "Content-Type: application/octet-stream\r\nContent-Length: " +
                                 std::to_string(document->body.size()) + "\r\nConnection: close\r\n\r\n";
        if (!SendAll(client, head.data(), head.size())) return;
        const std::size_t size = std::min(document->body.size(), document->sent);
        for (std::size_t at = 0; at < size; at += 4096) {
            if (at > 0 && document->pause.count() > 0 && !ClientStillThere(client, document->pause)) return;
            if (!SendAll(client, document->body.data() + at, std::min<std::size_t>(4096, size - at))) return;
        }
        return;
    } else if (path == "/body") {
        SendBody(client, request, query, Number(Param(query, "size")));
        return;
    } else if (path == "/login") {
        if (request.Header("Authorization") == "Basic " + Base64(std::string(kUser) + ":" + kPassword)) {
            SendBody(client, request, query, Number(Param(query, "size")));
            return;
        }
        reply = SmallReply(401, "WWW-Authenticate: Basic realm=\"" + std::string(kRealm) + "\"\r\n",
                           "<html><body>Log in first</body></html>");
    } else if (path == "/redirect") {
        const std::size_t to = query.find("to=");
        reply = SmallReply(302, "Location: " + (to == std::string::npos ? "/" : query.substr(to + 3)) + "\r\n", "");
    } else if (path == "/dated") {
        reply = SmallReply(200,
                           "Date: " + std::string(kDate) + "\r\nLast-Modified: " + kLastModified +
                               "\r\nExpires: " + kExpires + "\r\nETag: " + kEntityTag +
                               "\r\nContent-Language: " + kContentLanguage + "\r\n",
                           "dated");
    } else {
        reply = SmallReply(404, "", kNotFoundPage);
    }
    SendAll(client, reply.data(), reply.size());
}

void LoopbackHttpServer::SendBody(SOCKET client, const RecordedRequest& request, const std::string& query,
                                  std::uint64_t size) {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    bool hasLast = false;
    std::string head;
    std::uint64_t count = size;
    if (ParseRange(request.Header("Range"), first, last, hasLast)) {
        if (first >= size) {
            head = StatusLine(416) + "Content-Range: bytes */" + std::to_string(size) +
                   "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            SendAll(client, head.data(), head.size());
            return;
        }
        last = hasLast ? std::min(last, size - 1) : size - 1;
        count = last - first + 1;
        head = StatusLine(206) + "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" +
               std::to_string(size) + "\r\n";
    } else {
        head = StatusLine(200);
    }
    head += "Content-Type: application/octet-stream\r\n";
    if (Param(query, "nolength") != "1") head += "Content-Length: " + std::to_string(count) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (!SendAll(client, head.data(), head.size())) return;

    const std::string cut = Param(query, "cut");
    const std::uint64_t sent = cut.empty() ? count : std::min(count, Number(cut));
    const auto pause = std::chrono::milliseconds(Number(Param(query, "pause")));
    if (pause.count() == 0) {
        SendGenerated(client, first, sent);
        return;
    }
    const std::string chunkText = Param(query, "chunk");
    const std::uint64_t chunk = chunkText.empty() ? 4096 : std::max<std::uint64_t>(1, Number(chunkText));
    for (std::uint64_t at = 0; at < sent; at += chunk) {
        if (at > 0 && !ClientStillThere(client, pause)) return;
        if (!SendGenerated(client, first + at, std::min(chunk, sent - at))) return;
    }
}

bool LoopbackHttpServer::SendAll(SOCKET client, const char* data, std::size_t size) {
    while (size > 0) {
        if (stopping_) return false;
        const int put = send(client, data, static_cast<int>(std::min(size, kWriteSize)), 0);
        if (put > 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
            continue;
        }
        if (put == 0 || WSAGetLastError() != WSAEWOULDBLOCK) return false;
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(client, &writable);
        timeval wait{0, static_cast<long>(std::chrono::microseconds(kPoll).count())};
        select(0, nullptr, &writable, nullptr, &wait);
    }
    return true;
}

bool LoopbackHttpServer::SendGenerated(SOCKET client, std::uint64_t offset, std::uint64_t count) {
    while (count > 0) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(count, kWriteSize));
        if (!SendAll(client, Pattern().data() + offset % kPatternPeriod, piece)) return false;
        offset += piece;
        count -= piece;
    }
    return true;
}

bool LoopbackHttpServer::ClientStillThere(SOCKET client, std::chrono::milliseconds pause) {
    const auto end = std::chrono::steady_clock::now() + pause;
    while (!stopping_) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return true;
        const auto slice = std::min<std::chrono::microseconds>(left, kPoll);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(client, &ready);
        timeval wait{0, static_cast<long>(slice.count())};
        if (select(0, &ready, nullptr, nullptr, &wait) == 1) {
            char scratch[512];
            const int got = recv(client, scratch, sizeof scratch, 0);
            if (got == 0 || (got < 0 && WSAGetLastError() != WSAEWOULDBLOCK)) return false;  // closed or reset
        }
    }
    return false;
}

std::uint16_t RefusedLoopbackPort() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    const bool bound = s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                       getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (s != INVALID_SOCKET) closesocket(s);
    WSACleanup();
    if (!bound) throw std::runtime_error("no loopback port to refuse");
    return ntohs(address.sin_port);
}

}  // namespace wmb::test
