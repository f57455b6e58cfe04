#pragma once

// An 8-bit image of palette indices, rows top-down, with the few drawing
// operations the sample art is made of, and its BMP file.

#include "SamplePalette.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace platform
{
class TextRasterizer;
}

namespace sample
{

struct Point
{
    double x = 0;
    double y = 0;
};

class Canvas
{
public:
    Canvas() = default;
    Canvas(int width, int height, int fill = kTransparent);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    const std::vector<uint8_t>& Pixels() const { return m_Pixels; }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    int Get(int x, int y) const { return Inside(x, y) ? m_Pixels[Offset(x, y)] : kTransparent; }
    void Set(int x, int y, int index)
    {
        if (Inside(x, y))
        {
            m_Pixels[Offset(x, y)] = static_cast<uint8_t>(index);
        }
    }

    void Fill(int index);
    void FillRect(int x, int y, int w, int h, int index);
    void Frame(int x, int y, int w, int h, int index);
    void Line(int x0, int y0, int x1, int y1, int index);
    // Every pixel whose centre lies inside the ellipse.
    void FillEllipse(double cx, double cy, double rx, double ry, int index);
    void FillCircle(double cx, double cy, double r, int index) { FillEllipse(cx, cy, r, r, index); }
    void RingEllipse(double cx, double cy, double rx, double ry, double thickness, int index);
    // Every pixel whose centre lies inside the polygon (even-odd rule).
    void FillPolygon(const std::vector<Point>& points, int index);
    // A thick line: the convex hull of two circles.
    void Stroke(double x0, double y0, double x1, double y1, double width, int index);
    // Calls paint(x, y) for every pixel of the rectangle.
    void Paint(int x, int y, int w, int h, const std::function<int(int x, int y)>& paint);

    // Copies a rectangle of another canvas; with the key set, transparent
    // pixels of the source are left out.
    void Blit(const Canvas& source, int sx, int sy, int w, int h, int x, int y, bool key = true);
    void Blit(const Canvas& source, int x, int y, bool key = true)
    {
        Blit(source, 0, 0, source.Width(), source.Height(), x, y, key);
    }
    Canvas MirroredLeftRight() const;
    // Every transparent pixel that touches a drawn one (four neighbours) takes the colour.
    void Outline(int index);

    // A line of CP932 text: coverage of at least the threshold becomes the
    // colour. Returns the width of the line.
    int Text(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize, int x, int y, int colour,
             int threshold = 128);
    // The text with an outline of the given colour around every stroke.
    int OutlinedText(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize, int x, int y, int colour,
                     int outline, int threshold = 110);
    // The width a line of text takes.
    static int TextWidth(platform::TextRasterizer& fonts, std::string_view cp932, int pixelSize);

private:
    size_t Offset(int x, int y) const { return static_cast<size_t>(y) * m_nWidth + x; }

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint8_t> m_Pixels;
};

// The file of an 8-bit bottom-up BMP with the sample palette as its colour table.
std::vector<uint8_t> EncodeBmp(const Canvas& canvas);

} // namespace sample
