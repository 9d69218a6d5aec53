#pragma once
// The platform facts of a report header: operating system, memory, processor, and the adapter
// details, read again for every report.

#include <cstdint>
#include <string>

#include "platform/display_driver.h"
#include "platform/platform_facts.h"
#include "platform/registry_reader.h"
#include "sysinfo/system_info.h"

namespace wmb {

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
