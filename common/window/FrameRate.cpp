#include "common/window/FrameRate.h"

#include "platform/core/Clock.h"

#include <cstdint>

namespace
{
bool g_bStarted = false;
uint32_t g_nStart = 0;
int g_nCount = 0;
int g_nLastRate = 0;
} // namespace

int MeasureFrameRate()
{
    uint32_t now = platform::TickCount();
    if (!g_bStarted)
    {
        g_bStarted = true;
        g_nStart = now;
    }
    if (now - g_nStart < 1000)
    {
        ++g_nCount;
        return g_nLastRate;
    }
    g_nLastRate = g_nCount;
    g_nStart = now;
    g_nCount = 0;
    return g_nLastRate;
}

void ResetFrameRateMeasure()
{
    g_bStarted = false;
    g_nStart = 0;
    g_nCount = 0;
    g_nLastRate = 0;
}
