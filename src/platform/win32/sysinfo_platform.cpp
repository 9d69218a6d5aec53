#include "platform/win32/sysinfo_platform.h"

#include <cpuid.h>
#include <x86intrin.h>

#include <cstring>

namespace wmb {

namespace {

template <std::size_t N>
std::string FixedText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// Keeps the calling thread on one processor while it is alive, so both time-stamp readings come
// from the same counter.
class PinnedToOneProcessor {
public:
    PinnedToOneProcessor() : previous_(SetThreadAffinityMask(GetCurrentThread(), 1)) {}
    ~PinnedToOneProcessor() {
        if (previous_ != 0) SetThreadAffinityMask(GetCurrentThread(), previous_);
    }
    PinnedToOneProcessor(const PinnedToOneProcessor&) = delete;
    PinnedToOneProcessor& operator=(const PinnedToOneProcessor&) = delete;

private:
    DWORD_PTR previous_;
};

}  // namespace

bool Win32DisplayDriver::EnumDisplayDevice(std::uint32_t index, DisplayDevice& device) {
    DISPLAY_DEVICEA record{};
    record.cb = sizeof record;
    if (!EnumDisplayDevicesA(nullptr, index, &record, 0)) return false;
    device.Name = FixedText(record.DeviceName);
    device.DeviceString = FixedText(record.DeviceString);
    device.DeviceId = FixedText(record.DeviceID);
    return true;
}

std::vector<std::uint8_t> EscapeInputWithAddress(const EscapeCall& call) {
    std::vector<std::uint8_t> input = call.Input;
    if (call.Referenced && call.AddressOffset + 4 <= input.size()) {
        const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(call.Referenced->data()));
        std::memcpy(input.data() + call.AddressOffset, &address, 4);
    }
    return input;
}

EscapeOutcome Win32DisplayDriver::Escape(const EscapeCall& call) {
    EscapeOutcome outcome;
    HDC dc = CreateDCA(call.DriverName.c_str(), nullptr, nullptr, nullptr);
    if (!dc) return outcome;
    outcome.DcCreated = true;
    const std::vector<std::uint8_t> input = EscapeInputWithAddress(call);
    const int outputSize = call.Output ? static_cast<int>(call.Output->size()) : 0;
    char* output = call.Output ? reinterpret_cast<char*>(call.Output->data()) : nullptr;
    outcome.Result = ExtEscape(dc, call.Escape, static_cast<int>(input.size()),
                               reinterpret_cast<const char*>(input.data()), outputSize, output);
    outcome.DcDeleted = DeleteDC(dc) != FALSE;
    return outcome;
}

bool Win32RegistryReader::OpenKey(const std::string& path) {
    key_ = RegKey::Open(HKEY_LOCAL_MACHINE, path, KEY_READ);
    return key_.IsOpen();
}

bool Win32RegistryReader::ValueExists(const std::string& name) const { return key_.ValueExists(name); }

std::string Win32RegistryReader::ReadString(const std::string& name) const { return key_.ReadString(name); }

bool Win32PlatformFacts::IsNtFamily() const { return (GetVersion() & 0x80000000u) == 0; }

std::uint64_t Win32PlatformFacts::TotalPhysicalMemory() const {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::string Win32PlatformFacts::ProcessorBrandString() const {
    unsigned int a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0x80000000u, &a, &b, &c, &d) || a < 0x80000004u) return std::string();
    std::string brand;
    for (unsigned int leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
        __get_cpuid(leaf, &a, &b, &c, &d);
        for (unsigned int word : {a, b, c, d}) brand.append(reinterpret_cast<const char*>(&word), 4);
    }
    return brand;
}

double Win32PlatformFacts::MeasureProcessorMHz() const {
    LARGE_INTEGER frequency{}, start{}, end{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0.0;
    const PinnedToOneProcessor pinned;
    QueryPerformanceCounter(&start);
    const unsigned long long ticksAtStart = __rdtsc();
    Sleep(100);
    QueryPerformanceCounter(&end);
    const unsigned long long ticksAtEnd = __rdtsc();
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    return seconds > 0.0 ? static_cast<double>(ticksAtEnd - ticksAtStart) / seconds / 1e6 : 0.0;
}

}  // namespace wmb
