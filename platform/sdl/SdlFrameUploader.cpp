#include "platform/sdl/SdlFrameUploader.h"

#include "platform/sdl/SdlNativeWindow.h"

#include <SDL.h>

#include <cstring>

namespace platform
{

namespace
{

constexpr const char* kWindowDataName = "tk-frame-uploader";

} // namespace

SdlFrameUploader::SdlFrameUploader(SDL_Window* window, int logicalWidth, int logicalHeight) : m_pWindow(window)
{
    m_pRenderer = SdlWindowRenderer(window);
    if (m_pRenderer)
    {
        SDL_RenderSetLogicalSize(m_pRenderer, logicalWidth, logicalHeight);
        SDL_SetWindowData(window, kWindowDataName, this);
    }
}

SdlFrameUploader::~SdlFrameUploader()
{
    if (m_pTexture)
    {
        SDL_DestroyTexture(m_pTexture);
    }
    if (m_pRenderer)
    {
        SDL_RenderSetLogicalSize(m_pRenderer, 0, 0);
        SDL_SetWindowData(m_pWindow, kWindowDataName, nullptr);
    }
}

SdlFrameUploader* SdlFrameUploader::Of(SDL_Window* window)
{
    return window ? static_cast<SdlFrameUploader*>(SDL_GetWindowData(window, kWindowDataName)) : nullptr;
}

bool SdlFrameUploader::PresentLatest(FrameExchange& exchange)
{
    const Frame* frame = exchange.TakeLatest();
    if (!frame || !Upload(*frame))
    {
        return false;
    }
    Present();
    return true;
}

SDL_Texture* SdlFrameUploader::Texture(uint32_t format, int width, int height)
{
    if (m_pTexture && m_nTextureFormat == format && m_nTextureWidth == width && m_nTextureHeight == height)
    {
        return m_pTexture;
    }
    if (m_pTexture)
    {
        SDL_DestroyTexture(m_pTexture);
    }
    m_pTexture = SDL_CreateTexture(m_pRenderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    m_nTextureFormat = format;
    m_nTextureWidth = width;
    m_nTextureHeight = height;
    return m_pTexture;
}

bool SdlFrameUploader::Upload(const Frame& frame)
{
    if (!m_pRenderer || frame.IsEmpty())
    {
        return false;
    }
    if (frame.m_nBitsPerPixel == 16)
    {
        SDL_Texture* texture = Texture(SDL_PIXELFORMAT_RGB565, frame.m_nWidth, frame.m_nHeight);
        if (!texture || SDL_UpdateTexture(texture, nullptr, frame.m_Pixels.data(), frame.m_nPitch) != 0)
        {
            return false;
        }
    }
    else
    {
        SDL_Texture* texture = Texture(SDL_PIXELFORMAT_ARGB8888, frame.m_nWidth, frame.m_nHeight);
        void* pixels = nullptr;
        int pitch = 0;
        if (!texture || SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0)
        {
            return false;
        }
        for (int y = 0; y < frame.m_nHeight; ++y)
        {
            const uint8_t* in = frame.Row(y);
            auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch);
            for (int x = 0; x < frame.m_nWidth; ++x)
            {
                out[x] = 0xFF000000u | frame.m_Palette[in[x]];
            }
        }
        SDL_UnlockTexture(texture);
    }
    m_bHasFrame = true;
    return true;
}

void SdlFrameUploader::Draw()
{
    SDL_SetRenderDrawColor(m_pRenderer, 0, 0, 0, 255);
    SDL_RenderClear(m_pRenderer);
    if (m_bHasFrame && m_pTexture)
    {
        SDL_RenderCopy(m_pRenderer, m_pTexture, nullptr, nullptr);
    }
}

void SdlFrameUploader::Present()
{
    if (!m_pRenderer)
    {
        return;
    }
    Draw();
    SDL_RenderPresent(m_pRenderer);
}

bool SdlFrameUploader::ReadShown(std::vector<uint32_t>& pixels, int& width, int& height)
{
    if (!m_pRenderer || SDL_GetRendererOutputSize(m_pRenderer, &width, &height) != 0)
    {
        return false;
    }
    Draw();
    pixels.assign(static_cast<size_t>(width) * height, 0);
    if (SDL_RenderReadPixels(m_pRenderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0)
    {
        return false;
    }
    for (uint32_t& p : pixels)
    {
        p &= 0x00FFFFFFu;
    }
    return true;
}

} // namespace platform
