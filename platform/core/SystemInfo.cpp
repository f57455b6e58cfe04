#include "SystemInfo.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define TK_HAVE_CPUID 1
#else
#define TK_HAVE_CPUID 0
#endif

namespace platform
{
namespace
{

std::atomic<bool> g_MeasureClock{true};

uint32_t Cap32(uint64_t bytes)
{
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, 0xFFFFFFFFull));
}

// The process's mapped bytes, from /proc/self/statm.
uint64_t MappedBytes()
{
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

uint64_t AvailablePhysicalBytes(const struct sysinfo& info)
{
    // MemAvailable counts reclaimable caches, as the platform the design came from did.
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib)
    {
        std::getline(meminfo, unit);
        if (key == "MemAvailable:")
        {
            return kib * 1024;
        }
    }
    return static_cast<uint64_t>(info.freeram) * info.mem_unit;
}

} // namespace

OsVersion GetOsVersion()
{
    OsVersion v;
    struct utsname u;
    if (::uname(&u) != 0)
    {
        return v;
    }
    v.name = u.sysname;
    v.release = u.release;
    // The version text starts with the build number: "#1 SMP ...".
    const char* p = u.version;
    if (*p == '#')
    {
        v.build = std::atoi(p + 1);
    }
    return v;
}

MemoryStatus GetMemoryStatus()
{
    MemoryStatus status;
    struct sysinfo info;
    if (::sysinfo(&info) == 0)
    {
        status.totalPhysical = Cap32(static_cast<uint64_t>(info.totalram) * info.mem_unit);
        status.availablePhysical = Cap32(AvailablePhysicalBytes(info));
    }
    uint64_t addressSpace = UINT64_MAX;
    struct rlimit limit;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    {
        addressSpace = limit.rlim_cur;
    }
    uint64_t mapped = MappedBytes();
    status.totalVirtual = Cap32(addressSpace);
    status.availableVirtual = Cap32(addressSpace > mapped ? addressSpace - mapped : 0);
    return status;
}

CpuIdentity GetCpuIdentity()
{
    CpuIdentity id;
#if TK_HAVE_CPUID
    unsigned a, b, c, d;
    if (__get_cpuid(0, &a, &b, &c, &d))
    {
        char vendor[13] = {};
        std::memcpy(vendor, &b, 4);
        std::memcpy(vendor + 4, &d, 4);
        std::memcpy(vendor + 8, &c, 4);
        id.vendor = vendor;
    }
    if (__get_cpuid(0x80000000, &a, &b, &c, &d) && a >= 0x80000004)
    {
        char brand[49] = {};
        for (unsigned leaf = 0; leaf < 3; ++leaf)
        {
            __get_cpuid(0x80000002 + leaf, &a, &b, &c, &d);
            std::memcpy(brand + leaf * 16, &a, 4);
            std::memcpy(brand + leaf * 16 + 4, &b, 4);
            std::memcpy(brand + leaf * 16 + 8, &c, 4);
            std::memcpy(brand + leaf * 16 + 12, &d, 4);
        }
        id.brand = brand;
    }
#endif
    return id;
}

double MeasureCpuClockHz()
{
#if TK_HAVE_CPUID
    if (!g_MeasureClock)
    {
        return 0.0;
    }
    using Clock = std::chrono::steady_clock;
    // Two back-to-back clock reads give the cost of one read, which is taken
    // out of the measured interval.
    auto t0 = Clock::now();
    auto t1 = Clock::now();
    uint64_t c0 = __rdtsc();
    auto t2 = t1;
    while (t2 - t0 < std::chrono::milliseconds(1000))
    {
        t2 = Clock::now();
    }
    uint64_t c1 = __rdtsc();
    double seconds = std::chrono::duration<double>(t2 - t1).count(); // t1 - t0 is the cost of one read
    return seconds > 0 ? static_cast<double>(c1 - c0) / seconds : 0.0;
#else
    return 0.0;
#endif
}

void SetCpuClockMeasurement(bool enabled)
{
    g_MeasureClock = enabled;
}

int64_t FreeDiskBytes(const std::string& diskFolder)
{
    struct statvfs fs;
    if (::statvfs(diskFolder.empty() ? "." : diskFolder.c_str(), &fs) != 0)
    {
        return -1;
    }
    return static_cast<int64_t>(fs.f_bavail) * static_cast<int64_t>(fs.f_frsize);
}

} // namespace platform
