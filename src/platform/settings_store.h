#pragma once
// The program's settings key: string values only; a missing value reads as "".

#include <string>

namespace wmb {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool IsOpen() const = 0;
    virtual std::string Read(const std::string& name) const = 0;
    // Writes a REG_SZ value; does nothing while the key is not open. Returns whether the value was written.
    virtual bool Write(const std::string& name, const std::string& value) = 0;
};

}  // namespace wmb
