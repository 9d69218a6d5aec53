#include "net/custom_http.h"

#include <gtest/gtest.h>

#include "support/http_fakes.h"

namespace wmb {
namespace {

struct CustomHttp : ::testing::Test {
    TStepServices services;
    TudCustomHTTP http{services};
    std::vector<std::string> events;

    CustomHttp() {
        http.Url = "updates.example.com/wmb.inf";
        http.OnDone = [this](TudCustomHTTP&, const std::string&, TudBodyTarget body, std::uint32_t n) {
            events.push_back("done " + std::to_string(n) + " " + (body ? *body : "(file)"));
        };
        http.OnHttpError = [this](TudCustomHTTP&, std::int32_t status, TudBodyTarget body) {
            events.push_back("error " + std::to_string(status) + " " + (body ? *body : "(file)"));
        };
        http.OnSkipped = [this](TudCustomHTTP&) { events.push_back("skipped"); };
        http.OnRequestAborted = [this](TudCustomHTTP&) { events.push_back("aborted"); };
        http.OnNoConnection = [this](TudCustomHTTP&) { events.push_back("no connection"); };
    }
};

TEST_F(CustomHttp, OneRequestAtATimeAndTheNextStartedFromOnDone) {
    services.replies = {Reply("200", "first"), Reply("404", "gone")};
    http.Url = "h/one";
    const auto done = http.OnDone;
    http.OnDone = [&](TudCustomHTTP& sender, const std::string& type, TudBodyTarget body, std::uint32_t n) {
        done(sender, type, body, n);
        EXPECT_FALSE(sender.IsBusy());
        sender.Url = "h/two";
        EXPECT_TRUE(sender.StartRequest());
        EXPECT_EQ(*body, "first");  // the finished request's buffer outlives the next start
    };
    ASSERT_TRUE(http.StartRequest());
    EXPECT_TRUE(http.IsBusy());
    EXPECT_FALSE(http.StartRequest());
    services.Settle();
    EXPECT_EQ(events, (std::vector<std::string>{"done 5 first", "error 404 gone"}));
    EXPECT_FALSE(http.IsBusy());
    EXPECT_EQ(http.StatusCode(), 404);
}

TEST_F(CustomHttp, OutcomesDeliveredByTheUserInterfaceThread) {
    http.OutputFileName = "out.bin";
    http.OnHeaderInfo = [](TudCustomHTTP&, const TudHeaderInfo&, bool& go) { go = false; };
    services.replies = {Reply("200", "body")};
    http.StartRequest();
    services.Settle();
    http.OnHeaderInfo = nullptr;
    services.threadsFail = true;
    EXPECT_FALSE(http.StartRequest());
    EXPECT_FALSE(http.IsBusy());
    services.threadsFail = false;
    http.StartRequest();  // nothing answers: no status at all
    services.Settle();
    EXPECT_EQ(events, (std::vector<std::string>{"skipped", "no connection"}));
    EXPECT_EQ(services.files->disk.count("out.bin"), 0u);
}

TEST_F(CustomHttp, AbortsFinishWithTheirEventAndTheFileAsAsked) {
    http.OutputFileName = "out.bin";
    http.TransferBufferSize = 2;
    for (bool immediate : {false, true}) {
        for (bool deletePartial : {false, true}) {
            services.files->disk.clear(), events.clear();
            services.replies = {Reply("200", "0123456789")};
            http.OnDownloadProgress = [&](TudCustomHTTP& sender, const std::string&, TudBodyTarget, const TudProgress& p) {
                if (p.BytesSoFar != 4) return;
                sender.AbortRequest(deletePartial, immediate);
                // An immediate abort is over before it returns.
                EXPECT_EQ(sender.IsBusy(), !immediate);
                if (immediate) {
                    EXPECT_EQ(services.files->disk.count("out.bin"), deletePartial ? 0u : 1u);
                }
            };
            http.StartRequest();
            services.Settle();
            EXPECT_EQ(events, std::vector<std::string>{"aborted"}) << immediate << deletePartial;
            EXPECT_EQ(services.files->disk.count("out.bin"), deletePartial ? 0u : 1u);
        }
    }
    http.AbortRequest(true, true);  // idle: nothing happens
    EXPECT_EQ(events, std::vector<std::string>{"aborted"});
}

}  // namespace
}  // namespace wmb
