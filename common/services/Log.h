#pragma once

// The report log and the error log of a program, and the system report.
//
// Both logs are plain text files in the current folder, CP932, with CR LF line
// ends. No file stays open: every call opens, writes and closes. The report log
// is truncated once per run by OpenReportLog; the error log can be switched off
// and is truncated by its first write of the run, so that a run without
// failures leaves the previous run's error log as it was. Writes from several
// threads are serialised.

#include "platform/core/Format.h"
#include "platform/core/SystemInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

// Creates or truncates the report log and remembers its name. 1, or 0 when it
// cannot be created.
int OpenReportLog(std::string_view path);

// Appends one formatted line to the report log (which must exist). 1, or 0 when
// it cannot be opened.
int WriteReport(const char* format, ...) TK_PRINTF(1, 2);

// Formats one line of at most 1,023 bytes, appends it to the report log and
// passes it to WriteErrorLog. 0, writing to neither log, when the report log
// cannot be opened.
int WriteReportAndErrorLog(const char* format, ...) TK_PRINTF(1, 2);

// Sets whether the error log is written and its name. A new call starts a new
// run of the log: its next write truncates it again.
void InitErrorLog(int enabled, std::string_view path);
bool IsErrorLogEnabled();

// Appends the text as it stands (no format processing) and a line break to the
// error log, when it is enabled.
void WriteErrorLog(std::string_view text);
void WriteErrorLogF(const char* format, ...) TK_PRINTF(1, 2);

// Appends the eight lines of the system report to the report log. 1, or 0 when
// the report log cannot be opened.
int WriteSystemReport();

// Free physical memory in bytes (capped at 0xFFFFFFFF).
uint32_t GetFreePhysicalMemory();

// Pieces of the system report.
struct CpuInfo
{
    std::string m_Brand;
    std::string m_Vendor;
    double m_ClockHz = 0.0;
};

// "%s %s PID %d Build %d": system name, release, platform id, build number.
std::string GetOsName();
// There is no DirectX here; the report says 0.
int GetDirectXVersion();
void GetCpuInfo(CpuInfo& info);
double MeasureCpuClock();
// Free bytes for the caller on the disk of the folder (the current one when
// empty); 0 when unknown, 0x7FFFFFFF at 2 GiB and above.
int GetFreeDiskSpace(std::string_view root);
// That figure for a byte count of the disk (negative: unknown).
int FreeDiskSpaceFigure(int64_t bytes);

// What the system report says about the machine, as WriteSystemReport gathers it.
struct SystemFacts
{
    std::string m_strOs; // GetOsName
    int m_nDirectX = 0;
    CpuInfo m_Cpu;
    platform::MemoryStatus m_Memory;
    int64_t m_nFreeDiskBytes = -1; // of the current folder's disk; negative when unknown
};
// The eight lines of the report, each ended by "\n".
std::string FormatSystemReport(const SystemFacts& facts);
