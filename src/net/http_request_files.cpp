#include "net/http_request_files.h"

namespace wmb {

class THttpRequestFiles::Source : public IByteSource {
public:
    explicit Source(THttpRequestFiles& files) : files_(files) {}
    ~Source() override {
        std::lock_guard lock(files_.mutex_);
        files_.source_.reset();
    }
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& got) override {
        std::lock_guard lock(files_.mutex_);
        return files_.source_ && files_.source_->Read(buffer, size, got);
    }

private:
    THttpRequestFiles& files_;
};

class THttpRequestFiles::File : public IBodyFile {
public:
    explicit File(THttpRequestFiles& files) : files_(files) {}
    ~File() override {
        std::lock_guard lock(files_.mutex_);
        files_.file_.reset();
    }
    bool Write(const char* data, std::uint32_t size) override {
        std::lock_guard lock(files_.mutex_);
        return files_.file_ && files_.file_->Write(data, size);
    }

private:
    THttpRequestFiles& files_;
};

std::unique_ptr<IByteSource> THttpRequestFiles::OpenForReading(const std::string& path, std::uint32_t startAt,
                                                               std::uint32_t& size) {
    std::lock_guard lock(mutex_);
    if (closed_ || !(source_ = files_->OpenForReading(path, startAt, size))) return nullptr;
    return std::make_unique<Source>(*this);
}

std::unique_ptr<IBodyFile> THttpRequestFiles::Create(const std::string& path, bool append, bool hiddenTemporary) {
    std::lock_guard lock(mutex_);
    if (closed_ || !(file_ = files_->Create(path, append, hiddenTemporary))) return nullptr;
    made_ = path;
    return std::make_unique<File>(*this);
}

void THttpRequestFiles::Delete(const std::string& path) {
    std::lock_guard lock(mutex_);
    files_->Delete(path);
}

void THttpRequestFiles::CloseAll(bool deleteFile) {
    std::lock_guard lock(mutex_);
    closed_ = true;
    source_.reset();
    file_.reset();
    if (deleteFile && !made_.empty()) files_->Delete(made_);
}

}  // namespace wmb
