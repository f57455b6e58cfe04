#include "ContactSheet.h"

#include "SampleData.h"
#include "SamplePalette.h"
#include "SheetTable.h"
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/Cp932.h"
#include "platform/text/TextRasterizer.h"

#include <algorithm>

namespace sample
{

namespace
{

constexpr Rgb kBackground{34, 38, 46};
constexpr Rgb kLabel{214, 220, 228};
constexpr int kMargin = 16;
constexpr int kLabelSize = 13;
constexpr int kLabelHeight = 18;
constexpr int kSheetWidth = 1400;

const Canvas* Find(const std::vector<NamedCanvas>& sheets, const std::string& name)
{
    for (const NamedCanvas& sheet : sheets)
    {
        if (sheet.m_strName == name)
        {
            return &sheet.m_Canvas;
        }
    }
    return nullptr;
}

// How large a picture is shown, in halves: small sheets and strips twice, screens at half size.
int ScaleNumerator(const Canvas& c)
{
    if ((c.Width() <= 320 && c.Height() <= 320) || (c.Width() <= 680 && c.Height() <= 64))
    {
        return 4;
    }
    if (c.Width() >= 640 && c.Height() >= 400)
    {
        return 1;
    }
    return 2;
}

void Put(RgbImage& image, int x, int y, Rgb c)
{
    if (x >= 0 && y >= 0 && x < image.m_nWidth && y < image.m_nHeight)
    {
        uint8_t* p = &image.m_Pixels[(static_cast<size_t>(y) * image.m_nWidth + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
}

// A label in the file names' own form but with '/' between folders, which
// the font would show as a yen sign.
std::string LabelText(const std::string& name)
{
    std::string label = name;
    for (size_t i = 0; i < label.size(); i += platform::Cp932CharLength(label, i))
    {
        if (label[i] == '\\')
        {
            label[i] = '/';
        }
    }
    return label;
}

void DrawLabel(RgbImage& image, platform::TextRasterizer& fonts, const std::string& text, int x, int y)
{
    platform::TextImage label = fonts.Render(LabelText(text), kLabelSize);
    for (int j = 0; j < label.m_nHeight; ++j)
    {
        for (int i = 0; i < label.m_nWidth; ++i)
        {
            if (label.At(i, j) >= 100)
            {
                Put(image, x + i, y + j, kLabel);
            }
        }
    }
}

// The stage map with its lands, enemies, events and the party's start cells.
Canvas StagePreview(StageRecord& stage, const Canvas& chips, const Canvas& characters, const Canvas& events,
                    const Canvas& accessories)
{
    Canvas map(stage.m_nWidth * kChipSize, stage.m_nHeight * kChipSize);
    for (int y = 0; y < stage.m_nHeight; ++y)
    {
        for (int x = 0; x < stage.m_nWidth; ++x)
        {
            int n = LandTable.At(stage.CellAt(x, y)).m_nGraphic;
            map.Blit(chips, (n % 8) * kChipSize, (n / 8) * kChipSize, kChipSize, kChipSize, x * kChipSize,
                     y * kChipSize, false);
        }
    }
    if (stage.m_nStartGroup < stage.m_GroupPos.Count())
    {
        for (const MapPoint& p : stage.m_GroupPos.At(stage.m_nStartGroup).m_Point)
        {
            map.Blit(accessories, 32, 64, kChipSize, kChipSize, p.m_nX * kChipSize, p.m_nY * kChipSize);
        }
    }
    for (const Event& event : stage.m_Event)
    {
        if (!event.m_Page.empty())
        {
            int g = event.m_Page.At(0).m_nGraphic;
            map.Blit(events, (g / 15) * 64, (g % 15) * kChipSize, kChipSize, kChipSize, event.m_nX * kChipSize,
                     event.m_nY * kChipSize);
        }
    }
    for (const EnemyPlacement& placement : stage.m_Enemy)
    {
        if (placement.m_nX < 0 || placement.m_nEnemy <= 0 || placement.m_nEnemy >= EnemyTable.Count())
        {
            continue;
        }
        int g = ClassTable.At(EnemyTable.At(placement.m_nEnemy).m_nClass).m_nGraphic;
        map.Blit(characters, (g / 15) * 64 + 32, (g % 15) * kChipSize, kChipSize, kChipSize, placement.m_nX * kChipSize,
                 placement.m_nY * kChipSize);
    }
    return map;
}

Canvas WorldPreview(WorldMapRecord& world, const Canvas& chips, const Canvas& events, const Canvas& accessories)
{
    Canvas map(world.m_nWidth * kChipSize, world.m_nHeight * kChipSize, world.m_nBackColor);
    for (int y = 0; y < world.m_nHeight; ++y)
    {
        for (int x = 0; x < world.m_nWidth; ++x)
        {
            int chip = world.CellAt(x, y);
            int t = chip < world.m_Chip.Count() ? world.m_Chip.At(chip).m_nTile : 0;
            map.Blit(chips, (t % 5) * kChipSize, (t / 5) * kChipSize, kChipSize, kChipSize, x * kChipSize,
                     y * kChipSize);
        }
    }
    for (const WorldMapEvent& event : world.m_Event)
    {
        if (!event.m_Page.empty())
        {
            map.Blit(events, 0, event.m_Page.At(0).m_nGraphic * kChipSize, kChipSize, kChipSize, event.m_nX * kChipSize,
                     event.m_nY * kChipSize);
        }
    }
    map.Blit(accessories, 0, 128, kChipSize, kChipSize, world.m_nStartX * kChipSize, world.m_nStartY * kChipSize);
    return map;
}

} // namespace

std::vector<NamedCanvas> RenderMapPreviews(const std::vector<NamedCanvas>& sheets)
{
    const Canvas* mapChips = Find(sheets, "bmp\\MapChip.bmp");
    const Canvas* mapChara = Find(sheets, "bmp\\MapChara.bmp");
    const Canvas* events = Find(sheets, "bmp\\Event.bmp");
    const Canvas* accessories = Find(sheets, "bmp\\Accessory.bmp");
    const Canvas* worldChips = Find(sheets, "bmp\\WorldMapChip.bmp");
    const Canvas* worldEvents = Find(sheets, "bmp\\WorldEvent.bmp");
    std::vector<NamedCanvas> previews;
    if (!mapChips || !mapChara || !events || !accessories || !worldChips || !worldEvents)
    {
        return previews;
    }
    ResetProjectData();
    LoadProjectData();
    previews.push_back({"ワールドマップ (data\\database\\WorldMap.dat)",
                        WorldPreview(WorldMap, *worldChips, *worldEvents, *accessories)});
    for (const char* file : kStageFiles)
    {
        if (LoadRecordFile(Stage, file, 0) == 1)
        {
            previews.push_back({Stage.m_strName + " (" + file + ")",
                                StagePreview(Stage, *mapChips, *mapChara, *events, *accessories)});
        }
    }
    return previews;
}

RgbImage RenderContactSheet(const std::vector<NamedCanvas>& pictures, platform::TextRasterizer& fonts)
{
    // Shelf layout: pictures left to right, a new row when one does not fit.
    struct Placed
    {
        const NamedCanvas* picture;
        int x, y, scale;
    };
    std::vector<Placed> placed;
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    for (const NamedCanvas& picture : pictures)
    {
        int scale = ScaleNumerator(picture.m_Canvas);
        int w = picture.m_Canvas.Width() * scale / 2;
        int h = picture.m_Canvas.Height() * scale / 2 + kLabelHeight;
        int labelWidth = Canvas::TextWidth(fonts, LabelText(picture.m_strName), kLabelSize);
        int cellWidth = std::max(w, labelWidth);
        if (x > kMargin && x + cellWidth > kSheetWidth - kMargin)
        {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        placed.push_back({&picture, x, y, scale});
        x += cellWidth + kMargin;
        rowHeight = std::max(rowHeight, h);
    }
    RgbImage image;
    image.m_nWidth = kSheetWidth;
    image.m_nHeight = y + rowHeight + kMargin;
    image.m_Pixels.resize(static_cast<size_t>(image.m_nWidth) * image.m_nHeight * 3);
    for (size_t i = 0; i < image.m_Pixels.size(); i += 3)
    {
        image.m_Pixels[i] = kBackground.r;
        image.m_Pixels[i + 1] = kBackground.g;
        image.m_Pixels[i + 2] = kBackground.b;
    }
    const SamplePaletteColours& palette = SamplePalette();
    for (const Placed& p : placed)
    {
        DrawLabel(image, fonts, p.picture->m_strName, p.x, p.y);
        const Canvas& c = p.picture->m_Canvas;
        int w = c.Width() * p.scale / 2;
        int h = c.Height() * p.scale / 2;
        for (int j = 0; j < h; ++j)
        {
            for (int i = 0; i < w; ++i)
            {
                int index = c.Get(i * 2 / p.scale, j * 2 / p.scale);
                if (index != kTransparent)
                {
                    Put(image, p.x + i, p.y + kLabelHeight + j, palette[static_cast<size_t>(index)]);
                }
            }
        }
    }
    return image;
}

} // namespace sample
