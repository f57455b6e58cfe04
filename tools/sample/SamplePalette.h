#pragma once

// The one 256-colour palette every bitmap of the sample project shares.
//
// Entry 0 is black and is the transparent colour: the top-left pixel of
// "bmp\Palette.bmp" holds it, and no other entry is pure black. Entries 0-9
// and 246-255 are the fixed colours that fades leave alone.
//
// Entries 10-183 hold 29 shade groups of six: dark, mid and light of one
// material, then the same three dimmed. The game shows a map character that
// has acted with every index of 7..181 (but 43) moved up by three, so a map
// character drawn from the first three entries of a group turns into its
// dimmed twin. Entries 189-191 are the window frame and the two text colours;
// 192-239 six cyclic blocks of eight that the battle effects rotate (red,
// blue, purple, yellow, green, black); 240-245 the window background.

#include <array>
#include <cstdint>

namespace sample
{

struct Rgb
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

using SamplePaletteColours = std::array<Rgb, 256>;

// The colours, built once.
const SamplePaletteColours& SamplePalette();

// A shade group: Dark(), Mid() and Light() of a material.
struct Shades
{
    int m_nBase = 0;
    constexpr int Dark() const { return m_nBase; }
    constexpr int Mid() const { return m_nBase + 1; }
    constexpr int Light() const { return m_nBase + 2; }
    // 0 dark, 1 mid, 2 light.
    constexpr int At(int shade) const { return m_nBase + (shade < 0 ? 0 : shade > 2 ? 2 : shade); }
};

constexpr int kFirstShadeGroup = 10;
constexpr int kShadeGroupCount = 29;
constexpr Shades ShadeGroup(int group)
{
    return Shades{kFirstShadeGroup + 6 * group};
}

// The materials, by shade group.
constexpr Shades kInk = ShadeGroup(0);
constexpr Shades kSkin = ShadeGroup(1);
constexpr Shades kHairBrown = ShadeGroup(2);
constexpr Shades kHairGold = ShadeGroup(3);
constexpr Shades kSteel = ShadeGroup(4);
constexpr Shades kClothBlue = ShadeGroup(5);
constexpr Shades kClothRed = ShadeGroup(6);
constexpr Shades kClothGreen = ShadeGroup(7);
constexpr Shades kClothPurple = ShadeGroup(8);
constexpr Shades kLeather = ShadeGroup(9);
constexpr Shades kGold = ShadeGroup(10);
constexpr Shades kSlime = ShadeGroup(11);
constexpr Shades kFur = ShadeGroup(12);
constexpr Shades kLinen = ShadeGroup(13);
constexpr Shades kEmber = ShadeGroup(14);
constexpr Shades kGrass = ShadeGroup(15);
constexpr Shades kForest = ShadeGroup(16);
constexpr Shades kWater = ShadeGroup(17);
constexpr Shades kFoam = ShadeGroup(18);
constexpr Shades kDirt = ShadeGroup(19);
constexpr Shades kSand = ShadeGroup(20);
constexpr Shades kStone = ShadeGroup(21);
constexpr Shades kRock = ShadeGroup(22);
constexpr Shades kBrick = ShadeGroup(23);
constexpr Shades kSnow = ShadeGroup(24);
constexpr Shades kBlossom = ShadeGroup(25);
constexpr Shades kSky = ShadeGroup(26);
constexpr Shades kDusk = ShadeGroup(27);
constexpr Shades kBark = ShadeGroup(28);

// Single colours.
constexpr int kTransparent = 0;
constexpr int kHighlight = 184; // near white
constexpr int kDeepBlack = 185;
constexpr int kGlow = 186; // warm light
constexpr int kShadowGrey = 187;
constexpr int kBrightRed = 188;
constexpr int kFrameColour = 189; // window frames
constexpr int kTextColour = 190;  // the standard font
constexpr int kGreyText = 191;    // the grey font
constexpr int kSystemWhite = 255; // not faded: the debug glyphs

// The six cyclic blocks of the battle effects.
constexpr int kEffectBlockFirst = 192;
constexpr int kEffectBlockLength = 8;
enum EffectBlock
{
    kEffectRed,
    kEffectBlue,
    kEffectPurple,
    kEffectYellow,
    kEffectGreen,
    kEffectBlack,
};
// Entry k (0..7) of a block; k wraps.
constexpr int EffectColour(int block, int k)
{
    return kEffectBlockFirst + block * kEffectBlockLength +
           ((k % kEffectBlockLength) + kEffectBlockLength) % kEffectBlockLength;
}
// The brightness of entry k of every block: 0 darkest .. 4 brightest.
constexpr int EffectBrightness(int k)
{
    constexpr int kLevels[kEffectBlockLength] = {4, 3, 2, 1, 0, 1, 2, 3};
    return kLevels[((k % kEffectBlockLength) + kEffectBlockLength) % kEffectBlockLength];
}
// The entry of a block with a brightness (0..4).
constexpr int EffectAtBrightness(int block, int brightness)
{
    return EffectColour(block, 4 - (brightness < 0 ? 0 : brightness > 4 ? 4 : brightness));
}

// The window background, dark to light.
constexpr int kWindowFirst = 240;
constexpr int kWindowSteps = 6;

// The entries the game moves up by three on the sheet of acted map characters.
constexpr bool IsShiftedByActedLook(int index)
{
    return index != 0 && index != 43 && index >= 7 && index <= 181;
}

} // namespace sample
