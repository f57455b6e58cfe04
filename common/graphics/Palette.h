#pragma once

// The process-wide 256-colour palette that every 8-bit bitmap shares, and the
// transparent colour with its palette index.

#include <array>
#include <cstdint>
#include <string_view>

// 256 entries of blue, green, red, reserved (the BMP colour-table order).
using PaletteEntries = std::array<uint8_t, 256 * 4>;

extern PaletteEntries GlobalPalette;
// Blue, green, red.
extern std::array<uint8_t, 3> TransparentColour;
extern uint8_t TransparentIndex;

// Reads the colour table of a BMP file into the palette. The table is found
// through the file's own header size and colour count; entries the file does
// not hold stay as they were; the pixels are not looked at. 0, leaving the
// palette untouched, when the file cannot be read or has no colour table.
int ReadBmpPalette(PaletteEntries& palette, std::string_view path);
// ReadBmpPalette into the global palette.
bool LoadGlobalPalette(std::string_view path);
// Stores the transparent colour (blue, green, red) and makes the transparent
// index the first palette entry of that colour (unchanged when there is none).
void FindTransparentIndex(const uint8_t colour[3]);

// The entry of the colour table nearest to the colour (0x00BBGGRR); the first of equals wins.
uint8_t NearestPaletteIndex(const uint8_t* colourTable, uint32_t colour);
