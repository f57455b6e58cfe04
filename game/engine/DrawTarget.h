#pragma once

// What the game's records draw on: the back surface, reached through the
// display layer's blits and fills and the text output's fonts and windows.
// The records only lay out (which sheet cell, which text, where); the display
// layer puts the pixels on the screen. Coordinates are screen pixels.

#include <cstdint>
#include <string_view>

// Surfaces of the game's table that the records draw from.
enum DrawSurfaceId : int
{
    kSurfaceSymbol = 5,          // "bmp\Symbol.bmp": 16 x 16 icons in one row
    kSurfaceAccessory = 6,       // "bmp\Accessory.bmp": badges
    kSurfaceCharacter = 7,       // "bmp\Character.bmp": 48 x 48 faces
    kSurfaceMapChara = 13,       // "bmp\MapChara.bmp": unit chips
    kSurfaceMapCharaSecond = 14, // the same sheet loaded a second time, with its own look
};

// The three text fonts.
enum DrawFontId : int
{
    kFontStandard = 0,
    kFontGrey = 1, // the standard font in the second colour
    kFontLarge = 2,
};

// Palette index of the separator line under a list window's title row.
constexpr int kListLineColour = 189;

// A text colour given as 0xRRGGBB, or the font's own colour.
constexpr uint32_t kFontColour = 0xFFFFFFFFu;
constexpr uint32_t kWhite = 0xFFFFFFu;

class DrawTarget
{
public:
    virtual ~DrawTarget() = default;

    // Copies w x h pixels from (sx, sy) of a surface to (x, y), leaving out
    // the transparent colour.
    virtual void Blit(int x, int y, int w, int h, int surface, int sx, int sy) = 0;
    // Copies sw x sh pixels from (sx, sy) of a surface scaled onto w x h at
    // (x, y), leaving out the transparent colour. A target that cannot scale
    // copies them unscaled.
    virtual void BlitScaled(int x, int y, int w, int h, int surface, int sx, int sy, int sw, int sh)
    {
        (void)w;
        (void)h;
        Blit(x, y, sw, sh, surface, sx, sy);
    }
    // Fills a rectangle with a palette index.
    virtual void FillRect(int x, int y, int w, int h, int colour) = 0;
    // The text window of a font, w x h at (x, y).
    virtual void DrawBox(int font, int x, int y, int w, int h) = 0;
    // Text at (x, y); every '\n' starts a line one line height lower.
    virtual void DrawText(int font, int x, int y, std::string_view text) = 0;
    // A text window with the text in it at (x + margin, y). A w or h of 0 is
    // measured from the text (the margin added to the width). colour is
    // kFontColour or a colour that the text takes instead of the font's.
    virtual void DrawTextBox(int font, int x, int y, int w, int h, std::string_view text, int margin,
                             uint32_t colour) = 0;
};

// DrawText of a printf-formatted text.
void DrawTextF(DrawTarget& target, int font, int x, int y, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// A text window sized to a printf-formatted text, the text at (x, y) in the font's colour.
void DrawTextBoxF(DrawTarget& target, int font, int x, int y, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
