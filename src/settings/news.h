#pragma once
// The news window's page: the maker's page on its web server when the machine is online, else the copy
// shipped in the Program folder.

#include <functional>
#include <optional>
#include <string>

namespace wmb {

inline constexpr const char* kOfflineNewsFile = "offlinenews.html";

// "http://" + server + "/benchmarks/news.html".
std::string OnlineNewsAddress(const std::string& server);

// The address the browser is sent to when the window is shown: the online page when `online` (the
// Program folder is not looked at), else the Program folder's offline page as a plain path when that
// file exists, else nothing (the browser keeps the page it shows). `programFolder` ends in a backslash.
std::optional<std::string> NewsAddress(bool online, const std::string& server, const std::string& programFolder,
                                       const std::function<bool(const std::string&)>& fileExists);

}  // namespace wmb
