// The file search's walk over its target folders, synchronously or on a worker thread.

#include "search/file_finder.h"

#include <stdexcept>
#include <utility>

#include "search/content_search.h"

namespace wmb {

namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

bool SearchesOwnFiles(TFolderIgnore ignore) {
    return ignore == TFolderIgnore::fiNone || ignore == TFolderIgnore::fiJustSubfolders;
}

bool EntersSubfolders(TFolderIgnore ignore) {
    return ignore == TFolderIgnore::fiNone || ignore == TFolderIgnore::fiJustThis;
}

}  // namespace

std::thread StartPlainThread(std::function<void()> body, int /*priority*/) { return std::thread(std::move(body)); }

TFileFinder::TFileFinder(TSearchFileSystem& fs, TFinderThreadServices services)
    : fs_(fs), services_(std::move(services)) {}

TFileFinder::~TFileFinder() {
    destroying_ = true;
    StopSearch();
    if (worker_.joinable()) {
        WaitWhile([this] { return !workerDone_; });
        worker_.join();
    }
    if (endPending_) *endPending_ = false;
}

void TFileFinder::StartSearch() {
    if (busy_) return;
    busy_ = true;
    stopped_ = false;
    try {
        search_ = PrepareSearch(Criteria, [this](const std::string& path) { return fs_.FullPath(path); });
        if (OnSearchBegin && !destroying_) OnSearchBegin(*this);
        if (!Threaded || stopped_) {
            Walk();
            EndSearch();
            return;
        }
        if (!services_.StartThread || !services_.PostToUi)
            throw std::logic_error("a threaded file search needs a thread starter and a way to the user-interface thread");
        uiThread_ = std::this_thread::get_id();
        workerDone_ = false;
        endPending_ = std::make_shared<bool>(true);
        auto end = [this, pending = endPending_] {
            if (!*pending) return;  // the search was already ended by StopSearch
            *pending = false;
            EndThreadedSearch();
        };
        worker_ = services_.StartThread(
            [this, end] {
                RunWorker();
                services_.PostToUi(end);
                workerDone_ = true;
            },
            ThreadPriority);
    } catch (...) {
        if (busy_) EndSearch();
        throw;
    }
}

void TFileFinder::StopSearch() {
    if (!busy_ || stopped_.exchange(true)) return;
    // Wait until no OnFileMatch or OnFolderChange handler runs on another thread; the thread running
    // one may take the lock again, so a handler can stop its own search.
    WaitWhile([this] {
        if (!lock_.try_lock()) return true;
        lock_.unlock();
        return false;
    });
    if (OnSearchAbort && !destroying_) OnSearchAbort(*this);
    // The user-interface thread ends a threaded search itself; from elsewhere the worker's posted end
    // notification does.
    if (std::this_thread::get_id() == uiThread_ && worker_.joinable()) {
        WaitWhile([this] { return !workerDone_; });
        *endPending_ = false;
        EndThreadedSearch();
    }
}

void TFileFinder::RunWorker() {
    try {
        Walk();
    } catch (...) {
        if (services_.ReportError) {
            try {
                services_.ReportError(std::current_exception());
            } catch (...) {
                // Nothing is left to tell the user with; the walk has ended either way.
            }
        }
    }
}

void TFileFinder::EndSearch() {
    struct Discard {
        TFileFinder& finder;
        ~Discard() {
            finder.search_.reset();
            finder.target_ = nullptr;
            finder.busy_ = false;
        }
    } discard{*this};
    if (OnSearchFinish && !destroying_) OnSearchFinish(*this);
}

void TFileFinder::EndThreadedSearch() {
    if (worker_.joinable()) worker_.join();
    EndSearch();
}

void TFileFinder::WaitWhile(const std::function<bool()>& busy) {
    while (busy()) {
        if (services_.PumpWhileWaiting) {
            services_.PumpWhileWaiting();
        } else {
            std::this_thread::yield();
        }
    }
}

void TFileFinder::Walk() {
    for (const TTargetFolder* target : search_->Folders.InSearchOrder()) {
        if (stopped_) break;
        target_ = target;
        level_ = 0;
        SearchFolder(target->Folder);
    }
}

void TFileFinder::SearchFolder(const std::string& path) {
    if (stopped_) return;
    ++level_;
    struct LevelBack {
        std::uint16_t& level;
        ~LevelBack() { --level; }
    } back{level_};

    TFolderIgnore ignore = TFolderIgnore::fiNone;
    if (OnFolderChange) {
        std::lock_guard hold(lock_);
        if (!stopped_) OnFolderChange(*this, path, ignore);
    }
    const TTargetFolder& target = *target_;
    if (SearchesOwnFiles(ignore) && level_ >= target.MinLevel) {
        for (auto mask = target.Masks.rbegin(); mask != target.Masks.rend() && !stopped_; ++mask) {
            const auto listing = fs_.List(path + *mask);
            if (!listing) continue;
            do {
                const TFileEntry& entry = listing->Entry();
                if (IsDotEntry(entry.Name) || !OnFileMatch || !Matches(path, entry)) continue;
                std::lock_guard hold(lock_);
                if (!stopped_) OnFileMatch(*this, path, entry);
            } while (!stopped_ && listing->Next());
        }
    }
    if (target.Recursive && EntersSubfolders(ignore) && (target.MaxLevel == 0 || level_ < target.MaxLevel) &&
        !stopped_) {
        const auto listing = fs_.List(path + "*.*");
        if (!listing) return;
        do {
            const TFileEntry& entry = listing->Entry();
            if ((entry.Attributes & kEntryDirectory) && !IsDotEntry(entry.Name)) SearchFolder(path + entry.Name + '\\');
        } while (!stopped_ && listing->Next());
    }
}

bool TFileFinder::Matches(const std::string& folder, const TFileEntry& entry) {
    if (!PassesEntryTests(*search_, folder, entry)) return false;
    if (search_->Content.Phrase.empty()) return true;
    try {
        const auto file = fs_.OpenForContent(folder + entry.Name);
        if (!file) return false;
        return ContainsPhrase(search_->Content, file->Size(),
                              [&file](char* buffer, std::size_t capacity) { return file->Read(buffer, capacity); });
    } catch (...) {
        return false;  // a file that cannot be read does not contain the phrase
    }
}

}  // namespace wmb
