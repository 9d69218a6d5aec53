#include "e2e/loopback_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace wmb::e2e {
namespace {

// The Content-Length of a request's header lines; 0 when there is none.
std::size_t ContentLength(std::string head) {
    std::transform(head.begin(), head.end(), head.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = head.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

}  // namespace

LoopbackServer::LoopbackServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the loopback server cannot listen");
    host_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
    stop_ = true;
    thread_.join();
    closesocket(listener_);
    WSACleanup();
}

bool LoopbackServer::WasAskedFor(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(requests_.begin(), requests_.end(), [&](const ServedRequest& r) { return r.Path == path; });
}

std::vector<ServedRequest> LoopbackServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackServer::Serve() {
    while (!stop_) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait{0, 50000};
        if (select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        Answer(client);
        closesocket(client);
    }
}

void LoopbackServer::Answer(SOCKET client) {
    const DWORD timeoutMs = 5000;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
    std::string request;
    char buffer[1024];
    std::size_t headEnd;
    while ((headEnd = request.find("\r\n\r\n")) == std::string::npos) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    ServedRequest served;
    served.Head = request.substr(0, headEnd);
    const std::size_t wanted = headEnd + 4 + ContentLength(served.Head);
    while (request.size() < wanted) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    served.Method = request.substr(0, request.find(' '));
    const std::size_t start = request.find(' ') + 1;
    served.Path = request.substr(start, request.find(' ', start) - start);
    served.Body = request.substr(headEnd + 4);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(served);
    }
    const std::string body = "<html><body><h1>News from the server</h1></body></html>";
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
}

}  // namespace wmb::e2e
