#include "common/window/FrameRate.h"

#include "platform/core/Clock.h"

namespace
{
FrameRateMeter g_Meter;
} // namespace

int FrameRateMeter::Tick(uint32_t now)
{
    if (!m_bStarted)
    {
        m_bStarted = true;
        m_nStart = now;
    }
    if (now - m_nStart < 1000)
    {
        ++m_nCount;
        return m_nLastRate;
    }
    m_nLastRate = m_nCount;
    m_nStart = now;
    m_nCount = 0;
    return m_nLastRate;
}

int MeasureFrameRate()
{
    return g_Meter.Tick(platform::TickCount());
}

void ResetFrameRateMeasure()
{
    g_Meter.Reset();
}
