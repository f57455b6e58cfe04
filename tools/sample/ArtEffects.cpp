// The battle effects: one strip of frames per effect graphic, drawn in the six
// colour blocks that the battle scene rotates while an effect plays, so every
// band of colour seems to run outward.

#include "ArtInterface.h"
#include "Shading.h"
#include "SheetTable.h"

#include <algorithm>
#include <cmath>

namespace sample
{

namespace
{

constexpr int W = kEffectFrameWidth;
constexpr int H = kEffectFrameHeight;

// One frame being drawn: its own canvas, placed on the sheet at the end.
class Frame
{
public:
    Frame() : m_Canvas(W, H) {}

    // A glowing disc: bright in the middle, its rings in successive entries of the block.
    void Glow(double cx, double cy, double r, int block, double intensity = 1.0, double squash = 1.0)
    {
        m_Canvas.Paint(0, 0, W, H,
                       [&](int x, int y)
                       {
                           double dx = x + 0.5 - cx;
                           double dy = (y + 0.5 - cy) / squash;
                           double d = std::sqrt(dx * dx + dy * dy) / r;
                           int now = m_Canvas.Get(x, y);
                           if (d > 1.0)
                           {
                               return now;
                           }
                           double level = intensity * (1.0 - d) * 4.0 + 0.5 * (Bayer(x, y) - 0.5);
                           if (level < 0.3)
                           {
                               return now;
                           }
                           return Brighter(now, EffectAtBrightness(block, static_cast<int>(std::lround(level))));
                       });
    }
    void Ring(double cx, double cy, double r, double thickness, int block, int brightness, double squash = 1.0)
    {
        m_Canvas.Paint(0, 0, W, H,
                       [&](int x, int y)
                       {
                           double dx = x + 0.5 - cx;
                           double dy = (y + 0.5 - cy) / squash;
                           double d = std::sqrt(dx * dx + dy * dy);
                           int now = m_Canvas.Get(x, y);
                           if (std::abs(d - r) > thickness / 2)
                           {
                               return now;
                           }
                           return Brighter(now, EffectAtBrightness(block, brightness));
                       });
    }
    void Ray(double x0, double y0, double x1, double y1, double width, int block, int brightness)
    {
        Canvas ray(W, H);
        ray.Stroke(x0, y0, x1, y1, width, EffectAtBrightness(block, brightness));
        ray.Stroke(x0, y0, x1, y1, std::max(1.0, width - 2), EffectAtBrightness(block, brightness + 1));
        Over(ray);
    }
    void Spark(double x, double y, int block, int size)
    {
        int cx = static_cast<int>(x);
        int cy = static_cast<int>(y);
        for (int i = -size; i <= size; ++i)
        {
            Put(cx + i, cy, EffectAtBrightness(block, 4 - std::abs(i)));
            Put(cx, cy + i, EffectAtBrightness(block, 4 - std::abs(i)));
        }
    }
    void Polygon(const std::vector<Point>& points, int block, int brightness)
    {
        Canvas shape(W, H);
        shape.FillPolygon(points, EffectAtBrightness(block, brightness));
        Over(shape);
    }
    void Put(int x, int y, int colour)
    {
        if (m_Canvas.Inside(x, y))
        {
            m_Canvas.Set(x, y, Brighter(m_Canvas.Get(x, y), colour));
        }
    }

    const Canvas& Picture() const { return m_Canvas; }

private:
    // Of two effect colours the brighter wins; anything beats transparency.
    static int Brighter(int now, int colour)
    {
        if (now == kTransparent)
        {
            return colour;
        }
        auto level = [](int c)
        {
            return c >= kEffectBlockFirst && c < kEffectBlockFirst + 6 * kEffectBlockLength
                       ? EffectBrightness(c - kEffectBlockFirst)
                       : 0;
        };
        return level(colour) >= level(now) ? colour : now;
    }
    void Over(const Canvas& layer)
    {
        for (int y = 0; y < H; ++y)
        {
            for (int x = 0; x < W; ++x)
            {
                if (layer.Get(x, y) != kTransparent)
                {
                    Put(x, y, layer.Get(x, y));
                }
            }
        }
    }

    Canvas m_Canvas;
};

constexpr double CX = W / 2.0;
constexpr double CY = H / 2.0;

void Strike(Frame& f, int k)
{
    static const double kRadius[kEffectFrames] = {7, 14, 18, 22, 24};
    double r = kRadius[k];
    if (k < 3)
    {
        f.Glow(CX, CY, r * 0.8, kEffectYellow, 1.2 - k * 0.2);
    }
    if (k > 0)
    {
        f.Ring(CX, CY, r, k == 4 ? 1 : 2, kEffectYellow, 4 - k / 2);
    }
    for (int i = 0; i < 8; ++i)
    {
        double a = i * M_PI / 4 + 0.3;
        double inner = r * 0.6;
        double outer = r * (i % 2 ? 1.2 : 1.5);
        if (k < 4)
        {
            f.Ray(CX + std::cos(a) * inner, CY + std::sin(a) * inner * 0.8, CX + std::cos(a) * outer,
                  CY + std::sin(a) * outer * 0.8, 2, kEffectYellow, 3 - k / 2);
        }
        else
        {
            f.Spark(CX + std::cos(a) * outer, CY + std::sin(a) * outer * 0.7, kEffectYellow, 1);
        }
    }
}

void Sword(Frame& f, int k)
{
    static const double kReach[kEffectFrames] = {0.3, 0.65, 1.0, 1.0, 1.0};
    double reach = kReach[k];
    for (int i = 0; i < 40 * reach; ++i)
    {
        double t = i / 40.0;
        double a = -2.4 + t * 2.6;
        double x = CX + 10 + std::cos(a) * 40;
        double y = CY + 26 + std::sin(a) * 34;
        double width = (k < 3 ? 5.0 : k == 3 ? 2.5 : 1.0) * std::sin(t * M_PI) + 1;
        f.Ray(x, y, x + 1, y + 1, width, kEffectBlue, k < 3 ? 3 : 2);
    }
    if (k >= 2)
    {
        for (int i = 0; i < 5; ++i)
        {
            double a = -2.0 + i * 0.5;
            f.Spark(CX + 10 + std::cos(a) * (44 + k * 3), CY + 26 + std::sin(a) * (37 + k * 2), kEffectBlue,
                    k == 4 ? 1 : 2);
        }
    }
}

void Arrow(Frame& f, int k)
{
    if (k < 3)
    {
        double head = 30 + k * 28;
        f.Ray(head - 30, CY + 3, head - 2, CY, 1.5, kEffectYellow, 2);
        f.Polygon({{head, CY}, {head - 7, CY - 3.5}, {head - 7, CY + 3.5}}, kEffectYellow, 4);
        for (int i = 1; i <= 3; ++i)
        {
            f.Spark(head - 30 - i * 8, CY + 3 + i, kEffectYellow, 1);
        }
        return;
    }
    f.Glow(CX + 22, CY, k == 3 ? 12 : 7, kEffectYellow, 1.0);
    for (int i = 0; i < 6; ++i)
    {
        double a = i * M_PI / 3;
        f.Spark(CX + 22 + std::cos(a) * (k == 3 ? 14 : 20), CY + std::sin(a) * (k == 3 ? 10 : 14), kEffectYellow, 1);
    }
}

void Fire(Frame& f, int k)
{
    static const double kHeight[kEffectFrames] = {14, 26, 40, 34, 20};
    double h = kHeight[k];
    int block = k == 4 ? kEffectBlack : kEffectRed;
    for (int i = -3; i <= 3; ++i)
    {
        double x = CX + i * 9;
        double flame = h * (1.0 - std::abs(i) * 0.18) * (0.8 + Random01(i, k, 33) * 0.4);
        f.Polygon({{x - 6, H - 2.0}, {x + (Random01(i, k, 34) - 0.5) * 6, H - 2 - flame}, {x + 6, H - 2.0}}, block, 2);
        f.Polygon({{x - 3, H - 2.0}, {x, H - 2 - flame * 0.6}, {x + 3, H - 2.0}}, block, 4);
    }
    if (k >= 3)
    {
        for (int i = 0; i < 9; ++i)
        {
            f.Spark(CX - 36 + Random01(i, k, 35) * 72, 4 + Random01(i, k, 36) * 20, kEffectRed, 1);
        }
    }
}

void Heal(Frame& f, int k)
{
    f.Ring(CX, H - 8, 10 + k * 7, 2, kEffectGreen, 3, 0.3);
    for (int i = 0; i < 10; ++i)
    {
        double x = CX - 30 + Random01(i, 0, 41) * 60;
        double y = H - 6 - std::fmod(Random01(i, 1, 41) * 20 + k * 8, 42);
        f.Spark(x, y, kEffectGreen, (i + k) % 3 == 0 ? 2 : 1);
    }
    if (k == 2 || k == 3)
    {
        f.Glow(CX, CY, 16, kEffectGreen, 0.7);
    }
}

void Claw(Frame& f, int k)
{
    int lines = std::min(k + 1, 3);
    for (int i = 0; i < lines; ++i)
    {
        double x = CX - 16 + i * 14;
        double width = k <= 2 ? 5 : k == 3 ? 3 : 1.5;
        f.Ray(x - 8, 2, x + 12, H - 3, width, kEffectRed, k <= 2 ? 2 : 1);
    }
    if (k == 4)
    {
        for (int i = 0; i < 3; ++i)
        {
            f.Spark(CX - 6 + i * 14, H - 4, kEffectRed, 1);
        }
    }
}

void Ice(Frame& f, int k)
{
    int shards = k == 0 ? 3 : k == 1 ? 5 : 7;
    for (int i = 0; i < shards; ++i)
    {
        double a = i * 2 * M_PI / 7 - M_PI / 2;
        double spread = k >= 3 ? (k - 2) * 12 : 0;
        double x = CX + std::cos(a) * (10 + spread);
        double y = CY + std::sin(a) * (8 + spread * 0.5);
        double len = k >= 3 ? 8 : 11 + k * 4;
        f.Polygon({{x, y - len}, {x + 5, y}, {x, y + len * 0.5}, {x - 5, y}}, kEffectBlue, k >= 3 ? 2 : 3);
        f.Put(static_cast<int>(x), static_cast<int>(y - len * 0.5), EffectAtBrightness(kEffectBlue, 4));
    }
    if (k == 2)
    {
        f.Glow(CX, CY, 10, kEffectBlue, 1.0);
    }
}

void Burst(Frame& f, int k)
{
    static const double kRadius[kEffectFrames] = {6, 12, 18, 24, 28};
    double r = kRadius[k];
    if (k < 3)
    {
        f.Glow(CX, CY, r, kEffectPurple, 1.1, 0.8);
    }
    f.Ring(CX, CY, r + 2, k < 4 ? 3 : 1, kEffectPurple, 4 - k / 2, 0.8);
    if (k >= 2)
    {
        for (int i = 0; i < 12; ++i)
        {
            double a = i * M_PI / 6;
            f.Spark(CX + std::cos(a) * (r + 8), CY + std::sin(a) * (r + 8) * 0.7, kEffectPurple, 1);
        }
    }
}

} // namespace

Canvas DrawEffects(int width, int height)
{
    Canvas sheet(width, height);
    using Draw = void (*)(Frame&, int);
    const Draw strips[kEffectStrips] = {Strike, Sword, Arrow, Fire, Heal, Claw, Ice, Burst};
    for (int s = 0; s < kEffectStrips; ++s)
    {
        for (int k = 0; k < kEffectFrames; ++k)
        {
            Frame frame;
            strips[s](frame, k);
            sheet.Blit(frame.Picture(), k * W, s * H);
        }
    }
    return sheet;
}

} // namespace sample
