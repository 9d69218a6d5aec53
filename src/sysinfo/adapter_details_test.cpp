#include "sysinfo/adapter_details.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace wmb {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

// A display driver that answers like an ATI driver (escape 0x7306) and a clock-level driver
// (escape 0x7037), as configured.
class FakeDriver : public DisplayDriver {
public:
    struct Seen {
        std::string DriverName;
        int Escape;
        Bytes Input, Output, Referenced;  // as handed in
        std::size_t AddressOffset;
    };
    std::vector<Seen> Calls;
    std::vector<DisplayDevice> Devices;

    bool CreateDc = true;
    std::map<std::uint32_t, int> AtiResults;  // per sub-code; 0 (success) when absent
    std::uint32_t EngineWord = 0, MemoryWord = 0;

    std::map<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> Levels;  // level -> graphics, memory Hz
    std::uint32_t Status = 0;
    bool DeleteDc = true;

    bool EnumDisplayDevice(std::uint32_t index, DisplayDevice& device) override {
        if (index >= Devices.size()) return false;
        device = Devices[index];
        return true;
    }

    EscapeOutcome Escape(const EscapeCall& call) override {
        Calls.push_back({call.DriverName, call.Escape, call.Input, call.Output ? *call.Output : Bytes(),
                         call.Referenced ? *call.Referenced : Bytes(), call.AddressOffset});
        EscapeOutcome outcome{CreateDc, 0, DeleteDc};
        if (!CreateDc) return outcome;
        if (call.Escape == kAtiEscape) {
            const std::uint32_t subCode = Get(call.Input, 4);
            outcome.Result = AtiResults.count(subCode) ? AtiResults[subCode] : 0;
            if (subCode == kAtiClockInfo) {
                Put(*call.Output, 12, MemoryWord);
                Put(*call.Output, 44, EngineWord);
            }
        } else if (call.Escape == kClockQueryEscape) {
            Bytes& level = *call.Referenced;
            const auto answer = Levels.find(Get(level, 0));
            if (answer == Levels.end()) return outcome;
            Put(level, 8, answer->second.first);
            Put(level, 12, answer->second.second);
            Put(*call.Output, 28, Status);
            outcome.Result = 1;
        }
        return outcome;
    }
};

class FakeRegistry : public RegistryReader {
public:
    std::map<std::string, std::map<std::string, std::string>> Keys;
    std::vector<std::string> Opened;

    bool OpenKey(const std::string& path) override {
        Opened.push_back(path);
        open_ = Keys.count(path) ? &Keys[path] : nullptr;
        return open_ != nullptr;
    }
    bool ValueExists(const std::string& name) const override { return open_ && open_->count(name); }
    std::string ReadString(const std::string& name) const override {
        return ValueExists(name) ? open_->at(name) : std::string();
    }

private:
    std::map<std::string, std::string>* open_ = nullptr;
};

const std::string kAsic = "\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC";
const std::string kMemory = "\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\Memory";
const std::string kClass = "\\SYSTEM\\ControlSet001\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000";

DisplayDevice Device(const char* name, const char* text, const char* id) { return {name, text, id}; }

class AtiAdapter : public ::testing::Test {
protected:
    AtiAdapter() {
        driver.Devices = {Device("\\\\.\\DISPLAY1", "RADEON X800", "PCI\\VEN_1002&DEV_4A49&SUBSYS_00000000"),
                          Device("\\\\.\\DISPLAY2", "Second", "PCI\\VEN_10DE&DEV_0001")};
        driver.EngineWord = 62100;
        driver.MemoryWord = 72000;
    }
    FakeDriver driver;
    FakeRegistry registry;
    SystemInfo info;
};

TEST_F(AtiAdapter, EscapePacketsAreBuiltByteForByte) {
    TAtiClockInfo ati(driver);
    ASSERT_TRUE(ati.Detect());
    ASSERT_EQ(driver.Calls.size(), 2u);
    const Bytes clockRequest = {16, 0, 0, 0, 0x13, 0, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes memoryRequest = {16, 0, 0, 0, 0x03, 0x01, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Bytes clockReply(80, 0), memoryReply(64, 0);
    clockReply[0] = 80;
    memoryReply[0] = 64;
    EXPECT_EQ(driver.Calls[0].DriverName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(driver.Calls[0].Escape, 0x7306);
    EXPECT_EQ(driver.Calls[0].Input, clockRequest);
    EXPECT_EQ(driver.Calls[0].Output, clockReply);
    EXPECT_EQ(driver.Calls[1].DriverName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(driver.Calls[1].Input, memoryRequest);
    EXPECT_EQ(driver.Calls[1].Output, memoryReply);
    EXPECT_DOUBLE_EQ(ati.EngineClock, 621.0);
    EXPECT_DOUBLE_EQ(ati.MemoryClock, 720.0);
    EXPECT_EQ(ati.AdapterName, "RADEON X800");
}

TEST_F(AtiAdapter, FoundAdapterFillsClocksBusAndMemoryType) {
    registry.Keys[kAsic] = {{"Bus Type", "AGP 8x (Fast Write)"}};
    registry.Keys[kMemory] = {{"Type", "DDR3"}};
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_TRUE(info.AtiAdapterFound);
    EXPECT_EQ(info.AtiAdapterName, "RADEON X800");
    EXPECT_EQ(info.AtiEngineClock, "621.00 MHz");
    EXPECT_EQ(info.AtiMemoryClock, "720.00 MHz");
    EXPECT_EQ(info.AtiBusType, "AGP 8x ");
    EXPECT_EQ(info.AtiMemoryType, "DDR3");

    ReadAtiAdapterInfo(info, driver, registry, ',');
    EXPECT_EQ(info.AtiEngineClock, "621,00 MHz");
}

TEST_F(AtiAdapter, MissingRegistryKeysAndValuesKeepOrEmptyTheTexts) {
    info.AtiBusType = "old bus";
    info.AtiMemoryType = "old memory";
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_EQ(info.AtiBusType, "old bus");
    EXPECT_EQ(info.AtiMemoryType, "old memory");

    registry.Keys[kAsic] = {};
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_EQ(info.AtiBusType, "");
    EXPECT_EQ(info.AtiMemoryType, "old memory");

    registry.Keys[kMemory] = {{"Other", "x"}};
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_EQ(info.AtiMemoryType, "");
}

TEST_F(AtiAdapter, FailedDetectionClearsOnlyTheFlagAndSkipsTheRegistry) {
    info.AtiAdapterName = "kept";
    info.AtiAdapterFound = true;
    driver.AtiResults[kAtiClockInfo] = 1;  // a positive count is a failure
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_FALSE(info.AtiAdapterFound);
    EXPECT_EQ(info.AtiAdapterName, "kept");
    EXPECT_EQ(driver.Calls.size(), 1u);
    EXPECT_TRUE(registry.Opened.empty());

    driver.AtiResults = {{kAtiMemoryInfo, -1}};
    EXPECT_FALSE(TAtiClockInfo(driver).Detect());
    driver.AtiResults.clear();
    driver.CreateDc = false;
    EXPECT_FALSE(TAtiClockInfo(driver).Detect());
}

TEST_F(AtiAdapter, ZeroFilledReplyLeavesTheDecisionToTheVendorCheck) {
    driver.EngineWord = 0;
    driver.MemoryWord = 0;
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_TRUE(info.AtiAdapterFound);
    EXPECT_EQ(info.AtiEngineClock, "0.00 MHz");

    driver.Devices[0].DeviceId = "PCI\\VEN_10DE&DEV_0040";
    ReadAtiAdapterInfo(info, driver, registry, '.');
    EXPECT_FALSE(info.AtiAdapterFound);
}

TEST_F(AtiAdapter, WithoutAFirstDisplayTheLastDeviceDecides) {
    driver.Devices = {Device("\\\\.\\DISPLAY5", "Other", "PCI\\VEN_10DE&DEV_1"),
                      Device("\\\\.\\display1", "Wrong case", "PCI\\VEN_1002&DEV_2")};
    TAtiClockInfo ati(driver);
    EXPECT_TRUE(ati.CheckAdapter());
    EXPECT_EQ(ati.AdapterName, "");

    std::swap(driver.Devices[0], driver.Devices[1]);
    EXPECT_FALSE(TAtiClockInfo(driver).CheckAdapter());
    driver.Devices.clear();
    EXPECT_FALSE(TAtiClockInfo(driver).CheckAdapter());
    driver.Devices = {Device("\\\\.\\DISPLAY1", "Short", "PCI\\VEN_10")};
    EXPECT_FALSE(TAtiClockInfo(driver).CheckAdapter());
}

TEST(CutAtParenthesis, KeepsTheTextBeforeTheFirstParenthesis) {
    EXPECT_EQ(CutAtParenthesis("AGP 8x (Fast Write)"), "AGP 8x ");
    EXPECT_EQ(CutAtParenthesis("PCI Express"), "PCI Express");
    EXPECT_EQ(CutAtParenthesis("(x)"), "");
    EXPECT_EQ(CutAtParenthesis("a(b(c"), "a");
}

class DisplayClass : public ::testing::Test {
protected:
    DisplayClass() { registry.Keys[kClass] = {{"DriverDesc", "Example Adapter"}}; }
    void Read() { ReadDisplayClassInfo(info, driver, registry, lines); }
    FakeDriver driver;
    FakeRegistry registry;
    SystemInfo info;
    std::vector<std::string> lines{"stale"};
};

TEST_F(DisplayClass, ClockQueryPacketsCarryTheLevelBuffer) {
    driver.Levels[2] = {600000000, 700000000};
    EXPECT_EQ(GetLevelGpuClock(driver, 2), 600000000u);
    EXPECT_EQ(GetLevelMemoryClock(driver, 2), 700000000u);
    EXPECT_EQ(GetLevelGpuClock(driver, 3), 0u);

    const auto& call = driver.Calls[0];
    EXPECT_EQ(call.DriverName, "DISPLAY");
    EXPECT_EQ(call.Escape, 0x7037);
    const Bytes request = {0, 0, 0, 0, 0, 0, 0, 0, 0xEE, 0x01, 0, 0, 0, 0, 0, 0,
                           0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(call.Input, request);
    EXPECT_EQ(call.AddressOffset, 16u);
    EXPECT_EQ(call.Output, Bytes(32, 0));
    const Bytes levelBuffer = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(call.Referenced, levelBuffer);
}

TEST_F(DisplayClass, AnUnsuccessfulQueryCountsAsZero) {
    driver.Levels[0] = {300000000, 400000000};
    driver.Status = 5;
    EXPECT_EQ(GetLevelGpuClock(driver, 0), 0u);
    driver.Status = 0;
    driver.DeleteDc = false;
    EXPECT_EQ(GetLevelGpuClock(driver, 0), 0u);
    driver.DeleteDc = true;
    driver.CreateDc = false;
    EXPECT_EQ(GetLevelMemoryClock(driver, 0), 0u);
}

TEST_F(DisplayClass, ThreeLevelsEachGiveTheThirdLevelsClocks) {
    driver.Levels = {{0, {300000000, 400000000}}, {1, {450000000, 500000000}}, {2, {600000000, 700000000}}};
    Read();
    EXPECT_TRUE(info.DisplayClassFound);
    EXPECT_EQ(info.AdapterDesc, "Example Adapter");
    EXPECT_EQ(lines, (std::vector<std::string>{"300", "450", "600", "400", "500", "700"}));
    EXPECT_EQ(info.GpuClock, "600 MHz");
    EXPECT_EQ(info.GpuMemoryClock, "700 MHz");
    EXPECT_EQ(driver.Calls.size(), 12u);
}

TEST_F(DisplayClass, FourGraphicsAndTwoMemoryLevelsAlsoMakeSixLines) {
    driver.Levels = {{0, {100000000, 200000000}},
                     {1, {200000000, 333000000}},
                     {2, {300000000, 0}},
                     {3, {400000000, 400000}}};  // 0.4 MHz rounds to "0" and is skipped
    Read();
    EXPECT_EQ(lines, (std::vector<std::string>{"100", "200", "300", "400", "200", "333"}));
    EXPECT_EQ(info.GpuClock, "300 MHz");
    EXPECT_EQ(info.GpuMemoryClock, "333 MHz");
}

TEST_F(DisplayClass, NoAnswersLeaveTheClocksButShowTheDescription) {
    info.GpuClock = "earlier";
    Read();
    EXPECT_TRUE(info.DisplayClassFound);
    EXPECT_EQ(info.AdapterDesc, "Example Adapter");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(info.GpuClock, "earlier");
    EXPECT_EQ(info.GpuMemoryClock, "");
}

TEST_F(DisplayClass, MissingKeyClearsTheFlagAndQueriesNothing) {
    registry.Keys.clear();
    info.DisplayClassFound = true;
    info.AdapterDesc = "kept";
    Read();
    EXPECT_FALSE(info.DisplayClassFound);
    EXPECT_EQ(info.AdapterDesc, "kept");
    EXPECT_TRUE(driver.Calls.empty());

    registry.Keys[kClass] = {};
    Read();
    EXPECT_TRUE(info.DisplayClassFound);
    EXPECT_EQ(info.AdapterDesc, "");
}

}  // namespace
}  // namespace wmb
