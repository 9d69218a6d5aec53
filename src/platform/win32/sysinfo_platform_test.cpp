#include "platform/win32/sysinfo_platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/win32/registry_key.h"
#include "platform/win32/wrappers/handle.h"
#include "sysinfo/adapter_details.h"
#include "sysinfo/dxdiag_report.h"
#include "sysinfo/platform_facts.h"

namespace wmb {
namespace {

const char* const kNtVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(Win32RegistryReader, ReadsExistingKeysAndNeverCreatesOne) {
    Win32RegistryReader registry;
    ASSERT_TRUE(registry.OpenKey(kNtVersionKey));
    EXPECT_TRUE(registry.ValueExists("ProductName"));
    EXPECT_FALSE(registry.ReadString("ProductName").empty());
    EXPECT_FALSE(registry.ValueExists("No Such Value"));
    EXPECT_EQ(registry.ReadString("No Such Value"), "");

    const std::string missing = "\\SOFTWARE\\WildmereBench Sysinfo Test\\Never Created";
    EXPECT_FALSE(registry.OpenKey(missing));
    EXPECT_FALSE(registry.ValueExists("ProductName")) << "a failed open leaves no key open";
    EXPECT_EQ(registry.ReadString("ProductName"), "");
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, missing, KEY_READ).IsOpen());
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\WildmereBench Sysinfo Test", KEY_READ).IsOpen());
}

TEST(Win32PlatformFacts, ReportsMemoryProcessorAndClock) {
    const Win32PlatformFacts platform;
    EXPECT_TRUE(platform.IsNtFamily());
    EXPECT_GT(platform.TotalPhysicalMemory(), 100000000u);
    EXPECT_EQ(platform.ProcessorBrandString().size(), 48u);
    const double mhz = platform.MeasureProcessorMHz();
    EXPECT_GT(mhz, 100.0);
    EXPECT_LT(mhz, 10000.0);
}

TEST(Win32DisplayDriver, TheClockQueryCarriesTheLevelBuffersAddress) {
    std::vector<std::uint8_t> levelBuffer(16, 0);
    EscapeCall call;
    call.Input.assign(32, 0);
    call.Input[24] = 16;
    call.Referenced = &levelBuffer;
    call.AddressOffset = 16;
    const std::vector<std::uint8_t> input = EscapeInputWithAddress(call);
    std::uint32_t address = 0;
    std::memcpy(&address, input.data() + 16, 4);
    EXPECT_EQ(address, reinterpret_cast<std::uintptr_t>(levelBuffer.data()));
    EXPECT_EQ(input[24], 16);
    EXPECT_EQ(EscapeInputWithAddress(EscapeCall{}), std::vector<std::uint8_t>());
}

TEST(Win32DisplayDriver, UnansweredEscapesFallBack) {
    Win32DisplayDriver driver;
    DisplayDevice device;
    EXPECT_TRUE(driver.EnumDisplayDevice(0, device));
    EXPECT_FALSE(device.Name.empty());
    EXPECT_FALSE(driver.EnumDisplayDevice(1000, device));

    EXPECT_FALSE(TAtiClockInfo(driver).Detect());
    for (std::uint32_t level = 0; level <= 5; ++level) {
        EXPECT_EQ(GetLevelGpuClock(driver, level), 0u);
        EXPECT_EQ(GetLevelMemoryClock(driver, level), 0u);
    }
}

TEST(Win32PlatformFactsRefresh, FillsTheRecordWithoutAdapterClocks) {
    SystemInfo info;
    const Win32PlatformFacts platform;
    Win32DisplayDriver driver;
    Win32RegistryReader registry;
    RefreshPlatformFacts(info, platform, driver, registry, '.');
    ASSERT_TRUE(registry.OpenKey(kNtVersionKey));
    EXPECT_EQ(info.OperatingSystem, registry.ReadString("ProductName"));
    EXPECT_FALSE(info.SystemMemoryText.empty());
    EXPECT_FALSE(info.CpuName.empty());
    EXPECT_GT(info.CpuSpeedMHz, 100u);
    EXPECT_FALSE(info.AtiAdapterFound);
    EXPECT_EQ(info.GpuClock, "");
    EXPECT_EQ(info.GpuMemoryClock, "");
}

// The substitute diagnostic tool built beside the tests: build\game\dxdiag\dxdiag.exe.
std::string SubstituteTool() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int up = 0; up < 4; ++up) folder.erase(folder.find_last_of('\\'));
    return folder + "\\game\\dxdiag\\dxdiag.exe";
}

DWORD RunHidden(const std::string& application, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return GetLastError() | 0x10000000u;
    }
    const Handle processHandle(process.hProcess), threadHandle(process.hThread);
    WaitForSingleObject(processHandle.Get(), 30000);
    DWORD code = 0;
    GetExitCodeProcess(processHandle.Get(), &code);
    return code;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(SubstituteDxDiag, WritesAFullReportThatReadsBackAsTheFourFacts) {
    const std::string tool = SubstituteTool();
    ASSERT_NE(GetFileAttributesA(tool.c_str()), INVALID_FILE_ATTRIBUTES) << tool;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "wmb sysinfo " + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string report = folder + "dxinfo.txt";

    EXPECT_EQ(RunHidden(tool, "dxdiag.exe /whql:on /t \"" + report + "\""), 0u);
    const std::string bytes = ReadWhole(report);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    const DxDiagFacts facts = ParseDxDiagReport(bytes);
    EXPECT_EQ(facts.CardName, " Example Adapter");
    EXPECT_EQ(facts.DisplayMemory, " 256.0 MB");
    EXPECT_EQ(facts.DriverVersion, " 6.14.0010.6614 (English)");
    EXPECT_EQ(facts.SoundDevice, "Example Audio Device");
    DeleteFileA(report.c_str());

    // An unquoted path runs to the end of the command line, blanks and all.
    EXPECT_EQ(RunHidden(tool, "dxdiag.exe /whql:on /t " + report), 0u);
    EXPECT_EQ(ReadWhole(report), bytes);
    DeleteFileA(report.c_str());

    EXPECT_EQ(RunHidden(tool, "dxdiag.exe /whql:on"), 1u);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace wmb
