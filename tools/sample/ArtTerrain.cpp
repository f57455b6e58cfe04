#include "ArtTerrain.h"

#include "Shading.h"
#include "SheetTable.h"

#include <algorithm>
#include <cmath>

namespace sample
{

namespace
{

constexpr int T = kChipSize;

// Smooth noise that repeats every tile: `cells` lattice cells across 32 pixels.
double TileNoise(int x, int y, int cells, uint32_t seed)
{
    double fx = (x % T) * cells / double(T);
    double fy = (y % T) * cells / double(T);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    double tx = fx - ix;
    double ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto at = [&](int a, int b) { return Random01(a % cells, b % cells, seed); };
    double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

// A textured ground of one material over a whole tile.
void Ground(Canvas& c, int ox, int oy, Shades shades, uint32_t seed, double contrast = 0.35, double base = 0.5)
{
    c.Paint(ox, oy, T, T,
            [&](int x, int y)
            {
                int lx = x - ox;
                int ly = y - oy;
                double v =
                    base + (TileNoise(lx, ly, 4, seed) - 0.5) * contrast * 2 + (Random01(lx, ly, seed + 7) - 0.5) * 0.3;
                return ShadeAt(shades, v, lx, ly);
            });
}

void Tufts(Canvas& c, int ox, int oy, uint32_t seed, int count, Shades shades)
{
    for (int i = 0; i < count; ++i)
    {
        int x = ox + 2 + static_cast<int>(Random01(i, 1, seed) * (T - 5));
        int y = oy + 3 + static_cast<int>(Random01(i, 2, seed) * (T - 5));
        c.Set(x, y, shades.Dark());
        c.Set(x + 2, y, shades.Dark());
        c.Set(x + 1, y - 1, shades.Light());
        c.Set(x + 1, y, shades.Dark());
    }
}

void GrassTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kGrass, seed);
    Tufts(c, ox, oy, seed + 3, 5, kGrass);
}

void Flowers(Canvas& c, int ox, int oy, uint32_t seed)
{
    for (int i = 0; i < 6; ++i)
    {
        int x = ox + 3 + static_cast<int>(Random01(i, 5, seed) * (T - 6));
        int y = oy + 3 + static_cast<int>(Random01(i, 6, seed) * (T - 6));
        int petal = i % 2 ? kBlossom.Mid() : kLinen.Light();
        c.Set(x - 1, y, petal);
        c.Set(x + 1, y, petal);
        c.Set(x, y - 1, petal);
        c.Set(x, y + 1, petal);
        c.Set(x, y, kBlossom.Light());
    }
}

// A round tree seen from above and a little from the side.
void Tree(Canvas& c, double x, double y, double r, Shades leaves)
{
    Canvas tree(static_cast<int>(r * 2 + 6), static_cast<int>(r * 2 + 8));
    double cx = tree.Width() / 2.0;
    tree.FillRect(static_cast<int>(cx) - 1, static_cast<int>(r * 1.6), 3, static_cast<int>(r * 0.6) + 3, kBark.Mid());
    tree.FillCircle(cx, r + 2, r, leaves.Mid());
    ShadeMaterials(tree, 0, 0, tree.Width(), tree.Height(), 2);
    tree.FillEllipse(cx - r * 0.35, r + 2 - r * 0.4, r * 0.3, r * 0.22, leaves.Light());
    tree.Outline(kForest.Dark());
    c.Blit(tree, static_cast<int>(x - cx), static_cast<int>(y - r - 2));
}

void ForestTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kGrass, seed, 0.3, 0.35);
    Tree(c, ox + 9, oy + 10, 7, kForest);
    Tree(c, ox + 23, oy + 13, 7.5, kForest);
    Tree(c, ox + 14, oy + 22, 7, kForest);
}

void Peak(Canvas& c, double x, double baseY, double half, double height, bool snow)
{
    Canvas peak(static_cast<int>(half * 2 + 4), static_cast<int>(height + 4));
    double cx = peak.Width() / 2.0;
    peak.FillPolygon({{cx - half, height + 1}, {cx, 1}, {cx + half, height + 1}}, kRock.Mid());
    // The shaded side.
    peak.Paint(0, 0, peak.Width(), peak.Height(),
               [&](int px, int py)
               {
                   int v = peak.Get(px, py);
                   if (v == kRock.Mid() && px > cx + (py - 1) * 0.15)
                   {
                       return kRock.Dark();
                   }
                   if (v == kRock.Mid() && px < cx - (py - 1) * 0.55)
                   {
                       return kRock.Light();
                   }
                   return v;
               });
    if (snow)
    {
        peak.Paint(0, 0, peak.Width(), peak.Height(),
                   [&](int px, int py)
                   {
                       int v = peak.Get(px, py);
                       if (v != kTransparent && py < height * 0.3 + (Random01(px, 0, 5) * 2))
                       {
                           return px > cx ? kSnow.Mid() : kSnow.Light();
                       }
                       return v;
                   });
    }
    peak.Outline(kInk.Mid());
    c.Blit(peak, static_cast<int>(x - cx), static_cast<int>(baseY - height - 1));
}

void MountainTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kGrass, seed, 0.3, 0.4);
    Peak(c, ox + 16, oy + 30, 15, 26, true);
}

void WaterTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kWater, seed, 0.2, 0.5);
    for (int i = 0; i < 4; ++i)
    {
        int x = ox + 2 + static_cast<int>(Random01(i, 9, seed) * (T - 10));
        int y = oy + 3 + i * 8 + static_cast<int>(Random01(i, 8, seed) * 3);
        c.FillRect(x, y, 5, 1, kFoam.Mid());
        c.FillRect(x + 1, y - 1, 3, 1, kWater.Light());
    }
}

void DirtTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kDirt, seed, 0.25, 0.55);
    for (int i = 0; i < 5; ++i)
    {
        int x = ox + 2 + static_cast<int>(Random01(i, 3, seed) * (T - 4));
        int y = oy + 2 + static_cast<int>(Random01(i, 4, seed) * (T - 4));
        c.Set(x, y, kStone.Light());
        c.Set(x + 1, y + 1, kDirt.Dark());
    }
}

void BridgeTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    WaterTile(c, ox, oy, seed);
    for (int y = 0; y < T; y += 5)
    {
        c.FillRect(ox + 5, oy + y, 22, 4, kLeather.Mid());
        c.FillRect(ox + 5, oy + y, 22, 1, kLeather.Light());
        c.FillRect(ox + 5, oy + y + 4, 22, 1, kBark.Dark());
    }
    c.FillRect(ox + 3, oy, 2, T, kBark.Mid());
    c.FillRect(ox + 27, oy, 2, T, kBark.Mid());
}

void StoneFloorTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    c.Paint(ox, oy, T, T,
            [&](int x, int y)
            {
                int lx = x - ox;
                int ly = y - oy;
                int row = ly / 8;
                int sx = (lx + (row % 2) * 8) % 16;
                int sy = ly % 8;
                if (sx == 15 || sy == 7)
                {
                    return kStone.Dark();
                }
                if (sx == 0 || sy == 0)
                {
                    return kStone.Light();
                }
                return ShadeAt(kStone, 0.5 + (Random01(lx, ly, seed) - 0.5) * 0.5, lx, ly);
            });
}

void WallTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    c.Paint(ox, oy, T, T,
            [&](int x, int y)
            {
                int lx = x - ox;
                int ly = y - oy;
                if (ly < 6)
                {
                    // Battlements.
                    return (lx % 10) < 6 ? (ly == 0 ? kStone.Light() : kStone.Mid()) : kStone.Dark();
                }
                int row = (ly - 6) / 6;
                int sx = (lx + (row % 2) * 6) % 12;
                int sy = (ly - 6) % 6;
                if (sx == 11 || sy == 5)
                {
                    return kInk.Light();
                }
                return ShadeAt(kStone, 0.45 + (Random01(lx, ly, seed) - 0.5) * 0.4 + (sy == 0 ? 0.3 : 0), lx, ly);
            });
    c.FillRect(ox, oy + 6, T, 1, kInk.Mid());
}

void SandTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kSand, seed, 0.25, 0.5);
}

void ShallowsTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    c.Paint(ox, oy, T, T,
            [&](int x, int y)
            {
                int lx = x - ox;
                int ly = y - oy;
                double n = TileNoise(lx, ly, 4, seed);
                if (n > 0.55)
                {
                    return ShadeAt(kSand, 0.6 + (Random01(lx, ly, seed) - 0.5) * 0.4, lx, ly);
                }
                return ShadeAt(kWater, 0.75 + n * 0.3, lx, ly);
            });
}

void HutTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    GrassTile(c, ox, oy, seed);
    Canvas hut(T, T);
    hut.FillRect(7, 14, 18, 13, kLinen.Mid());
    hut.FillPolygon({{4, 15}, {16, 4}, {28, 15}}, kBrick.Mid());
    hut.FillRect(14, 19, 5, 8, kBark.Mid());
    ShadeMaterials(hut, 0, 0, T, T);
    hut.FillRect(9, 17, 3, 3, kSky.Light());
    hut.FillRect(21, 17, 3, 3, kSky.Light());
    hut.Outline(kInk.Dark());
    c.Blit(hut, ox, oy);
}

void RocksTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    GrassTile(c, ox, oy, seed);
    Canvas rocks(T, T);
    rocks.FillEllipse(11, 13, 8, 6, kRock.Mid());
    rocks.FillEllipse(22, 22, 7, 5, kRock.Mid());
    rocks.FillEllipse(9, 25, 4, 3, kRock.Mid());
    ShadeMaterials(rocks, 0, 0, T, T, 2);
    rocks.Outline(kInk.Mid());
    c.Blit(rocks, ox, oy);
}

void GateTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    WallTile(c, ox, oy, seed);
    Canvas gate(T, T);
    gate.FillRect(8, 12, 16, 20, kBark.Mid());
    gate.FillEllipse(16, 13, 8, 5, kBark.Mid());
    ShadeMaterials(gate, 0, 0, T, T);
    for (int x = 11; x < 24; x += 4)
    {
        gate.FillRect(x, 11, 1, 21, kBark.Dark());
    }
    gate.FillRect(8, 20, 16, 1, kSteel.Mid());
    gate.Outline(kInk.Dark());
    c.Blit(gate, ox, oy);
}

void TowerTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    StoneFloorTile(c, ox, oy, seed);
    Canvas tower(T, T);
    tower.FillCircle(16, 16, 13, kStone.Mid());
    ShadeMaterials(tower, 0, 0, T, T, 2);
    tower.RingEllipse(16, 16, 13, 13, 2, kStone.Light());
    tower.FillCircle(16, 16, 8, kBrick.Mid());
    tower.FillPolygon({{16, 9}, {22, 16}, {16, 23}, {10, 16}}, kBrick.Dark());
    tower.Outline(kInk.Dark());
    c.Blit(tower, ox, oy);
}

void SnowTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kSnow, seed, 0.25, 0.6);
}

// --- World-map chips ---

void WorldSeaTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kWater, seed, 0.15, 0.38);
    for (int i = 0; i < 3; ++i)
    {
        int x = ox + 3 + static_cast<int>(Random01(i, 11, seed) * 20);
        int y = oy + 5 + i * 10;
        c.FillRect(x, y, 3, 1, kWater.Light());
        c.FillRect(x + 3, y + 1, 2, 1, kWater.Light());
    }
}

void WorldMountainsTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kGrass, seed, 0.3, 0.35);
    Peak(c, ox + 10, oy + 22, 10, 16, true);
    Peak(c, ox + 22, oy + 30, 10, 18, true);
}

void WorldDeepForestTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    Ground(c, ox, oy, kForest, seed, 0.3, 0.3);
    Tree(c, ox + 6, oy + 7, 5, kForest);
    Tree(c, ox + 18, oy + 6, 5, kForest);
    Tree(c, ox + 27, oy + 12, 5, kForest);
    Tree(c, ox + 11, oy + 17, 5, kForest);
    Tree(c, ox + 23, oy + 24, 5, kForest);
    Tree(c, ox + 6, oy + 27, 5, kForest);
}

void WorldCliffTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    c.Paint(ox, oy, T, T,
            [&](int x, int y)
            {
                int lx = x - ox;
                int ly = y - oy;
                double band = std::fmod(ly + TileNoise(lx, ly, 4, seed) * 6, 8.0);
                return ShadeAt(kRock, band < 2 ? 0.9 : band > 6 ? 0.1 : 0.5, lx, ly);
            });
}

void WorldWallTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    WallTile(c, ox, oy, seed);
}

void WorldWoodsTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    GrassTile(c, ox, oy, seed);
    Tree(c, ox + 9, oy + 11, 5, kForest);
    Tree(c, ox + 23, oy + 22, 5, kForest);
}

void WorldBridgeTile(Canvas& c, int ox, int oy, uint32_t seed)
{
    WorldSeaTile(c, ox, oy, seed);
    for (int x = 0; x < T; x += 4)
    {
        c.FillRect(ox + x, oy + 9, 3, 14, kLeather.Mid());
        c.FillRect(ox + x, oy + 9, 3, 1, kLeather.Light());
    }
    c.FillRect(ox, oy + 8, T, 1, kBark.Dark());
    c.FillRect(ox, oy + 23, T, 1, kBark.Dark());
}

// --- World events and stage events (colour-keyed, in cells of their own) ---

void Banner(Canvas& cell, int x, int y, int wave)
{
    cell.FillRect(x, y, 1, 9, kBark.Dark());
    cell.FillPolygon(
        {{double(x + 1), double(y)}, {double(x + 7), double(y + 1 + wave)}, {double(x + 1), double(y + 4)}},
        kClothBlue.Light());
}

void WorldCastle(Canvas& cell, bool cleared)
{
    cell.FillRect(6, 12, 20, 16, kStone.Mid());
    cell.FillRect(4, 8, 6, 20, kStone.Mid());
    cell.FillRect(22, 8, 6, 20, kStone.Mid());
    cell.FillRect(12, 5, 8, 10, kStone.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    for (int x : {4, 8, 22, 26, 12, 16})
    {
        cell.FillRect(x, x == 12 || x == 16 ? 3 : 6, 2, 2, kStone.Light());
    }
    cell.FillPolygon({{3, 8}, {7, 2}, {11, 8}}, kBrick.Mid());
    cell.FillPolygon({{21, 8}, {25, 2}, {29, 8}}, kBrick.Mid());
    cell.FillRect(13, 20, 6, 8, kBark.Mid());
    cell.FillRect(15, 9, 2, 3, kInk.Dark());
    if (cleared)
    {
        Banner(cell, 16, 0, 1);
    }
}

void WorldFort(Canvas& cell, bool cleared)
{
    cell.FillPolygon({{3, 28}, {5, 12}, {27, 12}, {29, 28}}, kRock.Mid());
    cell.FillRect(9, 7, 14, 8, kRock.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    for (int x = 5; x < 28; x += 5)
    {
        cell.FillRect(x, 10, 3, 2, kRock.Light());
    }
    cell.FillRect(13, 19, 6, 9, kInk.Mid());
    cell.FillRect(11, 9, 2, 2, kInk.Dark());
    cell.FillRect(19, 9, 2, 2, kInk.Dark());
    if (cleared)
    {
        Banner(cell, 15, 0, 1);
    }
}

void WorldVillage(Canvas& cell, bool cleared)
{
    auto house = [&](int x, int y)
    {
        cell.FillRect(x + 1, y + 6, 10, 7, kLinen.Mid());
        cell.FillPolygon({{double(x - 1), double(y + 7)}, {double(x + 6), double(y)}, {double(x + 13), double(y + 7)}},
                         kBrick.Mid());
    };
    house(2, 12);
    house(17, 15);
    house(9, 3);
    ShadeMaterials(cell, 0, 0, T, T);
    cell.FillRect(6, 22, 2, 3, kBark.Dark());
    cell.FillRect(21, 25, 2, 3, kBark.Dark());
    cell.FillRect(14, 13, 2, 2, kSky.Light());
    if (cleared)
    {
        Banner(cell, 27, 2, 1);
    }
}

// A camp on the plain: two tents and a fire.
void WorldCamp(Canvas& cell, bool cleared)
{
    auto tent = [&](double x, double y, Shades cloth) {
        cell.FillPolygon({{x - 8, y + 9}, {x, y - 4}, {x + 8, y + 9}}, cloth.Mid());
    };
    tent(10, 12, kLinen);
    tent(22, 17, kClothRed);
    ShadeMaterials(cell, 0, 0, T, T);
    cell.FillPolygon({{8, 21}, {10, 15}, {12, 21}}, kInk.Dark());
    cell.FillPolygon({{20, 26}, {22, 20}, {24, 26}}, kInk.Dark());
    cell.FillPolygon({{6, 30}, {8, 25}, {10, 30}}, EffectColour(kEffectRed, 3));
    cell.Set(8, 28, kGlow);
    if (cleared)
    {
        Banner(cell, 24, 0, 1);
    }
}

void EventChest(Canvas& cell, int frame)
{
    cell.FillRect(7, 14, 18, 12, kLeather.Mid());
    if (frame == 0)
    {
        cell.FillEllipse(16, 14, 9, 5, kLeather.Mid());
    }
    ShadeMaterials(cell, 0, 0, T, T);
    cell.FillRect(7, 18, 18, 2, kGold.Mid());
    cell.FillRect(14, 17, 4, 4, kGold.Light());
    cell.FillRect(15, 19, 2, 1, kInk.Dark());
    if (frame == 1)
    {
        cell.FillRect(8, 11, 16, 4, kGold.Light());
        cell.Set(12, 8, kHighlight);
        cell.Set(20, 6, kHighlight);
        cell.Set(16, 9, kGlow);
    }
}

void EventSign(Canvas& cell, int)
{
    cell.FillRect(15, 14, 3, 15, kBark.Mid());
    cell.FillRect(6, 6, 20, 11, kLeather.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    for (int y = 9; y < 15; y += 3)
    {
        cell.FillRect(9, y, 14, 1, kBark.Dark());
    }
}

void EventVillager(Canvas& cell, int frame)
{
    cell.FillRect(12, 24, 3, 6, kLeather.Mid());
    cell.FillRect(17, 24, 3, 6, kLeather.Mid());
    cell.FillPolygon({{10, 16}, {22, 16}, {24, 27}, {8, 27}}, kClothGreen.Mid());
    cell.FillEllipse(16, 11, 7, 6.5, kSkin.Mid());
    cell.FillEllipse(16, 6.5, 7.5, 4, kLinen.Mid());
    cell.FillRect(24, 8, 2, 22, kBark.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    cell.FillRect(13, 11, 1, frame == 0 ? 2 : 1, kInk.Dark());
    cell.FillRect(18, 11, 1, frame == 0 ? 2 : 1, kInk.Dark());
    cell.FillRect(13, 15, 6, 1, kLinen.Light());
}

void EventBanner(Canvas& cell, int frame)
{
    cell.FillRect(8, 3, 2, 27, kBark.Mid());
    cell.FillRect(6, 28, 6, 2, kStone.Mid());
    std::vector<Point> cloth{{10, 4}, {26, 5.0 + frame * 2}, {24, 11.0 + frame}, {27, 17.0 + frame * 2}, {10, 16}};
    cell.FillPolygon(cloth, kClothBlue.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    cell.FillCircle(16, 10.5 + frame * 0.5, 2.5, kGold.Light());
    cell.Set(9, 2, kGold.Light());
}

void EventCircle(Canvas& cell, int frame)
{
    cell.RingEllipse(16, 20, 13, 8, 1.5, EffectColour(kEffectPurple, frame * 2));
    cell.RingEllipse(16, 20, 8, 5, 1, EffectColour(kEffectPurple, frame * 2 + 3));
    for (int i = 0; i < 6; ++i)
    {
        double a = (i + frame * 0.5) * M_PI / 3;
        cell.Set(static_cast<int>(16 + std::cos(a) * 10.5), static_cast<int>(20 + std::sin(a) * 6.5),
                 EffectColour(kEffectPurple, i + frame));
    }
    cell.FillCircle(16, 20, 2, kGlow);
}

void EventFire(Canvas& cell, int frame)
{
    for (int i = 0; i < 4; ++i)
    {
        cell.Stroke(8 + i * 5, 28 - (i % 2), 24 - i * 5, 25 + (i % 2), 3, kBark.Mid());
    }
    ShadeMaterials(cell, 0, 0, T, T);
    double sway = frame == 0 ? -1.5 : 1.5;
    cell.FillPolygon({{9, 25}, {16 + sway, 6}, {23, 25}}, EffectColour(kEffectRed, 4));
    cell.FillPolygon({{11, 25}, {16 - sway, 11}, {21, 25}}, EffectColour(kEffectRed, 2));
    cell.FillPolygon({{13, 25}, {16 + sway * 0.5, 16}, {19, 25}}, kGlow);
}

void EventCrystal(Canvas& cell, int frame)
{
    cell.FillPolygon({{16, 3}, {24, 14}, {16, 29}, {8, 14}}, kSlime.Mid());
    ShadeMaterials(cell, 0, 0, T, T, 2);
    cell.FillPolygon({{16, 3}, {16, 29}, {8, 14}}, kSlime.Light());
    cell.Line(16, 3, 16, 29, kFoam.Light());
    if (frame == 1)
    {
        cell.Set(12, 10, kHighlight);
        cell.Set(11, 10, kHighlight);
        cell.Set(13, 10, kHighlight);
        cell.Set(12, 9, kHighlight);
        cell.Set(12, 11, kHighlight);
    }
}

// The banner of peace raised over the fort at the end of the story: white
// cloth with a golden wreath on a tall pole, light sparkling about it.
void EventPeaceBanner(Canvas& cell, int frame)
{
    cell.FillRect(6, 1, 2, 29, kBark.Mid());
    cell.FillRect(4, 28, 6, 2, kStone.Mid());
    std::vector<Point> cloth{{8, 2}, {27, 3.0 + frame}, {25, 10.0}, {28, 18.0 - frame}, {8, 19}};
    cell.FillPolygon(cloth, kLinen.Mid());
    ShadeMaterials(cell, 0, 0, T, T);
    cell.RingEllipse(17, 10.5, 5, 5, 1.2, kGold.Mid());
    cell.FillRect(16, 15, 3, 2, kClothBlue.Mid());
    cell.FillCircle(7, 1, 1.5, kGold.Light());
    const Point sparks[2][3] = {{{24, 24}, {14, 26}, {29, 21}}, {{20, 23}, {27, 27}, {11, 23}}};
    for (const Point& p : sparks[frame])
    {
        const int x = static_cast<int>(p.x);
        const int y = static_cast<int>(p.y);
        cell.Set(x, y, kHighlight);
        cell.Set(x - 1, y, kGlow);
        cell.Set(x + 1, y, kGlow);
        cell.Set(x, y - 1, kGlow);
        cell.Set(x, y + 1, kGlow);
    }
}

template <class Draw> void Keyed(Canvas& sheet, int x, int y, int outline, Draw draw)
{
    Canvas cell(T, T);
    draw(cell);
    cell.Outline(outline);
    sheet.Blit(cell, x, y);
}

} // namespace

Canvas DrawMapChipSheet(int width, int height)
{
    Canvas sheet(width, height);
    using TileFn = void (*)(Canvas&, int, int, uint32_t);
    const TileFn tiles[kMapChipTiles] = {
        GrassTile,
        [](Canvas& c, int ox, int oy, uint32_t seed)
        {
            GrassTile(c, ox, oy, seed);
            Flowers(c, ox, oy, seed + 1);
        },
        ForestTile,
        MountainTile,
        WaterTile,
        DirtTile,
        BridgeTile,
        StoneFloorTile,
        WallTile,
        SandTile,
        ShallowsTile,
        HutTile,
        RocksTile,
        GateTile,
        TowerTile,
        SnowTile,
    };
    for (int n = 0; n < kMapChipTiles; ++n)
    {
        tiles[n](sheet, (n % 8) * T, (n / 8) * T, 1000u + static_cast<uint32_t>(n));
    }
    return sheet;
}

Canvas DrawWorldMapChipSheet(int width, int height)
{
    Canvas sheet(width, height);
    using TileFn = void (*)(Canvas&, int, int, uint32_t);
    const TileFn tiles[kWorldChipTiles] = {
        WorldSeaTile,   WorldMountainsTile, WorldDeepForestTile, WorldCliffTile, WorldWallTile, GrassTile,
        WorldWoodsTile, DirtTile,           WorldBridgeTile,     SandTile,
    };
    for (int t = 0; t < kWorldChipTiles; ++t)
    {
        tiles[t](sheet, (t % 5) * T, (t / 5) * T, 2000u + static_cast<uint32_t>(t));
    }
    return sheet;
}

Canvas DrawWorldEventSheet(int width, int height)
{
    Canvas sheet(width, height);
    using EventFn = void (*)(Canvas&, bool);
    const EventFn events[kWorldEventGraphics] = {WorldCastle, WorldFort, WorldVillage, WorldCamp};
    for (int g = 0; g < kWorldEventGraphics; ++g)
    {
        for (int cleared = 0; cleared < 2; ++cleared)
        {
            Keyed(sheet, cleared * T, g * T, kInk.Dark(), [&](Canvas& cell) { events[g](cell, cleared == 1); });
        }
    }
    return sheet;
}

Canvas DrawEventSheet(int width, int height)
{
    Canvas sheet(width, height);
    using EventFn = void (*)(Canvas&, int);
    const EventFn events[kEventGraphics] = {nullptr,     EventChest, EventSign,    EventVillager,   EventBanner,
                                            EventCircle, EventFire,  EventCrystal, EventPeaceBanner};
    for (int g = 1; g < kEventGraphics; ++g)
    {
        for (int frame = 0; frame < 2; ++frame)
        {
            int outline = g == 5 ? kTransparent : kInk.Dark();
            Keyed(sheet, frame * T, g * T, outline, [&](Canvas& cell) { events[g](cell, frame); });
        }
    }
    return sheet;
}

Canvas DrawWorldBack(int width, int height)
{
    Canvas back(width, height);
    back.Paint(0, 0, width, height,
               [&](int x, int y)
               {
                   double n = Fractal(x, y, 96, 77);
                   double v = 0.25 + n * 0.5;
                   double wave = std::sin((x * 0.09) + std::sin(y * 0.05) * 2 + y * 0.21);
                   if (wave > 0.93 && Random01(x / 4, y, 5) > 0.4)
                   {
                       return kFoam.Mid();
                   }
                   return ShadeAt(kWater, v, x, y);
               });
    return back;
}

Canvas DrawBattleBack(Scenery scenery, int width, int height)
{
    Canvas back(width, height);
    const int horizon = 200;
    const int daySky[] = {kSky.Dark(), kSky.Mid(), kSky.Light(), kFoam.Light()};
    const int paleSky[] = {kSky.Mid(), kSky.Light(), kSnow.Light()};
    const int duskSky[] = {kDusk.Dark(), kDusk.Mid(), kDusk.Light(), kBlossom.Dark(), kEmber.Mid()};
    const int forestSky[] = {kSky.Dark(), kSky.Mid(), kFoam.Mid()};
    const int* sky = daySky;
    int skyCount = 4;
    Shades ground = kGrass;
    Shades hills = kForest;
    switch (scenery)
    {
    case Scenery::Forest:
        sky = forestSky;
        skyCount = 3;
        ground = kForest;
        break;
    case Scenery::Mountain:
        sky = paleSky;
        skyCount = 3;
        ground = kRock;
        hills = kRock;
        break;
    case Scenery::Fort:
        ground = kStone;
        hills = kStone;
        break;
    case Scenery::Dusk:
        sky = duskSky;
        skyCount = 5;
        ground = kDusk;
        hills = kInk;
        break;
    default:
        break;
    }

    // Sky and clouds.
    back.Paint(0, 0, width, horizon,
               [&](int x, int y)
               {
                   double cloud = Fractal(x, y * 2.2, 120, 31);
                   if (scenery != Scenery::Dusk && cloud > 0.62 && y < horizon - 40)
                   {
                       return cloud > 0.7 ? kLinen.Light() : kLinen.Mid();
                   }
                   return RampAt(sky, skyCount, y / double(horizon), x, y);
               });
    if (scenery == Scenery::Dusk)
    {
        back.FillCircle(470, 70, 26, kGlow);
        back.FillCircle(480, 64, 24, RampAt(sky, skyCount, 64.0 / horizon, 480, 64));
    }

    // Far hills, mountains or walls.
    std::vector<int> ridge(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
    {
        double n = Fractal(x, 0, scenery == Scenery::Mountain ? 90 : 160, 41, 4);
        ridge[static_cast<size_t>(x)] = horizon - 20 - static_cast<int>(n * (scenery == Scenery::Mountain ? 130 : 60));
    }
    if (scenery == Scenery::Fort)
    {
        back.Paint(0, 90, width, horizon - 90 + 40,
                   [&](int x, int y)
                   {
                       int row = (y - 90) / 14;
                       int bx = (x + (row % 2) * 20) % 40;
                       if ((y - 90) % 14 == 13 || bx == 39)
                       {
                           return kInk.Light();
                       }
                       return ShadeAt(kStone,
                                      0.35 + (Random01(x / 40, row, 9) - 0.5) * 0.4 + ((y - 90) % 14 == 0 ? 0.3 : 0), x,
                                      y);
                   });
        for (int x = 0; x < width; x += 32)
        {
            back.FillRect(x, 72, 18, 18, kStone.Mid());
            back.FillRect(x, 72, 18, 2, kStone.Light());
        }
        for (int x = 60; x < width; x += 160)
        {
            back.FillRect(x, 120, 12, 40, kDeepBlack);
            back.FillEllipse(x + 6, 120, 6, 6, kDeepBlack);
            back.FillRect(x + 20, 110, 30, 60, kClothBlue.Mid());
            back.FillCircle(x + 35, 135, 7, kGold.Light());
        }
    }
    else
    {
        for (int x = 0; x < width; ++x)
        {
            for (int y = ridge[static_cast<size_t>(x)]; y < horizon + 40; ++y)
            {
                double t = (y - ridge[static_cast<size_t>(x)]) / 60.0;
                int v = ShadeAt(hills, 0.2 + t * 0.5 + (Random01(x, y, 3) - 0.5) * 0.2, x, y);
                if (scenery == Scenery::Mountain && y < ridge[static_cast<size_t>(x)] + 14 &&
                    ridge[static_cast<size_t>(x)] < 110)
                {
                    v = ShadeAt(kSnow, 0.7, x, y);
                }
                back.Set(x, y, v);
            }
        }
        if (scenery == Scenery::Forest || scenery == Scenery::Grass)
        {
            for (int i = 0; i < (scenery == Scenery::Forest ? 26 : 7); ++i)
            {
                double x = Random01(i, 0, scenery == Scenery::Forest ? 61 : 62) * width;
                double r = scenery == Scenery::Forest ? 26 + Random01(i, 1, 61) * 16 : 14;
                Tree(back, x, horizon + 10 - Random01(i, 2, 63) * 20, r, kForest);
            }
        }
    }

    // Ground, lighter toward the front.
    back.Paint(0, horizon + 20, width, height - horizon - 20,
               [&](int x, int y)
               {
                   double depth = (y - horizon - 20) / double(height - horizon - 20);
                   double stripe = Fractal(x * (1.2 - depth * 0.8), y * 3, 70, 51);
                   double v = 0.25 + depth * 0.35 + (stripe - 0.5) * 0.5;
                   return ShadeAt(ground, v, x, y);
               });
    if (scenery == Scenery::Grass || scenery == Scenery::Dusk)
    {
        for (int i = 0; i < 220; ++i)
        {
            int x = static_cast<int>(Random01(i, 7, 71) * width);
            int y = horizon + 30 + static_cast<int>(Random01(i, 8, 71) * (height - horizon - 36));
            back.Set(x, y, ground.Light());
            back.Set(x - 1, y + 1, ground.Dark());
            back.Set(x + 1, y + 1, ground.Dark());
        }
    }
    if (scenery == Scenery::Mountain)
    {
        for (int i = 0; i < 14; ++i)
        {
            double x = Random01(i, 3, 81) * width;
            double y = horizon + 60 + Random01(i, 4, 81) * 200;
            Canvas rock(40, 30);
            rock.FillEllipse(20, 18, 8 + Random01(i, 5, 81) * 10, 6 + Random01(i, 6, 81) * 6, kRock.Mid());
            ShadeMaterials(rock, 0, 0, 40, 30, 2);
            rock.Outline(kInk.Mid());
            back.Blit(rock, static_cast<int>(x), static_cast<int>(y));
        }
    }
    if (scenery == Scenery::Fort)
    {
        // Flagstones, wider toward the front.
        int top = horizon + 20;
        for (int row = 0; top < height; ++row)
        {
            int rowHeight = 10 + row * 5;
            int joint = 36 + row * 12;
            int shift = (row % 2) * joint / 2;
            back.FillRect(0, top, width, 1, kStone.Dark());
            for (int x = -shift; x < width; x += joint)
            {
                back.FillRect(x, top, 1, rowHeight, kStone.Dark());
                back.FillRect(x + 1, top + 1, joint - 2, 1, kStone.Light());
            }
            top += rowHeight;
        }
    }
    // Shadows where the two figures stand.
    for (int cx : {112, 528})
    {
        back.Paint(cx - 44, 280, 88, 16,
                   [&](int x, int y)
                   {
                       double u = (x - cx) / 44.0;
                       double v = (y - 288) / 7.0;
                       int now = back.Get(x, y);
                       return u * u + v * v <= 1.0 && (x + y) % 2 == 0 ? ground.Dark() : now;
                   });
    }
    return back;
}

} // namespace sample
