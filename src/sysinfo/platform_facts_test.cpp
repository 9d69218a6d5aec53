#include "sysinfo/platform_facts.h"

#include <gtest/gtest.h>

#include <map>

namespace wmb {
namespace {

TEST(MemoryText, FollowsTheDigitCountOfTheByteCount) {
    EXPECT_EQ(MemoryText(536870912, '.'), "512.00 MB ");
    EXPECT_EQ(MemoryText(999999999, '.'), "953.67 MB ");
    EXPECT_EQ(MemoryText(10000000, '.'), "9.54 MB ");
    EXPECT_EQ(MemoryText(1000000000, '.'), "0.9 GB ");
    EXPECT_EQ(MemoryText(2147483648, '.'), "2.0 GB ");
    EXPECT_EQ(MemoryText(4294967295, '.'), "4.0 GB ");
    EXPECT_EQ(MemoryText(9999999999, '.'), "9.3 GB ");
    EXPECT_EQ(MemoryText(17179869184, '.'), "16GB");
    EXPECT_EQ(MemoryText(10000000000, '.'), "9GB");
    EXPECT_EQ(MemoryText(9999999, '.'), "");
    EXPECT_EQ(MemoryText(0, '.'), "");
}

TEST(MemoryText, UsesTheLocalesDecimalSeparator) {
    EXPECT_EQ(MemoryText(2147483648, ','), "2,0 GB ");
    EXPECT_EQ(MemoryText(536870912, ','), "512,00 MB ");
    EXPECT_EQ(MemoryText(17179869184, ','), "16GB");
}

TEST(CpuName, IsTheBrandStringUpToItsFirstNul) {
    EXPECT_EQ(CpuNameFromBrand(std::string("       Intel(R) Pentium(R) 4 CPU 3.00GHz\0\0\0\0\0\0\0", 48)),
              "       Intel(R) Pentium(R) 4 CPU 3.00GHz");
    EXPECT_EQ(CpuNameFromBrand(std::string(60, 'x')), std::string(48, 'x'));
    EXPECT_EQ(CpuNameFromBrand(""), "");
}

TEST(NominalCpuClock, SnapsToBusMultiples) {
    EXPECT_EQ(NominalCpuMHz(2992.6), 3000u);   // 15 x 200
    EXPECT_EQ(NominalCpuMHz(2659.9), 2667u);   // 20 x 133.33
    EXPECT_EQ(NominalCpuMHz(1833.0), 1833u);   // 11 x 166.67
    EXPECT_EQ(NominalCpuMHz(2202.3), 2200u);   // 11 x 200
    EXPECT_EQ(NominalCpuMHz(3391.7), 3400u);   // 34 x 100
    EXPECT_EQ(NominalCpuMHz(1266.0), 1267u);   // 9.5 x 133.33
    EXPECT_EQ(NominalCpuMHz(451.0), 450u);     // 4.5 x 100
    EXPECT_EQ(NominalCpuMHz(0.0), 0u);
    EXPECT_EQ(NominalCpuMHz(-5.0), 0u);
    EXPECT_EQ(NominalCpuMHz(12.0), 12u);
}

class FakePlatform : public PlatformFacts {
public:
    bool Nt = true;
    bool IsNtFamily() const override { return Nt; }
    std::uint64_t TotalPhysicalMemory() const override { return 2147483648; }
    std::string ProcessorBrandString() const override { return std::string("  Example CPU\0junk", 18); }
    double MeasureProcessorMHz() const override { return 2995.0; }
};

class NoDriver : public DisplayDriver {
public:
    bool EnumDisplayDevice(std::uint32_t, DisplayDevice&) override { return false; }
    EscapeOutcome Escape(const EscapeCall&) override { return {}; }
};

class MapRegistry : public RegistryReader {
public:
    std::map<std::string, std::string> ProductNames;  // key -> ProductName
    std::vector<std::string> Opened;
    bool OpenKey(const std::string& path) override {
        Opened.push_back(path);
        open_ = ProductNames.count(path) ? path : "";
        return !open_.empty();
    }
    bool ValueExists(const std::string& name) const override { return !open_.empty() && name == "ProductName"; }
    std::string ReadString(const std::string& name) const override {
        return ValueExists(name) ? ProductNames.at(open_) : "";
    }

private:
    std::string open_;
};

TEST(RefreshPlatformFacts, ReadsEveryFactThenBothAdapterReaders) {
    FakePlatform platform;
    NoDriver driver;
    MapRegistry registry;
    registry.ProductNames["Software\\Microsoft\\Windows NT\\CurrentVersion"] = "Windows XP Professional";
    registry.ProductNames["Software\\Microsoft\\Windows\\CurrentVersion"] = "Windows 98";
    SystemInfo info;
    info.AtiAdapterFound = true;
    info.DisplayClassFound = true;
    RefreshPlatformFacts(info, platform, driver, registry, ',');
    EXPECT_EQ(info.OperatingSystem, "Windows XP Professional");
    EXPECT_EQ(info.SystemMemoryText, "2,0 GB ");
    EXPECT_EQ(info.CpuName, "  Example CPU");
    EXPECT_EQ(info.CpuSpeedMHz, 3000u);
    EXPECT_FALSE(info.AtiAdapterFound);
    EXPECT_FALSE(info.DisplayClassFound);
    ASSERT_EQ(registry.Opened.size(), 2u);
    EXPECT_EQ(registry.Opened[1],
              "\\SYSTEM\\ControlSet001\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000");

    platform.Nt = false;
    RefreshPlatformFacts(info, platform, driver, registry, '.');
    EXPECT_EQ(info.OperatingSystem, "Windows 98");

    registry.ProductNames.clear();
    RefreshPlatformFacts(info, platform, driver, registry, '.');
    EXPECT_EQ(info.OperatingSystem, "");
}

}  // namespace
}  // namespace wmb
