#include "SheetTable.h"

#include <string>

namespace sample
{

const char* const kSurfaceFiles[22] = {
    "bmp\\Palette.bmp",
    "bmp\\Debug.bmp",
    "bmp\\Window.bmp",
    "bmp\\Title.bmp",
    "bmp\\TitleWord.bmp",
    "bmp\\Symbol.bmp",
    "bmp\\Accessory.bmp",
    "bmp\\Character.bmp",
    "bmp\\Character.bmp",
    "bmp\\WorldMapChip.bmp",
    "bmp\\WorldEvent.bmp",
    "bmp\\WorldBack.bmp",
    "bmp\\MapChip.bmp",
    "bmp\\MapChara.bmp",
    "bmp\\MapChara.bmp",
    "bmp\\Event.bmp",
    "bmp\\Time.bmp",
    "bmp\\Effect.bmp",
    "E",
    "bmp\\Number.bmp",
    "bmp\\Word.bmp",
    "bmp\\back\\Back_Grass.bmp",
};

namespace
{

std::string N(int n)
{
    return std::to_string(n);
}

SheetInfo Palette(const char* path, const char* users)
{
    SheetInfo sheet{path,
                    users,
                    128,
                    160,
                    "the colour table is the shared palette; top-left pixel: the transparent index 0; rows 8-23, "
                    "columns 0-15: one pixel of each entry, entry r x 16 + c at (c, 8 + r); below, a swatch of "
                    "8 x 8 pixels per entry",
                    {}};
    sheet.m_Reads.push_back({"transparent colour (top-left pixel)", 0, 0, 1, 1});
    sheet.m_Reads.push_back({"colour chart of the 16-bit display", 0, 8, 16, 16});
    return sheet;
}

SheetInfo Screen(const char* path, const char* users, const char* layout)
{
    return SheetInfo{path, users, 640, 480, layout, {{"whole picture", 0, 0, 640, 480}}};
}

SheetInfo Debug()
{
    SheetInfo sheet{"bmp\\Debug.bmp",
                    "surface 1",
                    128,
                    256,
                    "8 x 16 glyph cells, 16 a row: byte b at column b mod 16, row b div 16; half-width katakana "
                    "0xA6-0xBF also in rows 0-1 and 0xC0-0xDD in rows 8-9 (the katakana rows of the glyph text)",
                    {}};
    sheet.m_Reads.push_back({"glyph cells of every byte", 0, 0, 128, 256});
    return sheet;
}

SheetInfo TitleWord()
{
    return SheetInfo{"bmp\\TitleWord.bmp",
                     "surface 4",
                     640,
                     160,
                     "(0, 0) 640 x 64 the title band; (0, 64) 160 x 96 the menu: three 32-pixel rows",
                     {{"title band", 0, 0, 640, 64}, {"menu picture", 0, 64, 160, 96}}};
}

SheetInfo Symbol()
{
    SheetInfo sheet{"bmp\\Symbol.bmp",
                    "surface 5, editor",
                    16 * kSymbolCount,
                    16,
                    "40 icons of 16 x 16 in one row, icon n at (16 n, 0); icons 0-25 are also the glyphs of the "
                    "letters a-z in scene text",
                    {}};
    for (int n = 0; n < kSymbolCount; ++n)
    {
        sheet.m_Reads.push_back(
            {(n < 26 ? "icon and letter " + std::string(1, char('a' + n)) : "icon " + N(n)), 16 * n, 0, 16, 16});
    }
    return sheet;
}

SheetInfo Accessory()
{
    SheetInfo sheet{"bmp\\Accessory.bmp",
                    "surface 6, editor",
                    128,
                    192,
                    "row 0: map cursor (0, 0) and (32, 0), 32 x 32; menu pointer (64, 0) and (80, 0), scroll "
                    "arrows up (96, 0) and down (112, 0), leader badge (64, 16), event holder badge (80, 16), "
                    "16 x 16. row 32: movement range (0, 32) and (32, 32), attack range (64, 32) and (96, 32). "
                    "row 64: position group cell (0, 64), deployment cell (32, 64), group cell being edited "
                    "(64, 64), threat area (96, 64). row 96: selection frame (0, 96), target mark (32, 96), "
                    "empty weapon (64, 96) and other equipment (80, 96), money (64, 112), scout points (80, 112). "
                    "rows 128-191: the world-map walker, 32 x 32, two frames side by side: down (0, 128), "
                    "up (64, 128), right (0, 160), left (64, 160)",
                    {}};
    auto& r = sheet.m_Reads;
    r.push_back({"map cursor", 0, 0, 64, 32});
    r.push_back({"menu pointer", 64, 0, 32, 16});
    r.push_back({"scroll arrows", 96, 0, 32, 16});
    r.push_back({"leader badge", 64, 16, 16, 16});
    r.push_back({"event holder badge", 80, 16, 16, 16});
    r.push_back({"movement range, two looks", 0, 32, 64, 32});
    r.push_back({"attack range, two looks", 64, 32, 64, 32});
    r.push_back({"position group cell (stage editor)", 0, 64, 32, 32});
    r.push_back({"deployment cell", 32, 64, 32, 32});
    r.push_back({"group cell being edited (editor)", 64, 64, 32, 32});
    r.push_back({"threat area", 96, 64, 32, 32});
    r.push_back({"selection frame", 0, 96, 32, 32});
    r.push_back({"target mark", 32, 96, 32, 32});
    r.push_back({"empty weapon slot", 64, 96, 16, 16});
    r.push_back({"empty other slot", 80, 96, 16, 16});
    r.push_back({"money", 64, 112, 16, 16});
    r.push_back({"scout points", 80, 112, 16, 16});
    const char* facings[4] = {"walker facing down", "walker facing up", "walker facing right", "walker facing left"};
    for (int i = 0; i < 4; ++i)
    {
        for (int frame = 0; frame < 2; ++frame)
        {
            r.push_back({std::string(facings[i]) + ", frame " + N(frame), (i % 2) * 64 + frame * 32, 128 + (i / 2) * 32,
                         32, 32});
        }
    }
    return sheet;
}

SheetInfo Character()
{
    int side = kFaceSize * (kClassGraphics + 1);
    SheetInfo sheet{"bmp\\Character.bmp",
                    "surfaces 7 and 8 (mirrored per 48-pixel cell), editor",
                    side,
                    side,
                    "48 x 48 cells; row g (g = 1..6): column 0 the face of class graphic g, columns 1-5 its "
                    "battle figure facing right (stand, step, strike, hurt, fallen), drawn at 96 x 96 in battle; "
                    "row 0: the face of graphic g again at column g (the editor's preview row)",
                    {}};
    for (int g = 1; g <= kClassGraphics; ++g)
    {
        sheet.m_Reads.push_back({"face of graphic " + N(g), 0, g * kFaceSize, kFaceSize, kFaceSize});
        sheet.m_Reads.push_back({"editor preview of graphic " + N(g), g * kFaceSize, 0, kFaceSize, kFaceSize});
        for (int f = 0; f < kBattleFrames; ++f)
        {
            sheet.m_Reads.push_back(
                {"battle figure " + N(g) + " frame " + N(f), (1 + f) * kFaceSize, g * kFaceSize, kFaceSize, kFaceSize});
        }
    }
    return sheet;
}

SheetInfo WorldMapChip()
{
    SheetInfo sheet{"bmp\\WorldMapChip.bmp",
                    "surface 9, editor",
                    5 * kChipSize,
                    2 * kChipSize,
                    "32 x 32 tiles, five a row, tile t at (32 (t mod 5), 32 (t div 5)): 0 sea, 1 mountains, "
                    "2 deep forest, 3 cliffs, 4 town wall, 5 grassland, 6 woods, 7 road, 8 bridge, 9 sand",
                    {}};
    for (int t = 0; t < kWorldChipTiles; ++t)
    {
        sheet.m_Reads.push_back({"world chip " + N(t), (t % 5) * kChipSize, (t / 5) * kChipSize, kChipSize, kChipSize});
    }
    return sheet;
}

SheetInfo WorldEvent()
{
    SheetInfo sheet{"bmp\\WorldEvent.bmp",
                    "surface 10, editor",
                    2 * kChipSize,
                    kWorldEventGraphics * kChipSize,
                    "32 x 32, row g = graphic g: 0 castle, 1 fort, 2 village, 3 camp; column 0 not cleared, "
                    "column 32 cleared (a flag flies)",
                    {}};
    for (int g = 0; g < kWorldEventGraphics; ++g)
    {
        sheet.m_Reads.push_back({"world event " + N(g), 0, g * kChipSize, kChipSize, kChipSize});
        sheet.m_Reads.push_back({"world event " + N(g) + " cleared", kChipSize, g * kChipSize, kChipSize, kChipSize});
    }
    return sheet;
}

SheetInfo MapChip()
{
    SheetInfo sheet{"bmp\\MapChip.bmp",
                    "surface 12, editor",
                    8 * kChipSize,
                    (kMapChipTiles / 8) * kChipSize,
                    "32 x 32 tiles, eight a row, land graphic n at (32 (n mod 8), 32 (n div 8)): 0 grass, "
                    "1 flowers, 2 forest, 3 mountain, 4 water, 5 road, 6 bridge, 7 stone floor, 8 fort wall, "
                    "9 sand, 10 shallows, 11 hut, 12 rocks, 13 gate, 14 tower, 15 snow",
                    {}};
    for (int n = 0; n < kMapChipTiles; ++n)
    {
        sheet.m_Reads.push_back(
            {"land graphic " + N(n), (n % 8) * kChipSize, (n / 8) * kChipSize, kChipSize, kChipSize});
    }
    return sheet;
}

// The map-character and event sheets: 15 graphics a 64-pixel column, two cells a graphic.
SheetInfo PairColumn(const char* path, const char* users, const char* layout, const char* left, const char* right)
{
    SheetInfo sheet{path, users, 2 * kChipSize, kMapCharaRows * kChipSize, layout, {}};
    for (int g = 0; g < kMapCharaRows; ++g)
    {
        sheet.m_Reads.push_back({std::string(left) + " " + N(g), 0, g * kChipSize, kChipSize, kChipSize});
        sheet.m_Reads.push_back({std::string(right) + " " + N(g), kChipSize, g * kChipSize, kChipSize, kChipSize});
    }
    return sheet;
}

SheetInfo Time()
{
    return SheetInfo{"bmp\\Time.bmp",
                     "surface 16",
                     608,
                     40,
                     "(0, 0) 608 x 24 the action-order bar; 16 x 16 marks at y 24: friend (0), enemy (16), the "
                     "present step (32), an action done (48)",
                     {{"action-order bar", 0, 0, 608, 24},
                      {"friend mark", 0, 24, 16, 16},
                      {"enemy mark", 16, 24, 16, 16},
                      {"present step", 32, 24, 16, 16},
                      {"action done", 48, 24, 16, 16}}};
}

SheetInfo Effect()
{
    SheetInfo sheet{"bmp\\Effect.bmp",
                    "surface 17, editor",
                    kEffectFrames * kEffectFrameWidth,
                    kEffectStrips * kEffectFrameHeight,
                    "one strip of five 128 x 48 frames per effect graphic, frame k of graphic s at (128 k, 48 s): "
                    "0 strike, 1 sword, 2 arrow, 3 fire, 4 healing light, 5 claw, 6 ice, 7 burst; drawn in the "
                    "six rotating colour blocks 192-239",
                    {}};
    for (int s = 0; s < kEffectStrips; ++s)
    {
        sheet.m_Reads.push_back(
            {"effect strip " + N(s), 0, s * kEffectFrameHeight, kEffectFrames * kEffectFrameWidth, kEffectFrameHeight});
    }
    return sheet;
}

SheetInfo Number()
{
    SheetInfo sheet{"bmp\\Number.bmp",
                    "surface 19",
                    160,
                    128,
                    "16 x 32 glyphs; row 0: the miss word in its first three cells; rows 1-3 the digits 0-9 at "
                    "column 16 d: 1 damage, 2 (spare, gold), 3 recovery",
                    {{"miss word", 0, 0, 48, 32}}};
    for (int row = 1; row <= 3; ++row)
    {
        for (int d = 0; d < 10; ++d)
        {
            sheet.m_Reads.push_back({"digit " + N(d) + " of row " + N(row), 16 * d, 32 * row, 16, 32});
        }
    }
    return sheet;
}

SheetInfo Word()
{
    return SheetInfo{"bmp\\Word.bmp",
                     "surface 20",
                     320,
                     256,
                     "two 320 x 128 pictures: (0, 0) victory, (0, 128) game over",
                     {{"victory picture", 0, 0, 320, 128}, {"game-over picture", 0, 128, 320, 128}}};
}

SheetInfo ToolBar(const char* path, int images, const char* layout)
{
    SheetInfo sheet{path, "editor tool bar", 16 * images, 15, layout, {}};
    for (int i = 0; i < images; ++i)
    {
        sheet.m_Reads.push_back({"tool-bar image " + N(i), 16 * i, 0, 16, 15});
    }
    return sheet;
}

std::vector<SheetInfo> Build()
{
    std::vector<SheetInfo> sheets;
    sheets.push_back(Palette("bmp\\Palette.bmp", "surface 0, the palette of both programs"));
    sheets.push_back(Palette("bmp\\Palette2.bmp", "editor: the palette of the bitmap conversion tool"));
    sheets.push_back(Debug());
    sheets.push_back(Screen("bmp\\Window.bmp", "surface 2 (text boxes)",
                            "640 x 480 pattern; a box shows its top-left part of its own size"));
    sheets.push_back(Screen("bmp\\Title.bmp", "surface 3", "the title picture"));
    sheets.push_back(TitleWord());
    sheets.push_back(Symbol());
    sheets.push_back(Accessory());
    sheets.push_back(Character());
    sheets.push_back(WorldMapChip());
    sheets.push_back(WorldEvent());
    sheets.push_back(
        Screen("bmp\\WorldBack.bmp", "surface 11 (optional), editor", "background picture of the 20 x 15 world map"));
    sheets.push_back(MapChip());
    sheets.push_back(PairColumn("bmp\\MapChara.bmp", "surfaces 13 and 14 (the acted look), editor",
                                "32 x 32, graphic g at row g mod 15 of column pair g div 15: left cell the friend "
                                "side, right cell the enemy side (red trim); graphics 1-6 drawn",
                                "friend chip", "enemy chip"));
    sheets.push_back(PairColumn("bmp\\Event.bmp", "surface 15, editor",
                                "32 x 32, graphic g at row g mod 15 of column pair g div 15, two frames side by "
                                "side: 0 empty, 1 chest, 2 sign, 3 villager, 4 banner, 5 magic circle, 6 campfire, "
                                "7 crystal, 8 the banner of peace (the fort's ending)",
                                "event frame 0 of graphic", "event frame 1 of graphic"));
    sheets.push_back(Time());
    sheets.push_back(Effect());
    sheets.push_back(Number());
    sheets.push_back(Word());
    sheets.push_back(
        Screen("bmp\\back\\Back_Grass.bmp", "surface 21, battle background of grass", "battle background"));
    sheets.push_back(Screen("bmp\\back\\Back_Forest.bmp", "battle background of the forest", "battle background"));
    sheets.push_back(Screen("bmp\\back\\Back_Mountain.bmp", "battle background of the mountains", "battle background"));
    sheets.push_back(Screen("bmp\\back\\Back_Fort.bmp", "battle background of the fort", "battle background"));
    sheets.push_back(
        Screen("bmp\\back\\デフォルト.bmp", "battle background of a land without its own", "battle background"));
    sheets.push_back(ToolBar("bmp\\ToolBar_Palette.bmp", 3, "map chips, enemies, events"));
    sheets.push_back(ToolBar("bmp\\ToolBar_Pen.bmp", 4, "pen, line, rectangle, fill"));
    sheets.push_back(ToolBar("bmp\\ToolBar_WorldPalette.bmp", 2, "world chips, world events"));
    return sheets;
}

} // namespace

const std::vector<SheetInfo>& SampleSheets()
{
    static const std::vector<SheetInfo> sheets = Build();
    return sheets;
}

const SheetInfo* FindSheet(const std::string& path)
{
    for (const SheetInfo& sheet : SampleSheets())
    {
        if (sheet.m_strPath == path)
        {
            return &sheet;
        }
    }
    return nullptr;
}

} // namespace sample
