#include "SamplePalette.h"

#include <algorithm>
#include <cmath>

namespace sample
{

namespace
{

// Dark, mid and light of each shade group, in group order.
constexpr Rgb kGroups[kShadeGroupCount][3] = {
    {{20, 18, 28}, {44, 40, 56}, {70, 66, 84}},          // ink
    {{150, 96, 70}, {222, 164, 124}, {250, 210, 176}},   // skin
    {{70, 40, 20}, {120, 74, 40}, {170, 118, 70}},       // brown hair
    {{150, 110, 20}, {220, 180, 60}, {250, 230, 130}},   // golden hair
    {{80, 88, 104}, {150, 160, 176}, {220, 228, 236}},   // steel
    {{24, 44, 120}, {50, 90, 190}, {110, 150, 235}},     // blue cloth
    {{110, 20, 24}, {190, 44, 44}, {240, 110, 96}},      // red cloth
    {{30, 70, 30}, {60, 130, 50}, {130, 190, 90}},       // green cloth
    {{60, 30, 90}, {110, 60, 160}, {170, 120, 210}},     // purple cloth
    {{80, 50, 24}, {130, 86, 44}, {180, 130, 80}},       // leather
    {{130, 90, 10}, {210, 160, 30}, {250, 220, 100}},    // gold
    {{20, 90, 110}, {40, 160, 170}, {130, 225, 220}},    // slime
    {{60, 60, 70}, {120, 118, 124}, {190, 188, 192}},    // fur
    {{150, 150, 160}, {205, 205, 212}, {245, 245, 250}}, // linen
    {{150, 30, 10}, {230, 80, 20}, {255, 170, 60}},      // ember
    {{40, 96, 40}, {70, 140, 52}, {118, 184, 72}},       // grass
    {{16, 56, 28}, {30, 88, 40}, {54, 122, 54}},         // forest
    {{24, 56, 130}, {40, 90, 180}, {90, 150, 220}},      // water
    {{120, 180, 230}, {170, 210, 245}, {230, 245, 255}}, // foam
    {{110, 76, 40}, {160, 116, 66}, {200, 160, 100}},    // dirt
    {{180, 150, 90}, {220, 196, 130}, {245, 230, 170}},  // sand
    {{80, 80, 86}, {128, 126, 130}, {176, 174, 176}},    // stone
    {{90, 76, 66}, {138, 120, 100}, {186, 170, 146}},    // rock
    {{120, 40, 30}, {170, 66, 44}, {210, 110, 80}},      // brick
    {{180, 190, 210}, {220, 228, 240}, {250, 252, 255}}, // snow
    {{200, 70, 120}, {250, 130, 170}, {250, 230, 90}},   // blossom
    {{90, 140, 210}, {140, 185, 235}, {200, 225, 250}},  // sky
    {{30, 30, 70}, {60, 56, 110}, {110, 100, 160}},      // dusk
    {{50, 32, 18}, {84, 56, 30}, {120, 84, 50}},         // bark
};

// The colours of the six effect blocks at full brightness.
constexpr Rgb kEffectBright[6] = {
    {255, 200, 80}, {190, 240, 255}, {235, 170, 255}, {255, 250, 170}, {190, 255, 150}, {150, 130, 170},
};
constexpr Rgb kEffectDark[6] = {
    {120, 10, 0}, {10, 40, 140}, {60, 0, 100}, {150, 100, 0}, {0, 80, 20}, {10, 0, 20},
};

constexpr Rgb kLowSystem[10] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
};
constexpr Rgb kHighSystem[10] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

// The look of an acted unit: half way to grey, then darker.
Rgb Dimmed(Rgb c)
{
    double grey = (c.r * 0.3 + c.g * 0.59 + c.b * 0.11);
    Rgb toward = Mix(c, Rgb{Channel(grey), Channel(grey), Channel(grey)}, 0.6);
    return {Channel(toward.r * 0.62), Channel(toward.g * 0.62), Channel(toward.b * 0.66)};
}

SamplePaletteColours Build()
{
    SamplePaletteColours colours{};
    for (int i = 0; i < 10; ++i)
    {
        colours[i] = kLowSystem[i];
        colours[246 + i] = kHighSystem[i];
    }
    for (int group = 0; group < kShadeGroupCount; ++group)
    {
        int base = ShadeGroup(group).m_nBase;
        for (int shade = 0; shade < 3; ++shade)
        {
            colours[base + shade] = kGroups[group][shade];
            colours[base + 3 + shade] = Dimmed(kGroups[group][shade]);
        }
    }
    colours[kHighlight] = {252, 252, 246};
    colours[kDeepBlack] = {8, 8, 16};
    colours[kGlow] = {255, 236, 150};
    colours[kShadowGrey] = {96, 96, 104};
    colours[kBrightRed] = {220, 40, 40};
    colours[kFrameColour] = {232, 232, 240};
    colours[kTextColour] = {255, 255, 255};
    colours[kGreyText] = {150, 150, 150};
    for (int block = 0; block < 6; ++block)
    {
        for (int k = 0; k < kEffectBlockLength; ++k)
        {
            colours[EffectColour(block, k)] = Mix(kEffectDark[block], kEffectBright[block], EffectBrightness(k) / 4.0);
        }
    }
    for (int i = 0; i < kWindowSteps; ++i)
    {
        colours[kWindowFirst + i] = Mix(Rgb{10, 18, 60}, Rgb{44, 70, 150}, i / double(kWindowSteps - 1));
    }
    return colours;
}

} // namespace

const SamplePaletteColours& SamplePalette()
{
    static const SamplePaletteColours colours = Build();
    return colours;
}

} // namespace sample
