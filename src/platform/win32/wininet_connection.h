#pragma once
// The library side of one HTTP request over WinINet: the internet, connection and request handles and the
// calls made on them, all blocking, made by the request's worker thread. Close may come from another thread
// to make a waiting call return.

#include <windows.h>
#include <wininet.h>

#include <mutex>

#include "net/http_request.h"
#include "platform/win32/wrappers/unique_handle.h"

namespace wmb {

using InternetHandle = UniqueHandle<HINTERNET, &InternetCloseHandle>;

class WinInetConnection : public IHttpConnection {
public:
    WinInetConnection() = default;
    ~WinInetConnection() override { Close(); }

    bool Open(const TInternetOpenArgs& args,
              std::function<void(std::uint32_t status, const std::string& newUrl)> statusCallback) override;
    bool Connect(const std::string& host, std::uint16_t port, const std::string& user,
                 const std::string& password) override;
    bool OpenRequest(const std::string& verb, const std::string& object, const std::string& referer,
                     const std::string& acceptTypes, std::uint32_t flags) override;
    void SetOption(std::uint32_t option, std::uint32_t value) override;
    void SetTextOption(std::uint32_t option, const std::string& value) override;
    void AddHeaders(const std::string& lines, std::uint32_t mode) override;
    bool Send(const std::string& headers, const std::string& body) override;
    bool BeginUpload(std::uint32_t totalSize) override;
    bool Write(const char* data, std::uint32_t size) override;
    bool EndUpload() override;
    std::optional<std::string> Query(std::uint32_t query) override;
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) override;
    void CloseRequest() override;
    void Close() override;

private:
    static void CALLBACK StatusCallback(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID information,
                                        DWORD length);
    HINTERNET RequestHandle();

    std::mutex mutex_;  // the handles, against a Close from another thread
    bool closed_ = false;
    InternetHandle internet_;
    InternetHandle connection_;
    InternetHandle request_;
    std::function<void(std::uint32_t, const std::string&)> statusCallback_;
};

}  // namespace wmb
