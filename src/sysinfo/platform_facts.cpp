#include "sysinfo/platform_facts.h"

#include "sysinfo/adapter_details.h"

#include <cmath>
#include <cstdio>

namespace wmb {

namespace {

int DecimalDigits(std::uint64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

std::string WithSeparator(std::string text, char decimalSeparator) {
    if (const auto point = text.find('.'); point != std::string::npos) text[point] = decimalSeparator;
    return text;
}

}  // namespace

std::string MemoryText(std::uint64_t bytes, char decimalSeparator) {
    constexpr std::uint64_t kGiB = 1073741824;
    constexpr double kMiB = 1048576.0;
    const int digits = DecimalDigits(bytes);
    char text[64];
    if (digits >= 11) return std::to_string(bytes / kGiB) + "GB";
    if (digits == 10) {
        std::snprintf(text, sizeof text, "%.1f GB ", static_cast<double>(bytes) / static_cast<double>(kGiB));
        return WithSeparator(text, decimalSeparator);
    }
    if (digits >= 8) {
        std::snprintf(text, sizeof text, "%.2f MB ", static_cast<double>(bytes) / kMiB);
        return WithSeparator(text, decimalSeparator);
    }
    return "";
}

std::string CpuNameFromBrand(const std::string& brand) {
    const std::string limited = brand.substr(0, 48);
    return limited.substr(0, limited.find('\0'));
}

// A processor runs at a multiplier, in half steps, of its bus or base clock, and those clocks are
// 66.67, 100, 133.33, 166.67, 200, 266.67 or 333.33 MHz. Every nominal clock is therefore a multiple
// of 33.33 MHz (half of 66.67; covers the 133.33, 166.67, 266.67 and 333.33 buses too) or of 50 MHz
// (half of 100; covers 200). The measurement is snapped to the nearest such multiple and rounded to
// whole MHz (8 x 333.33 gives 2667).
std::uint32_t NominalCpuMHz(double measuredMHz) {
    if (!(measuredMHz > 0.0)) return 0;
    const double third = 100.0 / 3.0;
    const double byThirds = std::round(measuredMHz / third) * third;
    const double byFifties = std::round(measuredMHz / 50.0) * 50.0;
    double nominal = std::fabs(byThirds - measuredMHz) <= std::fabs(byFifties - measuredMHz) ? byThirds : byFifties;
    if (nominal <= 0.0) nominal = measuredMHz;
    return static_cast<std::uint32_t>(std::lround(nominal));
}

std::string ProductNameKey(bool ntFamily) {
    return ntFamily ? "Software\\Microsoft\\Windows NT\\CurrentVersion" : "Software\\Microsoft\\Windows\\CurrentVersion";
}

void RefreshPlatformFacts(SystemInfo& info, const PlatformFacts& platform, DisplayDriver& driver,
                          RegistryReader& registry, char decimalSeparator) {
    info.OperatingSystem = registry.OpenKey(ProductNameKey(platform.IsNtFamily())) ? registry.ReadString("ProductName")
                                                                                  : "";
    info.SystemMemoryText = MemoryText(platform.TotalPhysicalMemory(), decimalSeparator);
    info.CpuName = CpuNameFromBrand(platform.ProcessorBrandString());
    info.CpuSpeedMHz = NominalCpuMHz(platform.MeasureProcessorMHz());
    ReadAtiAdapterInfo(info, driver, registry, decimalSeparator);
    std::vector<std::string> clockLines;
    ReadDisplayClassInfo(info, driver, registry, clockLines);
}

}  // namespace wmb
