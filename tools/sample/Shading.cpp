#include "Shading.h"

#include <algorithm>
#include <cmath>

namespace sample
{

uint32_t Hash(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Random01(int x, int y, uint32_t seed)
{
    return (Hash(x, y, seed) >> 8) / 16777216.0;
}

double Noise(double x, double y, double scale, uint32_t seed)
{
    double fx = x / scale;
    double fy = y / scale;
    int ix = static_cast<int>(std::floor(fx));
    int iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix;
    double ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = Random01(ix, iy, seed);
    double b = Random01(ix + 1, iy, seed);
    double c = Random01(ix, iy + 1, seed);
    double d = Random01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double Fractal(double x, double y, double scale, uint32_t seed, int octaves)
{
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int i = 0; i < octaves; ++i)
    {
        sum += Noise(x, y, scale, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        weight *= 0.5;
        scale *= 0.5;
    }
    return sum / total;
}

double Bayer(int x, int y)
{
    static const int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kMatrix[y & 3][x & 3] + 0.5) / 16.0;
}

int ShadeAt(Shades shades, double brightness, int x, int y)
{
    const int ramp[3] = {shades.Dark(), shades.Mid(), shades.Light()};
    return RampAt(ramp, 3, brightness, x, y);
}

int RampAt(const int* ramp, int count, double brightness, int x, int y)
{
    double position = std::clamp(brightness, 0.0, 1.0) * (count - 1);
    int low = static_cast<int>(std::floor(position));
    if (low >= count - 1)
    {
        return ramp[count - 1];
    }
    return position - low > Bayer(x, y) ? ramp[low + 1] : ramp[low];
}

bool IsMaterial(int index)
{
    return index >= kFirstShadeGroup && index < kFirstShadeGroup + 6 * kShadeGroupCount &&
           (index - kFirstShadeGroup) % 6 == 1;
}

void ShadeMaterials(Canvas& canvas, int x, int y, int w, int h, int rim)
{
    Canvas before = canvas;
    auto other = [&](int px, int py, int material)
    { return px < x || py < y || px >= x + w || py >= y + h || before.Get(px, py) != material; };
    for (int py = y; py < y + h; ++py)
    {
        for (int px = x; px < x + w; ++px)
        {
            int material = before.Get(px, py);
            if (!IsMaterial(material))
            {
                continue;
            }
            bool light = false;
            bool dark = false;
            for (int d = 1; d <= rim; ++d)
            {
                light = light || other(px - d, py, material) || other(px, py - d, material);
                dark = dark || other(px + d, py, material) || other(px, py + d, material);
            }
            if (light && !dark)
            {
                canvas.Set(px, py, material + 1);
            }
            else if (dark && !light)
            {
                canvas.Set(px, py, material - 1);
            }
        }
    }
}

} // namespace sample
