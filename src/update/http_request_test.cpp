#include "update/http_request.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "demos/filefinder/search_criteria.h"
#include "update/wininet_values.h"

namespace wmb {
namespace {

struct TReply {
    std::map<std::uint32_t, std::string> headers;  // by query number; 19 is the status
    std::string body;
    std::size_t failAt = std::string::npos;  // a read fails once this much was read
};

TReply Reply(const char* status, std::string body, bool announceLength = true) {
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

    bool Open(const TInternetOpenArgs& a) override { return openArgs = a, opens; }
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
        EXPECT_EQ(run.Execute(deletePartial), end) << url;
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
    EXPECT_EQ(net.flags, 0xC80C10u);
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

}  // namespace
}  // namespace wmb
