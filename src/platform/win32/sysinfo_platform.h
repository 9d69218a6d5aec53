#pragma once
// The Windows side of the facts about the machine: display driver escapes, read-only registry access
// under HKEY_LOCAL_MACHINE, memory status, processor identification and clock.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display_driver.h"
#include "platform/platform_facts.h"
#include "platform/registry_reader.h"
#include "platform/win32/registry_key.h"

namespace wmb {

class Win32DisplayDriver : public DisplayDriver {
public:
    bool EnumDisplayDevice(std::uint32_t index, DisplayDevice& device) override;
    EscapeOutcome Escape(const EscapeCall& call) override;
};

// The escape's input as sent: the call's input with the referenced buffer's address written in.
std::vector<std::uint8_t> EscapeInputWithAddress(const EscapeCall& call);

class Win32RegistryReader : public RegistryReader {
public:
    bool OpenKey(const std::string& path) override;
    bool ValueExists(const std::string& name) const override;
    std::string ReadString(const std::string& name) const override;

private:
    RegKey key_;
};

class Win32PlatformFacts : public PlatformFacts {
public:
    bool IsNtFamily() const override;
    std::uint64_t TotalPhysicalMemory() const override;
    std::string ProcessorBrandString() const override;
    // Time-stamp counter against the performance counter over about 100 ms.
    double MeasureProcessorMHz() const override;
};

}  // namespace wmb
