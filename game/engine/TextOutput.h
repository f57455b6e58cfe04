#pragma once

// The game's text on its surfaces. Scene text (menus, messages, status) is
// drawn with the three fonts: IPA Gothic without smoothing, so that every
// pixel of a letter is exactly the font's colour (its palette index on an
// 8-bit surface). The fonts lay CP932 text out in fixed cells: a double-byte
// character fills a cell, a single byte is drawn a quarter cell in, and the
// lowercase letters "a".."z" are not letters at all but the symbols of the
// symbol sheet ("bmp\Symbol.bmp", cell n for the letter "a" + n). Text boxes
// are window boxes that can size themselves to their text.
//
// Debug text (the frame counter) is drawn from a glyph sheet instead, one
// byte a cell, without a font.
//
// The fonts are made by the scenes that need them (CreateFonts in their
// resource loading) and deleted when the scene goes (DeleteFonts).

#include "common/services/TextAndNumbers.h"
#include "game/engine/Display.h"
#include "game/engine/DrawTarget.h"
#include "platform/core/Format.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

constexpr int kFontCount = 3;

// Where a box is centred on its pattern surface: an x or y of this value.
constexpr int kCentred = 10000;

// The bytes Printf formats at most (one less than its buffer), and those of PrintfTextBox.
constexpr std::size_t kPrintfBytes = 255;
constexpr std::size_t kTextBoxBytes = 511;

// The face the fonts draw with: whole lines rendered as they are asked for,
// single characters kept once rendered (a scene draws the same few hundred
// characters every frame). Safe to share between the drawing threads.
class FontFace
{
public:
    explicit FontFace(std::unique_ptr<platform::TextRasterizer> rasterizer) : m_pRasterizer(std::move(rasterizer)) {}

    platform::TextImage Render(std::string_view line, int height);
    // One character (one or two bytes), rendered the first time it is asked for.
    const platform::TextImage& Character(std::string_view character, int height);

private:
    std::unique_ptr<platform::TextRasterizer> m_pRasterizer;
    std::mutex m_Mutex;
    std::unordered_map<uint32_t, platform::TextImage> m_Characters; // by height and bytes
};

// How a font looks and where its boxes and symbols come from.
struct FontDef
{
    int m_nWidth;          // 0: the face's own proportions (the only ones drawn)
    int m_nHeight;         // pixel height of a character cell
    int m_nCellWidth;      // width of a fixed cell; 0: proportional layout
    int m_nLineHeight;     // distance between lines
    int m_nColourIndex;    // palette index of the text
    int m_nBoxSurface;     // surface id of the box pattern
    int m_nBoxBorder;      // width of the box frame
    int m_nBoxColourIndex; // palette index of the box frame
    int m_nSymbolSurface;  // surface id of the symbol sheet; -1: none
};

// The standard font, the same in grey, and the large font.
extern const FontDef FontDefs[kFontCount];

class TextFont
{
public:
    TextFont() = default;
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Takes the definition and the face; the pattern and symbol surfaces are
    // entries of the table (which may load later). The text colour is the
    // source palette's entry of the colour index as 0xRRGGBB.
    void Create(const FontDef& definition, std::shared_ptr<FontFace> face, Surface* table, int tableCount);
    void Delete();
    bool IsCreated() const { return m_pFace != nullptr; }

    // The text at (x, y); each "\n" starts a line one line height lower.
    // colour is kFontColour or a colour 0xRRGGBB the text takes instead (at
    // 8 bits per pixel the nearest entry of the source palette). The result
    // is that of the symbols' blits (Ok when there are none), or why the
    // surface took no text.
    platform::SurfaceResult DrawText(platform::PixelSurface* surface, int x, int y, std::string_view text,
                                     uint32_t colour = kFontColour) const;
    // DrawText of a formatted text of at most kPrintfBytes bytes, cut before
    // a character that would not fit whole.
    platform::SurfaceResult Printf(platform::PixelSurface* surface, int x, int y, const char* format, ...) const
        TK_PRINTF(5, 6);

    // The window box w x h at (x, y); kCentred for x or y centres it on the
    // pattern surface.
    void DrawBox(platform::PixelSurface* surface, int x, int y, int w, int h) const;
    // A box with the text in it at (x + margin, y). A w or h of 0 is taken
    // from the text: the widest line plus the margin, the lines' heights.
    void DrawTextBox(platform::PixelSurface* surface, int x, int y, int w, int h, std::string_view text, int margin,
                     uint32_t colour = kFontColour) const;
    // DrawTextBox without a margin of a formatted text of at most
    // kTextBoxBytes bytes, cut before a character that would not fit whole.
    void PrintfTextBox(platform::PixelSurface* surface, int x, int y, int w, int h, const char* format, ...) const
        TK_PRINTF(7, 8);

    // The size a text box takes for the text (without a margin): fixed
    // cells count characters, a proportional font measures its lines; a line
    // that is empty adds no height in fixed cells and 20 pixels otherwise.
    struct Extent
    {
        int m_nWidth = 0;
        int m_nHeight = 0;
    };
    Extent MeasureText(std::string_view text) const;

    int Height() const { return m_nHeight; }
    int CellWidth() const { return m_nCellWidth; }
    int LineHeight() const { return m_nLineHeight; }
    int ColourIndex() const { return m_nColourIndex; }
    uint32_t TextColour() const { return m_nTextColour; }
    const Surface* BoxPattern() const { return m_pBoxPattern; }
    const Surface* Symbols() const { return m_pSymbol; }

private:
    // True when the font can draw; the first use of a font not made writes a line to the error log.
    bool Usable(const char* operation) const;
    uint32_t InkPixel(const platform::PixelSurface& surface, uint32_t colour) const;

    std::shared_ptr<FontFace> m_pFace; // null: not created
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nCellWidth = 0;
    int m_nLineHeight = 0;
    int m_nColourIndex = 0;
    uint32_t m_nTextColour = 0; // 0xRRGGBB
    const Surface* m_pBoxPattern = nullptr;
    int m_nBoxBorder = 0;
    int m_nBoxColourIndex = 0;
    const Surface* m_pSymbol = nullptr;
    mutable std::atomic<bool> m_bMissingReported{false};
};

// The game's three fonts, none made.
extern TextFont TextFonts[kFontCount];

// The face all fonts draw with, opened once for each file. Null, with a line
// in the error log, when the file cannot be opened.
std::shared_ptr<FontFace> OpenFontFace(const std::string& file = platform::kDefaultFontFile);

// Makes the listed fonts of the table from their definitions (pattern and
// symbol surfaces from the surface table). False when the face cannot be
// opened: no font is made then. An id outside the fonts is left out with a
// line in the error log.
bool CreateFonts(TextFont* fonts, const int* ids, int count, const FontDef* definitions,
                 const std::string& faceFile = platform::kDefaultFontFile);
// Deletes the listed fonts.
void DeleteFonts(TextFont* fonts, const int* ids, int count);

// The bytes before the first "\n", or all of them.
int LineLength(std::string_view text);

// Debug text from a glyph sheet of 16 glyphs a row, the glyph of byte b at
// column b mod 16, row b div 16, each cell w x h, colour-keyed. "\n" and ":"
// start a new line; "@" and "^" switch the half-width katakana rows on
// (as at the start) and off: with them on, bytes 0xA6..0xBF come from ten
// rows higher and 0xC0..0xDD from four rows higher; "$" is left out. A line
// that reaches the screen's width goes on at x one line lower.
void DrawGlyphText(platform::PixelSurface* target, int x, int y, int cellWidth, int cellHeight, const Surface& glyphs,
                   std::string_view text);
// DrawGlyphText of a formatted text of at most kPrintfBytes bytes.
void DrawGlyphTextF(platform::PixelSurface* target, int x, int y, int cellWidth, int cellHeight, const Surface& glyphs,
                    const char* format, ...) TK_PRINTF(7, 8);
