#include "net/http_request.h"

#include <algorithm>
#include <vector>

#include "net/wininet_values.h"

namespace wmb {

THttpRequestRun::THttpRequestRun(const TudHTTPSettings& settings, TudLoginComponent& login,
                                 IHttpConnection& connection, IHttpFiles& files, IHttpRequestEvents& events,
                                 std::function<std::uint32_t()> tickCount, std::function<bool()> abortRequested)
    : settings_(settings),
      login_(login),
      connection_(connection),
      files_(files),
      events_(events),
      tickCount_(std::move(tickCount)),
      abortRequested_(std::move(abortRequested)),
      proxyUsername_(settings.Proxy.ProxyUsername),
      proxyPassword_(settings.Proxy.ProxyPassword) {}

TudRunEnd THttpRequestRun::Execute() {
    state_ = TudRequestState{};
    startTick_ = tickCount_();
    Fetch();
    return aborted_ ? TudRunEnd::Aborted : TudRunEnd::Finished;
}

void THttpRequestRun::Release(bool deleteFile) {
    connection_.Close();
    localSource_.reset();
    file_.reset();
    if (fileMade_ && deleteFile) files_.Delete(settings_.OutputFileName);
}

bool THttpRequestRun::Aborted() {
    if (!aborted_ && abortRequested_()) aborted_ = true;
    return aborted_;
}

void THttpRequestRun::Fetch() {
    if (Aborted()) return;
    std::string url = WithSchemePrefix(settings_.Url);
    // The library is told not to follow redirects: the run follows them itself, so that it can count them.
    for (int redirects = 0;; ++redirects) {
        auto parts = CrackUrl(url);
        if (!parts) return;
        FillCredentials(*parts, login_);
        if (redirects == 0 && SchemeIs(*parts, "file")) {
            OpenLocalFile(*parts);
            break;
        }
        std::string redirect;
        if (!Request(*parts, redirects == 0, url, redirect)) return;
        if (redirect.empty()) {
            if (!state_.ContinueDownload) return;
            break;
        }
        if (redirects == kMaxRedirects) {
            state_.TooManyRedirects = true;
            return;
        }
        connection_.CloseRequest();
        events_.Status(inet::kStatusRedirect, StatusText(inet::kStatusRedirect), redirect);
        url = redirect;
        if (Aborted()) return;
    }
    if (Aborted() || resumeComplete_ || !MakeTarget()) return;
    ReadBody();
}

void THttpRequestRun::OpenLocalFile(const TUrlParts& parts) {
    local_ = true;
    const std::uint32_t start = settings_.Range.StartRange;
    std::uint32_t size = 0;
    localSource_ = files_.OpenForReading(FilePathOfUrl(parts), start, size);
    state_.StatusCode = localSource_ ? 200 : 404;
    // The part from the start offset on is what is read; it is appended to the output file.
    state_.ContentLength = localSource_ && size > start ? size - start : 0;
    appending_ = localSource_ && start != 0;
}

bool THttpRequestRun::Request(const TUrlParts& parts, bool first, const std::string& url, std::string& redirect) {
    const auto status = [this](std::uint32_t code, const std::string& newUrl) {
        events_.Status(code, StatusText(code), newUrl);
    };
    if (first && (!connection_.Open(InternetOpenArgs(settings_.AgentName, settings_.Proxy, false), status) || Aborted()))
        return false;
    if (!connection_.Connect(parts.HostName, parts.Port, parts.UserName, parts.Password) || Aborted()) return false;
    const char* verb = RequestVerb(settings_.PostData, !settings_.UploadData.empty());
    const std::uint32_t flags =
        OpenRequestFlags(settings_.CacheOptions, settings_.InternetOptions, SchemeIs(parts, "https")) |
        inet::kFlagNoAutoRedirect;
    if (!connection_.OpenRequest(verb, RequestObject(parts), settings_.Referer, settings_.AcceptTypes, flags) || Aborted())
        return false;
    for (const auto& option : TimeoutOptions(settings_.Timeouts)) connection_.SetOption(option.Option, option.Value);
    const TudHTTPRange& range = settings_.Range;
    const bool ranged = range.StartRange != 0 || range.EndRange != 0;
    const std::string lines =
        RequestHeaderText(settings_.CustomHeaders, ranged ? RangeHeaderLine(range.StartRange, range.EndRange) : "");
    if (!lines.empty()) connection_.AddHeaders(lines, inet::kAddHeaderAdd);
    if (Aborted() || !SendAndReadStatus() || !Authenticate() || !RestartAfterRangeRefused()) return false;
    redirect = RedirectTarget(url);
    if (!redirect.empty()) return true;
    appending_ = state_.StatusCode == 206 && range.StartRange != 0;
    ReadHeaders();
    return true;
}

std::string THttpRequestRun::RedirectTarget(const std::string& url) {
    if (!IsRedirectStatus(state_.StatusCode) || (settings_.InternetOptions & ioNoAutoRedirect)) return {};
    return ResolveRedirect(url, connection_.Query(inet::kQueryLocation).value_or("")).value_or("");
}

bool THttpRequestRun::SendAndReadStatus() {
    const std::string& post = settings_.PostData;
    const bool sent = !settings_.UploadData.empty() ? Upload()
                                                     : connection_.Send(post.empty() ? "" : kPostContentTypeHeader, post);
    if (!sent) {
        state_.StatusCode = -1;
        return false;
    }
    state_.StatusCode = ParseStatusCode(connection_.Query(inet::kQueryStatusCode).value_or(""));
    return true;
}

bool THttpRequestRun::Upload() {
    const std::string& data = settings_.UploadData;
    const std::size_t chunk = std::max<std::uint32_t>(settings_.TransferBufferSize, 1);
    if (!connection_.BeginUpload(static_cast<std::uint32_t>(data.size()))) return false;
    for (std::size_t at = 0; at < data.size(); at += chunk) {
        const auto size = static_cast<std::uint32_t>(std::min(chunk, data.size() - at));
        if (Aborted() || !connection_.Write(data.data() + at, size)) return false;
    }
    return connection_.EndUpload();
}

bool THttpRequestRun::Authenticate() {
    for (;;) {
        if (state_.StatusCode == 401) {
            const std::string realm = RealmOf(connection_.Query(inet::kQueryWwwAuthenticate).value_or(""));
            if (!events_.PasswordRequest(realm)) return true;
            connection_.SetTextOption(inet::kOptionUsername, login_.HTTPUsername);
            connection_.SetTextOption(inet::kOptionPassword, login_.HTTPPassword);
        } else if (state_.StatusCode == 407) {
            if (!events_.ProxyAuthentication(proxyUsername_, proxyPassword_)) return true;
            connection_.SetTextOption(inet::kOptionProxyUsername, proxyUsername_);
            connection_.SetTextOption(inet::kOptionProxyPassword, proxyPassword_);
        } else {
            return true;
        }
        if (Aborted() || !SendAndReadStatus()) return false;
    }
}

bool THttpRequestRun::RestartAfterRangeRefused() {
    const std::uint32_t start = settings_.Range.StartRange;
    if (state_.StatusCode != 416 || start == 0) return true;
    connection_.AddHeaders(RangeHeaderLine(0, 0), inet::kAddHeaderReplace);
    if (Aborted() || !SendAndReadStatus()) return false;
    const auto length = connection_.Query(inet::kQueryContentLength);
    resumeComplete_ = IsTransferStatus(state_.StatusCode) && ResumedFileComplete(ParseContentLength(length.value_or("")), start);
    return true;
}

void THttpRequestRun::ReadHeaders() {
    const auto text = [this](std::uint32_t query) { return connection_.Query(query).value_or(""); };
    contentType_ = text(inet::kQueryContentType);
    state_.ContentLength = ParseContentLength(text(inet::kQueryContentLength));
    if (!events_.HasHeaderInfoHandler()) return;
    TudHeaderInfo info;
    info.StatusCode = state_.StatusCode;
    info.RawHeaders = text(inet::kQueryRawHeadersCrlf);
    info.ContentType = contentType_;
    info.ContentLanguage = text(inet::kQueryContentLanguage);
    info.ContentEncoding = text(inet::kQueryContentEncoding);
    info.ContentLength = state_.ContentLength;
    info.Location = text(inet::kQueryLocation);
    info.Date = ParseHttpDate(text(inet::kQueryDate));
    info.LastModified = ParseHttpDate(text(inet::kQueryLastModified));
    info.Expires = ParseHttpDate(text(inet::kQueryExpires));
    info.EntityTag = text(inet::kQueryEtag);
    events_.HeaderInfo(info, state_.ContinueDownload);
}

bool THttpRequestRun::MakeTarget() {
    if (BodyGoesToFile(state_.StatusCode, settings_.OutputFileName)) {
        file_ = files_.Create(settings_.OutputFileName, appending_, settings_.HiddenTempFiles);
        if (!file_) {
            state_.TargetFailed = true;
            return false;
        }
        fileMade_ = true;
    } else {
        body_.clear();
        body_.reserve(MemoryPresize(state_.ContentLength));
    }
    state_.HasTarget = true;
    return true;
}

void THttpRequestRun::ReadBody() {
    if (local_ && !localSource_) return;
    std::vector<char> buffer(std::max<std::uint32_t>(settings_.TransferBufferSize, 1));
    const auto size = static_cast<std::uint32_t>(buffer.size());
    const std::uint32_t offset = appending_ ? settings_.Range.StartRange : 0;
    while (!Aborted()) {
        std::uint32_t got = 0;
        const bool read = local_ ? localSource_->Read(buffer.data(), size, got) : connection_.Read(buffer.data(), size, got);
        if (!read || (file_ && got != 0 && !file_->Write(buffer.data(), got))) {
            state_.ReadFailed = true;
            return;
        }
        if (got == 0) return;
        if (!file_) body_.append(buffer.data(), got);
        state_.BytesRead += got;
        events_.Progress(ComputeProgress(state_.BytesRead, state_.ContentLength, offset, startTick_, tickCount_()),
                         contentType_);
    }
}

}  // namespace wmb
