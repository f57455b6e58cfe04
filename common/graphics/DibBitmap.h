#pragma once

// A device-independent bitmap of 8 bits per pixel (with its own colour table,
// taken from the global palette) or 24 bits per pixel, rows top-down and
// padded to 4 bytes, with an optional mask of the same size and a current pen.
// The drawing follows the rules of the original drawing layer: the end point
// of a line is not drawn, colours are 0x00BBGGRR and an 8-bit bitmap draws a
// colour with the nearest entry of its colour table.

#include "common/graphics/Palette.h"
#include "platform/core/Format.h"
#include "platform/text/TextRasterizer.h"
#include "platform/window/PixelView.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The text rasteriser the bitmaps draw with (none: text is not drawn).
void SetTextRasterizer(platform::TextRasterizer* rasterizer);
platform::TextRasterizer* GetTextRasterizer();

// The pixel size of bitmap text and the distance of its lines.
constexpr int kBitmapTextSize = 16;
constexpr int kBitmapTextLineStep = 20;

enum : int
{
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
};

enum : int
{
    kBkTransparent = 1,
    kBkOpaque = 2,
};

class DibBitmap
{
public:
    DibBitmap() = default;
    ~DibBitmap();
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    // A white bitmap; an 8-bit one takes the global palette with entry 0 black
    // and entry 255 white. 1, or 0 for a size or depth it cannot make.
    int Create(int width, int height, int bitsPerPixel, int withMask);
    // Loads a BMP file of that depth (8: the file's colour table becomes the
    // global palette). 8 bits: a file of another depth shows
    // "%s は256色ではありません！", one that cannot be read
    // "%s が読み込めません！"; 24 bits fails without a box. 1 on success.
    int Load(std::string_view path, int bitsPerPixel, int withMask);
    void Release();
    // Loads a BMP file of any depth it reads as a 24-bit bitmap, leaving the
    // global palette alone (tool-bar strips and the like). 1 on success.
    int LoadAsRgb(std::string_view path);

    // Copies a rectangle of the source here. A source with a mask and the
    // opaque flag 0 leaves the pixels where the source is transparent.
    void Blt(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY, int opaque);
    void StretchBlt(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, int opaque);

    int SetPen(int style, int width, uint32_t colour);
    void DeletePen();
    void Clear(uint32_t colour);
    void ClearRgb(const uint8_t blueGreenRed[3]);
    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawRect(int x, int y, int width, int height);
    void DrawGrid(int x, int y, int width, int height, int flagA, int flagB, uint32_t colour);
    void DrawTextLines(int x, int y, std::string_view text, uint32_t colour, int backgroundMode);
    void Printf(int x, int y, const char* format, ...) TK_PRINTF(4, 5);

    bool IsCreated() const { return !m_Bits.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BitsPerPixel() const { return m_nBitsPerPixel; }
    int Stride() const { return m_nStride; }
    bool HasMask() const { return !m_Mask.empty(); }
    bool HasPen() const { return m_Pen.m_bSet; }
    uint8_t* Bits() { return m_Bits.data(); }
    const uint8_t* Bits() const { return m_Bits.data(); }
    uint8_t* MaskBits() { return m_Mask.data(); }
    const uint8_t* MaskBits() const { return m_Mask.data(); }
    const uint8_t* ColourTable() const { return m_ColourTable.data(); }
    uint8_t* ColourTable() { return m_ColourTable.data(); }

    // The pixel as stored: the index (8 bits) or 0x00RRGGBB (24 bits); 0 outside.
    uint32_t Pixel(int x, int y) const;
    // The pixel's colour as 0x00RRGGBB.
    uint32_t PixelRgb(int x, int y) const;
    void SetPixel(int x, int y, uint32_t colour);
    platform::PixelView View() const;

private:
    struct Pen
    {
        bool m_bSet = false;
        int m_nStyle = kPenSolid;
        int m_nWidth = 1;
        uint32_t m_nColour = 0;
    };

    // The stored value that shows the colour (index or 0x00RRGGBB).
    uint32_t Encode(uint32_t colour) const;
    void Put(int x, int y, uint32_t value);
    void PlotPen(int x, int y, int step, uint32_t value);
    // Whether the source pixel is left out of a masked copy.
    bool IsMaskedOut(int x, int y) const;
    void CopyPixel(int x, int y, const DibBitmap& source, int sx, int sy, bool keyed);
    // Blt without scaling: whole rows at a time.
    void CopyUnscaled(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY,
                      bool keyed);

    std::vector<uint8_t> m_Bits;
    std::vector<uint8_t> m_Mask;
    PaletteEntries m_ColourTable{};
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitsPerPixel = 0;
    int m_nStride = 0;
    Pen m_Pen;
};
