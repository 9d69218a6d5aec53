#pragma once
// Graphics adapter details read straight from the display driver (two private escapes) and from
// the driver's registry keys. All platform access goes through DisplayDriver and RegistryReader.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display_driver.h"
#include "platform/registry_reader.h"
#include "sysinfo/system_info.h"

namespace wmb {

inline constexpr const char* kFirstDisplayName = "\\\\.\\DISPLAY1";
inline constexpr int kAtiEscape = 0x7306;
inline constexpr std::uint32_t kAtiClockInfo = 0x00110013;
inline constexpr std::uint32_t kAtiMemoryInfo = 0x00400103;
inline constexpr int kClockQueryEscape = 0x7037;
inline constexpr std::uint32_t kClockLevelFunction = 0x1EE;

// Asks an ATI driver for its current clocks and checks that the first display is an ATI adapter.
class TAtiClockInfo {
public:
    explicit TAtiClockInfo(DisplayDriver& driver) : driver_(driver) {}

    double EngineClock = 0.0;  // MHz
    double MemoryClock = 0.0;  // MHz
    std::string AdapterName;   // device string of "\\.\DISPLAY1"

    // ReadClocks, ReadMemoryInfo and CheckAdapter in turn; stops at the first failure.
    bool Detect();
    bool ReadClocks();
    bool ReadMemoryInfo();
    // True when the first display (or, lacking one, the last device enumerated) has vendor id 1002.
    bool CheckAdapter();

private:
    // The ATI escape with `subCode` into `reply`; success is a result of 0 on a created context.
    bool AtiEscape(std::uint32_t subCode, std::vector<std::uint8_t>& reply);

    DisplayDriver& driver_;
};

// One clock-level query (function code 0x1EE) filling `levelBuffer`; success needs a positive
// escape result, a cleanly deleted device context and a status word of 0.
bool DisplayDriverEscape(DisplayDriver& driver, std::uint32_t functionCode, std::vector<std::uint8_t>& levelBuffer);
// Clocks in Hz of a clock level 0..5; 0 when the query fails.
std::uint32_t GetLevelGpuClock(DisplayDriver& driver, std::uint32_t level);
std::uint32_t GetLevelMemoryClock(DisplayDriver& driver, std::uint32_t level);

// The text before its first "(" (blanks before it stay), or the whole text.
std::string CutAtParenthesis(const std::string& text);

// "%f MHz" with two decimals and the locale's decimal separator: "621.00 MHz".
std::string FormatMHz(double mhz, char decimalSeparator);

// ATI group of `info`: AtiAdapterFound and, when found, name, clocks, bus and memory type.
void ReadAtiAdapterInfo(SystemInfo& info, DisplayDriver& driver, RegistryReader& registry, char decimalSeparator);

// Display-class group of `info`: DisplayClassFound, AdapterDesc and, when exactly six clock levels
// answer, GpuClock and GpuMemoryClock. `clockLines` is the scratch list of answered clocks.
void ReadDisplayClassInfo(SystemInfo& info, DisplayDriver& driver, RegistryReader& registry,
                          std::vector<std::string>& clockLines);

}  // namespace wmb
