#include "settings/news.h"

namespace wmb {

std::string OnlineNewsAddress(const std::string& server) { return "http://" + server + "/benchmarks/news.html"; }

std::optional<std::string> NewsAddress(bool online, const std::string& server, const std::string& programFolder,
                                       const std::function<bool(const std::string&)>& fileExists) {
    if (online) return OnlineNewsAddress(server);
    const std::string offline = programFolder + kOfflineNewsFile;
    if (fileExists(offline)) return offline;
    return std::nullopt;
}

}  // namespace wmb
