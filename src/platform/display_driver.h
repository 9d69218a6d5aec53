#pragma once
// The display driver as the adapter details reach it: the display device enumeration and private
// driver escapes, each on a device context of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace wmb
