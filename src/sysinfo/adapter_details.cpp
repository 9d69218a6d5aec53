#include "sysinfo/adapter_details.h"

#include <cstdio>

namespace wmb {

namespace {

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

std::vector<std::uint8_t> SizedReply(std::uint32_t size) {
    std::vector<std::uint8_t> reply(size, 0);
    PutU32(reply, 0, size);
    return reply;
}

// Graphics clock at offset 8 of the level buffer, memory clock at offset 12.
std::uint32_t LevelClock(DisplayDriver& driver, std::uint32_t level, std::size_t offset) {
    std::vector<std::uint8_t> levelBuffer(16, 0);
    PutU32(levelBuffer, 0, level);
    return DisplayDriverEscape(driver, kClockLevelFunction, levelBuffer) ? GetU32(levelBuffer, offset) : 0;
}

std::string WholeMHz(std::uint32_t hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", hz / 1000000.0);
    return text;
}

const char* const kAtiAsicKey = "\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC";
const char* const kAtiMemoryKey = "\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\Memory";
const char* const kDisplayClassKey =
    "\\SYSTEM\\ControlSet001\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000";

}  // namespace

bool TAtiClockInfo::AtiEscape(std::uint32_t subCode, std::vector<std::uint8_t>& reply) {
    EscapeCall call;
    call.DriverName = kFirstDisplayName;
    call.Escape = kAtiEscape;
    call.Input.assign(16, 0);
    PutU32(call.Input, 0, 16);
    PutU32(call.Input, 4, subCode);
    call.Output = &reply;
    const EscapeOutcome outcome = driver_.Escape(call);
    return outcome.DcCreated && outcome.Result == 0;
}

bool TAtiClockInfo::ReadClocks() {
    std::vector<std::uint8_t> reply = SizedReply(80);
    if (!AtiEscape(kAtiClockInfo, reply)) return false;
    EngineClock = GetU32(reply, 44) / 100.0;
    MemoryClock = GetU32(reply, 12) / 100.0;
    return true;
}

bool TAtiClockInfo::ReadMemoryInfo() {
    std::vector<std::uint8_t> reply = SizedReply(64);
    return AtiEscape(kAtiMemoryInfo, reply);
}

bool TAtiClockInfo::CheckAdapter() {
    DisplayDevice last;
    DisplayDevice device;
    for (std::uint32_t index = 0; driver_.EnumDisplayDevice(index, device); ++index) {
        last = device;
        if (device.Name.substr(0, 32) == kFirstDisplayName) {
            AdapterName = device.DeviceString;
            break;
        }
    }
    const std::string id = last.DeviceId.substr(0, 128);
    return id.size() >= 12 && id.compare(8, 4, "1002") == 0;
}

bool TAtiClockInfo::Detect() { return ReadClocks() && ReadMemoryInfo() && CheckAdapter(); }

bool DisplayDriverEscape(DisplayDriver& driver, std::uint32_t functionCode, std::vector<std::uint8_t>& levelBuffer) {
    std::vector<std::uint8_t> reply(32, 0);
    EscapeCall call;
    call.DriverName = "DISPLAY";
    call.Escape = kClockQueryEscape;
    call.Input.assign(32, 0);
    PutU32(call.Input, 8, functionCode);
    PutU32(call.Input, 24, static_cast<std::uint32_t>(levelBuffer.size()));
    call.Output = &reply;
    call.Referenced = &levelBuffer;
    call.AddressOffset = 16;
    const EscapeOutcome outcome = driver.Escape(call);
    return outcome.DcCreated && outcome.Result > 0 && outcome.DcDeleted && GetU32(reply, 28) == 0;
}

std::uint32_t GetLevelGpuClock(DisplayDriver& driver, std::uint32_t level) { return LevelClock(driver, level, 8); }

std::uint32_t GetLevelMemoryClock(DisplayDriver& driver, std::uint32_t level) {
    return LevelClock(driver, level, 12);
}

std::string CutAtParenthesis(const std::string& text) { return text.substr(0, text.find('(')); }

std::string FormatMHz(double mhz, char decimalSeparator) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f MHz", mhz);
    std::string result = text;
    if (const auto point = result.find('.'); point != std::string::npos) result[point] = decimalSeparator;
    return result;
}

void ReadAtiAdapterInfo(SystemInfo& info, DisplayDriver& driver, RegistryReader& registry, char decimalSeparator) {
    TAtiClockInfo ati(driver);
    if (!ati.Detect()) {
        info.AtiAdapterFound = false;
        return;
    }
    info.AtiAdapterFound = true;
    info.AtiAdapterName = ati.AdapterName;
    info.AtiMemoryClock = FormatMHz(ati.MemoryClock, decimalSeparator);
    info.AtiEngineClock = FormatMHz(ati.EngineClock, decimalSeparator);
    if (!registry.OpenKey(kAtiAsicKey)) return;
    info.AtiBusType = registry.ValueExists("Bus Type") ? CutAtParenthesis(registry.ReadString("Bus Type")) : "";
    if (registry.OpenKey(kAtiMemoryKey)) {
        info.AtiMemoryType = registry.ValueExists("Type") ? CutAtParenthesis(registry.ReadString("Type")) : "";
    }
}

void ReadDisplayClassInfo(SystemInfo& info, DisplayDriver& driver, RegistryReader& registry,
                          std::vector<std::string>& clockLines) {
    if (!registry.OpenKey(kDisplayClassKey)) {
        info.DisplayClassFound = false;
        return;
    }
    info.DisplayClassFound = true;
    info.AdapterDesc = registry.ReadString("DriverDesc");
    clockLines.clear();
    auto collect = [&](std::uint32_t (*clock)(DisplayDriver&, std::uint32_t)) {
        for (std::uint32_t level = 0; level <= 5; ++level) {
            const std::string mhz = WholeMHz(clock(driver, level));
            if (mhz != "0") clockLines.push_back(mhz);
        }
    };
    collect(GetLevelGpuClock);
    collect(GetLevelMemoryClock);
    if (clockLines.size() == 6) {
        info.GpuClock = clockLines[2] + " MHz";
        info.GpuMemoryClock = clockLines[5] + " MHz";
    }
}

}  // namespace wmb
