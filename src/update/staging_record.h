#pragma once
// The staging record of one downloaded update: the files the wizard fetched and verified, by name, size and
// SHA-256 as they were downloaded. It is written beside the downloads once the last file is in, and the
// upgrader installs exactly the files it lists, and only while their bytes still match it.
//
//   WildmereBench staged update<CR LF>
//   SIZE SHA256 NAME<CR LF>        one line a file; SIZE in decimal, SHA256 64 lower-case hex digits
//   end COUNT<CR LF>               the number of file lines: a record cut short is no record
//
// NAME is a plain file name of the Program folder; the download waits as NAME + ".uTMP".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wmb {

inline constexpr const char* kStagingRecordName = "update.uSTAGED";
inline constexpr std::size_t kMaxStagedFiles = 256;
inline constexpr std::size_t kMaxStagingRecordSize = 64 * 1024;

struct TFileDigest {
    std::uint64_t Size = 0;
    std::string Sha256;  // 64 lower-case hex digits
    bool operator==(const TFileDigest&) const = default;
};

struct TStagedFile {
    std::string Name;
    TFileDigest Digest;
    bool operator==(const TStagedFile&) const = default;
};

// The record's text for these files. A name listed twice (in any letter case) is listed once, with its last
// digest: the later download replaced the earlier one's file.
std::string StagingRecordText(const std::vector<TStagedFile>& files);

// The files of a record; nothing unless the whole text is a record as written above, with at least one file,
// at most kMaxStagedFiles, no name twice and every name a plain file name.
std::optional<std::vector<TStagedFile>> ReadStagingRecord(const std::string& text);

}  // namespace wmb
