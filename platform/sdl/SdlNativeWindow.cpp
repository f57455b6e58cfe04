#include "platform/sdl/SdlNativeWindow.h"

#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform
{

SDL_Window* NativeSdlWindow(const WindowSystem& system, WindowHandle window)
{
    auto* native = dynamic_cast<SdlWindow*>(system.Resolve(window));
    return native ? native->Native() : nullptr;
}

SDL_Renderer* SdlWindowRenderer(SDL_Window* window)
{
    if (!window)
    {
        return nullptr;
    }
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    if (renderer)
    {
        return renderer;
    }
    // A renderer may make the native window anew, and that puts it back where it was first made and forgets
    // its size limits: a window on the desktop goes back where it is now, with the limits it has.
    const bool onDesktop = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) == 0;
    int x = 0;
    int y = 0;
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowMinimumSize(window, &minWidth, &minHeight);
    SDL_GetWindowMaximumSize(window, &maxWidth, &maxHeight);
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer)
    {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (onDesktop)
    {
        if (minWidth > 0 && minHeight > 0)
        {
            SDL_SetWindowMinimumSize(window, minWidth, minHeight);
        }
        if (maxWidth > 0 && maxHeight > 0)
        {
            SDL_SetWindowMaximumSize(window, maxWidth, maxHeight);
        }
        SDL_SetWindowPosition(window, x, y);
    }
    return renderer;
}

void ReleaseSdlWindowRenderer(SDL_Window* window)
{
    if (SDL_Renderer* renderer = window ? SDL_GetRenderer(window) : nullptr)
    {
        SDL_DestroyRenderer(renderer);
    }
}

int SdlX11Connection(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
    {
        return ConnectionNumber(info.info.x11.display);
    }
#else
    (void)window;
#endif
    return -1;
}

} // namespace platform
