#pragma once

// Plain points and rectangles of the window layer (left, top, width, height).

namespace platform
{

struct Point
{
    int m_nX = 0;
    int m_nY = 0;
};

struct Rect
{
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;

    int Right() const { return m_nLeft + m_nWidth; }
    int Bottom() const { return m_nTop + m_nHeight; }
    bool Contains(Point p) const { return p.m_nX >= m_nLeft && p.m_nX < Right() && p.m_nY >= m_nTop && p.m_nY < Bottom(); }
    bool operator==(const Rect&) const = default;
};

} // namespace platform
