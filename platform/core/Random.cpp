#include "Random.h"

#include <mutex>

namespace
{

std::mutex g_Lock;
uint32_t g_State = 1; // the runtime's initial seed
std::function<int()> g_Source;
int g_SourceDraws = 0;

} // namespace

int Rand()
{
    std::lock_guard lock(g_Lock);
    if (g_Source)
    {
        ++g_SourceDraws;
        return g_Source();
    }
    g_State = g_State * 214013u + 2531011u;
    return static_cast<int>((g_State >> 16) & 0x7FFF);
}

void SeedRand(uint32_t seed)
{
    std::lock_guard lock(g_Lock);
    g_State = seed;
}

namespace platform
{

ScopedRandomSource::ScopedRandomSource(std::function<int()> source)
{
    std::lock_guard lock(g_Lock);
    m_Previous = std::move(g_Source);
    g_Source = std::move(source);
    g_SourceDraws = 0;
}

ScopedRandomSource::~ScopedRandomSource()
{
    std::lock_guard lock(g_Lock);
    g_Source = std::move(m_Previous);
}

int ScopedRandomSource::Draws() const
{
    std::lock_guard lock(g_Lock);
    return g_SourceDraws;
}

} // namespace platform
