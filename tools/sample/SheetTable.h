#pragma once

// Every bitmap of the sample project: its stored path, its size, its cell
// layout and every rectangle the game and the editor read from it. The art
// code draws each sheet at the size given here; the tests check each file
// against its reads.

#include <string>
#include <vector>

namespace sample
{

// Counts that fix the layouts.
constexpr int kClassGraphics = 6;   // class graphics 1..6 (0 is unused)
constexpr int kBattleFrames = 5;    // stand, step, strike, hurt, fallen
constexpr int kFaceSize = 48;       // faces and battle cells of the character sheet
constexpr int kChipSize = 32;       // map chips, map characters, events, world chips
constexpr int kMapCharaRows = 15;   // graphics per 64-pixel column of the map-character and event sheets
constexpr int kMapChipTiles = 16;   // land graphics, eight a row
constexpr int kWorldChipTiles = 10; // five a row
constexpr int kWorldEventGraphics = 4;
constexpr int kEventGraphics = 9; // graphic 0 is empty
constexpr int kSymbolCount = 40;  // 16 x 16 icons in one row; the first 26 are also the letters a..z
constexpr int kEffectStrips = 8;  // one 128 x 48 strip of frames per effect graphic
constexpr int kEffectFrames = 5;
constexpr int kEffectFrameWidth = 128;
constexpr int kEffectFrameHeight = 48;

// Battle frames of a class graphic in the character sheet.
enum BattleFrame
{
    kFrameStand,
    kFrameStep,
    kFrameStrike,
    kFrameHurt,
    kFrameFallen,
};

struct SheetRead
{
    std::string m_strWhat;
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

struct SheetInfo
{
    std::string m_strPath;     // stored path (CP932, '\' separators)
    std::string m_strSurfaces; // the game's surface ids that load it, or who else reads it
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::string m_strLayout; // the cell layout, in words
    std::vector<SheetRead> m_Reads;
};

// Every bitmap, in the order the project writes them.
const std::vector<SheetInfo>& SampleSheets();
// The sheet of a stored path, or null.
const SheetInfo* FindSheet(const std::string& path);

// The file names of the game's 22 display surfaces in id order ("E" for the
// blank surface), as the display layer loads them.
extern const char* const kSurfaceFiles[22];

} // namespace sample
