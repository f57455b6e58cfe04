#pragma once

// The pictures of the screens and menus: palette chart, debug glyphs, window
// pattern, title, symbols, accessories, action-order bar, numbers, words,
// battle effects and the editor's tool-bar strips.

#include "Canvas.h"

namespace platform
{
class TextRasterizer;
}

namespace sample
{

Canvas DrawPaletteChart(int width, int height);
Canvas DrawDebugGlyphs(platform::TextRasterizer& fonts, int width, int height);
Canvas DrawWindowPattern(int width, int height);
Canvas DrawTitle(int width, int height);
Canvas DrawTitleWords(platform::TextRasterizer& fonts, int width, int height);
Canvas DrawSymbols(int width, int height);
Canvas DrawAccessories(int width, int height);
Canvas DrawTimeBar(int width, int height);
Canvas DrawNumbers(platform::TextRasterizer& fonts, int width, int height);
Canvas DrawWords(platform::TextRasterizer& fonts, int width, int height);
Canvas DrawEffects(int width, int height);
// `kind`: 0 the palette choice, 1 the drawing tools, 2 the world palettes.
Canvas DrawToolBar(int kind, int width, int height);

// The game's name as the title shows it.
extern const char* const kSampleGameName;

} // namespace sample
