#include "game/engine/TextOutput.h"

#include "common/services/Log.h"
#include "game/engine/ScreenEffects.h"
#include "platform/core/Cp932.h"

#include <algorithm>
#include <cstdarg>
#include <map>
#include <mutex>
#include <vector>

using platform::PixelSurface;
using platform::SurfaceResult;

const FontDef FontDefs[kFontCount] = {
    {0, 15, 16, 16, 190, 2, 1, 189, 5},
    {0, 15, 16, 16, 191, 2, 1, 189, 5},
    {0, 30, 32, 32, 190, 2, 1, 189, 5},
};

TextFont TextFonts[kFontCount];

namespace
{

// Coverage from this value up is ink: the letters are drawn without smoothing.
constexpr uint8_t kInk = 128;
// Height of an empty line in a proportional text box.
constexpr int kEmptyLineHeight = 20;
constexpr int kGlyphsPerRow = 16;

bool IsTrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool IsSymbolLetter(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

// The text formatted, at most maxBytes of it and no half character.
std::string FormatBounded(std::size_t maxBytes, const char* format, va_list args)
{
    return CutMbText(platform::VFormat(format, args), maxBytes);
}

// A component of a 0xRRGGBB colour narrowed to a mask of the pixel format
// (the mask shifted down): the top bits are kept.
uint32_t Narrow(uint32_t component, uint32_t mask)
{
    int bits = 0;
    while (bits < 8 && (mask >> bits & 1))
    {
        ++bits;
    }
    return bits >= 8 ? component : component >> (8 - bits);
}

// A source-palette component widened to 0..255.
uint32_t Widen(uint32_t component, uint32_t mask)
{
    return mask ? component * 255 / mask : component;
}

// The source palette's entry nearest to the colour, the first of equals.
int NearestPaletteIndex(uint32_t rgb)
{
    const int red = static_cast<int>(rgb >> 16 & 0xFF);
    const int green = static_cast<int>(rgb >> 8 & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < 256; ++i)
    {
        const platform::PaletteColour& entry = Display.m_SourcePalette[i];
        const int dr = entry.m_nRed - red;
        const int dg = entry.m_nGreen - green;
        const int db = entry.m_nBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance)
        {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// The ink of a coverage image put on a locked surface at (x, y), clipped to it.
void PaintImage(PixelSurface& surface, const platform::TextImage& image, int x, int y, uint32_t pixel)
{
    const int left = std::max(0, -x);
    const int top = std::max(0, -y);
    const int right = std::min(image.m_nWidth, surface.Width() - x);
    const int bottom = std::min(image.m_nHeight, surface.Height() - y);
    for (int row = top; row < bottom; ++row)
    {
        for (int column = left; column < right; ++column)
        {
            if (image.At(column, row) >= kInk)
            {
                surface.SetPixel(x + column, y + row, pixel);
            }
        }
    }
}

// Text on a surface, locked for as long as the object lives.
class TextPainter
{
public:
    explicit TextPainter(PixelSurface* surface) : m_pSurface(surface)
    {
        platform::SurfaceLock lock;
        m_Result = !surface              ? SurfaceResult::NoSurface
                   : surface->IsLost()   ? SurfaceResult::Lost
                   : surface->Lock(lock) ? SurfaceResult::Ok
                                         : SurfaceResult::Busy;
    }
    ~TextPainter()
    {
        if (m_Result == SurfaceResult::Ok)
        {
            m_pSurface->Unlock();
        }
    }
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    SurfaceResult Result() const { return m_Result; }
    void Paint(const platform::TextImage& image, int x, int y, uint32_t pixel)
    {
        if (m_Result == SurfaceResult::Ok)
        {
            PaintImage(*m_pSurface, image, x, y, pixel);
        }
    }

private:
    PixelSurface* m_pSurface;
    SurfaceResult m_Result;
};

// The lines of a text ("\n"-separated; a text ending in "\n" has an empty last line).
template <class Visit> void ForEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = text.find('\n', start);
        visit(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
        {
            return;
        }
        start = end + 1;
    }
}

} // namespace

platform::TextImage FontFace::Render(std::string_view line, int height)
{
    return m_pRasterizer->Render(line, height);
}

const platform::TextImage& FontFace::Character(std::string_view character, int height)
{
    character = character.substr(0, 2);
    // A double-byte code starts at 0x8100, past every single byte.
    uint32_t code = 0;
    for (const char byte : character)
    {
        code = code << 8 | static_cast<unsigned char>(byte);
    }
    const uint32_t key = static_cast<uint32_t>(height) << 16 | code;
    std::lock_guard lock(m_Mutex);
    auto found = m_Characters.find(key);
    if (found == m_Characters.end())
    {
        found = m_Characters.emplace(key, m_pRasterizer->Render(character, height)).first;
    }
    return found->second;
}

void TextFont::Create(const FontDef& definition, std::shared_ptr<FontFace> face, Surface* table, int tableCount)
{
    m_nWidth = definition.m_nWidth;
    m_nHeight = definition.m_nHeight;
    m_nCellWidth = definition.m_nCellWidth;
    m_nLineHeight = definition.m_nLineHeight;
    m_nColourIndex = std::clamp(definition.m_nColourIndex, 0, 255);
    m_nBoxBorder = definition.m_nBoxBorder;
    m_nBoxColourIndex = definition.m_nBoxColourIndex;
    const platform::PaletteColour& entry = Display.m_SourcePalette[m_nColourIndex];
    uint32_t red = entry.m_nRed;
    uint32_t green = entry.m_nGreen;
    uint32_t blue = entry.m_nBlue;
    if (Display.m_nBytesPerPixel == 2)
    {
        red = Widen(red, Display.m_nRedMask);
        green = Widen(green, Display.m_nGreenMask);
        blue = Widen(blue, Display.m_nBlueMask);
    }
    m_nTextColour = red << 16 | green << 8 | blue;
    auto entryOf = [&](int id) { return id >= 0 && id < tableCount ? &table[id] : nullptr; };
    m_pBoxPattern = entryOf(definition.m_nBoxSurface);
    m_pSymbol = entryOf(definition.m_nSymbolSurface);
    m_pFace = std::move(face);
    m_bMissingReported = false;
}

void TextFont::Delete()
{
    m_pFace.reset();
    m_pBoxPattern = nullptr;
    m_pSymbol = nullptr;
}

bool TextFont::Usable(const char* operation) const
{
    if (m_pFace)
    {
        return true;
    }
    if (!m_bMissingReported.exchange(true))
    {
        WriteErrorLogF("%s: フォントが作られていません", operation);
    }
    return false;
}

uint32_t TextFont::InkPixel(const PixelSurface& surface, uint32_t colour) const
{
    if (surface.BytesPerPixel() == 1)
    {
        return colour == kFontColour ? static_cast<uint32_t>(m_nColourIndex) : NearestPaletteIndex(colour);
    }
    const uint32_t rgb = colour == kFontColour ? m_nTextColour : colour;
    return Narrow(rgb >> 16 & 0xFF, Display.m_nRedMask) << Display.m_nRedShift |
           Narrow(rgb >> 8 & 0xFF, Display.m_nGreenMask) << Display.m_nGreenShift |
           Narrow(rgb & 0xFF, Display.m_nBlueMask) << Display.m_nBlueShift;
}

SurfaceResult TextFont::DrawText(PixelSurface* surface, int x, int y, std::string_view text, uint32_t colour) const
{
    if (!Usable("DrawText"))
    {
        return SurfaceResult::NoSurface;
    }
    struct Symbol
    {
        int m_nX;
        int m_nY;
        int m_nCell;
    };
    std::vector<Symbol> symbols;
    {
        TextPainter painter(surface);
        if (painter.Result() != SurfaceResult::Ok)
        {
            return painter.Result();
        }
        const uint32_t pixel = InkPixel(*surface, colour);
        if (m_nCellWidth == 0)
        {
            int lineY = y;
            ForEachLine(text,
                        [&](std::string_view line)
                        {
                            painter.Paint(m_pFace->Render(line, m_nHeight), x, lineY, pixel);
                            lineY += m_nLineHeight;
                        });
            return SurfaceResult::Ok;
        }
        int column = 0;
        int row = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
        {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (platform::IsCp932LeadByte(c) && i + 1 < text.size() && IsTrailByte(text[i + 1]))
            {
                painter.Paint(m_pFace->Character(text.substr(i, 2), m_nHeight), x + column, y + row, pixel);
                column += m_nCellWidth;
                ++i;
            }
            else if (IsSymbolLetter(c) && m_pSymbol)
            {
                symbols.push_back({x + column, y + row, c - 'a'});
                column += m_nCellWidth;
            }
            else if (c == '\n')
            {
                row += m_nLineHeight;
                column = 0;
            }
            else
            {
                // Control bytes have no glyph of their own; they only take their cell.
                if (c >= 0x20)
                {
                    painter.Paint(m_pFace->Character(text.substr(i, 1), m_nHeight), x + m_nCellWidth / 4 + column,
                                  y + row, pixel);
                }
                column += m_nCellWidth;
            }
        }
    }
    SurfaceResult result = SurfaceResult::Ok;
    for (const Symbol& symbol : symbols)
    {
        result = DDBltFast(surface, symbol.m_nX, symbol.m_nY, m_nCellWidth, m_nLineHeight, *m_pSymbol,
                           m_nCellWidth * symbol.m_nCell, 0, 1);
    }
    return result;
}

SurfaceResult TextFont::Printf(PixelSurface* surface, int x, int y, const char* format, ...) const
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatBounded(kPrintfBytes, format, args);
    va_end(args);
    return DrawText(surface, x, y, text);
}

void TextFont::DrawBox(PixelSurface* surface, int x, int y, int w, int h) const
{
    if (!Usable("DrawBox") || !m_pBoxPattern)
    {
        return;
    }
    if (x == kCentred)
    {
        x = m_pBoxPattern->m_nWidth / 2 - w / 2;
    }
    if (y == kCentred)
    {
        y = m_pBoxPattern->m_nHeight / 2 - h / 2;
    }
    DrawWindowBox(surface, x, y, w, h, *m_pBoxPattern, m_nBoxBorder, m_nBoxColourIndex);
}

TextFont::Extent TextFont::MeasureText(std::string_view text) const
{
    Extent extent;
    if (!m_pFace)
    {
        return extent;
    }
    ForEachLine(text,
                [&](std::string_view line)
                {
                    const int width = m_nCellWidth != 0 ? CountMbChars(line) * m_nCellWidth
                                      : line.empty()    ? 0
                                                        : m_pFace->Render(line, m_nHeight).m_nWidth;
                    if (width != 0)
                    {
                        extent.m_nHeight += m_nLineHeight;
                        extent.m_nWidth = std::max(extent.m_nWidth, width);
                    }
                    else if (m_nCellWidth == 0)
                    {
                        extent.m_nHeight += kEmptyLineHeight;
                    }
                });
    return extent;
}

void TextFont::DrawTextBox(PixelSurface* surface, int x, int y, int w, int h, std::string_view text, int margin,
                           uint32_t colour) const
{
    if (!Usable("DrawTextBox"))
    {
        return;
    }
    if (w == 0 || h == 0)
    {
        const Extent extent = MeasureText(text);
        if (w == 0)
        {
            w = margin + extent.m_nWidth;
        }
        if (h == 0)
        {
            h = extent.m_nHeight;
        }
    }
    if (m_pBoxPattern && x == kCentred)
    {
        x = m_pBoxPattern->m_nWidth / 2 - w / 2;
    }
    if (m_pBoxPattern && y == kCentred)
    {
        y = m_pBoxPattern->m_nHeight / 2 - h / 2;
    }
    DrawBox(surface, x, y, w, h);
    DrawText(surface, x + margin, y, text, colour);
}

void TextFont::PrintfTextBox(PixelSurface* surface, int x, int y, int w, int h, const char* format, ...) const
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatBounded(kTextBoxBytes, format, args);
    va_end(args);
    DrawTextBox(surface, x, y, w, h, text, 0);
}

std::shared_ptr<FontFace> OpenFontFace(const std::string& file)
{
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<FontFace>> faces;
    std::lock_guard lock(mutex);
    std::shared_ptr<FontFace>& face = faces[file];
    if (!face)
    {
        auto rasterizer = std::make_unique<platform::FreeTypeRasterizer>();
        if (!rasterizer->Open(file))
        {
            WriteErrorLogF("フォント %s を開けません", platform::FromUtf8(file).c_str());
            faces.erase(file);
            return nullptr;
        }
        face = std::make_shared<FontFace>(std::move(rasterizer));
    }
    return face;
}

bool CreateFonts(TextFont* fonts, const int* ids, int count, const FontDef* definitions, const std::string& faceFile)
{
    std::shared_ptr<FontFace> face = OpenFontFace(faceFile);
    if (!face)
    {
        return false;
    }
    for (int k = 0; k < count; ++k)
    {
        if (ids[k] < 0 || ids[k] >= kFontCount)
        {
            WriteErrorLogF("CreateFonts: フォント %d はありません", ids[k]);
            continue;
        }
        fonts[ids[k]].Create(definitions[ids[k]], face, Display.m_pTable ? Display.m_pTable : Surfaces,
                             Display.m_pTable ? Display.m_nTableCount : kSurfaceCount);
    }
    return true;
}

void DeleteFonts(TextFont* fonts, const int* ids, int count)
{
    for (int k = 0; k < count; ++k)
    {
        if (ids[k] >= 0 && ids[k] < kFontCount)
        {
            fonts[ids[k]].Delete();
        }
    }
}

int LineLength(std::string_view text)
{
    return static_cast<int>(std::min(text.find('\n'), text.size()));
}

void DrawGlyphText(PixelSurface* target, int x, int y, int cellWidth, int cellHeight, const Surface& glyphs,
                   std::string_view text)
{
    bool katakana = true;
    int offset = 0;
    for (const char byte : text)
    {
        const unsigned char c = static_cast<unsigned char>(byte);
        switch (c)
        {
        case '\n':
        case ':':
            y += cellHeight;
            offset = 0;
            continue;
        case '@':
            katakana = true;
            continue;
        case '^':
            katakana = false;
            continue;
        case '$':
            continue;
        default:
            break;
        }
        int row = c / kGlyphsPerRow;
        if (katakana && c >= 0xA6 && c <= 0xBF)
        {
            row -= 10;
        }
        else if (katakana && c >= 0xC0 && c <= 0xDD)
        {
            row -= 4;
        }
        DDBltFast(target, x + offset, y, cellWidth, cellHeight, glyphs, c % kGlyphsPerRow * cellWidth, row * cellHeight,
                  1);
        offset += cellWidth;
        if (offset >= kScreenWidth)
        {
            y += cellHeight;
            offset = 0;
        }
    }
}

void DrawGlyphTextF(PixelSurface* target, int x, int y, int cellWidth, int cellHeight, const Surface& glyphs,
                    const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatBounded(kPrintfBytes, format, args);
    va_end(args);
    DrawGlyphText(target, x, y, cellWidth, cellHeight, glyphs, text);
}
