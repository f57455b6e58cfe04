#pragma once

// The drawing effects the scenes share: fades from and to a colour paced by a
// sine (through the palette at 8 bits per pixel, through the pixels at 16),
// palette blending and rotation, colour replacement, frames and window boxes,
// and two row-shifting distortions. They draw into the back buffer or the
// working palette of the display layer, on the drawing threads.

#include "game/engine/Display.h"

// The angles of the fades in degrees: fading in starts at 0, fading out at 90.
struct FadeState
{
    double m_dIn = 0.0;
    double m_dOut = 90.0;
};

extern FadeState Fade;
// Both fades back to their start.
void ResetFades();

// One step of a fade from the colour (r, g, b) to the picture over entries
// first..last: weight sin(angle) x 256 of the picture; at 8 bits the working
// palette is blended and shown, at 16 the back buffer is blended from a
// snapshot taken at the first step. The angle moves by step degrees; true on
// the step that draws the whole picture (jump: at once).
bool FadeIn(platform::DisplayPaletteEntries& palette, int first, int last, int red, int green, int blue, int step,
            const platform::DisplayPaletteEntries& source, bool jump);
// The same from the picture to the colour; true on the step that draws the colour alone.
bool FadeOut(platform::DisplayPaletteEntries& palette, int first, int last, int red, int green, int blue, int step,
             const platform::DisplayPaletteEntries& source, bool jump);

// Entries first..last of the source, each component blended towards (r, g, b):
// (colour x (256 - weight) + source x weight) >> 8; flags 1.
void BlendPalette(platform::DisplayPaletteEntries& out, int first, int last, int weight, int red, int green, int blue,
                  const platform::DisplayPaletteEntries& source);
// Every pixel of the snapshot blended as BlendPalette into the target (16
// bits per pixel), each component widened to 0..255 for it and narrowed
// again, rounded both ways: weight 256 gives the snapshot's own pixels.
void FadeSurface(platform::PixelSurface* target, int weight, int red, int green, int blue,
                 platform::PixelSurface* snapshot);
// All 256 source entries into out, with entries first..last turned by n
// places: direction 0 upwards (the last n to the front), 1 downwards (the
// first n to the end), any other not at all. Only at 8 and 16 bits per pixel.
void RotatePalette(platform::DisplayPaletteEntries& out, int first, int last, int n, int direction,
                   const platform::DisplayPaletteEntries& source);
// Inside the rectangle, each pixel of old colour j (the first that matches)
// takes new colour j. The colours are converted with the pixel format, which
// has no masks at 8 bits: there every colour is pixel 0 and nothing changes.
void DDReplaceColors(platform::PixelSurface* surface, int x, int y, int w, int h,
                     const platform::PaletteColour* newColours, const platform::PaletteColour* oldColours, int n);

// Four strips of the border width around the inside of (x, y, w, h).
void DrawFrame(platform::PixelSurface* target, int x, int y, int w, int h, int border, int colour);
// The top-left w x h of the pattern at (x, y), with a frame of the border
// width just outside it.
void DrawWindowBox(platform::PixelSurface* target, int x, int y, int w, int h, const Surface& pattern, int border,
                   int colour);
// Rows of the source, each shifted sideways along a sine wave that moves one
// degree a call (the phase, shared by every caller, is returned).
int DrawSineRows(platform::PixelSurface* target, int x, int y, int w, int rows, int frequency, int amplitude,
                 const Surface& source, int sx, int sy, int key);
// Bands of band rows, the odd ones shifted left and the even ones right.
void DrawSplitBands(platform::PixelSurface* target, int x, int y, int w, int h, int band, int shift,
                    const Surface& source, int sx, int sy, int key);
// The phase of DrawSineRows back to 0.
void ResetSinePhase();
