#pragma once
// Graphics adapter details read straight from the display driver (two private escapes) and from
// the driver's registry keys. All platform access goes through DisplayDriver and RegistryReader.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/system_info.h"

namespace wmb {

// One record of the display device enumeration, each text up to its NUL.
struct DisplayDevice {
    std::string Name;          // e.g. "\\.\DISPLAY1" (at most 32 characters)
    std::string DeviceString;  // the adapter's name
    std::string DeviceId;      // e.g. "PCI\VEN_1002&DEV_4E48..." (at most 128 characters)
};

// One driver escape on a device context of its own.
struct EscapeCall {
    std::string DriverName;  // driver name for the device context ("\\.\DISPLAY1", "DISPLAY")
    int Escape = 0;
    std::vector<std::uint8_t> Input;
    std::vector<std::uint8_t>* Output = nullptr;  // reply buffer, sized and pre-filled by the caller
    // A buffer that the input refers to by address: before the call the driver layer writes the
    // buffer's address as a 32-bit word at `AddressOffset` of the input (the program is 32-bit).
    std::vector<std::uint8_t>* Referenced = nullptr;
    std::size_t AddressOffset = 0;
};

struct EscapeOutcome {
    bool DcCreated = false;
    int Result = 0;          // ExtEscape's result; meaningless without a device context
    bool DcDeleted = false;  // DeleteDC succeeded
};

class DisplayDriver {
public:
    virtual ~DisplayDriver() = default;
    // Display device `index` of the whole system (no parent device); false past the last one.
    virtual bool EnumDisplayDevice(std::uint32_t index, DisplayDevice& device) = 0;
    // Creates a device context for the call's driver name, sends the escape, deletes the context.
    virtual EscapeOutcome Escape(const EscapeCall& call) = 0;
};

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
