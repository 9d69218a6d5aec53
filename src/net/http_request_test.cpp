#include "net/http_request.h"

#include <gtest/gtest.h>

#include "base/date_time.h"
#include "support/http_fakes.h"
#include "net/wininet_values.h"

namespace wmb {
namespace {

struct TEvents : IHttpRequestEvents {
    bool handler = true, continueDownload = true;
    int passwordAnswers = 0;
    std::vector<TudHeaderInfo> headers;
    std::vector<TudProgress> progress;
    std::vector<std::string> realms;
    std::function<void()> onProgress = [] {};
    TudLoginComponent* login = nullptr;

    bool HasHeaderInfoHandler() const override { return handler; }
    void HeaderInfo(const TudHeaderInfo& info, bool& go) override { headers.push_back(info), go = continueDownload; }
    void Progress(const TudProgress& p, const std::string&) override { progress.push_back(p), onProgress(); }
    bool PasswordRequest(const std::string& realm) override {
        realms.push_back(realm);
        login->HTTPUsername = "ann", login->HTTPPassword = "pw";
        return passwordAnswers-- > 0;
    }
    bool ProxyAuthentication(std::string& u, std::string& p) override { return u = "pu", p = "pp", false; }
    std::function<void(std::uint32_t)> onStatus = [](std::uint32_t) {};
    void Status(std::uint32_t status, const std::string&, const std::string&) override { onStatus(status); }
};

struct HttpRequestRun : ::testing::Test {
    TudHTTPSettings settings;
    TudLoginComponent login;
    TFakeConnection net;
    TFakeFiles files;
    TEvents events;
    std::uint32_t tick = 0;
    bool abort = false;

    THttpRequestRun Run(const char* url, TudRunEnd end = TudRunEnd::Finished, bool deletePartial = false) {
        settings.Url = url;
        settings.TransferBufferSize = 4;
        events.login = &login;
        THttpRequestRun run(settings, login, net, files, events, [this] { return tick += 500; }, [this] { return abort; });
        EXPECT_EQ(run.Execute(), end) << url;
        if (end == TudRunEnd::Aborted) run.Release(deletePartial);
        return run;
    }
};

TEST_F(HttpRequestRun, OutcomesOfReplies) {
    using O = TudRequestOutcome;
    TReply cut = Reply("200", "0123456789");
    cut.failAt = 6;
    const struct {
        TReply reply;
        const char* output;
        O outcome;
        std::uint32_t bytes;
        const char* memory;
        bool fileLeft;
    } cases[] = {
        {Reply("200", "0123456789"), "", O::Done, 10, "0123456789", false},
        {Reply("200", "0123456789", false), "", O::Done, 10, "0123456789", false},
        {Reply("200", "0123456789"), "out.bin", O::Done, 10, "", true},
        {cut, "out.bin", O::TransferLost, 6, "", true},
        {Reply("404", "<h1>gone</h1>"), "out.bin", O::HttpError, 13, "<h1>gone</h1>", false},
        {Reply("200", "0123456789"), "locked.bin", O::HttpError, 0, "", false},
    };
    for (const auto& c : cases) {
        files.disk.clear(), files.unwritable = "locked.bin";
        net.replies = {c.reply};
        settings.OutputFileName = c.output;
        const auto run = Run("updates.example.com/wmb.inf");
        EXPECT_EQ(OutcomeOf(run.State()), c.outcome) << c.reply.body << " " << c.output;
        EXPECT_EQ(run.State().BytesRead, c.bytes) << c.reply.body;
        EXPECT_EQ(run.Body(), c.memory);
        EXPECT_EQ(files.disk.count(c.output) == 1, c.fileLeft) << c.output;
    }
    EXPECT_EQ(files.disk.size(), 0u);
    settings.OutputFileName = "";
    net.connects = false;
    EXPECT_EQ(OutcomeOf(Run("http://127.0.0.1:1/").State()), O::NoConnection);
    net.connects = true;
    EXPECT_EQ(OutcomeOf(Run("http://127.0.0.1:1/").State()), O::NoConnection);  // nothing answers the send
    EXPECT_EQ(OutcomeOf(Run("http://h:99999/").State()), O::NoConnection);      // not an address
}

TEST_F(HttpRequestRun, RequestIsMadeFromTheSettings) {
    net.replies = {Reply("200", "")};
    settings.InternetOptions |= ioNoCookies;
    settings.Timeouts.ReceiveTimeout = 7000;
    settings.CustomHeaders = {"X-Wmb: 1"};
    login = {"ann", "pw"};
    Run("https://updates.example.com/a/wmb.inf?v=2");
    EXPECT_EQ(net.openArgs.Agent, kHttpAgentName);
    EXPECT_EQ(net.host, "updates.example.com");
    EXPECT_EQ(net.port, 443);
    EXPECT_EQ(net.user, "ann");
    EXPECT_EQ(net.password, "pw");
    EXPECT_EQ(net.verb, "GET");
    EXPECT_EQ(net.object, "/a/wmb.inf?v=2");
    // The settings' flags, and never following a redirect inside the library (0x200000).
    EXPECT_EQ(net.flags, 0xC80C10u | 0x200000u);
    EXPECT_EQ(net.options, (std::vector<TRequestOption>{{6, 7000}}));
    EXPECT_EQ(net.added, (std::vector<std::pair<std::string, std::uint32_t>>{{"X-Wmb: 1\r\n", 0x20000000}}));
    EXPECT_EQ(net.sentHeaders, "");
    net.replies = {Reply("200", "")};
    settings.PostData = "crash=1";
    Run("http://h/send");
    EXPECT_EQ(net.verb, "POST");
    EXPECT_EQ(net.sentHeaders, kPostContentTypeHeader);
    EXPECT_EQ(net.sentBody, "crash=1");
}

TEST_F(HttpRequestRun, HeaderInfoAndItsContinueFlag) {
    TReply reply = Reply("200", "body");
    reply.headers[inet::kQueryLastModified] = "Sun, 06 Nov 1994 08:49:37 GMT";
    reply.headers[inet::kQueryEtag] = "\"v1\"";
    net.replies = {reply};
    Run("http://h/");
    ASSERT_EQ(events.headers.size(), 1u);
    EXPECT_EQ(events.headers[0].StatusCode, 200);
    EXPECT_EQ(events.headers[0].ContentLength, 4u);
    EXPECT_EQ(events.headers[0].ContentType, "text/plain");
    EXPECT_DOUBLE_EQ(events.headers[0].LastModified, EncodeDateTime(1994, 11, 6, 8, 49, 37, 0));
    EXPECT_EQ(events.headers[0].Date, 0);
    EXPECT_EQ(events.headers[0].EntityTag, "\"v1\"");
    net.replies = {reply};
    events.continueDownload = false;
    const int reads = net.reads;
    const auto skipped = Run("http://h/");
    EXPECT_EQ(OutcomeOf(skipped.State()), TudRequestOutcome::Skipped);
    EXPECT_EQ(net.reads, reads);
}

TEST_F(HttpRequestRun, ProgressPerBlock) {
    net.replies = {Reply("200", "0123456789")};
    Run("http://h/");
    ASSERT_EQ(events.progress.size(), 3u);
    EXPECT_EQ(events.progress[0].PercentDone, 40);
    EXPECT_EQ(events.progress[2].PercentDone, 100);
    EXPECT_EQ(events.progress[2].BytesSoFar, 10u);
    EXPECT_EQ(events.progress[2].SecondsElapsed, 1u);  // 500 ms per tick asked
}

TEST_F(HttpRequestRun, FileAddresses) {
    files.disk["C:\\upd\\wmb.inf"] = "[Update]";
    EXPECT_EQ(Run("file:///C:/upd/wmb.inf").Body(), "[Update]");
    const auto missing = Run("file:///C:/upd/none.inf");
    EXPECT_EQ(missing.State().StatusCode, 404);
    EXPECT_EQ(OutcomeOf(missing.State()), TudRequestOutcome::HttpError);
    files.disk["part.bin"] = "[Up";
    settings.OutputFileName = "part.bin";
    settings.Range.StartRange = 3;
    EXPECT_EQ(OutcomeOf(Run("file:///C:/upd/wmb.inf").State()), TudRequestOutcome::Done);
    EXPECT_EQ(files.disk["part.bin"], "[Update]");
    EXPECT_EQ(net.sends, 0);
}

TEST_F(HttpRequestRun, AbortBetweenBlocks) {
    settings.OutputFileName = "out.bin";
    events.onProgress = [this] { abort = events.progress.size() == 2; };
    for (bool deletePartial : {false, true}) {
        net.replies = {Reply("200", "0123456789")};
        events.progress.clear(), abort = false;
        Run("http://h/", TudRunEnd::Aborted, deletePartial);
        EXPECT_EQ(events.progress.size(), 2u);
        EXPECT_EQ(files.disk.count("out.bin"), deletePartial ? 0u : 1u);
    }
}

TEST_F(HttpRequestRun, LoginAskedAgainOn401) {
    TReply denied = Reply("401", "no");
    denied.headers[inet::kQueryWwwAuthenticate] = "Basic realm=\"Wildmere updates\"";
    net.replies = {denied, Reply("200", "ok")};
    events.passwordAnswers = 1;
    EXPECT_EQ(Run("http://h/").Body(), "ok");
    EXPECT_EQ(events.realms, (std::vector<std::string>{"Wildmere updates"}));
    EXPECT_EQ(net.textOptions, (std::map<std::uint32_t, std::string>{{28, "ann"}, {29, "pw"}}));
    net.replies = {denied, denied};
    EXPECT_EQ(Run("http://h/").State().StatusCode, 401);  // not asked again: the error page is read
    net.replies = {Reply("407", "")};
    EXPECT_EQ(Run("http://h/").State().StatusCode, 407);
}

TEST_F(HttpRequestRun, ResumeRefusedWith416) {
    settings.OutputFileName = "upd.exe";
    settings.Range.StartRange = 5;
    for (const char* length : {"5", "8"}) {
        files.disk["upd.exe"] = "01234";
        TReply full = Reply("200", "01234567");
        full.headers[inet::kQueryContentLength] = length;
        net.replies = {Reply("416", ""), full};
        net.added.clear();
        const auto run = Run("http://h/upd.exe");
        EXPECT_EQ(net.added.back(), (std::pair<std::string, std::uint32_t>{"RANGE: bytes=0-\r\n", 0x80000000}));
        EXPECT_EQ(OutcomeOf(run.State()), TudRequestOutcome::Done);
        // Complete already when the whole file is as long as the part there; else it comes again whole.
        EXPECT_EQ(files.disk["upd.exe"], length == std::string("5") ? "01234" : "01234567");
    }
}

TReply Redirect(const char* status, const std::string& location) {
    TReply reply = Reply(status, "moved");
    reply.headers[inet::kQueryLocation] = location;
    reply.sameRequest = true;
    return reply;
}

TEST_F(HttpRequestRun, RedirectsFollowedByTheRunUpToTheLimit) {
    using O = TudRequestOutcome;
    // `count` redirects from hop to hop, then a 200 when one is left to send.
    const auto hops = [](int count) {
        std::deque<TReply> replies;
        for (int i = 0; i < count; ++i) replies.push_back(Redirect("302", "/hop" + std::to_string(i + 1)));
        TReply last = Reply("200", "end");
        last.sameRequest = true;
        replies.push_back(last);
        return replies;
    };
    const struct {
        std::deque<TReply> replies;
        TudInternetOptions options;
        O outcome;
        int sends;
        const char* lastObject;
        const char* lastHost;
    } cases[] = {
        {{Redirect("301", "/b"), Reply("200", "body")}, 0, O::Done, 2, "/b", "h:80"},
        {{Redirect("307", "other"), Reply("200", "body")}, 0, O::Done, 2, "/dir/other", "h:80"},
        {{Redirect("308", "https://s:444/x?y"), Reply("200", "body")}, 0, O::Done, 2, "/x?y", "s:444"},
        {{Redirect("303", "//far/z"), Reply("200", "body")}, 0, O::Done, 2, "/z", "far:80"},
        {hops(10), 0, O::Done, 11, "/hop10", "h:80"},
        {hops(11), 0, O::HttpError, 11, "/hop10", "h:80"},
        {{Redirect("302", "file:///C:/Windows/win.ini")}, 0, O::HttpError, 1, "/dir/a", "h:80"},
        {{Redirect("302", "")}, 0, O::HttpError, 1, "/dir/a", "h:80"},
        {{Redirect("302", "/b")}, ioNoAutoRedirect, O::HttpError, 1, "/dir/a", "h:80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sends);
        net = TFakeConnection{};
        net.replies = c.replies;
        settings.InternetOptions = c.options;
        const THttpRequestRun run = Run("http://h/dir/a");
        EXPECT_EQ(OutcomeOf(run.State()), c.outcome);
        EXPECT_EQ(run.State().TooManyRedirects, c.sends == 11 && c.outcome == O::HttpError);
        EXPECT_EQ(net.sends, c.sends);
        EXPECT_EQ(net.objects.back(), c.lastObject);
        EXPECT_EQ(net.hosts.back(), c.lastHost);
        EXPECT_EQ(net.requestsClosed, c.sends - 1);
        EXPECT_TRUE(net.flags & inet::kFlagNoAutoRedirect) << "the library must never follow on its own";
        // A followed redirect raises no header event: only the reply that ends the request does.
        EXPECT_EQ(events.headers.size(), c.outcome == O::Done ? 1u : (c.sends == 11 ? 0u : 1u));
        events.headers.clear();
    }
}

TEST_F(HttpRequestRun, AnAbortEndsARedirectLoop) {
    for (int i = 0; i < 5; ++i) net.replies.push_back(Redirect("302", "/again"));
    int sends = 0;
    events.onStatus = [&](std::uint32_t status) {
        if (status == inet::kStatusRedirect && ++sends == 2) abort = true;
    };
    Run("http://h/a", TudRunEnd::Aborted);
    EXPECT_EQ(net.sends, 2);
}

}  // namespace
}  // namespace wmb
