#pragma once
// Starts a child process hidden and reports its end on the user-interface thread: a worker thread waits
// for the process and hands `onEnded` with the exit code to the dispatcher, which runs it on its
// window's thread. The worker touches no window otherwise. One worker, made at the first start, watches
// every process of the runner in turn: no thread is made while a process starts, which would compete
// with it.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/process_runner.h"
#include "platform/win32/wrappers/handle.h"
#include "platform/win32/wrappers/ui_dispatcher.h"

namespace wmb {

class Win32ProcessRunner : public ProcessRunner {
public:
    using EndHandler = std::function<void(DWORD exitCode)>;
    Win32ProcessRunner(UiDispatcher dispatcher, EndHandler onEnded);
    // Stops watching a child that is still running (the child itself goes on) and reports no end.
    ~Win32ProcessRunner() override;
    Win32ProcessRunner(const Win32ProcessRunner&) = delete;
    Win32ProcessRunner& operator=(const Win32ProcessRunner&) = delete;

    // Throws std::runtime_error with the system's message when the process cannot be started, and
    // std::logic_error while the previous process is still running.
    void Start(const std::string& application, const std::string& commandLine,
               const std::string& workingFolder) override;
    // True from Start until the process has ended; it turns false before the end is handed over, so
    // the end handler may start the next process.
    bool Running() const override { return running_; }

private:
    void Watch();

    UiDispatcher dispatcher_;
    EndHandler onEnded_;
    Handle stop_;  // manual-reset event: the destructor tells the worker to give up waiting
    Handle next_;  // auto-reset event: a process to watch has started
    Handle process_;
    std::atomic<HANDLE> watched_{nullptr};
    std::atomic<bool> running_{false};
    std::thread worker_;
};

}  // namespace wmb
