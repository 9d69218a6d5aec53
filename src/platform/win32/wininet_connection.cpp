#include "platform/win32/wininet_connection.h"

#include <cstring>
#include <vector>

namespace wmb {

namespace {

const char* TextOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

void CALLBACK WinInetConnection::StatusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information,
                                                DWORD length) {
    auto* self = reinterpret_cast<WinInetConnection*>(context);
    if (!self || !self->statusCallback_) return;
    std::string newUrl;
    if (status == INTERNET_STATUS_REDIRECT && information && length > 0)
        newUrl.assign(static_cast<const char*>(information), strnlen(static_cast<const char*>(information), length));
    self->statusCallback_(status, newUrl);
}

bool WinInetConnection::Open(const TInternetOpenArgs& args,
                             std::function<void(std::uint32_t, const std::string&)> statusCallback) {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    statusCallback_ = std::move(statusCallback);
    internet_ = InternetHandle(InternetOpenA(args.Agent.c_str(), args.AccessType, TextOrNull(args.ProxyName),
                                             TextOrNull(args.ProxyBypass), args.Flags));
    if (!internet_) return false;
    InternetSetStatusCallbackA(internet_.Get(), &WinInetConnection::StatusCallback);
    return true;
}

bool WinInetConnection::Connect(const std::string& host, std::uint16_t port, const std::string& user,
                                const std::string& password) {
    HINTERNET internet;
    {
        std::lock_guard lock(mutex_);
        if (closed_) return false;
        internet = internet_.Get();
    }
    HINTERNET connection = InternetConnectA(internet, host.c_str(), port, TextOrNull(user), TextOrNull(password),
                                            INTERNET_SERVICE_HTTP, 0, reinterpret_cast<DWORD_PTR>(this));
    std::lock_guard lock(mutex_);
    if (closed_) {
        if (connection) InternetCloseHandle(connection);
        return false;
    }
    connection_ = InternetHandle(connection);
    return static_cast<bool>(connection_);
}

bool WinInetConnection::OpenRequest(const std::string& verb, const std::string& object, const std::string& referer,
                                    const std::string& acceptTypes, std::uint32_t flags) {
    std::lock_guard lock(mutex_);
    if (closed_ || !connection_) return false;
    const char* accept[] = {acceptTypes.c_str(), nullptr};
    request_ = InternetHandle(HttpOpenRequestA(connection_.Get(), verb.c_str(), object.c_str(), nullptr,
                                               TextOrNull(referer), acceptTypes.empty() ? nullptr : accept, flags,
                                               reinterpret_cast<DWORD_PTR>(this)));
    return static_cast<bool>(request_);
}

HINTERNET WinInetConnection::RequestHandle() {
    std::lock_guard lock(mutex_);
    return closed_ ? nullptr : request_.Get();
}

void WinInetConnection::SetOption(std::uint32_t option, std::uint32_t value) {
    DWORD number = value;
    if (HINTERNET request = RequestHandle()) InternetSetOptionA(request, option, &number, sizeof number);
}

void WinInetConnection::SetTextOption(std::uint32_t option, const std::string& value) {
    if (HINTERNET request = RequestHandle())
        InternetSetOptionA(request, option, const_cast<char*>(value.c_str()), static_cast<DWORD>(value.size()));
}

void WinInetConnection::AddHeaders(const std::string& lines, std::uint32_t mode) {
    if (HINTERNET request = RequestHandle())
        HttpAddRequestHeadersA(request, lines.c_str(), static_cast<DWORD>(lines.size()), mode);
}

bool WinInetConnection::Send(const std::string& headers, const std::string& body) {
    HINTERNET request = RequestHandle();
    return request && HttpSendRequestA(request, TextOrNull(headers), static_cast<DWORD>(headers.size()),
                                       body.empty() ? nullptr : const_cast<char*>(body.data()),
                                       static_cast<DWORD>(body.size()));
}

bool WinInetConnection::BeginUpload(std::uint32_t totalSize) {
    HINTERNET request = RequestHandle();
    INTERNET_BUFFERSA buffers{};
    buffers.dwStructSize = sizeof buffers;
    buffers.dwBufferTotal = totalSize;
    return request && HttpSendRequestExA(request, &buffers, nullptr, 0, 0);
}

bool WinInetConnection::Write(const char* data, std::uint32_t size) {
    HINTERNET request = RequestHandle();
    while (request && size > 0) {
        DWORD written = 0;
        if (!InternetWriteFile(request, data, size, &written) || written == 0) return false;
        data += written;
        size -= written;
    }
    return request != nullptr;
}

bool WinInetConnection::EndUpload() {
    HINTERNET request = RequestHandle();
    return request && HttpEndRequestA(request, nullptr, 0, 0);
}

std::optional<std::string> WinInetConnection::Query(std::uint32_t query) {
    HINTERNET request = RequestHandle();
    if (!request) return std::nullopt;
    std::vector<char> buffer(256);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD index = 0;
        if (HttpQueryInfoA(request, query, buffer.data(), &size, &index)) return std::string(buffer.data(), size);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return std::nullopt;
        buffer.resize(size + 1);
    }
}

bool WinInetConnection::Read(char* buffer, std::uint32_t size, std::uint32_t& got) {
    HINTERNET request = RequestHandle();
    DWORD read = 0;
    const bool ok = request && InternetReadFile(request, buffer, size, &read);
    got = ok ? read : 0;
    return ok;
}

void WinInetConnection::CloseRequest() {
    std::lock_guard lock(mutex_);
    request_.Reset();
    connection_.Reset();
}

void WinInetConnection::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    // No notifications from here on: the closing may come from a thread that is not the worker.
    if (internet_) InternetSetStatusCallbackA(internet_.Get(), nullptr);
    request_.Reset();
    connection_.Reset();
    internet_.Reset();
}

}  // namespace wmb
