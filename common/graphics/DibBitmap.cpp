#include "common/graphics/DibBitmap.h"

#include "common/graphics/BmpFile.h"
#include "common/services/MessageBoxes.h"
#include "platform/core/Format.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{

std::atomic<platform::TextRasterizer*> g_pRasterizer{nullptr};

constexpr int kMaxSide = 32768;

uint32_t RgbOf(uint32_t colourRef)
{
    return (colourRef & 0xFF) << 16 | (colourRef & 0xFF00) | (colourRef >> 16 & 0xFF);
}

} // namespace

void SetTextRasterizer(platform::TextRasterizer* rasterizer)
{
    g_pRasterizer = rasterizer;
}

platform::TextRasterizer* GetTextRasterizer()
{
    return g_pRasterizer.load();
}

DibBitmap::~DibBitmap()
{
    DeletePen();
    Release();
}

int DibBitmap::Create(int width, int height, int bitsPerPixel, int withMask)
{
    Release();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        (bitsPerPixel != 8 && bitsPerPixel != 24))
    {
        return 0;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_nBitsPerPixel = bitsPerPixel;
    m_nStride = (width * bitsPerPixel / 8 + 3) & ~3;
    if (bitsPerPixel == 8)
    {
        m_ColourTable = GlobalPalette;
        std::memset(&m_ColourTable[0], 0, 3);
        std::memset(&m_ColourTable[255 * 4], 0xFF, 3);
    }
    else
    {
        m_ColourTable.fill(0);
    }
    try
    {
        // Whiteness: every bit set (index 255 at 8 bits, white at 24). A new
        // mask is all zero, as a fresh bitmap section is: it hides nothing.
        m_Bits.assign(static_cast<size_t>(m_nStride) * height, 0xFF);
        if (withMask)
        {
            m_Mask.assign(m_Bits.size(), 0x00);
        }
    }
    catch (const std::bad_alloc&)
    {
        Release();
        return 0;
    }
    return 1;
}

int DibBitmap::Load(std::string_view path, int bitsPerPixel, int withMask)
{
    std::string name(path);
    std::vector<unsigned char> bytes;
    BmpHeader header;
    // The depth is judged from the headers alone: a file of another depth is
    // not 256 colours whatever its layout; an 8-bit one must also be readable.
    BmpResult result = ReadBmpInfo(path, bytes, header);
    if (bitsPerPixel == 8 && result == BmpResult::Ok && header.m_nBitCount != 8)
    {
        ShowErrorF("%s は256色ではありません！", name.c_str());
        return 0;
    }
    if (result == BmpResult::Ok)
    {
        result = CheckBmpPixels(bytes, header);
    }
    if (bitsPerPixel == 8)
    {
        if (result != BmpResult::Ok)
        {
            ShowErrorF("%s が読み込めません！", name.c_str());
            return 0;
        }
        std::memcpy(GlobalPalette.data(), bytes.data() + header.m_nColourTableOffset, header.m_nColours * 4u);
        if (!Create(header.m_nWidth, header.m_nHeight, 8, withMask))
        {
            ShowErrorF("%s が読み込めません！", name.c_str());
            return 0;
        }
        for (int y = 0; y < m_nHeight; ++y)
        {
            std::memcpy(&m_Bits[static_cast<size_t>(y) * m_nStride], BmpRow(bytes, header, y), m_nWidth);
        }
        if (withMask)
        {
            for (size_t i = 0; i < m_Bits.size(); ++i)
            {
                m_Mask[i] = m_Bits[i] == TransparentIndex ? 0xFF : 0xFE;
            }
        }
        return 1;
    }
    if (bitsPerPixel != 24 || result != BmpResult::Ok || header.m_nBitCount != 24 ||
        !Create(header.m_nWidth, header.m_nHeight, 24, withMask))
    {
        return 0;
    }
    for (int y = 0; y < m_nHeight; ++y)
    {
        std::memcpy(&m_Bits[static_cast<size_t>(y) * m_nStride], BmpRow(bytes, header, y), m_nWidth * 3);
    }
    if (withMask)
    {
        for (int y = 0; y < m_nHeight; ++y)
        {
            for (int x = 0; x < m_nWidth; ++x)
            {
                const uint8_t* p = &m_Bits[static_cast<size_t>(y) * m_nStride + x * 3];
                bool transparent =
                    p[0] == TransparentColour[0] && p[1] == TransparentColour[1] && p[2] == TransparentColour[2];
                std::memset(&m_Mask[static_cast<size_t>(y) * m_nStride + x * 3], transparent ? 0xFF : 0x00, 3);
            }
        }
    }
    return 1;
}

int DibBitmap::LoadAsRgb(std::string_view path)
{
    std::vector<unsigned char> bytes;
    BmpHeader header;
    if (ReadBmpHeader(path, bytes, header) != BmpResult::Ok || !Create(header.m_nWidth, header.m_nHeight, 24, 0))
    {
        return 0;
    }
    const unsigned char* table = bytes.data() + header.m_nColourTableOffset;
    for (int y = 0; y < m_nHeight; ++y)
    {
        const unsigned char* row = BmpRow(bytes, header, y);
        uint8_t* out = &m_Bits[static_cast<size_t>(y) * m_nStride];
        for (int x = 0; x < m_nWidth; ++x)
        {
            const unsigned char* colour = nullptr;
            int bits = header.m_nBitCount;
            if (bits <= 8)
            {
                int perByte = 8 / bits;
                int index = row[x / perByte] >> ((perByte - 1 - x % perByte) * bits) & ((1 << bits) - 1);
                colour = index < header.m_nColours ? table + index * 4 : table;
            }
            else
            {
                colour = row + x * (bits / 8);
            }
            out[x * 3] = colour[0];
            out[x * 3 + 1] = colour[1];
            out[x * 3 + 2] = colour[2];
        }
    }
    return 1;
}

void DibBitmap::Release()
{
    m_Bits.clear();
    m_Bits.shrink_to_fit();
    m_Mask.clear();
    m_Mask.shrink_to_fit();
    m_nWidth = m_nHeight = m_nBitsPerPixel = m_nStride = 0;
}

uint32_t DibBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
    {
        return 0;
    }
    const uint8_t* row = &m_Bits[static_cast<size_t>(y) * m_nStride];
    if (m_nBitsPerPixel == 8)
    {
        return row[x];
    }
    const uint8_t* p = row + x * 3;
    return static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
}

uint32_t DibBitmap::PixelRgb(int x, int y) const
{
    uint32_t value = Pixel(x, y);
    if (m_nBitsPerPixel != 8)
    {
        return value;
    }
    const uint8_t* e = &m_ColourTable[value * 4];
    return static_cast<uint32_t>(e[2]) << 16 | e[1] << 8 | e[0];
}

uint32_t DibBitmap::Encode(uint32_t colour) const
{
    return m_nBitsPerPixel == 8 ? NearestPaletteIndex(m_ColourTable.data(), colour) : RgbOf(colour);
}

void DibBitmap::Put(int x, int y, uint32_t value)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
    {
        return;
    }
    uint8_t* row = &m_Bits[static_cast<size_t>(y) * m_nStride];
    if (m_nBitsPerPixel == 8)
    {
        row[x] = static_cast<uint8_t>(value);
        return;
    }
    uint8_t* p = row + x * 3;
    p[0] = value & 0xFF;
    p[1] = value >> 8 & 0xFF;
    p[2] = value >> 16 & 0xFF;
}

void DibBitmap::SetPixel(int x, int y, uint32_t colour)
{
    Put(x, y, Encode(colour));
}

platform::PixelView DibBitmap::View() const
{
    platform::PixelView view;
    view.m_nWidth = m_nWidth;
    view.m_nHeight = m_nHeight;
    view.m_nStride = m_nStride;
    view.m_nBitsPerPixel = m_nBitsPerPixel;
    view.m_pBits = m_Bits.empty() ? nullptr : m_Bits.data();
    view.m_pColourTable = m_ColourTable.data();
    return view;
}

bool DibBitmap::IsMaskedOut(int x, int y) const
{
    const uint8_t* row = &m_Mask[static_cast<size_t>(y) * m_nStride];
    // The mask is 0xFF (8 bits) or white (24 bits) where the image is transparent.
    return m_nBitsPerPixel == 8 ? row[x] == 0xFF : (row[x * 3] == 0xFF && row[x * 3 + 1] == 0xFF);
}

void DibBitmap::CopyPixel(int x, int y, const DibBitmap& source, int sx, int sy, bool keyed)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || sx < 0 || sy < 0 || sx >= source.m_nWidth ||
        sy >= source.m_nHeight)
    {
        return;
    }
    if (keyed && source.IsMaskedOut(sx, sy))
    {
        return;
    }
    if (m_nBitsPerPixel == source.m_nBitsPerPixel)
    {
        Put(x, y, source.Pixel(sx, sy));
        return;
    }
    uint32_t rgb = source.PixelRgb(sx, sy);
    uint32_t colourRef = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    Put(x, y, Encode(colourRef));
}

void DibBitmap::Blt(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY,
                    int opaque)
{
    StretchBlt(x, y, width, height, source, sourceX, sourceY, width, height, opaque);
}

void DibBitmap::StretchBlt(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, int opaque)
{
    if (!IsCreated() || !source.IsCreated() || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
    {
        return;
    }
    bool keyed = source.HasMask() && opaque == 0;
    // Work on a copy when drawing a bitmap onto itself.
    DibBitmap copy;
    const DibBitmap* from = &source;
    if (&source == this)
    {
        copy.m_Bits = m_Bits;
        copy.m_Mask = m_Mask;
        copy.m_ColourTable = m_ColourTable;
        copy.m_nWidth = m_nWidth;
        copy.m_nHeight = m_nHeight;
        copy.m_nBitsPerPixel = m_nBitsPerPixel;
        copy.m_nStride = m_nStride;
        from = &copy;
    }
    if (width == sourceWidth && height == sourceHeight)
    {
        CopyUnscaled(x, y, width, height, *from, sourceX, sourceY, keyed);
        return;
    }
    int firstRow = std::max(0, -y);
    int lastRow = std::min(height, m_nHeight - y);
    int firstColumn = std::max(0, -x);
    int lastColumn = std::min(width, m_nWidth - x);
    for (int row = firstRow; row < lastRow; ++row)
    {
        int sy = sourceY + static_cast<int>(static_cast<long long>(row) * sourceHeight / height);
        for (int column = firstColumn; column < lastColumn; ++column)
        {
            int sx = sourceX + static_cast<int>(static_cast<long long>(column) * sourceWidth / width);
            CopyPixel(x + column, y + row, *from, sx, sy, keyed);
        }
    }
}

void DibBitmap::CopyUnscaled(int x, int y, int width, int height, const DibBitmap& source, int sourceX, int sourceY,
                              bool keyed)
{
    // Only the part inside both bitmaps is copied, as pixel by pixel.
    int firstColumn = std::max({0, -x, -sourceX});
    int lastColumn = std::min({width, m_nWidth - x, source.m_nWidth - sourceX});
    int firstRow = std::max({0, -y, -sourceY});
    int lastRow = std::min({height, m_nHeight - y, source.m_nHeight - sourceY});
    if (firstColumn >= lastColumn || firstRow >= lastRow)
    {
        return;
    }
    bool sameDepth = m_nBitsPerPixel == source.m_nBitsPerPixel;
    if (!sameDepth && !(m_nBitsPerPixel == 24 && source.m_nBitsPerPixel == 8))
    {
        for (int row = firstRow; row < lastRow; ++row)
        {
            for (int column = firstColumn; column < lastColumn; ++column)
            {
                CopyPixel(x + column, y + row, source, sourceX + column, sourceY + row, keyed);
            }
        }
        return;
    }
    int count = lastColumn - firstColumn;
    int bytes = m_nBitsPerPixel / 8;
    int sourceBytes = source.m_nBitsPerPixel / 8;
    for (int row = firstRow; row < lastRow; ++row)
    {
        uint8_t* out = &m_Bits[static_cast<size_t>(y + row) * m_nStride + static_cast<size_t>(x + firstColumn) * bytes];
        size_t from = static_cast<size_t>(sourceY + row) * source.m_nStride +
                      static_cast<size_t>(sourceX + firstColumn) * sourceBytes;
        const uint8_t* in = &source.m_Bits[from];
        if (sameDepth && !keyed)
        {
            std::memcpy(out, in, static_cast<size_t>(count) * bytes);
            continue;
        }
        const uint8_t* mask = keyed ? &source.m_Mask[from] : nullptr;
        for (int i = 0; i < count; ++i)
        {
            // The mask is 0xFF (8 bits) or white (24 bits) where the image is transparent.
            if (mask && (sourceBytes == 1 ? mask[i] == 0xFF : (mask[i * 3] == 0xFF && mask[i * 3 + 1] == 0xFF)))
            {
                continue;
            }
            if (sameDepth)
            {
                std::memcpy(out + i * bytes, in + i * bytes, bytes);
            }
            else
            {
                // An index shown at 24 bits: its colour-table entry (blue, green, red).
                std::memcpy(out + i * 3, &source.m_ColourTable[in[i] * 4u], 3);
            }
        }
    }
}

int DibBitmap::SetPen(int style, int width, uint32_t colour)
{
    DeletePen();
    if (style < kPenSolid || style > 5 || width < 0)
    {
        return 0;
    }
    m_Pen.m_bSet = true;
    m_Pen.m_nStyle = style;
    m_Pen.m_nWidth = std::max(width, 1);
    m_Pen.m_nColour = colour;
    return 1;
}

void DibBitmap::DeletePen()
{
    m_Pen = Pen{};
}

void DibBitmap::PlotPen(int x, int y, int step, uint32_t value)
{
    if (m_Pen.m_nStyle == kPenDot && step % 2 != 0)
    {
        return;
    }
    if (m_Pen.m_nStyle == kPenDash && step % 24 >= 18)
    {
        return;
    }
    int width = m_Pen.m_nStyle == kPenSolid ? m_Pen.m_nWidth : 1;
    int half = (width - 1) / 2;
    for (int dy = -half; dy < width - half; ++dy)
    {
        for (int dx = -half; dx < width - half; ++dx)
        {
            Put(x + dx, y + dy, value);
        }
    }
}

void DibBitmap::DrawLine(int x1, int y1, int x2, int y2)
{
    if (!IsCreated())
    {
        return;
    }
    // Without a pen of our own the bitmap draws with the default black pen (the unset pen's colour).
    uint32_t value = Encode(m_Pen.m_nColour);
    // Bresenham from the start point; the end point itself is not drawn.
    int dx = std::abs(x2 - x1);
    int dy = std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1;
    int sy = y1 < y2 ? 1 : -1;
    int error = dx - dy;
    int x = x1;
    int y = y1;
    for (int step = 0; x != x2 || y != y2; ++step)
    {
        PlotPen(x, y, step, value);
        int twice = 2 * error;
        if (twice > -dy)
        {
            error -= dy;
            x += sx;
        }
        if (twice < dx)
        {
            error += dx;
            y += sy;
        }
    }
}

void DibBitmap::DrawRect(int x, int y, int width, int height)
{
    int right = x + width - 1;
    int bottom = y + height - 1;
    DrawLine(x, y, right, y);
    DrawLine(right, y, right, bottom);
    DrawLine(right, bottom, x, bottom);
    DrawLine(x, bottom, x, y);
}

void DibBitmap::Clear(uint32_t colour)
{
    // The pen stays selected, as after drawing every row with it.
    SetPen(kPenSolid, 1, colour);
    uint32_t value = Encode(colour);
    for (int y = 0; y < m_nHeight; ++y)
    {
        uint8_t* row = &m_Bits[static_cast<size_t>(y) * m_nStride];
        if (m_nBitsPerPixel == 8)
        {
            std::memset(row, static_cast<int>(value), static_cast<size_t>(m_nWidth));
            continue;
        }
        for (int x = 0; x < m_nWidth; ++x)
        {
            row[x * 3] = value & 0xFF;
            row[x * 3 + 1] = value >> 8 & 0xFF;
            row[x * 3 + 2] = value >> 16 & 0xFF;
        }
    }
}

void DibBitmap::ClearRgb(const uint8_t blueGreenRed[3])
{
    Clear(static_cast<uint32_t>(blueGreenRed[0]) << 16 | blueGreenRed[1] << 8 | blueGreenRed[2]);
}

void DibBitmap::DrawGrid(int x, int y, int width, int height, int flagA, int flagB, uint32_t colour)
{
    if (!flagA || !flagB || width <= 0 || height <= 0)
    {
        return;
    }
    SetPen(kPenSolid, 1, colour);
    // Every line lies inside the rectangle: one each 32 pixels and one on the far edge.
    for (int k = 0; 32 * k < width; ++k)
    {
        DrawLine(x + 32 * k, y, x + 32 * k, y + height);
    }
    DrawLine(x + width - 1, y, x + width - 1, y + height);
    for (int k = 0; 32 * k < height; ++k)
    {
        DrawLine(x, y + 32 * k, x + width, y + 32 * k);
    }
    DrawLine(x, y + height - 1, x + width, y + height - 1);
    DeletePen();
}

void DibBitmap::DrawTextLines(int x, int y, std::string_view text, uint32_t colour, int backgroundMode)
{
    platform::TextRasterizer* rasterizer = GetTextRasterizer();
    if (!rasterizer || !IsCreated())
    {
        return;
    }
    uint32_t ink = Encode(colour);
    uint32_t paper = Encode(0xFFFFFF);
    int lineY = y;
    size_t start = 0;
    for (;;)
    {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r')
        {
            line.remove_suffix(1);
        }
        platform::TextImage image = rasterizer->Render(line, kBitmapTextSize);
        for (int row = 0; row < image.m_nHeight; ++row)
        {
            for (int column = 0; column < image.m_nWidth; ++column)
            {
                if (image.At(column, row) >= 128)
                {
                    Put(x + column, lineY + row, ink);
                }
                else if (backgroundMode == kBkOpaque)
                {
                    Put(x + column, lineY + row, paper);
                }
            }
        }
        if (end == std::string_view::npos)
        {
            break;
        }
        start = end + 1;
        lineY += kBitmapTextLineStep;
    }
}

void DibBitmap::Printf(int x, int y, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = platform::VFormat(format, args);
    va_end(args);
    DrawTextLines(x, y, text, 0xFFFFFF, kBkTransparent);
}
