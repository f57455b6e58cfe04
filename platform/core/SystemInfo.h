#pragma once

// What the system report says about the machine.

#include <cstdint>
#include <string>

namespace platform
{

struct OsVersion
{
    std::string name;    // "Linux"
    std::string release; // kernel release, e.g. "6.1.0-18-amd64"
    int platformId = 0;
    int build = 0;       // the kernel's build number (the "#N" of its version)
};
OsVersion GetOsVersion();

// Byte counts as the 32-bit design reported them: amounts of 4 GiB or more are
// capped at 0xFFFFFFFF.
struct MemoryStatus
{
    uint32_t totalPhysical = 0;
    uint32_t availablePhysical = 0;
    uint32_t totalVirtual = 0;     // address space the process may use
    uint32_t availableVirtual = 0; // of which not yet mapped
};
MemoryStatus GetMemoryStatus();

struct CpuIdentity
{
    std::string vendor; // 12 characters, "" when the processor does not say
    std::string brand;  // 48 characters at most, "" when the processor does not say
};
CpuIdentity GetCpuIdentity();

// Processor clock in Hz, measured by counting time-stamp ticks over one second
// of the monotonic clock. 0 when the processor has no time-stamp counter or
// when measuring is switched off.
double MeasureCpuClockHz();
// The measurement busy-waits for a second; tests switch it off.
void SetCpuClockMeasurement(bool enabled);

// Free bytes available to the caller on the disk of a folder (UTF-8 disk
// path); -1 when it cannot be read.
int64_t FreeDiskBytes(const std::string& diskFolder);

} // namespace platform
