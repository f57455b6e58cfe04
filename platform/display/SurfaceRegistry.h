#pragma once

// The surfaces a display device has made and that still live, shared between
// the device and its surfaces so that either may go first.

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform
{

class PixelSurface;

class SurfaceRegistry
{
public:
    void Add(PixelSurface* surface)
    {
        std::lock_guard lock(m_Mutex);
        m_Surfaces.push_back(surface);
    }
    void Remove(PixelSurface* surface)
    {
        std::lock_guard lock(m_Mutex);
        m_Surfaces.erase(std::remove(m_Surfaces.begin(), m_Surfaces.end(), surface), m_Surfaces.end());
    }
    template <class F> void ForEach(F f)
    {
        std::lock_guard lock(m_Mutex);
        for (PixelSurface* surface : m_Surfaces)
        {
            f(*surface);
        }
    }
    size_t Count()
    {
        std::lock_guard lock(m_Mutex);
        return m_Surfaces.size();
    }

private:
    std::mutex m_Mutex;
    std::vector<PixelSurface*> m_Surfaces;
};

} // namespace platform
