// The news window: when it opens, where its browser is sent, and that closing it only hides it.

#include "support/loopback_http_server.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kNewsCaption = "KSTBench NEWS";
constexpr const char* kNewsClass = "WildmereBenchNewsWindow";

struct NewsWindowFinder {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindNewsWindow(HWND w, LPARAM finder) {
    auto* f = reinterpret_cast<NewsWindowFinder*>(finder);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process != f->processId || ClassOf(w) != kNewsClass) return TRUE;
    f->found = w;
    return FALSE;
}

// What the machine's online test answers: the shell's URL.DLL replaced by a stand-in in the Program folder.
enum class Answer { Online, Offline, NoExport };

struct PageCase {
    const char* name;
    Answer answer;
    bool shippedPage;  // offlinenews.html in the Program folder
    bool serverUp;
    enum { OfflinePage, OnlinePage, Nothing } shown;
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

// The path as the program sees it (the work folder of a parameterised test holds a '/').
std::string AsProgramSeesIt(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class NewsE2E : public BenchTest {
protected:
    void TearDown() override {
        BenchTest::TearDown();
        SetEnvironmentVariableA("WMB_INET_OFFLINE", nullptr);
        SetEnvironmentVariableA("WMB_MAKER_SERVER", nullptr);
    }

    void Answering(Answer answer) {
        const std::string dll = answer == Answer::NoExport ? "\\url-without-export\\url.dll" : "\\url-double\\url.dll";
        ASSERT_TRUE(CopyFileA((BuildFolder() + dll).c_str(), (program_ + "url.dll").c_str(), FALSE)) << dll;
        SetEnvironmentVariableA("WMB_INET_OFFLINE", answer == Answer::Offline ? "1" : "0");
    }

    // The news window of the running program, shown or hidden; nullptr when there is none.
    HWND NewsWindow() const {
        NewsWindowFinder finder{app_->ProcessId(), nullptr};
        EnumWindows(FindNewsWindow, reinterpret_cast<LPARAM>(&finder));
        return finder.found;
    }
    HWND WaitForNews() const { return WaitForTopWindow(app_->ProcessId(), kNewsCaption, 15000); }
    // The address the program sent the browser to, as the window keeps it.
    static std::string SentTo(HWND news) { return GetText(FindControl(news, IDC_NEWSADDRESS)); }

    // Activates the main window anew, as a click on it coming from another program's window would, and
    // waits until the program has handled that.
    void ActivateMainAgain() {
        struct OtherWindow {
            HWND handle = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                          nullptr, nullptr, nullptr, nullptr);
            ~OtherWindow() { DestroyWindow(handle); }
        } other;
        SetForegroundWindow(other.handle);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.handle; }, 10000)) << "not left";
        SetForegroundWindow(Main());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Main(); }, 10000)) << "not activated";
        ExpectAnswers(Main());
    }
    static void ExpectAnswers(HWND window) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) << "hung";
    }
    // The close box hides the window and keeps it for the next show.
    static void CloseNews(HWND news) {
        RequestClose(news);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(news); }, 10000)) << "still shown";
        EXPECT_TRUE(IsWindow(news)) << "destroyed instead of hidden";
    }
    void CloseProgramCleanly() {
        CloseProgram();
        EXPECT_EQ(app_->ExitCode(), 0u);
    }
};

TEST_F(NewsE2E, OpensOnceAtStartAndClosingOnlyHidesIt) {
    SetSetting("News", "0");
    StartProgram();
    HWND news = WaitForNews();
    ASSERT_NE(news, nullptr) << "the news window did not open";
    EXPECT_EQ(GetText(news), kNewsCaption);
    EXPECT_EQ(Setting("News"), "1");
    RECT client, frame;
    GetClientRect(news, &client);
    GetWindowRect(news, &frame);
    EXPECT_EQ(client.right, 520);
    EXPECT_EQ(client.bottom, 500);
    EXPECT_EQ(frame.left, 454);
    EXPECT_EQ(frame.top, 213);
    const LONG style = GetWindowLongA(news, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(news, GW_OWNER), nullptr) << "not modal, not owned";

    CloseNews(news);
    ActivateMainAgain();
    EXPECT_FALSE(IsWindowVisible(news)) << "a second activation opened it again";
    EXPECT_EQ(Setting("News"), "1");
    CloseProgramCleanly();
    EXPECT_EQ(Setting("News"), "0");
}

TEST_F(NewsE2E, MissingValueNeverOpensIt) {
    StartProgram();
    ActivateMainAgain();
    HWND news = NewsWindow();
    ASSERT_NE(news, nullptr) << "the news window was not created at start";
    EXPECT_FALSE(IsWindowVisible(news));
    EXPECT_EQ(Setting("News"), "");
    CloseProgramCleanly();
}

class NewsPageE2E : public NewsE2E, public ::testing::WithParamInterface<PageCase> {};

TEST_P(NewsPageE2E, SendsTheBrowserToThePage) {
    const PageCase& c = GetParam();
    Answering(c.answer);
    if (!c.shippedPage) {
        ASSERT_TRUE(DeleteFileA((program_ + "offlinenews.html").c_str()));
    }
    std::optional<test::LoopbackHttpServer> server;
    server.emplace();
    server->Put("/benchmarks/news.html", "<html><body>News</body></html>");
    const std::string host = "127.0.0.1:" + std::to_string(server->Port());
    if (!c.serverUp) server.reset();  // its port now refuses
    SetEnvironmentVariableA("WMB_MAKER_SERVER", host.c_str());
    SetSetting("News", "0");

    StartProgram();
    HWND news = WaitForNews();
    ASSERT_NE(news, nullptr) << "the news window did not open";
    const std::string onlinePage = "http://" + host + "/benchmarks/news.html";
    switch (c.shown) {
        case PageCase::OfflinePage: EXPECT_EQ(SentTo(news), AsProgramSeesIt(program_ + "offlinenews.html")); break;
        case PageCase::OnlinePage: EXPECT_EQ(SentTo(news), onlinePage); break;
        case PageCase::Nothing: EXPECT_EQ(SentTo(news), ""); break;
    }
    if (c.shown == PageCase::OnlinePage && server) {
        EXPECT_TRUE(WaitUntil([&] { 
            const auto requests = server->Requests();
            return std::any_of(requests.begin(), requests.end(),
                               [](const auto& request) { return request.target == "/benchmarks/news.html"; });
         }, 15000))
            << "the browser did not ask the server for the page";
    }
    // No message and no other window (an engine download offer, an error) whatever the page did.
    EXPECT_EQ(WaitForMessageBox(app_->ProcessId(), 500), nullptr);
    EXPECT_EQ(TopWindows(app_->ProcessId()).size(), 2u) << "an unexpected window is open";
    ExpectAnswers(news);
    CloseNews(news);
    CloseProgramCleanly();
}

INSTANTIATE_TEST_SUITE_P(
    Machines, NewsPageE2E,
    ::testing::Values(PageCase{"OfflineShowsTheShippedPage", Answer::Offline, true, true, PageCase::OfflinePage},
                      PageCase{"OnlineShowsTheServersPage", Answer::Online, true, true, PageCase::OnlinePage},
                      PageCase{"OfflineWithoutTheShippedPageStaysEmpty", Answer::Offline, false, true, PageCase::Nothing},
                      PageCase{"UrlLibraryWithoutTheTestCountsAsOffline", Answer::NoExport, true, true,
                               PageCase::OfflinePage},
                      PageCase{"UnreachableServerLeavesTheWindowUsable", Answer::Online, true, false,
                               PageCase::OnlinePage}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wmb::e2e
