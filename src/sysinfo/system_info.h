#pragma once
// The facts printed at the head of every report.

#include <cstdint>
#include <string>

namespace wmb {

inline constexpr const char* kIndeterminable = "indeterminable";
inline constexpr const char* kNoInformation = "No information";

struct SystemInfo {
    std::string OperatingSystem;
    std::string SystemMemoryText;
    std::string CpuName;
    std::uint32_t CpuSpeedMHz = 0;
    std::string SoundDevice;
    std::string CardName;
    std::string DisplayMemory;
    std::string DriverVersion;

    bool AtiAdapterFound = false;
    std::string AtiAdapterName;
    std::string AtiBusType;
    std::string AtiMemoryType;
    std::string AtiEngineClock;
    std::string AtiMemoryClock;

    bool DisplayClassFound = false;
    std::string AdapterDesc;
    std::string GpuClock;
    std::string GpuMemoryClock;
};

}  // namespace wmb
