#pragma once
// What the platform tells about the machine itself: operating system family, memory and processor.

#include <cstdint>
#include <string>

namespace wmb {

class PlatformFacts {
public:
    virtual ~PlatformFacts() = default;
    // Windows NT family (as opposed to the older 95/98/Me family).
    virtual bool IsNtFamily() const = 0;
    // Total physical memory in bytes.
    virtual std::uint64_t TotalPhysicalMemory() const = 0;
    // The processor's 48-byte brand string as it reports it (NULs included), "" without one.
    virtual std::string ProcessorBrandString() const = 0;
    // The processor clock measured now, in MHz.
    virtual double MeasureProcessorMHz() const = 0;
};

}  // namespace wmb
