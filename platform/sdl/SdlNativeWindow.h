#pragma once

// What lies under a window of the SDL backend: its SDL window, and the one
// renderer SDL allows each window. The renderer belongs to the window: it is
// made on first use and destroyed with the window, so whatever draws with it
// (the window's own pictures, a frame uploader) must be gone by then.

#include "platform/window/WindowHandle.h"

struct SDL_Window;
struct SDL_Renderer;

namespace platform
{

class WindowSystem;

// The SDL window of a top-level window of an SDL window system; null for a
// child, a stale handle or a window of another backend.
SDL_Window* NativeSdlWindow(const WindowSystem& system, WindowHandle window);

// The window's renderer, made when it has none (accelerated where the video
// driver offers it, else in software). A window on the desktop keeps its place
// and its size limits. Null when none can be made.
SDL_Renderer* SdlWindowRenderer(SDL_Window* window);
// Destroys the window's renderer, if it has one (and with it its textures).
void ReleaseSdlWindowRenderer(SDL_Window* window);

// The descriptor of the connection to the X server on which SDL reads the
// window's events; -1 when the window is not on X11.
int SdlX11Connection(SDL_Window* window);

} // namespace platform
