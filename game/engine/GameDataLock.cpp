#include "game/engine/GameDataLock.h"

#include <mutex>

namespace
{
std::mutex g_GameData;
thread_local int t_nLevels = 0;
} // namespace

GameDataLock::GameDataLock()
{
    if (t_nLevels++ == 0)
    {
        g_GameData.lock();
    }
}

GameDataLock::~GameDataLock()
{
    if (--t_nLevels == 0)
    {
        g_GameData.unlock();
    }
}

bool GameDataLock::HeldByThisThread()
{
    return t_nLevels > 0;
}

GameDataUnlocked::GameDataUnlocked() : m_nLevels(t_nLevels)
{
    if (m_nLevels > 0)
    {
        t_nLevels = 0;
        g_GameData.unlock();
    }
}

GameDataUnlocked::~GameDataUnlocked()
{
    if (m_nLevels > 0)
    {
        g_GameData.lock();
        t_nLevels = m_nLevels;
    }
}

void ApplyDebugEdit(const std::function<void()>& edit)
{
    GameDataLock lock;
    edit();
}
