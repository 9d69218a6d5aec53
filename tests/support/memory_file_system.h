#pragma once
// In-memory FileSystem for unit tests. Paths compare without regard to letter case, as on Windows.
// Folders exist explicitly (CreateFolders) or implicitly as parents of files.

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace wmb::test {

class MemoryFileSystem : public FileSystem {
public:
    // Recorded calls, for tests that check what was asked of the shell.
    std::vector<std::string> Log;
    // Folders (lower-case, with trailing backslash) into which nothing can be written.
    std::set<std::string> ReadOnlyFolders;
    // Files (lower-case paths) that cannot be written.
    std::set<std::string> ReadOnlyFiles;
    // Size of the volume in bytes, when it is to run full: a write that needs more room fails as on a full
    // disk. A plain write first truncates the old file and keeps what fitted; an atomic write needs room for
    // the new file beside the old one and leaves the old one as it was; a shell copy fails without a change.
    std::optional<std::size_t> Capacity;

    void Put(const std::string& path, const std::string& bytes) { files_[Key(path)] = {path, bytes}; }
    std::string Get(const std::string& path) const {
        auto it = files_.find(Key(path));
        return it == files_.end() ? std::string() : it->second.bytes;
    }
    // The bytes all files take together.
    std::size_t UsedBytes() const {
        std::size_t used = 0;
        for (const auto& entry : files_) used += entry.second.bytes.size();
        return used;
    }
    void MakeReadOnly(const std::string& folder) { ReadOnlyFolders.insert(Key(WithSlash(folder))); }

    bool FileExists(const std::string& path) const override { return files_.count(Key(path)) != 0; }
    bool FolderExists(const std::string& path) const override {
        const std::string k = Key(WithSlash(path));
        if (folders_.count(k)) return true;
        return std::any_of(files_.begin(), files_.end(), [&](const auto& f) { return f.first.rfind(k, 0) == 0; });
    }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        auto it = files_.find(Key(path));
        if (it == files_.end()) return std::nullopt;
        return it->second.bytes;
    }
    void WriteFile(const std::string& path, const std::string& bytes) override {
        Log.push_back("write " + path);
        if (!Writable(path)) throw std::runtime_error("Access denied: " + path);
        const std::size_t room = Free() + SizeOf(path);
        if (bytes.size() > room) {
            Put(path, bytes.substr(0, room));
            throw std::runtime_error("Cannot write " + path + ": " + kDiskFull);
        }
        Put(path, bytes);
    }
    void WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        Log.push_back("write " + path);
        if (!Writable(path)) throw std::runtime_error("Access denied: " + path);
        if (bytes.size() > Free()) throw std::runtime_error("Cannot write " + path + ": " + kDiskFull);
        Put(path, bytes);
    }
    bool RemoveFile(const std::string& path) override {
        Log.push_back("delete " + path);
        return files_.erase(Key(path)) != 0;
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        Log.push_back("rename " + from + " -> " + to);
        auto it = files_.find(Key(from));
        if (it == files_.end() || FileExists(to)) return false;
        std::string bytes = it->second.bytes;
        files_.erase(it);
        Put(to, bytes);
        return true;
    }
    bool CreateFolders(const std::string& path) override {
        Log.push_back("mkdir " + path);
        if (!Writable(WithSlash(path))) return false;
        folders_.insert(Key(WithSlash(path)));
        return true;
    }
    bool ShellCopy(const std::string& from, const std::string& to) override {
        Log.push_back("copy " + from + " -> " + to);
        auto it = files_.find(Key(from));
        if (it == files_.end() || !Writable(to) || it->second.bytes.size() > Free() + SizeOf(to)) return false;
        Put(to, it->second.bytes);
        return true;
    }
    bool ShellMove(const std::string& from, const std::string& to) override {
        Log.push_back("move " + from + " -> " + to);
        auto it = files_.find(Key(from));
        if (it == files_.end() || !Writable(to)) return false;
        std::string bytes = it->second.bytes;
        files_.erase(it);
        Put(to, bytes);
        return true;
    }
    std::vector<std::string> ListSubfolders(const std::string& folder) const override {
        const std::string base = WithSlash(folder);
        const std::string k = Key(base);
        std::vector<std::string> names;
        auto add = [&](const std::string& original, const std::string& key) {
            if (key.rfind(k, 0) != 0) return;
            const std::string rest = original.substr(base.size());
            const auto slash = rest.find('\\');
            if (slash == std::string::npos) return;
            const std::string name = rest.substr(0, slash);
            if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        };
        for (const auto& [key, file] : files_) add(file.path, key);
        for (const auto& key : folders_) add(key, key);
        return names;
    }

private:
    static constexpr const char* kDiskFull = "There is not enough space on the disk.";
    std::size_t SizeOf(const std::string& path) const {
        auto it = files_.find(Key(path));
        return it == files_.end() ? 0 : it->second.bytes.size();
    }
    std::size_t Free() const {
        if (!Capacity) return static_cast<std::size_t>(-1) / 2;
        const std::size_t used = UsedBytes();
        return used < *Capacity ? *Capacity - used : 0;
    }
    struct Entry {
        std::string path;
        std::string bytes;
    };
    static std::string WithSlash(const std::string& p) { return !p.empty() && p.back() == '\\' ? p : p + "\\"; }
    static std::string Key(const std::string& p) {
        std::string k = p;
        std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return k;
    }
    bool Writable(const std::string& path) const {
        const std::string k = Key(path);
        if (ReadOnlyFiles.count(k)) return false;
        return std::none_of(ReadOnlyFolders.begin(), ReadOnlyFolders.end(),
                            [&](const std::string& ro) { return k.rfind(ro, 0) == 0; });
    }
    std::map<std::string, Entry> files_;
    std::set<std::string> folders_;
};

class MemorySettings : public SettingsStore {
public:
    std::map<std::string, std::string> Values;
    bool Open = true;
    bool IsOpen() const override { return Open; }
    std::string Read(const std::string& name) const override {
        auto it = Values.find(name);
        return Open && it != Values.end() ? it->second : std::string();
    }
    // Names whose writes fail, as they do on a key the user may not change.
    std::set<std::string> Refused;
    bool Write(const std::string& name, const std::string& value) override {
        if (!Open || Refused.count(name)) return false;
        Values[name] = value;
        return true;
    }
};

}  // namespace wmb::test
