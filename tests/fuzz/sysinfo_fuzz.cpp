// The facts at the head of a report: the DirectX diagnostic text report, and the adapter details
// as an odd driver and registry might answer, every answer taken from the report's own lines; then
// the report header built from all of it.

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "results/report.h"
#include "sysinfo/adapter_details.h"
#include "sysinfo/dxdiag_report.h"
#include "sysinfo/platform_facts.h"

using namespace wmb;
using namespace wmb::fuzz;

namespace {

// A text as the Windows structures and registry hand it over: up to its NUL, at most `capacity`
// characters with the NUL.
std::string Cut(const std::string& text, std::size_t capacity) {
    const std::string upToNul = text.substr(0, text.find('\0'));
    return upToNul.substr(0, capacity - 1);
}

// Answers in turn from the lines, round and round.
class LineSource {
public:
    explicit LineSource(const std::vector<std::string>& lines) : lines_(lines) {}
    const std::string& Next() {
        static const std::string kNone;
        if (lines_.empty()) return kNone;
        return lines_[next_++ % lines_.size()];
    }

private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

// Devices three lines at a time (device name, adapter name, device id). An escape's answer is the
// next line: empty means no device context; its first byte gives the result and whether the context
// went away cleanly, the rest is the reply. Like the real driver it writes only within the buffers
// the caller sized.
class LinesDriver : public DisplayDriver {
public:
    explicit LinesDriver(const std::vector<std::string>& lines) : lines_(lines), answers_(lines) {}

    bool EnumDisplayDevice(std::uint32_t index, DisplayDevice& device) override {
        const std::size_t first = static_cast<std::size_t>(index) * 3;
        if (index >= 16 || first + 2 >= lines_.size()) return false;
        device.Name = Cut(lines_[first], 32);
        device.DeviceString = Cut(lines_[first + 1], 128);
        device.DeviceId = Cut(lines_[first + 2], 128);
        return true;
    }

    EscapeOutcome Escape(const EscapeCall& call) override {
        const std::string& answer = answers_.Next();
        EscapeOutcome outcome;
        outcome.DcCreated = !answer.empty();
        if (!outcome.DcCreated) return outcome;
        const auto code = static_cast<unsigned char>(answer[0]);
        outcome.Result = static_cast<int>(code % 3) - 1;
        outcome.DcDeleted = (code & 4u) == 0;
        Fill(call.Output, answer, 1);
        Fill(call.Referenced, answer, 1 + (call.Output ? call.Output->size() : 0));
        return outcome;
    }

private:
    static void Fill(std::vector<std::uint8_t>* buffer, const std::string& answer, std::size_t from) {
        if (buffer == nullptr || from >= answer.size()) return;
        const std::size_t count = std::min(buffer->size(), answer.size() - from);
        std::copy_n(answer.begin() + static_cast<std::ptrdiff_t>(from), count, buffer->begin());
    }

    const std::vector<std::string>& lines_;
    LineSource answers_;
};

// Keys open and values exist unless the next line is empty; a string value is the next line.
class LinesRegistry : public RegistryReader {
public:
    explicit LinesRegistry(const std::vector<std::string>& lines) : answers_(lines) {}
    bool OpenKey(const std::string&) override { return !answers_.Next().empty(); }
    bool ValueExists(const std::string&) const override { return !answers_.Next().empty(); }
    std::string ReadString(const std::string&) const override { return Cut(answers_.Next(), 256); }

private:
    mutable LineSource answers_;
};

class TailPlatform : public PlatformFacts {
public:
    TailPlatform(const std::string& input, std::string brand) : input_(input), brand_(std::move(brand)) {}
    bool IsNtFamily() const override { return TailBit(input_, 0, 0); }
    std::uint64_t TotalPhysicalMemory() const override {
        std::uint64_t bytes = 0;
        for (std::size_t k = 1; k <= 5; ++k) bytes = bytes << 8 | TailByte(input_, k);
        return bytes;
    }
    std::string ProcessorBrandString() const override { return brand_; }
    double MeasureProcessorMHz() const override { return (TailByte(input_, 6) << 8 | TailByte(input_, 7)) / 7.0; }

private:
    const std::string& input_;
    std::string brand_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string report = InputText(data, size);
    const DxDiagFacts facts = ParseDxDiagReport(report);
    const std::vector<std::string> lines = SplitReportLines(report);

    // The reader's walk with a key and a cut position of the input's choosing.
    DxInfoReader reader(lines);
    std::string value;
    const std::string key = lines.empty() ? std::string() : lines.front().substr(0, 16);
    if (reader.FindKey(key, TailByte(report, 0), value)) {
        while (reader.NextDxInfoLine()) {
        }
    }

    SystemInfo info;
    info.CardName = facts.CardName;
    info.DisplayMemory = facts.DisplayMemory;
    info.DriverVersion = facts.DriverVersion;
    info.SoundDevice = facts.SoundDevice;
    LinesDriver driver(lines);
    LinesRegistry registry(lines);
    const TailPlatform platform(report, lines.empty() ? std::string() : lines.back().substr(0, 48));
    RefreshPlatformFacts(info, platform, driver, registry, TailBit(report, 0, 1) ? ',' : '.');

    const ReportHeaderInput header{"6/1/2007 20:15:03", info, lines.size() > 1 ? lines[1] : std::string()};
    for (const std::string& line : ReportHeaderLines(header)) {
        Require(line.find_first_of("\r\n") == std::string::npos, "a report line holds no line end");
    }
    return 0;
}
