#pragma once

// Shows the game's frames in an SDL window: the main thread takes the newest
// frame from the frame exchange, uploads it into a streaming texture (RGB565
// frames as they are, 8-bit frames through their palette) and presents it
// scaled from a logical size of 640 x 480 to whatever size the window has.
// While an uploader lives, the window shows nothing else (an expose shows the
// last frame again). It must be destroyed before its window.

#include "platform/display/FrameExchange.h"

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform
{

class SdlFrameUploader
{
public:
    explicit SdlFrameUploader(SDL_Window* window, int logicalWidth = 640, int logicalHeight = 480);
    ~SdlFrameUploader();
    SdlFrameUploader(const SdlFrameUploader&) = delete;
    SdlFrameUploader& operator=(const SdlFrameUploader&) = delete;

    // The uploader of a window, or null.
    static SdlFrameUploader* Of(SDL_Window* window);

    // False when the window has no renderer.
    bool IsReady() const { return m_pRenderer != nullptr; }

    // The newest frame not shown yet, uploaded and presented; false when there was none.
    bool PresentLatest(FrameExchange& exchange);
    // Puts a frame into the texture; false when it cannot.
    bool Upload(const Frame& frame);
    // Draws the texture into the window and shows it.
    void Present();
    // Shows the last frame again.
    void Redraw() { Present(); }

    // What the window shows, 0x00RRGGBB per pixel of its output, rows top-down
    // (its width and height are set); false when it cannot be read.
    bool ReadShown(std::vector<uint32_t>& pixels, int& width, int& height);

private:
    void Draw();
    SDL_Texture* Texture(uint32_t format, int width, int height);

    SDL_Window* m_pWindow;
    SDL_Renderer* m_pRenderer = nullptr;
    SDL_Texture* m_pTexture = nullptr;
    uint32_t m_nTextureFormat = 0;
    int m_nTextureWidth = 0;
    int m_nTextureHeight = 0;
    bool m_bHasFrame = false;
};

} // namespace platform
