// P6: the HTTP client component against a bare WinINet loop doing the same work, and its memory.
//
// Both fetch 50 MB from the loopback HTTP server into a file in 4096-byte blocks: the component (a
// progress event per block, delivered on this, the user-interface, thread, which runs a GetMessage loop
// meanwhile) and a bare InternetOpenA / InternetConnectA / HttpOpenRequestA / HttpSendRequestA /
// InternetReadFile loop with the same open-request flags writing each block with WriteFile. Both reload
// and keep nothing in WinINet's cache (with the default cache options every round would leave a 50 MB
// copy in the cache folder and time that copy too). Seven alternating rounds. Before them, the peak
// private bytes during a 5 MB and then a 50 MB download: first of the bare loop (sampled after every
// block; WinINet's own share), then of the component (sampled at every progress event). Prints the median
// of the rounds' MB per second of each side, with the smallest and the largest, the ratio of the two
// medians and the memory figures; details go to stderr.
//
// Usage: p6_http_download WORK_FOLDER (a Windows path; the downloaded files go there and are removed)

#include "support/loopback_http_server.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "net/custom_http.h"
#include "net/http_request_setup.h"
#include "platform/win32/http_services_win32.h"
#include "platform/win32/wininet_connection.h"
#include "platform/win32/wrappers/handle.h"

namespace {

constexpr std::uint32_t kBigBody = 50u << 20;
constexpr std::uint32_t kSmallBody = 5u << 20;
constexpr DWORD kBlock = 4096;
constexpr int kRounds = 7;
constexpr wmb::TudCacheOptions kCacheOptions = wmb::coAlwaysReload | wmb::coNoCacheWrite;

using Clock = std::chrono::steady_clock;
using wmb::test::LoopbackHttpServer;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The process's private bytes: PagefileUsage, since Wine leaves PrivateUsage at 0.
std::size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

DWORD FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

struct ComponentRun {
    double seconds = 0;
    std::size_t progressEvents = 0;
    std::size_t offUiThread = 0;
    std::size_t peakPrivate = 0;
};

// One download through the component, pumping this thread's messages until its outcome.
ComponentRun ComponentDownload(const std::string& url, const std::string& file, bool sampleMemory) {
    wmb::DispatchWindow dispatch;
    wmb::Win32HttpServices services(dispatch.Dispatcher());
    wmb::TudCustomHTTP http(services);
    http.Url = url;
    http.OutputFileName = file;
    http.CacheOptions = kCacheOptions;
    const DWORD uiThread = GetCurrentThreadId();
    ComponentRun run;
    std::string outcome;
    http.OnDownloadProgress = [&](wmb::TudCustomHTTP&, const std::string&, wmb::TudBodyTarget,
                                  const wmb::TudProgress&) {
        ++run.progressEvents;
        if (GetCurrentThreadId() != uiThread) ++run.offUiThread;
        if (sampleMemory) run.peakPrivate = std::max(run.peakPrivate, PrivateBytes());
    };
    http.OnDone = [&](wmb::TudCustomHTTP&, const std::string&, wmb::TudBodyTarget, std::uint32_t) { outcome = "done"; };
    http.OnTransferLost = [&](wmb::TudCustomHTTP&, const std::string&, wmb::TudBodyTarget, std::uint32_t,
                              std::uint32_t) { outcome = "transfer lost"; };
    http.OnNoConnection = [&](wmb::TudCustomHTTP&) { outcome = "no connection"; };
    http.OnHttpError = [&](wmb::TudCustomHTTP&, std::int32_t status, wmb::TudBodyTarget) {
        outcome = "HTTP error " + std::to_string(status);
    };
    const auto start = Clock::now();
    if (!http.StartRequest()) throw std::runtime_error("the component did not start");
    // A program's own message loop; a thread timer bounds the wait.
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, nullptr);
    MSG msg{};
    while ((outcome.empty() || http.IsBusy()) && Seconds(start) < 120 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, timer);
    if (outcome.empty()) throw std::runtime_error("the component's download did not end");
    run.seconds = Seconds(start);
    if (outcome != "done") throw std::runtime_error("the component's download ended in " + outcome);
    return run;
}

// One download by hand: the calls the component makes, with the same flags, and nothing else. With
// `peakPrivate` the private bytes are sampled after every block.
double BareDownload(std::uint16_t port, const std::string& object, const std::string& file,
                    std::size_t* peakPrivate = nullptr) {
    const auto start = Clock::now();
    const wmb::TudHTTPSettings defaults;
    const DWORD flags = wmb::OpenRequestFlags(kCacheOptions, defaults.InternetOptions, false);
    const wmb::InternetHandle net(
        InternetOpenA(defaults.AgentName.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    const wmb::InternetHandle connection(
        net ? InternetConnectA(net.Get(), "127.0.0.1", port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0) : nullptr);
    const char* accept[] = {defaults.AcceptTypes.c_str(), nullptr};
    const wmb::InternetHandle request(
        connection ? HttpOpenRequestA(connection.Get(), "GET", object.c_str(), nullptr, nullptr, accept, flags, 0)
                   : nullptr);
    if (!request || !HttpSendRequestA(request.Get(), nullptr, 0, nullptr, 0))
        throw std::runtime_error("the bare request failed: " + std::to_string(GetLastError()));
    const wmb::Handle out(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out) throw std::runtime_error("cannot write " + file);
    std::vector<char> block(kBlock);
    DWORD got = 0;
    DWORD written = 0;
    while (InternetReadFile(request.Get(), block.data(), kBlock, &got) && got != 0) {
        if (!WriteFile(out.Get(), block.data(), got, &written, nullptr))
            throw std::runtime_error("cannot write " + file);
        if (peakPrivate) *peakPrivate = std::max(*peakPrivate, PrivateBytes());
    }
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc != 2) throw std::runtime_error("usage: p6_http_download WORK_FOLDER");
        std::string work = argv[1];
        if (work.back() != '\\') work += '\\';
        if (!CreateDirectoryA(work.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make " + work);
        const std::string componentFile = work + "component.bin";
        const std::string bareFile = work + "bare.bin";
        LoopbackHttpServer server;
        // Every round asks for an address of its own, so that no cached copy can answer.
        int serial = 0;
        const auto object = [&serial](std::uint32_t size) {
            return "/body?size=" + std::to_string(size) + "&n=" + std::to_string(++serial);
        };

        const std::size_t before = PrivateBytes();
        std::size_t bareSmall = 0, bareBig = 0;
        BareDownload(server.Port(), object(kSmallBody), bareFile, &bareSmall);
        BareDownload(server.Port(), object(kBigBody), bareFile, &bareBig);
        const ComponentRun small = ComponentDownload(server.Url(object(kSmallBody)), componentFile, true);
        const ComponentRun big = ComponentDownload(server.Url(object(kBigBody)), componentFile, true);

        std::vector<double> componentSeconds, bareSeconds;
        ComponentRun last;
        for (int round = 0; round < kRounds; ++round) {
            last = ComponentDownload(server.Url(object(kBigBody)), componentFile, false);
            componentSeconds.push_back(last.seconds);
            bareSeconds.push_back(BareDownload(server.Port(), object(kBigBody), bareFile));
            std::fprintf(stderr, "round %d: component %.0f ms (%zu progress events), bare %.0f ms\n", round,
                         last.seconds * 1000, last.progressEvents, bareSeconds.back() * 1000);
            if (FileSize(componentFile) != kBigBody || FileSize(bareFile) != kBigBody)
                throw std::runtime_error("a downloaded file is not 50 MB");
        }
        if (server.Requests().size() != 4 + 2 * kRounds) throw std::runtime_error("not every round reached the server");
        if (last.offUiThread != 0) throw std::runtime_error("progress events arrived off the user-interface thread");

        DeleteFileA(componentFile.c_str());
        DeleteFileA(bareFile.c_str());
        RemoveDirectoryA(work.c_str());

        const double megabytes = kBigBody / double(1 << 20);
        const auto rates = [&](const std::vector<double>& seconds) {
            std::vector<double> perSecond;
            for (double s : seconds) perSecond.push_back(megabytes / s);
            return wmb::bench::SpreadOf(perSecond);
        };
        const wmb::bench::Spread componentRate = rates(componentSeconds);
        const wmb::bench::Spread bareRate = rates(bareSeconds);
        std::printf("P6 download of %.0f MB into a file in %lu-byte blocks: component %s (%zu progress events on the UI "
                    "thread), bare WinINet InternetReadFile loop %s, ratio of the medians %.2f (target >= 0.8)\n",
                    megabytes, kBlock, wmb::bench::Describe(componentRate, "MB/s", 0, "rounds").c_str(),
                    last.progressEvents, wmb::bench::Describe(bareRate, "MB/s", 0, "rounds").c_str(),
                    wmb::bench::RatioOfMedians(componentRate, bareRate));
        const auto mib = [](std::size_t bytes) { return bytes / double(1 << 20); };
        std::printf("P6 peak private bytes during a download into a file: component 5 MB %.2f MiB, 50 MB %.2f MiB "
                    "(target: not growing with the body size); bare loop before it 5 MB %.2f MiB, 50 MB %.2f MiB; "
                    "%.2f MiB before both\n",
                    mib(small.peakPrivate), mib(big.peakPrivate), mib(bareSmall), mib(bareBig), mib(before));
        return 0;
    } catch (const std::exception& e) {
        std::printf("P6 not measured: %s\n", e.what());
        return 1;
    }
}
