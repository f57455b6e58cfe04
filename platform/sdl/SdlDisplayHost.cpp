#include "platform/sdl/SdlDisplayHost.h"

#include <SDL.h>

namespace platform
{

namespace
{

// Larger than any screen: a size limit that holds nothing back.
constexpr int kUnlimitedSize = 16384;

} // namespace

bool SdlDisplayHost::SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate)
{
    (void)width;
    (void)height;
    (void)bitsPerPixel;
    const int frequency = MonitorFrequency();
    if (refreshRate != 0 && frequency != 0 && refreshRate > frequency)
    {
        return false;
    }
    if (!m_pWindow)
    {
        return false;
    }
    // A window manager keeps a window within its largest size, the whole screen too.
    if (m_nKeptMaxWidth == 0)
    {
        SDL_GetWindowMaximumSize(m_pWindow, &m_nKeptMaxWidth, &m_nKeptMaxHeight);
        if (m_nKeptMaxWidth > 0 && m_nKeptMaxHeight > 0)
        {
            SDL_SetWindowMaximumSize(m_pWindow, kUnlimitedSize, kUnlimitedSize);
        }
    }
    return SDL_SetWindowFullscreen(m_pWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

void SdlDisplayHost::RestoreDisplayMode()
{
    if (m_pWindow)
    {
        SDL_SetWindowFullscreen(m_pWindow, 0);
        if (m_nKeptMaxWidth > 0 && m_nKeptMaxHeight > 0)
        {
            SDL_SetWindowMaximumSize(m_pWindow, m_nKeptMaxWidth, m_nKeptMaxHeight);
        }
        m_nKeptMaxWidth = 0;
        m_nKeptMaxHeight = 0;
    }
}

void SdlDisplayHost::ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlDisplayHost::ClientSize(int& width, int& height) const
{
    width = 0;
    height = 0;
    if (m_pWindow)
    {
        SDL_GetWindowSize(m_pWindow, &width, &height);
    }
}

int SdlDisplayHost::MonitorFrequency() const
{
    SDL_DisplayMode mode{};
    const int display = m_pWindow ? SDL_GetWindowDisplayIndex(m_pWindow) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0)
    {
        return 0;
    }
    return mode.refresh_rate;
}

} // namespace platform
