#include "platform/win32/process_runner_win32.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/wrappers/system_error_text.h"

namespace wmb {

Win32ProcessRunner::Win32ProcessRunner(UiDispatcher dispatcher, EndHandler onEnded)
    : dispatcher_(dispatcher),
      onEnded_(std::move(onEnded)),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      next_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    if (!stop_ || !next_) throw std::runtime_error(SystemErrorText(GetLastError()));
}

Win32ProcessRunner::~Win32ProcessRunner() {
    SetEvent(stop_.Get());
    if (worker_.joinable()) worker_.join();
}

void Win32ProcessRunner::Start(const std::string& application, const std::string& commandLine,
                               const std::string& workingFolder) {
    if (running_) throw std::logic_error("The previous process is still running.");
    // The worker is done with the previous process: it read its exit code before it cleared running_.
    process_.Reset();
    if (!worker_.joinable()) worker_ = std::thread(&Win32ProcessRunner::Watch, this);

    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        throw std::runtime_error(SystemErrorText(GetLastError(), application));
    }
    CloseHandle(info.hThread);
    process_ = Handle(info.hProcess);
    running_ = true;
    watched_ = info.hProcess;
    SetEvent(next_.Get());
}

void Win32ProcessRunner::Watch() {
    for (;;) {
        const HANDLE started[] = {next_.Get(), stop_.Get()};
        if (WaitForMultipleObjects(2, started, FALSE, INFINITE) != WAIT_OBJECT_0) return;  // runner destroyed
        const HANDLE process = watched_.load();
        const HANDLE waitFor[] = {process, stop_.Get()};
        if (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) != WAIT_OBJECT_0) return;
        DWORD exitCode = 0;
        GetExitCodeProcess(process, &exitCode);
        running_ = false;
        // The handler is copied: the work must not reach back into a runner that may be gone by its turn.
        dispatcher_.Post([onEnded = onEnded_, exitCode] {
            if (onEnded) onEnded(exitCode);
        });
    }
}

}  // namespace wmb
