#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/registry_key.h"

namespace wmb::e2e {

// Gives a registry value another text for the life of the object and puts the old state back after.
class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::string key, std::string name, const std::string& value)
        : root_(root), key_(std::move(key)), name_(std::move(name)) {
        RegKey k = RegKey::Create(root_, key_, KEY_ALL_ACCESS);
        existed_ = k.ValueExists(name_);
        old_ = k.ReadString(name_);
        k.WriteString(name_, value);
    }
    ~RegistryValueOverride() {
        RegKey k = RegKey::Open(root_, key_, KEY_ALL_ACCESS);
        if (existed_) {
            k.WriteString(name_, old_);
        } else {
            k.DeleteValue(name_);
        }
    }
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

private:
    HKEY root_;
    std::string key_, name_, old_;
    bool existed_ = false;
};

}  // namespace wmb::e2e
