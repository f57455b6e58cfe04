#include "Canvas.h"

#include "platform/text/TextRasterizer.h"

#include <algorithm>
#include <cmath>

namespace sample
{

Canvas::Canvas(int width, int height, int fill)
    : m_nWidth(width), m_nHeight(height), m_Pixels(static_cast<size_t>(width) * height, static_cast<uint8_t>(fill))
{
}

void Canvas::Fill(int index)
{
    std::fill(m_Pixels.begin(), m_Pixels.end(), static_cast<uint8_t>(index));
}

void Canvas::FillRect(int x, int y, int w, int h, int index)
{
    for (int yy = std::max(y, 0); yy < std::min(y + h, m_nHeight); ++yy)
    {
        for (int xx = std::max(x, 0); xx < std::min(x + w, m_nWidth); ++xx)
        {
            m_Pixels[Offset(xx, yy)] = static_cast<uint8_t>(index);
        }
    }
}

void Canvas::Frame(int x, int y, int w, int h, int index)
{
    FillRect(x, y, w, 1, index);
    FillRect(x, y + h - 1, w, 1, index);
    FillRect(x, y, 1, h, index);
    FillRect(x + w - 1, y, 1, h, index);
}

void Canvas::Line(int x0, int y0, int x1, int y1, int index)
{
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true)
    {
        Set(x0, y0, index);
        if (x0 == x1 && y0 == y1)
        {
            break;
        }
        int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx)
        {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, int index)
{
    if (rx <= 0 || ry <= 0)
    {
        return;
    }
    int x0 = static_cast<int>(std::floor(cx - rx));
    int x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry));
    int y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
    {
        for (int x = x0; x <= x1; ++x)
        {
            double u = (x + 0.5 - cx) / rx;
            double v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0)
            {
                Set(x, y, index);
            }
        }
    }
}

void Canvas::RingEllipse(double cx, double cy, double rx, double ry, double thickness, int index)
{
    int x0 = static_cast<int>(std::floor(cx - rx - 1));
    int x1 = static_cast<int>(std::ceil(cx + rx + 1));
    int y0 = static_cast<int>(std::floor(cy - ry - 1));
    int y1 = static_cast<int>(std::ceil(cy + ry + 1));
    for (int y = y0; y <= y1; ++y)
    {
        for (int x = x0; x <= x1; ++x)
        {
            double u = (x + 0.5 - cx) / rx;
            double v = (y + 0.5 - cy) / ry;
            double outer = u * u + v * v;
            double ui = (x + 0.5 - cx) / std::max(rx - thickness, 0.01);
            double vi = (y + 0.5 - cy) / std::max(ry - thickness, 0.01);
            if (outer <= 1.0 && ui * ui + vi * vi > 1.0)
            {
                Set(x, y, index);
            }
        }
    }
}

void Canvas::FillPolygon(const std::vector<Point>& points, int index)
{
    if (points.size() < 3)
    {
        return;
    }
    double top = points[0].y;
    double bottom = points[0].y;
    for (const Point& p : points)
    {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y)
    {
        double sy = y + 0.5;
        std::vector<double> crossings;
        for (size_t i = 0; i < points.size(); ++i)
        {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
            {
                crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
        {
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5)); x + 0.5 < crossings[i + 1]; ++x)
            {
                Set(x, y, index);
            }
        }
    }
}

void Canvas::Stroke(double x0, double y0, double x1, double y1, double width, int index)
{
    double r = width / 2;
    int left = static_cast<int>(std::floor(std::min(x0, x1) - r));
    int right = static_cast<int>(std::ceil(std::max(x0, x1) + r));
    int top = static_cast<int>(std::floor(std::min(y0, y1) - r));
    int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + r));
    double dx = x1 - x0;
    double dy = y1 - y0;
    double length2 = dx * dx + dy * dy;
    for (int y = top; y <= bottom; ++y)
    {
        for (int x = left; x <= right; ++x)
        {
            double px = x + 0.5 - x0;
            double py = y + 0.5 - y0;
            double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
            double ex = px - t * dx;
            double ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r)
            {
                Set(x, y, index);
            }
        }
    }
}

void Canvas::Paint(int x, int y, int w, int h, const std::function<int(int x, int y)>& paint)
{
    for (int yy = std::max(y, 0); yy < std::min(y + h, m_nHeight); ++yy)
    {
        for (int xx = std::max(x, 0); xx < std::min(x + w, m_nWidth); ++xx)
        {
            m_Pixels[Offset(xx, yy)] = static_cast<uint8_t>(paint(xx, yy));
        }
    }
}

void Canvas::Blit(const Canvas& source, int sx, int sy, int w, int h, int x, int y, bool key)
{
    for (int j = 0; j < h; ++j)
    {
        for (int i = 0; i < w; ++i)
        {
            if (!source.Inside(sx + i, sy + j))
            {
                continue;
            }
            int value = source.Get(sx + i, sy + j);
            if (!key || value != kTransparent)
            {
                Set(x + i, y + j, value);
            }
        }
    }
}

Canvas Canvas::MirroredLeftRight() const
{
    Canvas mirrored(m_nWidth, m_nHeight);
    for (int y = 0; y < m_nHeight; ++y)
    {
        for (int x = 0; x < m_nWidth; ++x)
        {
            mirrored.Set(m_nWidth - 1 - x, y, Get(x, y));
        }
    }
    return mirrored;
}

void Canvas::Outline(int index)
{
    std::vector<uint8_t> before = m_Pixels;
    auto drawn = [&](int x, int y) { return Inside(x, y) && before[Offset(x, y)] != kTransparent; };
    for (int y = 0; y < m_nHeight; ++y)
    {
        for (int x = 0; x < m_nWidth; ++x)
        {
            if (before[Offset(x, y)] == kTransparent &&
                (drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1)))
            {
                m_Pixels[Offset(x, y)] = static_cast<uint8_t>(index);
            }
        }
    }
}

int Canvas::Text(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize, int x, int y, int colour,
                 int threshold)
{
    platform::TextImage image = fonts.Render(cp932, pixelSize);
    for (int j = 0; j < image.m_nHeight; ++j)
    {
        for (int i = 0; i < image.m_nWidth; ++i)
        {
            if (image.At(i, j) >= threshold)
            {
                Set(x + i, y + j, colour);
            }
        }
    }
    return image.m_nWidth;
}

int Canvas::OutlinedText(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize, int x, int y,
                         int colour, int outline, int threshold)
{
    platform::TextImage image = fonts.Render(cp932, pixelSize);
    Canvas ink(image.m_nWidth + 2, image.m_nHeight + 2);
    for (int j = 0; j < image.m_nHeight; ++j)
    {
        for (int i = 0; i < image.m_nWidth; ++i)
        {
            if (image.At(i, j) >= threshold)
            {
                ink.Set(i + 1, j + 1, colour);
            }
        }
    }
    ink.Outline(outline);
    Blit(ink, x - 1, y - 1);
    return image.m_nWidth;
}

int Canvas::TextWidth(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize)
{
    return fonts.Render(cp932, pixelSize).m_nWidth;
}

std::vector<uint8_t> EncodeBmp(const Canvas& canvas)
{
    const uint32_t stride = (static_cast<uint32_t>(canvas.Width()) + 3) & ~3u;
    const uint32_t pixelOffset = 14 + 40 + 256 * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(canvas.Height());
    std::vector<uint8_t> bytes;
    bytes.reserve(pixelOffset + imageSize);
    auto u16 = [&](uint32_t v)
    {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>(v >> 8 & 0xFF));
    };
    auto u32 = [&](uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    bytes.push_back('B');
    bytes.push_back('M');
    u32(pixelOffset + imageSize);
    u32(0);
    u32(pixelOffset);
    u32(40);
    u32(static_cast<uint32_t>(canvas.Width()));
    u32(static_cast<uint32_t>(canvas.Height()));
    u16(1);
    u16(8);
    u32(0);
    u32(imageSize);
    u32(2835);
    u32(2835);
    u32(256);
    u32(0);
    for (const Rgb& c : SamplePalette())
    {
        bytes.push_back(c.b);
        bytes.push_back(c.g);
        bytes.push_back(c.r);
        bytes.push_back(0);
    }
    for (int y = canvas.Height() - 1; y >= 0; --y)
    {
        auto row = canvas.Pixels().begin() + static_cast<std::ptrdiff_t>(y) * canvas.Width();
        bytes.insert(bytes.end(), row, row + canvas.Width());
        bytes.insert(bytes.end(), stride - static_cast<uint32_t>(canvas.Width()), 0);
    }
    return bytes;
}

} // namespace sample
