#pragma once
// The file system of the file search on Win32 (FindFirstFileA listings, full paths, shared reading of
// file contents) and the services of the search's threaded mode in a window program.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/wrappers/ui_dispatcher.h"
#include "search/file_finder.h"

namespace wmb {

class Win32SearchFileSystem final : public TSearchFileSystem {
public:
    std::unique_ptr<TDirectoryListing> List(const std::string& pattern) override;
    // GetFullPathNameA alone: a path on a mapped network drive keeps its drive letter.
    std::string FullPath(const std::string& path) override;
    std::unique_ptr<TContentFile> OpenForContent(const std::string& file) override;
};

// The threaded mode's services for a finder used on the thread that owns `dispatcher`'s window (whose
// procedure runs kDispatchMessage work): worker threads at a THREAD_PRIORITY_* value, the end of a
// search posted through the dispatcher, waiting that handles only sent messages, and errors shown
// with ReportError on the window's thread, owned by the window.
TFinderThreadServices Win32FinderThreadServices(const UiDispatcher& dispatcher);

}  // namespace wmb
