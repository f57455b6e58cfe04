#include "platform/sdl/SdlNativeWindow.h"

#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>

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
    if (!renderer)
    {
        renderer = SDL_CreateRenderer(window, -1, 0);
    }
    if (!renderer)
    {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
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

} // namespace platform
