#include "platform/window/Beep.h"

namespace platform
{

namespace
{

BeepSound g_Sound;
BeepRecorder* g_pRecorder = nullptr;

} // namespace

void MessageBeep(uint32_t type)
{
    if (g_pRecorder)
    {
        g_pRecorder->m_Beeps.push_back(type);
    }
    if (g_Sound)
    {
        g_Sound(type);
    }
}

BeepSound SetBeepSound(BeepSound sound)
{
    BeepSound previous = std::move(g_Sound);
    g_Sound = std::move(sound);
    return previous;
}

BeepRecorder::BeepRecorder() : m_pPrevious(g_pRecorder)
{
    g_pRecorder = this;
}

BeepRecorder::~BeepRecorder()
{
    g_pRecorder = m_pPrevious;
}

} // namespace platform
