#pragma once
// Registry keys: an owner of one open HKEY with string values only, and the program's settings store
// on top of it.

#include <windows.h>

#include <string>

#include "platform/settings_store.h"

namespace wmb {

class RegKey {
public:
    RegKey() = default;
    ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&& other) noexcept;

    // Opens an existing key; never creates one. The result is not open when the key is missing or
    // access is refused. A leading backslash in `path` is ignored.
    static RegKey Open(HKEY root, const std::string& path, REGSAM access);
    // Opens the key, creating it (and its parents) when missing. Meant for tests and tools: the
    // program itself only opens its key.
    static RegKey Create(HKEY root, const std::string& path, REGSAM access);
    // Removes a key with all its values and subkeys; true when it is gone afterwards.
    static bool DeleteTree(HKEY root, const std::string& path);

    bool IsOpen() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

    // A string value (REG_SZ or REG_EXPAND_SZ, not expanded); "" when missing or of another type.
    std::string ReadString(const std::string& name) const;
    // Stores a REG_SZ value; false when the key is not open or the write fails.
    bool WriteString(const std::string& name, const std::string& value);
    bool ValueExists(const std::string& name) const;
    bool DeleteValue(const std::string& name);

private:
    explicit RegKey(HKEY key) : key_(key) {}
    void Close();

    HKEY key_ = nullptr;
};

// The program's settings: string values of one key, opened for reading and writing but never created.
class RegistrySettingsStore : public SettingsStore {
public:
    // The settings key of the program.
    RegistrySettingsStore();
    // Another key (tests use a scratch key of their own).
    RegistrySettingsStore(HKEY root, std::string path);

    bool IsOpen() const override { return key_.IsOpen(); }
    std::string Read(const std::string& name) const override { return key_.ReadString(name); }
    bool Write(const std::string& name, const std::string& value) override { return key_.WriteString(name, value); }

    // Tries to open the key again (for instance after an installer created it); returns IsOpen().
    bool Reopen();

private:
    HKEY root_;
    std::string path_;
    RegKey key_;
};

}  // namespace wmb
