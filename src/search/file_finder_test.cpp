#include "search/file_finder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "base/case_tables.h"
#include "search/file_mask.h"

namespace wmb {

namespace {

using namespace std::chrono_literals;

// An in-memory disk listed the way FindFirstFile / FindNextFile list: entries in the order they were
// made, "." and ".." in every folder (matched only by "*" and "*.*"), nullptr for a missing folder or
// an empty listing, letter case ignored in paths.
class FakeDisk : public TSearchFileSystem {
public:
    void AddFolder(const std::string& path) {
        const std::size_t slash = path.rfind('\\');
        if (folders_.count(Key(path + "\\"))) return;
        if (slash != std::string::npos && slash > 2) AddFolder(path.substr(0, slash));
        folders_[Key(path + "\\")] = {Entry(".", kEntryDirectory), Entry("..", kEntryDirectory)};
        if (slash != std::string::npos && slash > 2)
            folders_[Key(path.substr(0, slash + 1))].push_back(Entry(path.substr(slash + 1), kEntryDirectory));
    }
    void AddFile(const std::string& path, std::string content = "", std::uint32_t attributes = kEntryArchive) {
        const std::size_t slash = path.rfind('\\');
        AddFolder(path.substr(0, slash));
        TFileEntry entry = Entry(path.substr(slash + 1), attributes);
        entry.Size = static_cast<std::uint32_t>(content.size());
        folders_[Key(path.substr(0, slash + 1))].push_back(entry);
        contents_[Key(path)] = std::move(content);
    }

    std::unique_ptr<TDirectoryListing> List(const std::string& pattern) override {
        const std::size_t slash = pattern.rfind('\\');
        const auto folder = folders_.find(Key(pattern.substr(0, slash + 1)));
        if (folder == folders_.end()) return nullptr;
        const std::string mask = pattern.substr(slash + 1);
        std::vector<TFileEntry> found;
        for (const TFileEntry& e : folder->second) {
            const bool dot = e.Name == "." || e.Name == "..";
            if (dot ? (mask == "*" || mask == "*.*") : MatchesMask(mask, e.Name)) found.push_back(e);
        }
        if (found.empty()) return nullptr;
        return std::make_unique<Listing>(std::move(found), open_);
    }
    std::string FullPath(const std::string& path) override { return path; }
    std::unique_ptr<TContentFile> OpenForContent(const std::string& file) override {
        const auto found = contents_.find(Key(file));
        if (found == contents_.end() || Unreadable.count(Key(file))) return nullptr;
        return std::make_unique<Content>(found->second);
    }

    int OpenListings() const { return open_; }
    std::set<std::string> Unreadable;  // lower case

private:
    class Listing : public TDirectoryListing {
    public:
        Listing(std::vector<TFileEntry> entries, int& open) : entries_(std::move(entries)), open_(open) { ++open_; }
        ~Listing() override { --open_; }
        const TFileEntry& Entry() const override { return entries_[at_]; }
        bool Next() override { return ++at_ < entries_.size(); }

    private:
        std::vector<TFileEntry> entries_;
        std::size_t at_ = 0;
        int& open_;
    };
    class Content : public TContentFile {
    public:
        explicit Content(std::string bytes) : bytes_(std::move(bytes)) {}
        std::uint64_t Size() const override { return bytes_.size(); }
        std::optional<std::size_t> Read(char* buffer, std::size_t capacity) override {
            const std::size_t count = std::min(capacity, bytes_.size() - at_);
            std::memcpy(buffer, bytes_.data() + at_, count);
            at_ += count;
            return count;
        }

    private:
        std::string bytes_;
        std::size_t at_ = 0;
    };

    static std::string Key(const std::string& path) { return LowerText(path); }
    static TFileEntry Entry(const std::string& name, std::uint32_t attributes) {
        TFileEntry e;
        e.Name = name;
        e.Attributes = attributes;
        return e;
    }

    std::map<std::string, std::vector<TFileEntry>> folders_;
    std::map<std::string, std::string> contents_;
    int open_ = 0;
};

// A level folder with timedemos at three depths, a folder whose name fits the mask, and another tree.
void MakeLevels(FakeDisk& disk) {
    disk.AddFile("C:\\Lv\\a.tmd", "start of the timedemo");
    disk.AddFile("C:\\Lv\\B.TMD", "a hidden demo", kEntryArchive | kEntryHidden);
    disk.AddFile("C:\\Lv\\notes.txt", "timedemo notes");
    disk.AddFolder("C:\\Lv\\old.tmd");
    disk.AddFile("C:\\Lv\\Sub\\c.tmd", "TimeDemo of the pier", kEntryReadonly);
    disk.AddFile("C:\\Lv\\Sub\\Deep\\d.tmd", "timedemos");
    disk.AddFile("C:\\Other\\f.tmd");
    disk.AddFile("C:\\Other\\Sub\\g.tmd");
}

TFileCriteria Where(const std::string& masks, const std::string& location) {
    TFileCriteria files;
    files.FileName = masks;
    files.Location = location;
    return files;
}

// Records the events of a finder as text, in the order they came.
struct Recorder {
    std::vector<std::string> matches;
    std::vector<std::string> events;

    void Attach(TFileFinder& f) {
        f.OnFileMatch = [this](TFileFinder&, const std::string& folder, const TFileEntry& file) {
            matches.push_back(folder + file.Name);
            events.push_back("match");
        };
        f.OnSearchBegin = [this](TFileFinder&) { events.push_back("begin"); };
        f.OnSearchFinish = [this](TFileFinder&) { events.push_back("finish"); };
        f.OnSearchAbort = [this](TFileFinder&) { events.push_back("abort"); };
    }
};

std::vector<std::string> Search(FakeDisk& disk, const std::function<void(TSearchCriteria&)>& set) {
    TFileFinder finder(disk);
    Recorder rec;
    rec.Attach(finder);
    set(finder.Criteria);
    finder.StartSearch();
    EXPECT_FALSE(finder.IsBusy());
    EXPECT_EQ(disk.OpenListings(), 0);
    return rec.matches;
}

}  // namespace

TEST(FileFinder, ReportsTheFilesOfTheTargetFoldersInListingOrder) {
    FakeDisk disk;
    MakeLevels(disk);
    disk.Unreadable.insert("c:\\lv\\sub\\deep\\d.tmd");
    const struct {
        const char* name;
        std::function<void(TSearchCriteria&)> set;
        std::vector<std::string> found;
    } cases[] = {
        {"one level folder with its subfolders, hidden and read-only files, never folders",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd", "C:\\Lv"); },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD", "C:\\Lv\\Sub\\c.tmd", "C:\\Lv\\Sub\\Deep\\d.tmd"}},
        {"< searches the folder only, > with its subfolders",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd", "<C:\\Lv;>C:\\Other"); },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD", "C:\\Other\\f.tmd", "C:\\Other\\Sub\\g.tmd"}},
        {"Subfolders off keeps unmarked folders flat",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd", "C:\\Other"); c.Files.Subfolders = false; },
         {"C:\\Other\\f.tmd"}},
        {"the same folder twice, other case: searched once, its masks last first",
         [](TSearchCriteria& c) { c.Files.Included = {"<C:\\Lv\\*.tmd", "<c:\\LV\\*.txt"}; },
         {"C:\\Lv\\notes.txt", "C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD"}},
        {"MaxLevel 1 searches the target folder only",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd", "C:\\Lv"); c.Files.MaxLevel = 1; },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD"}},
        {"MinLevel 2 reports files from subfolders only",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd", "C:\\Lv"); c.Files.MinLevel = 2; },
         {"C:\\Lv\\Sub\\c.tmd", "C:\\Lv\\Sub\\Deep\\d.tmd"}},
        {"a file that fits two masks is reported twice",
         [](TSearchCriteria& c) { c.Files = Where("*.tmd;a*", "<C:\\Lv"); },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD"}},
        {"a missing folder gives nothing", [](TSearchCriteria& c) { c.Files = Where("*.tmd", "C:\\Nowhere"); }, {}},
        {"the content test; a file that cannot be opened does not match",
         [](TSearchCriteria& c) {
             c.Files = Where("*.*", "C:\\Lv");
             c.Content.Phrase = "TIMEDEMO";
         },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\notes.txt", "C:\\Lv\\Sub\\c.tmd"}},
        {"the entry tests run first",
         [](TSearchCriteria& c) {
             c.Files = Where("*.tmd", "C:\\Lv");
             c.Files.Excluded = {"Sub\\"};
             c.Attribute.Attributes = ffArchive | ffReadonly;
         },
         {"C:\\Lv\\a.tmd", "C:\\Lv\\Sub\\Deep\\d.tmd"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Search(disk, c.set), c.found) << c.name;
}

TEST(FileFinder, FolderChangeAnswersSkipTheFolderItsSubfoldersOrBoth) {
    FakeDisk disk;
    MakeLevels(disk);
    const struct {
        const char* folder;
        TFolderIgnore answer;
        std::vector<std::string> found;
    } cases[] = {
        {"C:\\Lv\\", TFolderIgnore::fiJustThis, {"C:\\Lv\\Sub\\c.tmd", "C:\\Lv\\Sub\\Deep\\d.tmd"}},
        {"C:\\Lv\\", TFolderIgnore::fiJustSubfolders, {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD"}},
        {"C:\\Lv\\Sub\\", TFolderIgnore::fiThisAndSubfolders, {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD"}},
        {"C:\\Lv\\Sub\\", TFolderIgnore::fiNone,
         {"C:\\Lv\\a.tmd", "C:\\Lv\\B.TMD", "C:\\Lv\\Sub\\c.tmd", "C:\\Lv\\Sub\\Deep\\d.tmd"}},
    };
    for (const auto& c : cases) {
        TFileFinder finder(disk);
        Recorder rec;
        rec.Attach(finder);
        std::vector<std::string> asked;
        finder.OnFolderChange = [&](TFileFinder&, const std::string& folder, TFolderIgnore& ignore) {
            EXPECT_EQ(ignore, TFolderIgnore::fiNone);
            asked.push_back(folder);
            if (folder == c.folder) ignore = c.answer;
        };
        finder.Criteria.Files = Where("*.tmd", "C:\\Lv");
        finder.StartSearch();
        EXPECT_EQ(rec.matches, c.found) << c.folder;
        EXPECT_EQ(asked.front(), "C:\\Lv\\");
    }
}

TEST(FileFinder, StartWhileBusyIsIgnoredAndAStopFromAHandlerEndsTheWalk) {
    FakeDisk disk;
    MakeLevels(disk);
    TFileFinder finder(disk);
    Recorder rec;
    rec.Attach(finder);
    finder.Criteria.Files = Where("*.tmd", "C:\\Lv");
    finder.OnFileMatch = [&](TFileFinder& sender, const std::string& folder, const TFileEntry& file) {
        rec.matches.push_back(folder + file.Name);
        rec.events.push_back("match");
        sender.StartSearch();
        EXPECT_TRUE(sender.IsBusy());
        sender.StopSearch();
        sender.StopSearch();
        EXPECT_TRUE(sender.WasStopped());
    };
    finder.StartSearch();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"begin", "match", "abort", "finish"}));
    EXPECT_FALSE(finder.IsBusy());
    EXPECT_EQ(disk.OpenListings(), 0);
    finder.StopSearch();
    EXPECT_EQ(rec.events.size(), 4u) << "stopping an idle finder does nothing";
}

TEST(FileFinder, AnErrorFromAHandlerEndsTheSearchAndClosesEveryListing) {
    FakeDisk disk;
    MakeLevels(disk);
    TFileFinder finder(disk);
    Recorder rec;
    rec.Attach(finder);
    finder.Criteria.Files = Where("*.tmd", "C:\\Lv");
    finder.OnFileMatch = [&](TFileFinder&, const std::string& folder, const TFileEntry&) {
        if (folder == "C:\\Lv\\Sub\\Deep\\") throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(finder.StartSearch(), std::runtime_error);
    EXPECT_EQ(disk.OpenListings(), 0);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"begin", "finish"}));
    EXPECT_FALSE(finder.IsBusy());
}

namespace {

// The user-interface thread of a window program as the finder sees it: posted work runs only in its
// message loop, on the thread that runs the loop.
class FakeUiThread {
public:
    void Post(std::function<void()> work) {
        std::lock_guard hold(mutex_);
        posted_.push_back(std::move(work));
        wake_.notify_all();
    }
    // The message loop, until `done` or the deadline; false at the deadline.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        std::unique_lock hold(mutex_);
        while (!done()) {
            if (!wake_.wait_until(hold, end, [&] { return !posted_.empty(); })) return false;
            auto work = std::move(posted_.front());
            posted_.pop_front();
            hold.unlock();
            work();
            hold.lock();
        }
        return true;
    }
    TFinderThreadServices Services(std::vector<std::string>* errors) {
        TFinderThreadServices services;
        services.StartThread = StartPlainThread;
        services.PostToUi = [this](std::function<void()> work) { Post(std::move(work)); };
        services.ReportError = [errors](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& x) {
                errors->push_back(x.what());
            }
        };
        return services;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace

TEST(FileFinder, ThreadedSearchEndsAtOnceWhenTheThreadCannotStartAndReportsWalkErrors) {
    FakeDisk disk;
    MakeLevels(disk);
    FakeUiThread ui;
    std::vector<std::string> errors;
    TFinderThreadServices services = ui.Services(&errors);
    services.StartThread = [](std::function<void()>, int) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    TFileFinder broken(disk, services);
    broken.Threaded = true;
    broken.Criteria.Files = Where("*.tmd", "C:\\Lv");
    Recorder rec;
    rec.Attach(broken);
    EXPECT_THROW(broken.StartSearch(), std::system_error);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"begin", "finish"}));
    EXPECT_FALSE(broken.IsBusy());

    TFileFinder failing(disk, ui.Services(&errors));
    failing.Threaded = true;
    failing.Criteria.Files = Where("*.tmd", "C:\\Lv");
    bool finished = false;
    failing.OnFileMatch = [](TFileFinder&, const std::string&, const TFileEntry&) { throw std::runtime_error("disk gone"); };
    failing.OnSearchFinish = [&](TFileFinder&) { finished = true; };
    failing.StartSearch();
    ASSERT_TRUE(ui.RunUntil([&] { return finished; }));
    EXPECT_EQ(errors, std::vector<std::string>{"disk gone"});
    EXPECT_EQ(disk.OpenListings(), 0);
}

TEST(FileFinder, DestroyingAThreadedFinderStopsItWithoutItsEvents) {
    FakeDisk disk;
    MakeLevels(disk);
    FakeUiThread ui;
    std::vector<std::string> errors;
    std::vector<std::string> events;
    {
        TFileFinder finder(disk, ui.Services(&errors));
        finder.Threaded = true;
        finder.Criteria.Files = Where("*.tmd", "C:\\Lv");
        finder.OnSearchFinish = [&](TFileFinder&) { events.push_back("finish"); };
        finder.OnSearchAbort = [&](TFileFinder&) { events.push_back("abort"); };
        finder.StartSearch();
    }
    EXPECT_EQ(disk.OpenListings(), 0);
    EXPECT_FALSE(ui.RunUntil([] { return false; }, 50ms));
    EXPECT_TRUE(events.empty());
}

}  // namespace wmb
