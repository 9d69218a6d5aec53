#include "platform/win32/registry_key.h"

#include <utility>
#include <vector>

namespace wmb {

namespace {

const char kSettingsKeyPath[] = "SOFTWARE\\Kestrane\\RERurov";

std::string WithoutLeadingBackslash(const std::string& path) {
    const auto first = path.find_first_not_of('\\');
    return first == std::string::npos ? std::string() : path.substr(first);
}

}  // namespace

RegKey::~RegKey() { Close(); }

RegKey::RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

void RegKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

RegKey RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return RegKey();
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, WithoutLeadingBackslash(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(key);
}

bool RegKey::DeleteTree(HKEY root, const std::string& path) {
    const std::string relative = WithoutLeadingBackslash(path);
    if (relative.empty()) return false;  // never the root itself
    const LSTATUS status = RegDeleteTreeA(root, relative.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return false;
    return !Open(root, relative, KEY_READ).IsOpen();
}

std::string RegKey::ReadString(const std::string& name) const {
    if (!key_) return std::string();
    std::vector<char> data(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LSTATUS status =
            RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size + 1);
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
        // The stored data need not end in a NUL, and may hold more than one.
        std::string text(data.data(), size);
        const auto nul = text.find('\0');
        if (nul != std::string::npos) text.resize(nul);
        return text;
    }
}

bool RegKey::WriteString(const std::string& name, const std::string& value) {
    if (!key_) return false;
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::ValueExists(const std::string& name) const {
    return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name) {
    return key_ && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

RegistrySettingsStore::RegistrySettingsStore() : RegistrySettingsStore(HKEY_LOCAL_MACHINE, kSettingsKeyPath) {}

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
    Reopen();
}

bool RegistrySettingsStore::Reopen() {
    key_ = RegKey::Open(root_, path_, KEY_READ | KEY_WRITE);
    return key_.IsOpen();
}

}  // namespace wmb
