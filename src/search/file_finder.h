#pragma once
// A reusable, non-visual file search: walks the target folders of its criteria, reports every file that
// meets them through OnFileMatch, and can run on a worker thread. The file system is reached through
// TSearchFileSystem, and the services of the threaded mode (starting a thread, posting to the
// user-interface thread, pumping while waiting, showing an error) are injected.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "search/file_match.h"
#include "search/search_criteria.h"

namespace wmb {

enum class TFolderIgnore { fiNone, fiJustThis, fiJustSubfolders, fiThisAndSubfolders };

// An open listing, as FindFirstFile / FindNextFile give it: the first entry is current once the listing
// exists. Destroying the listing closes it.
class TDirectoryListing {
public:
    virtual ~TDirectoryListing() = default;
    // The current entry; valid until the next call of Next.
    virtual const TFileEntry& Entry() const = 0;
    // Moves to the next entry; false at the end of the listing.
    virtual bool Next() = 0;
};

// A file opened for reading while others may still use it. Destroying it closes the file.
class TContentFile {
public:
    virtual ~TContentFile() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads the next bytes into `buffer`: the count, 0 at the end of the file, nullopt on a read error.
    virtual std::optional<std::size_t> Read(char* buffer, std::size_t capacity) = 0;
};

// The file system as a search sees it (a Win32 implementation lives in platform/win32).
class TSearchFileSystem {
public:
    virtual ~TSearchFileSystem() = default;
    // Lists `pattern` (folder + mask), hidden, system, read-only and archive entries and folders
    // included; nullptr when nothing matches or the folder cannot be listed.
    virtual std::unique_ptr<TDirectoryListing> List(const std::string& pattern) = 0;
    // The full, network-resolved form of a path.
    virtual std::string FullPath(const std::string& path) = 0;
    // Opens the file for reading while others may still use it; nullptr when it cannot be opened.
    virtual std::unique_ptr<TContentFile> OpenForContent(const std::string& file) = 0;
};

// What the threaded mode needs from the program. A search that is never threaded needs none of them.
struct TFinderThreadServices {
    // Starts `body` on a new thread running at `priority`; throws when the thread cannot be created.
    std::function<std::thread(std::function<void()> body, int priority)> StartThread;
    // Queues `work` to run on the user-interface thread; callable from any thread.
    std::function<void(std::function<void()> work)> PostToUi;
    // Called between attempts while the calling thread waits for the worker: blocks briefly, handling
    // only what other threads send to the caller's windows (never posted messages). Without it the
    // waiting thread yields.
    std::function<void()> PumpWhileWaiting;
    // Shows an error that ended a worker's walk; called on the worker thread.
    std::function<void(std::exception_ptr error)> ReportError;
};

// Starts plain std::threads; the priority is ignored.
std::thread StartPlainThread(std::function<void()> body, int priority);

class TFileFinder {
public:
    explicit TFileFinder(TSearchFileSystem& fs, TFinderThreadServices services = {});
    // Stops a running search first; OnSearchBegin, OnSearchFinish and OnSearchAbort do not fire then.
    ~TFileFinder();
    TFileFinder(const TFileFinder&) = delete;
    TFileFinder& operator=(const TFileFinder&) = delete;

    TSearchCriteria Criteria;
    bool Threaded = false;
    int ThreadPriority = 0;  // passed to the thread starter (the Win32 one takes THREAD_PRIORITY_* values)

    // Run on the searching thread, each while the finder's lock is held. `folder` ends in a backslash.
    std::function<void(TFileFinder&, const std::string& folder, const TFileEntry& file)> OnFileMatch;
    std::function<void(TFileFinder&, const std::string& folder, TFolderIgnore& ignore)> OnFolderChange;
    // Run on the thread that started the search (OnSearchAbort: on the thread that stops it).
    std::function<void(TFileFinder&)> OnSearchBegin, OnSearchFinish, OnSearchAbort;

    // Ignored while busy. Synchronous: returns after OnSearchFinish, passing on what a handler or the
    // file system throws once the search has ended. Threaded: returns once the worker runs; when it
    // cannot be started, the search ends at once and the error is passed on.
    void StartSearch();
    // Nothing when idle or already stopping. Callable from a handler or from outside.
    void StopSearch();
    bool IsBusy() const { return busy_; }
    bool WasStopped() const { return stopped_; }

private:
    void Walk();
    void SearchFolder(const std::string& path);
    bool Matches(const std::string& folder, const TFileEntry& entry);
    void RunWorker();
    void EndSearch();
    void EndThreadedSearch();
    void WaitWhile(const std::function<bool()>& busy);

    TSearchFileSystem& fs_;
    TFinderThreadServices services_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> stopped_{false};
    std::atomic<bool> destroying_{false};
    std::uint16_t level_ = 0;
    const TTargetFolder* target_ = nullptr;
    std::unique_ptr<TTargetSearch> search_;
    std::recursive_mutex lock_;  // held while OnFileMatch or OnFolderChange runs
    std::thread worker_;
    std::atomic<bool> workerDone_{false};
    std::thread::id uiThread_;
    std::shared_ptr<bool> endPending_;  // the posted end of the current threaded search still counts
};

}  // namespace wmb
