#pragma once

// Where the engine and the scenes meet the text output: the frame counter
// drawn from the debug glyph sheet, the fonts a scene creates with its
// resources, and the draw target a scene lays out its records on. The text
// half of these (glyphs, fonts, boxes) belongs to the text output; until it is
// joined here, text draws nothing and the surface half of the target draws as
// it always does.

#include "game/engine/SurfaceDrawTarget.h"

// "FPS %2d" with the count, at (576, 460) of the back buffer in 8 x 16 cells
// of the debug sheet (surface 1).
void DrawFpsText(int fps);

// A scene's fonts (kFontStandard, kFontGrey, kFontLarge): made with its
// resources, released with it.
void CreateSceneFont(int font);
void ReleaseSceneFont(int font);

// The back buffer as a draw target with the scene fonts.
class SceneDrawTarget : public SurfaceDrawTarget
{
public:
    void DrawBox(int font, int x, int y, int w, int h) override;
    void DrawText(int font, int x, int y, std::string_view text) override;
    void DrawTextBox(int font, int x, int y, int w, int h, std::string_view text, int margin, uint32_t colour) override;
};
