#include "game/engine/SurfaceDrawTarget.h"

#include "common/services/Log.h"

void SurfaceDrawTarget::Blit(int x, int y, int w, int h, int surface, int sx, int sy)
{
    if (surface < 0 || surface >= m_nTableCount)
    {
        WriteErrorLogF("Blit: サーフェス %d はありません", surface);
        return;
    }
    DDBltFast(Target(), x, y, w, h, m_pTable[surface], sx, sy, 1);
}

void SurfaceDrawTarget::BlitScaled(int x, int y, int w, int h, int surface, int sx, int sy, int sw, int sh)
{
    if (surface < 0 || surface >= m_nTableCount)
    {
        WriteErrorLogF("Blit: サーフェス %d はありません", surface);
        return;
    }
    DDBltStretch(Target(), x, y, w, h, m_pTable[surface], sx, sy, sw, sh, 1);
}

void SurfaceDrawTarget::FillRect(int x, int y, int w, int h, int colour)
{
    DDFillRect(Target(), x, y, w, h, colour);
}
