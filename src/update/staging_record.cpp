#include "update/staging_record.h"

#include <algorithm>

#include "base/case_tables.h"
#include "update/upgrade_paths.h"

namespace wmb {
namespace {

constexpr const char* kHeader = "WildmereBench staged update";
constexpr std::size_t kMaxSizeDigits = 15;

bool IsDigest(const std::string& text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::optional<std::uint64_t> Decimal(const std::string& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits || (text.size() > 1 && text[0] == '0')) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The lines of a text whose every line ends in CR LF; nothing when one does not.
std::optional<std::vector<std::string>> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        if (end == std::string::npos) return std::nullopt;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::optional<TStagedFile> FileLine(const std::string& line) {
    const auto blank = line.find(' ');
    if (blank == std::string::npos || line.size() < blank + 66 || line[blank + 65] != ' ') return std::nullopt;
    const auto size = Decimal(line.substr(0, blank), kMaxSizeDigits);
    TStagedFile file{line.substr(blank + 66), {size.value_or(0), line.substr(blank + 1, 64)}};
    if (!size || !IsDigest(file.Digest.Sha256) || !IsPlainFileName(file.Name)) return std::nullopt;
    return file;
}

}  // namespace

std::string StagingRecordText(const std::vector<TStagedFile>& files) {
    std::vector<TStagedFile> listed;
    for (const TStagedFile& file : files) {
        std::erase_if(listed, [&](const TStagedFile& earlier) { return SameTextIgnoringCase(earlier.Name, file.Name); });
        listed.push_back(file);
    }
    std::string text = std::string(kHeader) + "\r\n";
    for (const TStagedFile& file : listed)
        text += std::to_string(file.Digest.Size) + " " + file.Digest.Sha256 + " " + file.Name + "\r\n";
    return text + "end " + std::to_string(listed.size()) + "\r\n";
}

std::optional<std::vector<TStagedFile>> ReadStagingRecord(const std::string& text) {
    if (text.size() > kMaxStagingRecordSize) return std::nullopt;
    const auto lines = CrLfLines(text);
    if (!lines || lines->size() < 3 || lines->front() != kHeader) return std::nullopt;
    const std::string& last = lines->back();
    const std::size_t count = lines->size() - 2;
    if (count > kMaxStagedFiles || !last.starts_with("end ") || Decimal(last.substr(4), 4) != count)
        return std::nullopt;
    std::vector<TStagedFile> files;
    for (std::size_t i = 1; i <= count; ++i) {
        auto file = FileLine((*lines)[i]);
        if (!file) return std::nullopt;
        const bool twice = std::any_of(files.begin(), files.end(),
                                       [&](const TStagedFile& f) { return SameTextIgnoringCase(f.Name, file->Name); });
        if (twice) return std::nullopt;
        files.push_back(std::move(*file));
    }
    return files;
}

}  // namespace wmb
