// The HTTP client component through the real WinINet, against the loopback HTTP server: every outcome event,
// the header info, progress on the user-interface thread, abort, POST, resume and the login retry.

#include "support/loopback_http_server.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "net/custom_http.h"
#include "platform/win32/http_services_win32.h"
#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

using test::LoopbackHttpServer;
using namespace std::chrono_literals;

constexpr auto kDeadline = 20s;

std::string ReadFileText(const std::string& path) {
    std::string text;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got != 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

void WriteFileText(const std::string& path, const std::string& text) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(file);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// "file:///C:/folder%20name/file" for a Windows path.
std::string FileUrl(const std::string& path) {
    std::string url = "file:///";
    for (char c : path) url += c == '\\' ? "/" : c == ' ' ? "%20" : std::string(1, c);
    return url;
}

// One server, one component made on this (the user-interface) thread, and a record of the events it raised.
class HttpClientWin32 : public ::testing::Test {
protected:
    HttpClientWin32() {
        http.OnHeaderInfo = [this](TudCustomHTTP&, const TudHeaderInfo& info, bool& continueDownload) {
            Note("HeaderInfo");
            header = info;
            if (skipBody) continueDownload = false;
        };
        http.OnDownloadProgress = [this](TudCustomHTTP&, const std::string&, TudBodyTarget, const TudProgress& p) {
            progress.push_back(p);
            if (GetCurrentThreadId() != uiThread) ++progressOffUiThread;
        };
        http.OnDone = [this](TudCustomHTTP& sender, const std::string&, TudBodyTarget target, std::uint32_t bytes) {
            Outcome("Done", sender, target, bytes);
            if (onDone) onDone();
        };
        http.OnTransferLost = [this](TudCustomHTTP& sender, const std::string&, TudBodyTarget target,
                                     std::uint32_t bytes, std::uint32_t) {
            Outcome("TransferLost", sender, target, bytes);
        };
        http.OnNoConnection = [this](TudCustomHTTP& sender) { Outcome("NoConnection", sender, nullptr, 0); };
        http.OnHttpError = [this](TudCustomHTTP& sender, std::int32_t, TudBodyTarget target) {
            Outcome("HttpError", sender, target, sender.BytesRead());
        };
        http.OnSkipped = [this](TudCustomHTTP& sender) { Outcome("Skipped", sender, nullptr, 0); };
        http.OnRequestAborted = [this](TudCustomHTTP& sender) { Outcome("RequestAborted", sender, nullptr, 0); };
    }

    void Note(const std::string& event) {
        events.push_back(event);
        if (GetCurrentThreadId() != uiThread) events.push_back("off the user-interface thread");
    }
    void Outcome(const std::string& event, TudCustomHTTP& sender, TudBodyTarget target, std::uint32_t bytes) {
        Note(event);
        ++outcomes;
        status = sender.StatusCode();
        bytesRead = bytes;
        memoryTarget = target != nullptr;
        body = target ? *target : std::string();
    }

    // Pumps this thread's messages until `done` holds or the deadline passes.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kDeadline) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            MSG msg{};
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return true;
    }
    // Starts a request for `url` and waits for its outcome; false when none came in time.
    bool Fetch(const std::string& url) {
        http.Url = url;
        if (!http.StartRequest()) return false;
        return PumpUntil([this] { return outcomes > 0 && !http.IsBusy(); });
    }

    LoopbackHttpServer server;
    test::ScratchFolder folder;
    const DWORD uiThread = GetCurrentThreadId();
    DispatchWindow dispatch;
    Win32HttpServices services{dispatch.Dispatcher()};
    TudCustomHTTP http{services};

    bool skipBody = false;
    std::function<void()> onDone;
    std::vector<std::string> events;
    std::vector<TudProgress> progress;
    int progressOffUiThread = 0;
    int outcomes = 0;
    std::int32_t status = 0;
    std::uint32_t bytesRead = 0;
    bool memoryTarget = false;
    std::string body;
    TudHeaderInfo header;
};

struct OutcomeCase {
    const char* name;
    const char* url;  // {server}: the loopback server's host and port; {refused}: a port nobody listens on;
                      // {folder}: the scratch folder as a file address
    const char* output;  // the output file in the scratch folder; nullptr: the body goes into memory
    const char* outcome;
    std::int32_t status;
    std::uint32_t bytes;        // bytes read; the body is the server's generated bytes unless `page` is given
    const char* page;
    bool fileLeft;
};

class HttpOutcome : public HttpClientWin32, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(HttpOutcome, RaisesItsEventWithTheBody) {
    const OutcomeCase& c = GetParam();
    const std::string output = folder / (c.output ? c.output : "output.bin");
    WriteFileText(folder / "present.bin", LoopbackHttpServer::BodyBytes(0, 9000));
    std::string url = c.url;
    const auto replace = [&url](const std::string& key, const std::string& value) {
        if (const auto at = url.find(key); at != std::string::npos) url.replace(at, key.size(), value);
    };
    replace("{server}", "127.0.0.1:" + std::to_string(server.Port()));
    replace("{refused}", "127.0.0.1:" + std::to_string(test::RefusedLoopbackPort()));
    replace("{folder}", FileUrl(folder.Path()));
    if (c.output) http.OutputFileName = output;

    ASSERT_TRUE(Fetch(url)) << "no outcome for " << url;
    EXPECT_EQ(events.back(), c.outcome);
    EXPECT_EQ(outcomes, 1);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(bytesRead, c.bytes);
    const std::string expected = c.page ? std::string(c.page) : LoopbackHttpServer::BodyBytes(0, c.bytes);
    if (c.fileLeft) {
        EXPECT_FALSE(memoryTarget);
        EXPECT_TRUE(ReadFileText(output) == expected) << "the output file is not the body";
    } else if (c.outcome != std::string("NoConnection")) {
        EXPECT_TRUE(body == expected) << "the memory target holds " << body.size() << " bytes";
    }
    EXPECT_EQ(FileExists(output), c.fileLeft);
    EXPECT_EQ(progressOffUiThread, 0);
    if (c.bytes != 0) {
        ASSERT_FALSE(progress.empty());
        EXPECT_GE(progress.size(), (c.bytes + 4095) / 4096) << "more than 4096 bytes a block";
        EXPECT_EQ(progress.back().BytesSoFar, c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpOutcome,
    ::testing::Values(
        OutcomeCase{"DoneInMemory", "http://{server}/body?size=100000", nullptr, "Done", 200, 100000, nullptr, false},
        OutcomeCase{"DoneIntoFile", "http://{server}/body?size=300001", "output.bin", "Done", 200, 300001, nullptr,
                    true},
        OutcomeCase{"DoneWithoutLength", "http://{server}/body?size=5000&nolength=1", nullptr, "Done", 200, 5000,
                    nullptr, false},
        OutcomeCase{"DoneAfterRedirect", "http://{server}/redirect?to=/body?size=10", nullptr, "Done", 200, 10, nullptr,
                    false},
        OutcomeCase{"UrlWithoutSchemeIsHttp", "{server}/body?size=10", nullptr, "Done", 200, 10, nullptr, false},
        OutcomeCase{"LocalFile", "{folder}present.bin", "output.bin", "Done", 200, 9000, nullptr, true},
        OutcomeCase{"TransferLostOnCutBody", "http://{server}/body?size=10000&cut=3000", nullptr, "TransferLost", 200,
                    3000, nullptr, false},
        OutcomeCase{"HugeAnnouncedLengthIsNotReserved", "http://{server}/body?size=3000000000&cut=5000", nullptr,
                    "TransferLost", 200, 5000, nullptr, false},
        OutcomeCase{"NoConnectionOnRefusedPort", "http://{refused}/body?size=10", nullptr, "NoConnection", -1, 0,
                    nullptr, false},
        OutcomeCase{"ErrorPageInMemoryAndNoFile", "http://{server}/missing", "output.bin", "HttpError", 404, 48,
                    LoopbackHttpServer::kNotFoundPage, false},
        OutcomeCase{"OutputFileThatCannotBeMade", "http://{server}/body?size=10", "missing\\output.bin", "HttpError",
                    200, 0, "", false},
        OutcomeCase{"MissingLocalFileIs404", "{folder}absent.bin", "output.bin", "HttpError", 404, 0, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HttpClientWin32, ClearingContinueDownloadSkipsTheBody) {
    skipBody = true;
    http.OutputFileName = folder / "output.bin";
    ASSERT_TRUE(Fetch(server.Url("/body?size=100000")));
    EXPECT_EQ(events, (std::vector<std::string>{"HeaderInfo", "Skipped"}));
    EXPECT_TRUE(progress.empty());
    EXPECT_FALSE(FileExists(folder / "output.bin"));
}

TEST_F(HttpClientWin32, HeaderInfoCarriesTheReplysHeaders) {
    ASSERT_TRUE(Fetch(server.Url("/dated")));
    EXPECT_EQ(events, (std::vector<std::string>{"HeaderInfo", "Done"}));
    EXPECT_EQ(header.StatusCode, 200);
    EXPECT_EQ(header.ContentLength, 5u);
    EXPECT_EQ(header.ContentType, "text/html");
    EXPECT_EQ(header.ContentLanguage, LoopbackHttpServer::kContentLanguage);
    EXPECT_EQ(header.EntityTag, LoopbackHttpServer::kEntityTag);
    EXPECT_NE(header.RawHeaders.find("\r\nExpires: "), std::string::npos) << header.RawHeaders;
    EXPECT_NEAR(header.Date, 46365 + (10 * 3600 + 20 * 60 + 30) / 86400.0, 1e-6);
    EXPECT_NEAR(header.LastModified, 34644 + (8 * 3600 + 49 * 60 + 37) / 86400.0, 1e-6);
    EXPECT_NEAR(header.Expires, 46387 + (23 * 3600 + 59 * 60 + 59) / 86400.0, 1e-6);
}

TEST_F(HttpClientWin32, ARedirectLoopEndsAfterTenRedirectsFollowed) {
    server.PutRedirect("/loop", "/loop");
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(Fetch(server.Url("/loop")));
    EXPECT_EQ(events.back(), "HttpError");
    EXPECT_EQ(status, 302);
    EXPECT_TRUE(http.TooManyRedirects());
    EXPECT_EQ(server.Requests().size(), 11u);  // the request and the ten redirects it followed
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    // A redirect to a local file is not followed at all.
    server.PutRedirect("/local", "file:///C:/windows/win.ini");
    outcomes = 0;
    ASSERT_TRUE(Fetch(server.Url("/local")));
    EXPECT_EQ(status, 302);
    EXPECT_FALSE(http.TooManyRedirects());
}

TEST_F(HttpClientWin32, OnDoneMayStartTheNextRequest) {
    bool restarted = false;
    onDone = [&] {
        if (outcomes != 1) return;
        http.Url = server.Url("/body?size=2000");
        restarted = http.StartRequest();
    };
    ASSERT_TRUE(Fetch(server.Url("/body?size=1000")));
    ASSERT_TRUE(restarted);
    ASSERT_TRUE(PumpUntil([this] { return outcomes == 2 && !http.IsBusy(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"HeaderInfo", "Done", "HeaderInfo", "Done"}));
    EXPECT_EQ(bytesRead, 2000u);
    EXPECT_TRUE(body == LoopbackHttpServer::BodyBytes(0, 2000));
    EXPECT_EQ(server.Requests().size(), 2u);
}

class HttpAbort : public HttpClientWin32, public ::testing::WithParamInterface<bool> {};

TEST_P(HttpAbort, StopsASlowBodyAndDeletesThePartialFile) {
    const bool immediate = GetParam();
    http.OutputFileName = folder / "output.bin";
    http.Url = server.Url("/body?size=1000000&pause=50");  // about 12 s in all
    ASSERT_TRUE(http.StartRequest());
    ASSERT_TRUE(PumpUntil([this] { return progress.size() >= 2; }));
    EXPECT_FALSE(http.StartRequest()) << "a second request while busy";
    const auto start = std::chrono::steady_clock::now();
    http.AbortRequest(true, immediate);
    if (immediate) {
        EXPECT_EQ(outcomes, 1) << "an immediate abort finishes before it returns";
        EXPECT_FALSE(http.IsBusy());
    }
    ASSERT_TRUE(PumpUntil([this] { return outcomes > 0 && !http.IsBusy(); }, 5s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    PumpUntil([] { return false; }, 200ms);  // nothing else arrives late
    EXPECT_EQ(events.back(), "RequestAborted");
    EXPECT_EQ(outcomes, 1);
    EXPECT_FALSE(FileExists(folder / "output.bin"));
}

INSTANTIATE_TEST_SUITE_P(Modes, HttpAbort, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "Immediate" : "AtTheNextBlock"); });

TEST_F(HttpClientWin32, PostSendsTheFormWithItsContentType) {
    http.PostData = "name=Wildmere&fps=61.5";
    ASSERT_TRUE(Fetch(server.Url("/body?size=3")));
    EXPECT_EQ(events.back(), "Done");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, http.PostData);
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
}

struct ResumeCase {
    const char* name;
    std::uint32_t have;  // bytes of the 5000-byte body already in the file
    std::size_t requests;
};

class HttpResume : public HttpClientWin32, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(HttpResume, AppendsTheRestToTheFile) {
    const ResumeCase& c = GetParam();
    http.OutputFileName = folder / "output.bin";
    WriteFileText(http.OutputFileName, LoopbackHttpServer::BodyBytes(0, c.have));
    http.Url = server.Url("/body?size=5000");
    ASSERT_TRUE(http.StartRangeRequest(c.have, 0));
    ASSERT_TRUE(PumpUntil([this] { return outcomes > 0 && !http.IsBusy(); }));
    EXPECT_EQ(events.back(), "Done");
    EXPECT_TRUE(ReadFileText(http.OutputFileName) == LoopbackHttpServer::BodyBytes(0, 5000));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), c.requests);
    EXPECT_EQ(requests[0].Header("Range"), "bytes=" + std::to_string(c.have) + "-");
}

INSTANTIATE_TEST_SUITE_P(Offsets, HttpResume,
                         ::testing::Values(ResumeCase{"PartOfTheFile", 1000, 1},
                                           ResumeCase{"WholeFileAlreadyThere", 5000, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HttpClientWin32, LoginIsAskedWithTheRealmAndTheRetrySucceeds) {
    std::vector<std::string> realms;
    http.OnPasswordRequest = [&](TudCustomHTTP& sender, const std::string& realm, bool& tryAgain) {
        realms.push_back(realm);
        sender.HTTPUsername = LoopbackHttpServer::kUser;
        sender.HTTPPassword = LoopbackHttpServer::kPassword;
        tryAgain = true;
    };
    ASSERT_TRUE(Fetch(server.Url("/login?size=10")));
    EXPECT_EQ(realms, std::vector<std::string>{LoopbackHttpServer::kRealm});
    EXPECT_EQ(events.back(), "Done");
    EXPECT_TRUE(body == LoopbackHttpServer::BodyBytes(0, 10));
    EXPECT_FALSE(server.Requests().back().Header("Authorization").empty());
}

}  // namespace
}  // namespace wmb
