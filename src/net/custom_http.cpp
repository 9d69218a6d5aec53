#include "net/custom_http.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "net/http_request_files.h"
#include "net/wininet_values.h"

namespace wmb {

// One request: the settings it started with, its handles, its run on the worker and the way back to the
// component. The component lets go of it (detaches it) when it stops waiting for it; a detached request
// raises no events and touches the component no more.
class TudCustomHTTP::Request : public IHttpRequestEvents, public std::enable_shared_from_this<Request> {
public:
    Request(TudCustomHTTP& owner, IHttpServices& services)
        : owner_(owner),
          link_(services.WorkerLink()),
          settings_(owner),
          login_(owner),
          connection_(services.NewConnection()),
          files_(services.Files()),
          run_(settings_, login_, *connection_, files_, *this, [link = link_.get()] { return link->TickCount(); },
               [this] { return abort_.load(); }),
          hasHeaderInfo_(static_cast<bool>(owner.OnHeaderInfo)),
          hasProgress_(static_cast<bool>(owner.OnDownloadProgress)),
          wantsStatus_(owner.OnStatus || owner.OnRedirect) {}

    void Work() {
        end_ = run_.Execute();
        if (end_ == TudRunEnd::Aborted && !detached_) run_.Release(deletePartial_);
        link_->PostToUiThread([self = shared_from_this()] {
            if (!self->detached_) self->owner_.Dispatch(self);
        });
    }

    // User-interface thread.
    void Abort(bool deletePartialFile) {
        deletePartial_ = deletePartialFile;
        abort_ = true;
    }
    // The request is over for the component: the handles and files are closed under the worker, which
    // returns from a waiting call when the library lets it and then ends without touching the component.
    void Detach(bool deletePartialFile) {
        detached_ = true;
        abort_ = true;
        connection_->Close();
        files_.CloseAll(deletePartialFile);
    }

    THttpRequestRun& Run() { return run_; }
    // Aborted by the worker, or asked to abort after the worker had passed its last check.
    bool Aborted() const { return end_ == TudRunEnd::Aborted || abort_; }
    bool DeletePartial() const { return deletePartial_; }
    TudBodyTarget Target() const { return run_.BodyInFile() ? nullptr : &run_.Body(); }

private:
    // Runs `event` on the user-interface thread with the component's state brought up to date, unless the
    // request is being stopped.
    template <class F>
    void Raise(F event) {
        link_->CallOnUiThread([&] {
            if (detached_ || abort_) return;
            owner_.state_ = run_.State();
            owner_.contentType_ = run_.ContentType();
            event();
        });
    }

    // The worker reads nothing of the component: it may be gone by then.
    bool HasHeaderInfoHandler() const override { return hasHeaderInfo_; }
    void HeaderInfo(const TudHeaderInfo& info, bool& continueDownload) override {
        Raise([&] {
            if (owner_.OnHeaderInfo) owner_.OnHeaderInfo(owner_, info, continueDownload);
        });
    }
    // A handler that may look at the memory target gets each block while the worker waits. With a file
    // target the worker does not wait: the figures queue up and the user-interface thread takes them in
    // order, each as an event of its own, woken at most every kProgressWakeMs and in any case before the
    // request's outcome.
    void Progress(const TudProgress& progress, const std::string& contentType) override {
        if (!hasProgress_) return;
        if (!run_.BodyInFile()) {
            Raise([&] {
                if (owner_.OnDownloadProgress) owner_.OnDownloadProgress(owner_, contentType, Target(), progress);
            });
            return;
        }
        bool wake = false;
        {
            std::lock_guard lock(progressMutex_);
            queuedProgress_.push_back({progress, run_.State().BytesRead});
            const std::uint32_t now = link_->TickCount();
            if (!wakePending_ && now - lastWake_ >= kProgressWakeMs) wake = wakePending_ = true, lastWake_ = now;
        }
        if (wake) link_->PostToUiThread([self = shared_from_this()] { self->DeliverProgress(); });
    }

public:
    // User-interface thread: the queued progress events.
    void DeliverProgress() {
        std::vector<QueuedProgress> batch;
        {
            std::lock_guard lock(progressMutex_);
            batch.swap(queuedProgress_);
            wakePending_ = false;
        }
        for (const QueuedProgress& queued : batch) {
            if (detached_ || abort_ || !owner_.OnDownloadProgress) return;
            owner_.state_.BytesRead = queued.bytesRead;
            owner_.OnDownloadProgress(owner_, run_.ContentType(), nullptr, queued.progress);
        }
    }

private:
    bool PasswordRequest(const std::string& realm) override {
        bool tryAgain = false;
        Raise([&] {
            if (!owner_.OnPasswordRequest) return;
            owner_.OnPasswordRequest(owner_, realm, tryAgain);
            login_ = owner_;
        });
        return tryAgain;
    }
    bool ProxyAuthentication(std::string& user, std::string& password) override {
        bool tryAgain = false;
        Raise([&] {
            if (owner_.OnProxyAuthentication) owner_.OnProxyAuthentication(owner_, user, password, tryAgain);
        });
        return tryAgain;
    }
    void Status(std::uint32_t status, const std::string& text, const std::string& newUrl) override {
        if (!wantsStatus_) return;
        Raise([&] {
            if (owner_.OnStatus) owner_.OnStatus(owner_, status, text);
            if (status == inet::kStatusRedirect && owner_.OnRedirect) owner_.OnRedirect(owner_, newUrl);
        });
    }

    TudCustomHTTP& owner_;
    std::shared_ptr<IHttpWorkerLink> link_;
    const TudHTTPSettings settings_;
    TudLoginComponent login_;
    std::unique_ptr<IHttpConnection> connection_;
    THttpRequestFiles files_;
    THttpRequestRun run_;
    std::atomic<bool> abort_{false};
    std::atomic<bool> deletePartial_{false};
    std::atomic<bool> detached_{false};
    const bool hasHeaderInfo_;
    const bool hasProgress_;
    struct QueuedProgress {
        TudProgress progress;
        std::uint32_t bytesRead;
    };
    static constexpr std::uint32_t kProgressWakeMs = 20;
    std::mutex progressMutex_;
    std::vector<QueuedProgress> queuedProgress_;
    bool wakePending_ = false;
    std::uint32_t lastWake_ = 0;
    const bool wantsStatus_;
    TudRunEnd end_ = TudRunEnd::Finished;
};

TudCustomHTTP::TudCustomHTTP(IHttpServices& services) : services_(services) {}

TudCustomHTTP::~TudCustomHTTP() {
    if (request_) request_->Detach(true);
}

bool TudCustomHTTP::StartRequest() { return StartRangeRequest(0, 0); }

bool TudCustomHTTP::StartRangeRequest(std::uint32_t startRange, std::uint32_t endRange) {
    if (busy_) return false;
    Range = TudHTTPRange{startRange, endRange};
    auto request = std::make_shared<Request>(*this, services_);
    state_ = TudRequestState{};
    contentType_.clear();
    if (!services_.StartWorker(ThreadPriority, [request] { request->Work(); })) return false;
    request_ = std::move(request);
    busy_ = true;
    return true;
}

void TudCustomHTTP::AbortRequest(bool deletePartialFile, bool immediate) {
    if (!busy_) return;
    request_->Abort(deletePartialFile);
    if (!immediate) return;
    request_->Detach(deletePartialFile);
    FinishAbort();
}

void TudCustomHTTP::FinishAbort() {
    request_.reset();
    busy_ = false;
    if (OnRequestAborted) OnRequestAborted(*this);
}

void TudCustomHTTP::Dispatch(const std::shared_ptr<Request>& request) {
    if (request != request_) return;
    THttpRequestRun& run = request->Run();
    state_ = run.State();
    contentType_ = run.ContentType();
    request->DeliverProgress();
    if (request != request_) return;  // a progress handler aborted it at once
    if (request->Aborted()) {
        run.Release(request->DeletePartial());
        return FinishAbort();
    }
    run.Release(false);
    // The worker is done: a handler below may start the next request, which then owns request_ and busy_;
    // this request's buffer lives on in `request` until the handler has returned.
    request_.reset();
    busy_ = false;
    const TudRequestState state = state_;
    const std::string contentType = contentType_;
    switch (OutcomeOf(state)) {
    case TudRequestOutcome::Done:
        if (OnDone) OnDone(*this, contentType, request->Target(), state.BytesRead);
        break;
    case TudRequestOutcome::TransferLost:
        if (OnTransferLost) OnTransferLost(*this, contentType, request->Target(), state.BytesRead, state.ContentLength);
        break;
    case TudRequestOutcome::NoConnection:
        if (OnNoConnection) OnNoConnection(*this);
        break;
    case TudRequestOutcome::HttpError:
        // The partial file goes before the handler, which may start a request for the same file.
        run.Release(true);
        if (OnHttpError) OnHttpError(*this, state.StatusCode, request->Target());
        break;
    case TudRequestOutcome::Skipped:
        if (OnSkipped) OnSkipped(*this);
        break;
    }
}

}  // namespace wmb
