#pragma once
// Starts a child process hidden and reports its end to a window: when the process has ended, a worker
// thread posts `message` to `notifyWindow` with wParam = the runner's address and lParam = the exit
// code. The worker touches no window otherwise, so the end is handled on the window's own thread.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/process_runner.h"
#include "platform/win32/handle.h"

namespace wmb {

class Win32ProcessRunner : public ProcessRunner {
public:
    Win32ProcessRunner(HWND notifyWindow, UINT message);
    // Stops watching a child that is still running (the child itself goes on) and posts nothing more.
    ~Win32ProcessRunner() override;
    Win32ProcessRunner(const Win32ProcessRunner&) = delete;
    Win32ProcessRunner& operator=(const Win32ProcessRunner&) = delete;

    // Throws std::runtime_error with the system's message when the process cannot be started, and
    // std::logic_error while the previous process is still running.
    void Start(const std::string& application, const std::string& commandLine,
               const std::string& workingFolder) override;
    // True from Start until the process has ended; it turns false just before the end is posted, so
    // the handler of the end message may start the next process.
    bool Running() const override { return running_; }

private:
    void Watch(HANDLE process);
    void JoinWorker();

    HWND notifyWindow_;
    UINT message_;
    Handle stop_;  // manual-reset event: the destructor tells the worker to give up waiting
    Handle process_;
    std::atomic<bool> running_{false};
    std::thread worker_;
};

}  // namespace wmb
