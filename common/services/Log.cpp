#include "Log.h"

#include "common/services/TextAndNumbers.h"
#include "platform/core/Files.h"
#include "platform/core/Format.h"
#include "platform/core/SystemInfo.h"

#include <cstdarg>
#include <mutex>

namespace
{

struct LogState
{
    std::mutex lock;
    std::string reportPath;
    std::string errorPath;
    bool errorEnabled = false;
    bool errorFirstWriteDone = false;
};

LogState& State()
{
    static LogState state;
    return state;
}

constexpr std::size_t kReportAndErrorLineLimit = 1023;

bool AppendReport(LogState& s, std::string_view text)
{
    return !s.reportPath.empty() && platform::WriteTextFile(s.reportPath, platform::TextOpen::AppendToExisting, text);
}

void WriteErrorLogLocked(LogState& s, std::string_view text)
{
    if (!s.errorEnabled || s.errorPath.empty())
    {
        return;
    }
    std::string line(text);
    line += '\n';
    auto how = s.errorFirstWriteDone ? platform::TextOpen::AppendToExisting : platform::TextOpen::CreateOrTruncate;
    s.errorFirstWriteDone = true;
    platform::WriteTextFile(s.errorPath, how, line);
}

std::string Format(const char* format, ...) TK_PRINTF(1, 2);
std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = platform::VFormat(format, args);
    va_end(args);
    return text;
}

// Byte counts of the report in megabytes, as the 32-bit design scaled them.
double Megabytes(double bytes)
{
    return bytes * 9.5367431640625e-07;
}

} // namespace

int OpenReportLog(std::string_view path)
{
    LogState& s = State();
    std::lock_guard lock(s.lock);
    if (!platform::WriteTextFile(path, platform::TextOpen::CreateOrTruncate, ""))
    {
        return 0;
    }
    s.reportPath = path;
    return 1;
}

int WriteReport(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = platform::VFormat(format, args);
    va_end(args);
    line += '\n';

    LogState& s = State();
    std::lock_guard lock(s.lock);
    return AppendReport(s, line) ? 1 : 0;
}

int WriteReportAndErrorLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = CutMbText(platform::VFormat(format, args), kReportAndErrorLineLimit);
    va_end(args);

    LogState& s = State();
    std::lock_guard lock(s.lock);
    if (!AppendReport(s, text + '\n'))
    {
        return 0;
    }
    WriteErrorLogLocked(s, text);
    return 1;
}

void InitErrorLog(int enabled, std::string_view path)
{
    LogState& s = State();
    std::lock_guard lock(s.lock);
    s.errorEnabled = enabled != 0;
    s.errorPath = path;
    s.errorFirstWriteDone = false;
}

bool IsErrorLogEnabled()
{
    LogState& s = State();
    std::lock_guard lock(s.lock);
    return s.errorEnabled;
}

void WriteErrorLog(std::string_view text)
{
    LogState& s = State();
    std::lock_guard lock(s.lock);
    WriteErrorLogLocked(s, text);
}

void WriteErrorLogF(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = platform::VFormat(format, args);
    va_end(args);
    WriteErrorLog(text);
}

std::string FormatSystemReport(const SystemFacts& facts)
{
    const CpuInfo& cpu = facts.m_Cpu;
    const platform::MemoryStatus& mem = facts.m_Memory;
    std::string report;
    report += Format("OS : %s\n", facts.m_strOs.c_str());
    report += Format("DirectX : %x\n", facts.m_nDirectX & 0xFFFF);
    report += Format("CPU : %s %s %d\n", cpu.m_Vendor.c_str(), cpu.m_Brand.c_str(),
                     static_cast<int>(cpu.m_ClockHz * 0.000001));
    report += Format("Mem Total : %.3fMB\n", Megabytes(mem.totalPhysical));
    report += Format("Mem Free : %3.fMB\n", Megabytes(mem.availablePhysical));
    report += Format("Vir Total : %.3fMB\n", Megabytes(mem.totalVirtual));
    report += Format("Vir Free : %3.fMB\n", Megabytes(mem.availableVirtual));
    report += Format("HD Free : %3.fMB\n", Megabytes(FreeDiskSpaceFigure(facts.m_nFreeDiskBytes)));
    return report;
}

int WriteSystemReport()
{
    SystemFacts facts;
    facts.m_strOs = GetOsName();
    facts.m_nDirectX = GetDirectXVersion();
    GetCpuInfo(facts.m_Cpu);
    facts.m_Memory = platform::GetMemoryStatus();
    facts.m_nFreeDiskBytes = platform::FreeDiskBytes(".");
    const std::string report = FormatSystemReport(facts);

    LogState& s = State();
    std::lock_guard lock(s.lock);
    return AppendReport(s, report) ? 1 : 0;
}

uint32_t GetFreePhysicalMemory()
{
    return platform::GetMemoryStatus().availablePhysical;
}

std::string GetOsName()
{
    platform::OsVersion v = platform::GetOsVersion();
    return Format("%s %s PID %d Build %d", v.name.c_str(), v.release.c_str(), v.platformId, v.build);
}

int GetDirectXVersion()
{
    return 0;
}

void GetCpuInfo(CpuInfo& info)
{
    platform::CpuIdentity id = platform::GetCpuIdentity();
    info.m_Vendor = id.vendor;
    info.m_Brand = id.brand;
    info.m_ClockHz = MeasureCpuClock();
}

double MeasureCpuClock()
{
    return platform::MeasureCpuClockHz();
}

int GetFreeDiskSpace(std::string_view root)
{
    return FreeDiskSpaceFigure(platform::FreeDiskBytes(root.empty() ? std::string(".") : platform::DiskPath(root)));
}

int FreeDiskSpaceFigure(int64_t bytes)
{
    if (bytes < 0)
    {
        return 0;
    }
    return bytes >= 0x80000000LL ? 0x7FFFFFFF : static_cast<int>(bytes);
}
