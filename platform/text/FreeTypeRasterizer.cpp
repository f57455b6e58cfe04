#include "platform/text/FreeTypeRasterizer.h"

#include "platform/core/Cp932.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform
{

struct FreeTypeRasterizer::Impl
{
    FT_Library m_Library = nullptr;
    FT_Face m_Face = nullptr;

    ~Impl()
    {
        if (m_Face)
        {
            FT_Done_Face(m_Face);
        }
        if (m_Library)
        {
            FT_Done_FreeType(m_Library);
        }
    }
};

namespace
{

// The code points of a UTF-8 text ('?' for a broken sequence).
std::u32string DecodeUtf8(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();)
    {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size())
        {
            out.push_back(U'?');
            ++i;
            continue;
        }
        char32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
        {
            code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(code);
        i += extra + 1;
    }
    return out;
}

} // namespace

FreeTypeRasterizer::FreeTypeRasterizer() : m_pImpl(std::make_unique<Impl>())
{
}

FreeTypeRasterizer::~FreeTypeRasterizer() = default;

bool FreeTypeRasterizer::Open(const std::string& fontFile)
{
    std::lock_guard lock(m_Mutex);
    m_pImpl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&m_pImpl->m_Library) != 0)
    {
        m_pImpl->m_Library = nullptr;
        return false;
    }
    if (FT_New_Face(m_pImpl->m_Library, fontFile.c_str(), 0, &m_pImpl->m_Face) != 0)
    {
        m_pImpl->m_Face = nullptr;
        return false;
    }
    return true;
}

bool FreeTypeRasterizer::IsOpen() const
{
    return m_pImpl && m_pImpl->m_Face;
}

TextImage FreeTypeRasterizer::Render(std::string_view cp932, int pixelSize)
{
    std::lock_guard lock(m_Mutex);
    TextImage image;
    FT_Face face = m_pImpl ? m_pImpl->m_Face : nullptr;
    if (!face || pixelSize <= 0 || cp932.empty())
    {
        return image;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    std::u32string codes = DecodeUtf8(ToUtf8(cp932));
    // First the advances, for the width of the line.
    int width = 0;
    for (char32_t code : codes)
    {
        if (FT_Load_Char(face, code, FT_LOAD_DEFAULT) == 0)
        {
            width += static_cast<int>(face->glyph->advance.x >> 6);
        }
    }
    if (width <= 0)
    {
        return image;
    }
    image.m_nWidth = width;
    image.m_nHeight = pixelSize;
    image.m_Coverage.assign(static_cast<size_t>(width) * pixelSize, 0);
    // The baseline sits where the font's ascent, scaled to the line box, puts it.
    int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    int baseline = ascent + descent > 0 ? pixelSize * ascent / (ascent + descent) : pixelSize * 7 / 8;
    int penX = 0;
    for (char32_t code : codes)
    {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0)
        {
            continue;
        }
        FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        int advance = static_cast<int>(glyph->advance.x >> 6);
        for (unsigned row = 0; row < bitmap.rows; ++row)
        {
            int y = baseline - glyph->bitmap_top + static_cast<int>(row);
            if (y < 0 || y >= pixelSize)
            {
                continue;
            }
            for (unsigned column = 0; column < bitmap.width; ++column)
            {
                int x = penX + glyph->bitmap_left + static_cast<int>(column);
                // Ink stays inside the character's own cell.
                if (x < penX || x >= penX + advance || x >= width)
                {
                    continue;
                }
                uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? ((bitmap.buffer[row * bitmap.pitch + column / 8] >> (7 - column % 8)) & 1) * 255
                                    : bitmap.buffer[row * bitmap.pitch + column];
                uint8_t& cell = image.m_Coverage[static_cast<size_t>(y) * width + x];
                cell = std::max(cell, value);
            }
        }
        penX += advance;
    }
    return image;
}

} // namespace platform
