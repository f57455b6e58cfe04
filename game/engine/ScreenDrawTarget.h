#pragma once

// The draw target the scenes give the game's records: blits and fills from
// the surface table (SurfaceDrawTarget) and boxes and text with the game's
// fonts, all on one surface (the back buffer unless another is given).

#include "game/engine/SurfaceDrawTarget.h"
#include "game/engine/TextOutput.h"

class ScreenDrawTarget : public SurfaceDrawTarget
{
public:
    // target null: the back buffer of the moment.
    explicit ScreenDrawTarget(platform::PixelSurface* target = nullptr, const TextFont* fonts = TextFonts,
                              Surface* table = Surfaces, int tableCount = kSurfaceCount)
        : SurfaceDrawTarget(target, table, tableCount), m_pFonts(fonts)
    {
    }

    // A font id outside the three draws nothing (with a line in the error log).
    void DrawBox(int font, int x, int y, int w, int h) override;
    void DrawText(int font, int x, int y, std::string_view text) override;
    void DrawTextBox(int font, int x, int y, int w, int h, std::string_view text, int margin, uint32_t colour) override;

private:
    const TextFont* Font(int font) const;

    const TextFont* m_pFonts;
};
