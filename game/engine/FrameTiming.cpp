#include "game/engine/FrameTiming.h"

#include <algorithm>

FrameTiming MakeFrameTiming(int fps)
{
    FrameTiming t;
    t.m_nFps = std::clamp(fps, 20, 60);
    t.m_dFrameScale = t.m_nFps / 60.0;
    t.m_dFrameLength = 60.0 / t.m_nFps;
    t.m_nFadeStep = static_cast<int>(t.m_dFrameLength * 10);
    t.m_nKeyRepeatDelay = static_cast<int>(t.m_dFrameScale * 18);
    t.m_nKeyRepeatInterval = std::max(static_cast<int>(t.m_dFrameScale * 6), 1);
    return t;
}
