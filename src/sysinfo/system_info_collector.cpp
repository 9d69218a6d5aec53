#include "sysinfo/system_info_collector.h"

#include <exception>
#include <utility>

#include "base/text.h"
#include "sysinfo/dxdiag_report.h"

namespace wmb {

namespace {

std::string QuotedIfBlank(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : Quoted(path);
}

std::string CachedOr(const SettingsStore& settings, const char* name, const char* fallback) {
    std::string value = settings.Read(name);
    return value.empty() ? fallback : value;
}

}  // namespace

std::string DxDiagCommandLine(const std::string& systemFolder, const std::string& programFolder) {
    return QuotedIfBlank(systemFolder + "\\dxdiag.exe") + " /whql:on /t " + QuotedIfBlank(programFolder + kDxInfoFileName);
}

SystemInfoCollector::SystemInfoCollector(SettingsStore& settings, FileSystem& files, ProcessRunner& dxrun,
                                         std::string systemFolder, std::string programFolder)
    : settings_(settings),
      files_(files),
      dxrun_(dxrun),
      systemFolder_(std::move(systemFolder)),
      programFolder_(std::move(programFolder)) {}

bool SystemInfoCollector::Collect(SystemInfo& info, std::function<void()> onDone) {
    const std::string cachedMemory = settings_.Read(kCacheDisplayMemory);
    if (!cachedMemory.empty()) {
        info.DisplayMemory = cachedMemory;
        info.DriverVersion = CachedOr(settings_, kCacheDriverVersion, kNoInformation);
        info.SoundDevice = CachedOr(settings_, kCacheSound, kNoInformation);
        Finish(std::move(onDone));
        return true;
    }
    if (files_.FileExists(ToolPath()) && StartTool()) {
        pending_ = std::move(onDone);
        return false;
    }
    info.DisplayMemory = kIndeterminable;
    info.DriverVersion = kIndeterminable;
    info.SoundDevice = kIndeterminable;
    Finish(std::move(onDone));
    return true;
}

bool SystemInfoCollector::StartTool() {
    try {
        dxrun_.Start(ToolPath(), DxDiagCommandLine(systemFolder_, programFolder_), systemFolder_);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void SystemInfoCollector::OnToolEnded(SystemInfo& info) {
    std::function<void()> onDone = std::move(pending_);
    pending_ = nullptr;
    const std::string path = ReportPath();
    const auto bytes = files_.FileExists(path) ? files_.ReadFile(path) : std::nullopt;
    if (!bytes) {
        info.CardName = kIndeterminable;
        info.DisplayMemory = kIndeterminable;
        info.DriverVersion = kIndeterminable;
        info.SoundDevice = kIndeterminable;
    } else {
        const DxDiagFacts facts = ParseDxDiagReport(*bytes);
        info.CardName = facts.CardName;
        info.DisplayMemory = facts.DisplayMemory;
        info.DriverVersion = facts.DriverVersion;
        info.SoundDevice = facts.SoundDevice;
        auto cache = [&](const char* name, bool found, const std::string& value) {
            if (found && !value.empty()) settings_.Write(name, value);
        };
        cache(kCacheDisplayMemory, facts.DisplayMemoryFound, facts.DisplayMemory);
        cache(kCacheDriverVersion, facts.DriverVersionFound, facts.DriverVersion);
        cache(kCacheSound, facts.SoundDeviceFound, facts.SoundDevice);
    }
    if (files_.FileExists(path)) files_.RemoveFile(path);
    Finish(std::move(onDone));
}

void SystemInfoCollector::Finish(std::function<void()> onDone) {
    if (onDone) onDone();
}

}  // namespace wmb
