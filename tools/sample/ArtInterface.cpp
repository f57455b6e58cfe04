#include "ArtInterface.h"

#include "ArtFigures.h"
#include "Shading.h"
#include "SheetTable.h"
#include "platform/text/TextRasterizer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace sample
{

const char* const kSampleGameName = "ミストヴェイル戦記";

namespace
{

// Draws in a cell of its own, shades it, lets `details` draw over the
// shading, outlines it and puts it on the sheet.
template <class Draw, class Details>
void Icon(Canvas& sheet, int x, int y, int w, int h, Draw draw, Details details, int outline = kInk.Dark())
{
    Canvas cell(w, h);
    draw(cell);
    ShadeMaterials(cell, 0, 0, w, h);
    details(cell);
    cell.Outline(outline);
    sheet.Blit(cell, x, y);
}

void NoDetails(Canvas&)
{
}

// A line of text centred on x.
void CentredText(Canvas& canvas, platform::TextRasterizer& fonts, const char* text, int size, int cx, int y, int colour,
                 int outline)
{
    int width = Canvas::TextWidth(fonts, text, size);
    canvas.OutlinedText(fonts, text, size, cx - width / 2, y, colour, outline);
}

// Text filled top to bottom with a ramp, with an outline.
void GradientText(Canvas& canvas, platform::TextRasterizer& fonts, const char* text, int size, int cx, int y,
                  const int* ramp, int count, int outline)
{
    int width = Canvas::TextWidth(fonts, text, size);
    Canvas ink(width + 4, size + 4);
    ink.Text(fonts, text, size, 2, 2, kHighlight, 110);
    ink.Paint(0, 0, ink.Width(), ink.Height(),
              [&](int px, int py)
              {
                  if (ink.Get(px, py) == kTransparent)
                  {
                      return kTransparent;
                  }
                  return RampAt(ramp, count, 1.0 - (py - 2) / double(size), px, py);
              });
    ink.Outline(outline);
    Canvas thick = ink;
    thick.Outline(outline);
    canvas.Blit(thick, cx - width / 2 - 2, y - 2);
}

} // namespace

Canvas DrawPaletteChart(int width, int height)
{
    Canvas chart(width, height, kTransparent);
    for (int r = 0; r < 16; ++r)
    {
        for (int c = 0; c < 16; ++c)
        {
            chart.Set(c, 8 + r, r * 16 + c);
            chart.FillRect(c * 8, 32 + r * 8, 8, 8, r * 16 + c);
        }
    }
    return chart;
}

Canvas DrawDebugGlyphs(platform::TextRasterizer& fonts, int width, int height)
{
    Canvas sheet(width, height);
    auto glyph = [&](int byte, int column, int row)
    {
        Canvas cell(8, 16);
        std::string text(1, static_cast<char>(byte));
        cell.Text(fonts, text, 16, 0, 0, kSystemWhite, 100);
        cell.Outline(248);
        sheet.Blit(cell, column * 8, row * 16);
    };
    for (int b = 0x21; b <= 0x7E; ++b)
    {
        glyph(b, b % 16, b / 16);
    }
    for (int b = 0xA1; b <= 0xDF; ++b)
    {
        glyph(b, b % 16, b / 16);
        if (b >= 0xA6 && b <= 0xBF)
        {
            glyph(b, b % 16, b / 16 - 10);
        }
        else if (b >= 0xC0 && b <= 0xDD)
        {
            glyph(b, b % 16, b / 16 - 4);
        }
    }
    return sheet;
}

Canvas DrawWindowPattern(int width, int height)
{
    Canvas pattern(width, height);
    int ramp[kWindowSteps];
    for (int i = 0; i < kWindowSteps; ++i)
    {
        ramp[i] = kWindowFirst + i;
    }
    pattern.Paint(0, 0, width, height,
                  [&](int x, int y)
                  {
                      double light = 0.8 - 0.65 * std::min(1.0, (x * 0.12 + y) / 170.0);
                      double grain = (Random01(x / 2, y / 2, 17) - 0.5) * 0.08;
                      return RampAt(ramp, kWindowSteps, light + grain, x, y);
                  });
    return pattern;
}

Canvas DrawTitle(int width, int height)
{
    Canvas title(width, height);
    const int sky[] = {kDeepBlack, kDusk.Dark(), kDusk.Mid(), kDusk.Light(), kBlossom.Dark(), kEmber.Mid(), kGlow};
    const int horizon = 300;
    title.Paint(0, 0, width, horizon,
                [&](int x, int y)
                {
                    double t = std::pow(y / double(horizon), 1.6);
                    return RampAt(sky, 7, t, x, y);
                });
    for (int i = 0; i < 140; ++i)
    {
        int x = static_cast<int>(Random01(i, 1, 91) * width);
        int y = static_cast<int>(Random01(i, 2, 91) * 170);
        title.Set(x, y, i % 7 == 0 ? kGlow : kSnow.Mid());
        if (i % 11 == 0)
        {
            title.Set(x - 1, y, kDusk.Light());
            title.Set(x + 1, y, kDusk.Light());
            title.Set(x, y - 1, kDusk.Light());
            title.Set(x, y + 1, kDusk.Light());
        }
    }
    title.FillCircle(120, 120, 30, kSnow.Light());
    title.FillCircle(132, 112, 27, RampAt(sky, 7, std::pow(112 / double(horizon), 1.6), 132, 112));

    // Far mountains.
    for (int x = 0; x < width; ++x)
    {
        int top = 190 + static_cast<int>(Fractal(x, 0, 110, 12, 4) * 80);
        for (int y = top; y < height; ++y)
        {
            title.Set(x, y, ShadeAt(kDusk, 0.15 + std::min(y - top, 120) / 300.0, x, y));
        }
    }
    // The castle on its hill.
    Canvas castle(200, 200);
    castle.FillEllipse(110, 210, 120, 70, kInk.Mid());
    castle.FillRect(60, 70, 100, 80, kInk.Light());
    castle.FillRect(45, 40, 30, 110, kInk.Light());
    castle.FillRect(140, 30, 30, 120, kInk.Light());
    castle.FillRect(92, 20, 24, 60, kInk.Light());
    castle.FillPolygon({{42, 42}, {60, 5}, {78, 42}}, kInk.Mid());
    castle.FillPolygon({{137, 32}, {155, -6}, {173, 32}}, kInk.Mid());
    castle.FillPolygon({{89, 22}, {104, -12}, {119, 22}}, kInk.Mid());
    for (int x = 60; x < 160; x += 12)
    {
        castle.FillRect(x, 64, 7, 6, kInk.Light());
    }
    for (int i = 0; i < 14; ++i)
    {
        int x = 52 + static_cast<int>(Random01(i, 3, 93) * 110);
        int y = 50 + static_cast<int>(Random01(i, 4, 93) * 80);
        castle.FillRect(x, y, 3, 4, kGlow);
    }
    castle.Set(60, 6, kEmber.Light());
    castle.Set(155, -5, kEmber.Light());
    title.Blit(castle, 410, 130);

    // Mist over the valley, then the near hills and the road.
    title.Paint(0, 250, width, 90,
                [&](int x, int y)
                {
                    int v = title.Get(x, y);
                    double mist = Fractal(x, y * 3, 90, 14) * (1.0 - std::abs(y - 300) / 45.0);
                    if (mist > 0.42)
                    {
                        return mist > 0.55 ? kDusk.Light() : (Bayer(x, y) > 0.5 ? kDusk.Light() : v);
                    }
                    return v;
                });
    for (int x = 0; x < width; ++x)
    {
        int top = 320 + static_cast<int>(std::sin(x * 0.008) * 22 + Fractal(x, 3, 60, 15) * 18);
        for (int y = top; y < height; ++y)
        {
            double t = (y - top) / double(height - top);
            title.Set(x, y, ShadeAt(kForest, 0.1 + t * 0.5 + (Random01(x, y, 16) - 0.5) * 0.2, x, y));
        }
    }
    for (int y = 340; y < height; ++y)
    {
        double t = (y - 340) / double(height - 340);
        double centre = 300 + std::sin(y * 0.02) * 30 * (1 - t);
        double half = 6 + t * 70;
        for (int x = static_cast<int>(centre - half); x < centre + half; ++x)
        {
            title.Set(x, y, ShadeAt(kDirt, 0.2 + t * 0.4, x, y));
        }
    }
    return title;
}

Canvas DrawTitleWords(platform::TextRasterizer& fonts, int width, int height)
{
    Canvas words(width, height);
    const int gold[] = {kGold.Dark(), kGold.Mid(), kGold.Light(), kGlow, kHighlight};
    GradientText(words, fonts, kSampleGameName, 52, width / 2, 4, gold, 5, kInk.Dark());
    const char* menu[3] = {"はじめから", "つづきから", "おわる"};
    for (int i = 0; i < 3; ++i)
    {
        CentredText(words, fonts, menu[i], 24, 80, 64 + 32 * i + 4, kHighlight, kInk.Dark());
    }
    (void)height;
    return words;
}

Canvas DrawSymbols(int width, int height)
{
    Canvas sheet(width, height);
    auto at = [](int n) { return n * 16; };
    auto icon = [&](int n, auto draw, auto details) { Icon(sheet, at(n), 0, 16, 16, draw, details); };
    // Weapons and armour.
    icon(
        0,
        [](Canvas& c)
        {
            c.Stroke(4, 12, 12, 3, 2.5, kSteel.Mid());
            c.Stroke(2, 10, 6, 14, 2, kGold.Mid());
            c.Stroke(2, 14, 4, 12, 2, kLeather.Mid());
        },
        NoDetails);
    icon(
        1,
        [](Canvas& c)
        {
            c.Stroke(3, 14, 11, 5, 1.6, kLeather.Mid());
            c.FillPolygon({{10, 6}, {14, 1}, {13, 7}}, kSteel.Mid());
        },
        NoDetails);
    icon(
        2,
        [](Canvas& c)
        {
            c.RingEllipse(5, 8, 7, 7, 2, kLeather.Mid());
            c.FillRect(0, 0, 5, 16, kTransparent);
        },
        [](Canvas& c) { c.Line(5, 1, 5, 15, kLinen.Light()); });
    icon(
        3,
        [](Canvas& c)
        {
            c.Stroke(4, 15, 10, 4, 2, kBark.Mid());
            c.FillCircle(11, 3.5, 3, kSlime.Mid());
        },
        [](Canvas& c) { c.Set(10, 2, kHighlight); });
    icon(
        4,
        [](Canvas& c) {
            c.FillPolygon({{2, 2}, {14, 2}, {14, 8}, {8, 15}, {2, 8}}, kClothBlue.Mid());
        },
        [](Canvas& c)
        {
            c.Line(8, 3, 8, 13, kGold.Light());
            c.Line(3, 6, 13, 6, kGold.Light());
        });
    icon(
        5,
        [](Canvas& c) {
            c.FillPolygon({{2, 3}, {6, 1}, {10, 1}, {14, 3}, {12, 7}, {12, 14}, {4, 14}, {4, 7}}, kSteel.Mid());
        },
        [](Canvas& c) { c.Line(8, 2, 8, 13, kSteel.Dark()); });
    icon(
        6,
        [](Canvas& c)
        {
            c.FillEllipse(8, 9, 6.5, 6.5, kSteel.Mid());
            c.FillRect(1, 10, 14, 5, kTransparent);
            c.FillRect(2, 9, 12, 2, kSteel.Mid());
        },
        [](Canvas& c) { c.Line(8, 2, 8, 8, kClothRed.Mid()); });
    icon(
        7,
        [](Canvas& c)
        {
            c.RingEllipse(8, 10, 5, 5, 1.8, kGold.Mid());
            c.FillCircle(8, 4, 2.5, kBlossom.Mid());
        },
        NoDetails);
    // Consumables and treasures.
    auto potion = [](Shades s)
    {
        return [s](Canvas& c)
        {
            c.FillRect(6, 1, 4, 2, kLeather.Mid());
            c.FillRect(6, 3, 4, 3, kFoam.Mid());
            c.FillCircle(8, 10.5, 5, s.Mid());
        };
    };
    icon(8, potion(kClothRed), [](Canvas& c) { c.Set(6, 8, kHighlight); });
    icon(9, potion(kClothBlue), [](Canvas& c) { c.Set(6, 8, kHighlight); });
    icon(
        10,
        [](Canvas& c)
        {
            c.Stroke(8, 15, 8, 6, 1.2, kForest.Mid());
            c.FillEllipse(5, 6, 3.5, 2, kGrass.Mid());
            c.FillEllipse(11, 4, 3.5, 2, kGrass.Mid());
            c.FillEllipse(10, 10, 3, 1.8, kGrass.Mid());
        },
        NoDetails);
    icon(
        11,
        [](Canvas& c)
        {
            c.FillRect(3, 3, 10, 10, kSand.Mid());
            c.FillEllipse(3, 8, 2, 5, kSand.Mid());
            c.FillEllipse(13, 8, 2, 5, kSand.Mid());
        },
        [](Canvas& c)
        {
            for (int y = 5; y < 12; y += 2)
            {
                c.Line(5, y, 11, y, kInk.Light());
            }
        });
    icon(
        12,
        [](Canvas& c) {
            c.FillPolygon({{8, 1}, {14, 6}, {8, 15}, {2, 6}}, kSlime.Mid());
        },
        [](Canvas& c)
        {
            c.Line(2, 6, 14, 6, kFoam.Light());
            c.Set(6, 4, kHighlight);
        });
    icon(
        13,
        [](Canvas& c)
        {
            c.FillCircle(8, 10, 5.5, kLeather.Mid());
            c.FillRect(6, 2, 4, 4, kLeather.Mid());
        },
        [](Canvas& c)
        {
            c.Line(5, 5, 10, 5, kGold.Light());
            c.Set(8, 10, kGold.Light());
            c.Set(7, 10, kGold.Light());
        });
    icon(
        14,
        [](Canvas& c)
        {
            c.RingEllipse(5, 5, 4, 4, 1.8, kGold.Mid());
            c.Stroke(8, 8, 14, 14, 2, kGold.Mid());
            c.Stroke(12, 12, 10, 14, 1.5, kGold.Mid());
        },
        NoDetails);
    icon(
        15,
        [](Canvas& c)
        {
            c.FillRect(3, 2, 10, 12, kClothRed.Mid());
            c.FillRect(4, 3, 8, 10, kLinen.Mid());
            c.FillRect(3, 2, 2, 12, kClothRed.Mid());
        },
        [](Canvas& c)
        {
            c.Line(6, 6, 11, 6, kInk.Light());
            c.Line(6, 9, 11, 9, kInk.Light());
        });
    // Elements and effects.
    icon(
        16,
        [](Canvas& c) {
            c.FillPolygon({{3, 14}, {5, 6}, {7, 9}, {8, 1}, {11, 8}, {12, 5}, {13, 14}}, kEmber.Mid());
        },
        [](Canvas& c) {
            c.FillPolygon({{6, 14}, {8, 8}, {10, 14}}, kGlow);
        });
    icon(
        17,
        [](Canvas& c)
        {
            c.FillPolygon({{8, 1}, {11, 8}, {8, 15}, {5, 8}}, kFoam.Mid());
            c.FillPolygon({{1, 8}, {8, 6}, {15, 8}, {8, 10}}, kFoam.Mid());
        },
        [](Canvas& c) { c.Set(8, 8, kHighlight); });
    icon(
        18,
        [](Canvas& c)
        {
            c.Stroke(2, 5, 11, 5, 1.5, kSlime.Mid());
            c.Stroke(2, 9, 13, 9, 1.5, kSlime.Mid());
            c.Stroke(4, 13, 10, 13, 1.5, kSlime.Mid());
            c.RingEllipse(11, 3, 2.5, 2.5, 1.2, kSlime.Mid());
        },
        NoDetails);
    icon(
        19,
        [](Canvas& c) {
            c.FillPolygon({{2, 14}, {4, 6}, {9, 3}, {14, 8}, {13, 14}}, kRock.Mid());
        },
        [](Canvas& c) { c.Line(6, 8, 9, 11, kRock.Dark()); });
    icon(
        20,
        [](Canvas& c)
        {
            c.FillPolygon({{8, 0}, {10, 6}, {16, 6}, {11, 10}, {13, 16}, {8, 12}, {3, 16}, {5, 10}, {0, 6}, {6, 6}},
                          kGold.Mid());
        },
        NoDetails);
    icon(
        21,
        [](Canvas& c)
        {
            c.FillCircle(8, 8, 6.5, kGold.Mid());
            c.FillCircle(11, 6, 5.5, kTransparent);
        },
        NoDetails);
    icon(
        22,
        [](Canvas& c)
        {
            c.FillCircle(5, 6, 3.8, kClothRed.Mid());
            c.FillCircle(11, 6, 3.8, kClothRed.Mid());
            c.FillPolygon({{1.5, 7}, {14.5, 7}, {8, 15}}, kClothRed.Mid());
        },
        [](Canvas& c) { c.Set(4, 5, kHighlight); });
    icon(
        23,
        [](Canvas& c)
        {
            c.RingEllipse(8, 8, 7, 7, 2, kClothBlue.Mid());
            c.FillPolygon({{5, 4}, {11, 4}, {11, 9}, {8, 12}, {5, 9}}, kSteel.Mid());
        },
        NoDetails);
    icon(
        24, [](Canvas& c) { c.FillCircle(8, 8, 7, kLinen.Mid()); },
        [](Canvas& c)
        {
            c.Line(8, 8, 8, 3, kInk.Dark());
            c.Line(8, 8, 11, 10, kInk.Dark());
            c.RingEllipse(8, 8, 7, 7, 1, kGold.Mid());
        });
    icon(
        25,
        [](Canvas& c) {
            c.FillPolygon({{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}}, kGrass.Mid());
        },
        NoDetails);
    icon(
        26,
        [](Canvas& c)
        {
            c.Stroke(4, 15, 10, 3, 1.6, kLeather.Mid());
            c.FillPolygon({{8, 2}, {15, 3}, {14, 9}, {10, 7}}, kSteel.Mid());
        },
        NoDetails);
    icon(
        27,
        [](Canvas& c)
        {
            c.Stroke(5, 11, 12, 4, 2, kSteel.Mid());
            c.Stroke(3, 9, 7, 13, 1.6, kGold.Mid());
            c.Stroke(2, 14, 4, 12, 1.6, kLeather.Mid());
        },
        NoDetails);
    icon(
        28,
        [](Canvas& c)
        {
            c.FillRect(4, 2, 5, 10, kLeather.Mid());
            c.FillRect(4, 10, 10, 4, kLeather.Mid());
        },
        NoDetails);
    icon(
        29,
        [](Canvas& c) {
            c.FillPolygon({{5, 1}, {11, 1}, {15, 15}, {1, 15}}, kClothGreen.Mid());
        },
        [](Canvas& c) { c.FillRect(6, 2, 4, 1, kGold.Light()); });
    icon(
        30,
        [](Canvas& c)
        {
            for (int i = 0; i < 3; ++i)
            {
                c.Stroke(3 + i * 4, 14, 7 + i * 4, 2, 1.6, kLinen.Mid());
            }
        },
        NoDetails);
    icon(
        31,
        [](Canvas& c) {
            c.FillPolygon({{3, 2}, {13, 2}, {8, 15}}, kLinen.Mid());
        },
        NoDetails);
    icon(
        32,
        [](Canvas& c)
        {
            c.FillCircle(8, 7, 6, kLinen.Mid());
            c.FillRect(5, 11, 6, 4, kLinen.Mid());
        },
        [](Canvas& c)
        {
            c.FillRect(5, 6, 2, 3, kInk.Dark());
            c.FillRect(9, 6, 2, 3, kInk.Dark());
            c.Set(7, 12, kInk.Dark());
            c.Set(9, 12, kInk.Dark());
        });
    icon(
        33,
        [](Canvas& c)
        {
            c.FillRect(3, 1, 2, 15, kBark.Mid());
            c.FillPolygon({{5, 2}, {15, 4}, {5, 9}}, kClothRed.Mid());
        },
        NoDetails);
    icon(
        34,
        [](Canvas& c) {
            c.FillPolygon({{1, 5}, {5, 9}, {8, 3}, {11, 9}, {15, 5}, {13, 13}, {3, 13}}, kGold.Mid());
        },
        [](Canvas& c) { c.Set(8, 10, kClothRed.Light()); });
    icon(
        35,
        [](Canvas& c)
        {
            c.FillEllipse(9, 7, 3.5, 6.5, kLinen.Mid());
            c.Stroke(3, 15, 9, 6, 1, kLinen.Dark());
        },
        NoDetails);
    icon(
        36,
        [](Canvas& c)
        {
            c.FillCircle(7, 10, 5.5, kInk.Mid());
            c.Stroke(10, 5, 13, 2, 1.2, kLeather.Mid());
        },
        [](Canvas& c)
        {
            c.Set(14, 1, kEmber.Light());
            c.Set(5, 8, kInk.Light());
        });
    icon(
        37,
        [](Canvas& c)
        {
            c.FillEllipse(5, 12, 3, 2.5, kClothPurple.Mid());
            c.FillRect(7, 2, 2, 10, kClothPurple.Mid());
            c.FillPolygon({{8, 2}, {14, 4}, {14, 7}, {8, 5}}, kClothPurple.Mid());
        },
        NoDetails);
    icon(
        38,
        [](Canvas& c)
        {
            c.RingEllipse(8, 6, 5, 5, 2, kSky.Mid());
            c.FillRect(2, 6, 6, 6, kTransparent);
            c.FillRect(7, 9, 3, 3, kSky.Mid());
            c.FillRect(7, 13, 3, 3, kSky.Mid());
        },
        NoDetails);
    icon(
        39,
        [](Canvas& c)
        {
            c.FillRect(6, 1, 4, 10, kBrightRed);
            c.FillRect(6, 12, 4, 3, kBrightRed);
        },
        NoDetails);
    return sheet;
}

Canvas DrawAccessories(int width, int height)
{
    Canvas sheet(width, height);
    // Map cursors: corner brackets, the second look drawn inward.
    for (int look = 0; look < 2; ++look)
    {
        Canvas cell(32, 32);
        int in = look;
        int colour = look == 0 ? kHighlight : kGlow;
        for (int cx = 0; cx < 2; ++cx)
        {
            for (int cy = 0; cy < 2; ++cy)
            {
                int x = cx ? 31 - in - 6 : in;
                int y = cy ? 31 - in - 1 : in;
                cell.FillRect(x, y, 7, 2, colour);
                cell.FillRect(cx ? 31 - in - 1 : in, cy ? 31 - in - 6 : in, 2, 7, colour);
            }
        }
        cell.Outline(kInk.Dark());
        sheet.Blit(cell, look * 32, 0);
    }
    // Menu pointers, scroll arrows, badges.
    for (int look = 0; look < 2; ++look)
    {
        Icon(
            sheet, 64 + look * 16, 0, 16, 16,
            [&](Canvas& c) {
                c.FillPolygon({{2.0 + look, 3}, {13.0 + look, 8}, {2.0 + look, 13}}, kGold.Mid());
            },
            NoDetails);
    }
    Icon(
        sheet, 96, 0, 16, 16,
        [](Canvas& c) {
            c.FillPolygon({{2, 11}, {8, 4}, {14, 11}}, kSnow.Mid());
        },
        NoDetails);
    Icon(
        sheet, 112, 0, 16, 16,
        [](Canvas& c) {
            c.FillPolygon({{2, 5}, {8, 12}, {14, 5}}, kSnow.Mid());
        },
        NoDetails);
    Icon(
        sheet, 64, 16, 16, 16,
        [](Canvas& c) {
            c.FillPolygon({{1, 5}, {4, 9}, {8, 3}, {12, 9}, {15, 5}, {13, 13}, {3, 13}}, kGold.Mid());
        },
        [](Canvas& c) { c.Set(8, 10, kClothRed.Light()); });
    Icon(
        sheet, 80, 16, 16, 16, [](Canvas& c) { c.FillCircle(8, 8, 5.5, kClothPurple.Mid()); },
        [](Canvas& c)
        {
            c.Set(7, 6, kHighlight);
            c.Set(8, 7, kHighlight);
        });
    // Ranges: dotted fields, two looks each.
    auto field = [&](int x, int y, int colour, int look)
    {
        Canvas cell(32, 32);
        cell.Paint(0, 0, 32, 32,
                   [&](int px, int py)
                   {
                       bool edge = px == 0 || py == 0 || px == 31 || py == 31;
                       if (edge)
                       {
                           return colour;
                       }
                       return (px + py + look) % 2 == 0 ? colour : kTransparent;
                   });
        sheet.Blit(cell, x, y);
    };
    field(0, 32, kClothBlue.Light(), 0);
    field(32, 32, kClothBlue.Light(), 1);
    field(64, 32, kClothRed.Light(), 0);
    field(96, 32, kClothRed.Light(), 1);
    // Group, deployment, edited group and threat cells.
    auto frameCell = [&](int x, int y, int colour, int dots)
    {
        Canvas cell(32, 32);
        cell.Frame(1, 1, 30, 30, colour);
        cell.Frame(2, 2, 28, 28, colour);
        for (int py = 6; py < 28; py += dots)
        {
            for (int px = 6 + (py / dots) % 2 * dots / 2; px < 28; px += dots)
            {
                cell.Set(px, py, colour);
            }
        }
        cell.Outline(kInk.Dark());
        sheet.Blit(cell, x, y);
    };
    frameCell(0, 64, kGold.Light(), 6);
    frameCell(32, 64, kClothBlue.Light(), 4);
    frameCell(64, 64, kGrass.Light(), 6);
    frameCell(96, 64, kBlossom.Mid(), 8);
    // Selection frame and target mark.
    {
        Canvas cell(32, 32);
        cell.Frame(0, 0, 32, 32, kHighlight);
        cell.Frame(1, 1, 30, 30, kGold.Mid());
        sheet.Blit(cell, 0, 96);
        Canvas target(32, 32);
        target.RingEllipse(16, 16, 12, 12, 2, kBrightRed);
        target.FillRect(15, 1, 2, 8, kBrightRed);
        target.FillRect(15, 23, 2, 8, kBrightRed);
        target.FillRect(1, 15, 8, 2, kBrightRed);
        target.FillRect(23, 15, 8, 2, kBrightRed);
        target.Outline(kInk.Dark());
        sheet.Blit(target, 32, 96);
    }
    // Empty equipment slots, money and scout points.
    Icon(
        sheet, 64, 96, 16, 16, [](Canvas& c) { c.Stroke(4, 12, 12, 3, 2.5, kStone.Mid()); }, NoDetails, kInk.Light());
    Icon(
        sheet, 80, 96, 16, 16,
        [](Canvas& c) {
            c.FillPolygon({{2, 2}, {14, 2}, {14, 8}, {8, 15}, {2, 8}}, kStone.Mid());
        },
        NoDetails, kInk.Light());
    Icon(
        sheet, 64, 112, 16, 16, [](Canvas& c) { c.FillCircle(8, 8, 6, kGold.Mid()); },
        [](Canvas& c) { c.FillRect(7, 5, 2, 6, kGold.Dark()); });
    Icon(
        sheet, 80, 112, 16, 16,
        [](Canvas& c)
        {
            c.FillPolygon({{8, 0}, {10, 6}, {16, 6}, {11, 10}, {13, 16}, {8, 12}, {3, 16}, {5, 10}, {0, 6}, {6, 6}},
                          kSky.Mid());
        },
        NoDetails);
    // The world-map walker.
    const Facing facings[4] = {Facing::Down, Facing::Up, Facing::Right, Facing::Left};
    for (int i = 0; i < 4; ++i)
    {
        for (int frame = 0; frame < 2; ++frame)
        {
            DrawWalker(sheet, (i % 2) * 64 + frame * 32, 128 + (i / 2) * 32, facings[i], frame);
        }
    }
    (void)width;
    (void)height;
    return sheet;
}

Canvas DrawTimeBar(int width, int height)
{
    Canvas sheet(width, height, kDeepBlack);
    // The bar: a groove with a tick per step of a 27-step battle.
    sheet.FillRect(0, 0, 608, 24, kWindowFirst);
    sheet.Frame(0, 0, 608, 24, kFrameColour);
    sheet.FillRect(4, 10, 600, 4, kInk.Mid());
    sheet.FillRect(4, 10, 600, 1, kInk.Light());
    for (int step = 0; step <= 27; ++step)
    {
        int x = 4 + step * 600 / 27;
        sheet.FillRect(x, step % 9 == 0 ? 5 : 8, 1, step % 9 == 0 ? 14 : 8, kSteel.Light());
    }
    auto mark = [&](int x, auto draw)
    {
        Canvas cell(16, 16, kWindowFirst);
        draw(cell);
        sheet.Blit(cell, x, 24, false);
    };
    mark(0,
         [](Canvas& c)
         {
             c.FillCircle(8, 8, 6, kClothBlue.Light());
             c.FillCircle(7, 7, 2, kHighlight);
         });
    mark(16,
         [](Canvas& c)
         {
             c.FillCircle(8, 8, 6, kClothRed.Light());
             c.FillCircle(7, 7, 2, kHighlight);
         });
    mark(32, [](Canvas& c) { c.FillPolygon({{2, 2}, {14, 2}, {8, 13}}, kGlow); });
    mark(48,
         [](Canvas& c)
         {
             c.Stroke(3, 8, 7, 12, 2, kGreyText);
             c.Stroke(7, 12, 13, 3, 2, kGreyText);
         });
    return sheet;
}

Canvas DrawNumbers(platform::TextRasterizer& fonts, int width, int height)
{
    Canvas sheet(width, height);
    const char* miss[3] = {"ミ", "ス", "!"};
    for (int i = 0; i < 3; ++i)
    {
        Canvas cell(16, 32);
        int w = Canvas::TextWidth(fonts, miss[i], 16);
        cell.OutlinedText(fonts, miss[i], 16, (16 - w) / 2, 9, kSnow.Light(), kInk.Dark());
        sheet.Blit(cell, i * 16, 0);
    }
    const int fills[3] = {kHighlight, kGold.Light(), kGrass.Light()};
    const int outlines[3] = {kBrightRed, kGold.Dark(), kForest.Dark()};
    for (int row = 1; row <= 3; ++row)
    {
        for (int d = 0; d < 10; ++d)
        {
            Canvas cell(16, 32);
            std::string digit(1, static_cast<char>('0' + d));
            int w = Canvas::TextWidth(fonts, digit, 28);
            cell.OutlinedText(fonts, digit, 28, (16 - w) / 2, 2, fills[row - 1], outlines[row - 1]);
            sheet.Blit(cell, 16 * d, 32 * row);
        }
    }
    (void)width;
    (void)height;
    return sheet;
}

Canvas DrawWords(platform::TextRasterizer& fonts, int width, int height)
{
    Canvas sheet(width, height);
    auto ribbon = [&](int y, Shades cloth)
    {
        Canvas band(320, 128);
        band.FillPolygon({{0, 38}, {24, 38}, {24, 96}, {0, 96}, {12, 67}}, cloth.Dark());
        band.FillPolygon({{320, 38}, {296, 38}, {296, 96}, {320, 96}, {308, 67}}, cloth.Dark());
        band.FillRect(18, 30, 284, 60, cloth.Mid());
        ShadeMaterials(band, 0, 0, 320, 128, 2);
        band.FillRect(18, 36, 284, 1, kGold.Light());
        band.FillRect(18, 83, 284, 1, kGold.Light());
        band.Outline(kInk.Dark());
        sheet.Blit(band, 0, y);
    };
    ribbon(0, kClothBlue);
    ribbon(128, kClothRed);
    const int gold[] = {kGold.Dark(), kGold.Mid(), kGold.Light(), kGlow, kHighlight};
    const int grey[] = {kStone.Dark(), kStone.Mid(), kStone.Light(), kSnow.Light()};
    GradientText(sheet, fonts, "ステージクリア！", 36, 160, 42, gold, 5, kInk.Dark());
    GradientText(sheet, fonts, "ゲームオーバー", 36, 160, 128 + 42, grey, 4, kInk.Dark());
    sheet.FillPolygon({{150, 6}, {160, -4}, {170, 6}, {160, 16}}, kGlow);
    sheet.FillPolygon({{110, 16}, {116, 10}, {122, 16}, {116, 22}}, kGold.Light());
    sheet.FillPolygon({{198, 16}, {204, 10}, {210, 16}, {204, 22}}, kGold.Light());
    (void)width;
    (void)height;
    return sheet;
}

Canvas DrawToolBar(int kind, int width, int height)
{
    Canvas bar(width, height, 7);
    auto cell = [&](int i, auto draw)
    {
        Canvas c(16, 15);
        draw(c);
        ShadeMaterials(c, 0, 0, 16, 15);
        c.Outline(kInk.Dark());
        bar.Blit(c, 16 * i, 0);
    };
    switch (kind)
    {
    case 0:
        cell(0,
             [](Canvas& c)
             {
                 c.FillRect(2, 2, 12, 11, kGrass.Mid());
                 c.FillRect(8, 2, 6, 5, kWater.Mid());
             });
        cell(1,
             [](Canvas& c)
             {
                 c.FillEllipse(8, 9, 6, 5, kSlime.Mid());
                 c.FillCircle(8, 6, 3.5, kSlime.Mid());
             });
        cell(2,
             [](Canvas& c)
             {
                 c.FillRect(3, 5, 10, 8, kLeather.Mid());
                 c.FillRect(3, 8, 10, 1, kGold.Mid());
             });
        break;
    case 1:
        cell(0,
             [](Canvas& c)
             {
                 c.Stroke(3, 12, 12, 3, 2.5, kClothBlue.Mid());
                 c.Set(2, 13, kInk.Dark());
             });
        cell(1, [](Canvas& c) { c.Stroke(2, 12, 13, 2, 1.2, kInk.Mid()); });
        cell(2,
             [](Canvas& c)
             {
                 c.Frame(2, 3, 12, 9, kInk.Mid());
                 c.Frame(3, 4, 10, 7, kInk.Mid());
             });
        cell(3,
             [](Canvas& c)
             {
                 c.FillPolygon({{3, 6}, {9, 2}, {13, 8}, {7, 12}}, kSteel.Mid());
                 c.FillCircle(13, 12, 2, kWater.Mid());
             });
        break;
    default:
        cell(0,
             [](Canvas& c)
             {
                 c.FillPolygon({{1, 13}, {6, 3}, {11, 13}}, kRock.Mid());
                 c.FillPolygon({{7, 13}, {11, 6}, {15, 13}}, kRock.Mid());
             });
        cell(1,
             [](Canvas& c)
             {
                 c.FillRect(3, 5, 10, 8, kStone.Mid());
                 c.FillPolygon({{2, 6}, {8, 1}, {14, 6}}, kBrick.Mid());
             });
        break;
    }
    return bar;
}

} // namespace sample
