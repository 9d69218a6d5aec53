#pragma once
// Starts a child process without waiting for it; its end comes back later as an event on the
// user-interface thread (how is the implementation's business).

#include <string>

namespace wmb {

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // `application` is the executable's full path (passed to the system as the application name, so a
    // path with blanks cannot start another program); `commandLine` is handed over unchanged.
    // Starts with a hidden-window hint in `workingFolder`. Throws std::runtime_error with the system's
    // message when the process cannot be started.
    virtual void Start(const std::string& application, const std::string& commandLine,
                       const std::string& workingFolder) = 0;
    virtual bool Running() const = 0;
};

}  // namespace wmb
