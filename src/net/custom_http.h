#pragma once
// The HTTP client component: fetches one address at a time on a worker thread of its own and reports the
// headers, the progress and the outcome as events on the user-interface thread, the worker waiting for each
// handler. The body goes into memory or into the output file.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "net/http_request.h"

namespace wmb {

// The way from a request's worker thread back to the user-interface thread. The worker keeps it as long
// as it runs, which may be longer than the component: a worker left blocked in the library ends on its own.
class IHttpWorkerLink {
public:
    virtual ~IHttpWorkerLink() = default;
    // Runs `call` on the user-interface thread and returns once it has run (or at once when that thread no
    // longer takes calls).
    virtual void CallOnUiThread(const std::function<void()>& call) = 0;
    // The worker's last step: queues `call` for the user-interface thread without waiting.
    virtual void PostToUiThread(std::function<void()> call) = 0;
    virtual std::uint32_t TickCount() = 0;  // milliseconds
};

// What the component needs of the platform; called on the user-interface thread.
class IHttpServices {
public:
    virtual ~IHttpServices() = default;
    // The library's handles of one request; used by the worker, closed from either thread.
    virtual std::unique_ptr<IHttpConnection> NewConnection() = 0;
    virtual std::shared_ptr<IHttpFiles> Files() = 0;
    virtual std::shared_ptr<IHttpWorkerLink> WorkerLink() = 0;
    // Runs `work` on a fresh thread; false when no thread could be made.
    virtual bool StartWorker(TudThreadPriority priority, std::function<void()> work) = 0;
};

class TudCustomHTTP;

// The memory target of a request; nothing while the body goes into the output file.
using TudBodyTarget = const std::string*;

struct TudHTTPEvents {
    std::function<void(TudCustomHTTP&, const TudHeaderInfo&, bool& continueDownload)> OnHeaderInfo;
    std::function<void(TudCustomHTTP&, const std::string& contentType, TudBodyTarget, const TudProgress&)>
        OnDownloadProgress;
    std::function<void(TudCustomHTTP&, const std::string& contentType, TudBodyTarget, std::uint32_t bytesRead)>
        OnDone;
    std::function<void(TudCustomHTTP&, const std::string& contentType, TudBodyTarget, std::uint32_t bytesRead,
                       std::uint32_t contentLength)>
        OnTransferLost;
    std::function<void(TudCustomHTTP&)> OnNoConnection;
    std::function<void(TudCustomHTTP&, std::int32_t statusCode, TudBodyTarget)> OnHttpError;
    std::function<void(TudCustomHTTP&)> OnSkipped;
    std::function<void(TudCustomHTTP&)> OnRequestAborted;
    // Status 401: may change HTTPUsername/HTTPPassword; tryAgain sends the request again.
    std::function<void(TudCustomHTTP&, const std::string& realm, bool& tryAgain)> OnPasswordRequest;
    // Status 407: may change the proxy login; tryAgain sends the request again.
    std::function<void(TudCustomHTTP&, std::string& proxyUsername, std::string& proxyPassword, bool& tryAgain)>
        OnProxyAuthentication;
    // Every status notification of the library, as its text.
    std::function<void(TudCustomHTTP&, std::uint32_t status, const std::string& text)> OnStatus;
    std::function<void(TudCustomHTTP&, const std::string& newUrl)> OnRedirect;
};

class TudCustomHTTP : public TudLoginComponent, public TudHTTPSettings, public TudHTTPEvents {
public:
    explicit TudCustomHTTP(IHttpServices& services);
    // A running request is stopped as by an immediate abort, without its event; its partial output file is
    // deleted.
    virtual ~TudCustomHTTP();
    TudCustomHTTP(const TudCustomHTTP&) = delete;
    TudCustomHTTP& operator=(const TudCustomHTTP&) = delete;

    // Starts fetching Url with the settings as they are now, the range cleared; false (and nothing done)
    // while busy.
    bool StartRequest();
    // The same for the bytes from startRange to endRange (0: to the end), appended to an existing output
    // file: a resume.
    bool StartRangeRequest(std::uint32_t startRange, std::uint32_t endRange);
    // Stops the running request: the worker stops before its next step or block, the handles are closed and
    // OnRequestAborted follows. With `immediate` the abort is finished before this returns: the handles and
    // the output file are closed at once and the worker, never killed, ends on its own without touching the
    // component. No effect when idle.
    void AbortRequest(bool deletePartialFile, bool immediate);
    bool IsBusy() const { return busy_; }

    // The state of the running or last request.
    std::int32_t StatusCode() const { return state_.StatusCode; }
    std::uint32_t ContentLength() const { return state_.ContentLength; }
    std::uint32_t BytesRead() const { return state_.BytesRead; }
    const std::string& ContentType() const { return contentType_; }
    // Whether the last request ended because it was redirected more than kMaxRedirects times.
    bool TooManyRedirects() const { return state_.TooManyRedirects; }

private:
    class Request;
    void Dispatch(const std::shared_ptr<Request>& request);
    void FinishAbort();

    IHttpServices& services_;
    std::shared_ptr<Request> request_;
    bool busy_ = false;
    TudRequestState state_;
    std::string contentType_;
};

}  // namespace wmb
