#pragma once

// The graphics of "bmp\Event.bmp" as the event editor offers them: columns 64
// pixels wide of 15 cells 32 pixels high, numbered down each column and then
// column by column; the preview shows the left 32 x 32 square of a cell.

#include "common/graphics/DibBitmap.h"
#include "editor/framework/BitmapControl.h"

#include <string>
#include <vector>

constexpr int kEventGraphicColumnWidth = 64;
constexpr int kEventGraphicsPerColumn = 15;
constexpr int kEventGraphicSide = 32;

// The number of graphics the bitmap holds; 0 without one.
int EventGraphicCount(const DibBitmap* graphics);
// The rows of a graphic list: "1" .. the number of graphics.
std::vector<std::string> EventGraphicNames(const DibBitmap* graphics);
// Clears the canvas to black and draws the graphic's square at its top left
// through the bitmap's mask; nothing more for a graphic the bitmap does not hold.
void DrawEventGraphic(DibBitmap& canvas, const DibBitmap* graphics, int32_t graphic);
// The same into the preview's canvas, shown in the preview; nothing before the preview has its window.
void ShowEventGraphic(BitmapControl& preview, const DibBitmap* graphics, int32_t graphic);
