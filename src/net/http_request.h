#pragma once
// One request's run from the address to the last block of the body, against the library and the disk
// behind interfaces: the worker's side of a request, without the thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "net/http_headers.h"
#include "net/http_progress.h"
#include "net/http_request_setup.h"
#include "net/http_settings.h"
#include "net/http_url.h"

namespace wmb {

// The library's handles of one request (internet, connection, request) and the calls made on them.
class IHttpConnection {
public:
    virtual ~IHttpConnection() = default;
    // Also registers the status callback, which the library calls on the worker with each notification and,
    // for a redirect, the new address.
    virtual bool Open(const TInternetOpenArgs& args,
                      std::function<void(std::uint32_t status, const std::string& newUrl)> statusCallback) = 0;
    virtual bool Connect(const std::string& host, std::uint16_t port, const std::string& user,
                         const std::string& password) = 0;
    virtual bool OpenRequest(const std::string& verb, const std::string& object, const std::string& referer,
                             const std::string& acceptTypes, std::uint32_t flags) = 0;
    virtual void SetOption(std::uint32_t option, std::uint32_t value) = 0;
    virtual void SetTextOption(std::uint32_t option, const std::string& value) = 0;
    virtual void AddHeaders(const std::string& lines, std::uint32_t mode) = 0;
    virtual bool Send(const std::string& headers, const std::string& body) = 0;
    // An upload: the request sent with its total size, then written in parts, then ended.
    virtual bool BeginUpload(std::uint32_t totalSize) = 0;
    virtual bool Write(const char* data, std::uint32_t size) = 0;
    virtual bool EndUpload() = 0;
    virtual std::optional<std::string> Query(std::uint32_t query) = 0;  // nothing when the reply lacks it
    virtual bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) = 0;
    // Closes the request and the connection, keeping the internet handle for the next Connect: a redirect.
    virtual void CloseRequest() = 0;
    // Closes whichever handles are open; may come from another thread while a call waits, which then fails.
    virtual void Close() = 0;
};

class IByteSource {
public:
    virtual ~IByteSource() = default;
    virtual bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) = 0;
};

class IBodyFile {
public:
    virtual ~IBodyFile() = default;
    virtual bool Write(const char* data, std::uint32_t size) = 0;
};

class IHttpFiles {
public:
    virtual ~IHttpFiles() = default;
    // Nothing when the file cannot be opened; size is the whole file, reading starts at startAt.
    virtual std::unique_ptr<IByteSource> OpenForReading(const std::string& path, std::uint32_t startAt,
                                                        std::uint32_t& size) = 0;
    // Nothing when the file cannot be made; append keeps what is there.
    virtual std::unique_ptr<IBodyFile> Create(const std::string& path, bool append, bool hiddenTemporary) = 0;
    virtual void Delete(const std::string& path) = 0;
};

struct TudHeaderInfo {
    std::int32_t StatusCode = -1;
    std::string RawHeaders;
    std::string ContentType;
    std::string ContentLanguage;
    std::string ContentEncoding;
    std::uint32_t ContentLength = 0;
    std::string Location;
    TDateTime Date = 0;
    TDateTime LastModified = 0;
    TDateTime Expires = 0;
    std::string EntityTag;
};

// What the run asks of its owner; the owner hands each call to the user-interface thread and waits.
class IHttpRequestEvents {
public:
    virtual ~IHttpRequestEvents() = default;
    virtual bool HasHeaderInfoHandler() const = 0;
    virtual void HeaderInfo(const TudHeaderInfo& info, bool& continueDownload) = 0;
    virtual void Progress(const TudProgress& progress, const std::string& contentType) = 0;
    // Status 401: the handler may change the login; true sends again.
    virtual bool PasswordRequest(const std::string& realm) = 0;
    // Status 407: true sends again with the proxy login given.
    virtual bool ProxyAuthentication(std::string& user, std::string& password) = 0;
    virtual void Status(std::uint32_t status, const std::string& text, const std::string& newUrl) = 0;
};

enum class TudRunEnd { Finished, Aborted };

// The redirects one request follows; the next one ends it with an error.
inline constexpr int kMaxRedirects = 10;

// One run per request.
class THttpRequestRun {
public:
    THttpRequestRun(const TudHTTPSettings& settings, TudLoginComponent& login, IHttpConnection& connection,
                    IHttpFiles& files, IHttpRequestEvents& events, std::function<std::uint32_t()> tickCount,
                    std::function<bool()> abortRequested);

    // Runs the request; an abort found between steps or blocks ends it there, its handles and target left to
    // Release.
    TudRunEnd Execute();

    const TudRequestState& State() const { return state_; }
    const std::string& ContentType() const { return contentType_; }
    const std::string& Body() const { return body_; }  // the memory target
    bool BodyInFile() const { return fileMade_; }

    // Closes the handles and the output file; the file goes too when deleteFile is set.
    void Release(bool deleteFile);

private:
    bool Aborted();
    void Fetch();
    void OpenLocalFile(const TUrlParts& parts);
    // One exchange with a server; `redirect` gets the address a redirect leads to (empty when none).
    bool Request(const TUrlParts& parts, bool first, const std::string& url, std::string& redirect);
    std::string RedirectTarget(const std::string& url);
    bool SendAndReadStatus();
    bool Upload();
    bool Authenticate();
    bool RestartAfterRangeRefused();
    void ReadHeaders();
    bool MakeTarget();
    void ReadBody();

    const TudHTTPSettings& settings_;
    TudLoginComponent& login_;
    IHttpConnection& connection_;
    IHttpFiles& files_;
    IHttpRequestEvents& events_;
    std::function<std::uint32_t()> tickCount_;
    std::function<bool()> abortRequested_;

    TudRequestState state_;
    std::string contentType_;
    std::string body_;
    std::unique_ptr<IByteSource> localSource_;
    std::unique_ptr<IBodyFile> file_;
    bool local_ = false;
    bool fileMade_ = false;
    bool appending_ = false;
    bool resumeComplete_ = false;
    bool aborted_ = false;
    std::uint32_t startTick_ = 0;
    std::string proxyUsername_;
    std::string proxyPassword_;
};

}  // namespace wmb
