#pragma once
// The platform facts of a report header: operating system, memory, processor, and the adapter
// details, read again for every report.

#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/adapter_details.h"
#include "sysinfo/system_info.h"

namespace wmb {

class PlatformFacts {
public:
    virtual ~PlatformFacts() = default;
    // Windows NT family (as opposed to the older 95/98/Me family).
    virtual bool IsNtFamily() const = 0;
    // Total physical memory in bytes.
    virtual std::uint64_t TotalPhysicalMemory() const = 0;
    // The processor's 48-byte brand string as it reports it (NULs included), "" without one.
    virtual std::string ProcessorBrandString() const = 0;
    // The processor clock measured now, in MHz.
    virtual double MeasureProcessorMHz() const = 0;
};

// Total memory as the report words it: "16GB" from 11 digits on, "2.0 GB " with 10 digits,
// "512.00 MB " with 8 or 9 digits, "" below; `decimalSeparator` replaces the point.
std::string MemoryText(std::uint64_t bytes, char decimalSeparator);

// The brand string up to its first NUL, at most 48 characters, leading blanks kept.
std::string CpuNameFromBrand(const std::string& brand);

// The nominal clock nearest to a measured one, in whole MHz.
std::uint32_t NominalCpuMHz(double measuredMHz);

// Registry key holding "ProductName" for the family.
std::string ProductNameKey(bool ntFamily);

// OperatingSystem, SystemMemoryText, CpuName, CpuSpeedMHz, then ReadAtiAdapterInfo and
// ReadDisplayClassInfo.
void RefreshPlatformFacts(SystemInfo& info, const PlatformFacts& platform, DisplayDriver& driver,
                          RegistryReader& registry, char decimalSeparator);

}  // namespace wmb
