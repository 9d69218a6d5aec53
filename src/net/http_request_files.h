#pragma once
// The files of one request, which the user-interface thread can close while the worker still holds them:
// the worker's later reads and writes then fail instead of touching a closed file.

#include <memory>
#include <mutex>
#include <string>

#include "net/http_request.h"

namespace wmb {

class THttpRequestFiles : public IHttpFiles {
public:
    explicit THttpRequestFiles(std::shared_ptr<IHttpFiles> files) : files_(std::move(files)) {}

    std::unique_ptr<IByteSource> OpenForReading(const std::string& path, std::uint32_t startAt,
                                                std::uint32_t& size) override;
    std::unique_ptr<IBodyFile> Create(const std::string& path, bool append, bool hiddenTemporary) override;
    void Delete(const std::string& path) override;

    // Closes what is open and refuses what comes later; the output file goes too when deleteFile is set.
    void CloseAll(bool deleteFile);

private:
    class Source;
    class File;

    std::shared_ptr<IHttpFiles> files_;
    std::mutex mutex_;
    bool closed_ = false;
    std::unique_ptr<IByteSource> source_;
    std::unique_ptr<IBodyFile> file_;
    std::string made_;  // the output file made, if any
};

}  // namespace wmb
