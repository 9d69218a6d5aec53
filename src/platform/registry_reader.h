#pragma once
// Read-only registry access for the facts the system reads about the machine.

#include <string>

namespace wmb {

// Read-only access to keys under HKEY_LOCAL_MACHINE; keys are never created. One key is open at a
// time; paths may begin with a backslash.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // Opens an existing key (closing the one open before); false when it does not open.
    virtual bool OpenKey(const std::string& path) = 0;
    virtual bool ValueExists(const std::string& name) const = 0;
    // A string value of the open key; "" when it is missing or not a string.
    virtual std::string ReadString(const std::string& name) const = 0;
};

}  // namespace wmb
