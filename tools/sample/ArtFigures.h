#pragma once

// The people and monsters of the sample: faces, battle figures, map
// characters and the world-map walker.

#include "Canvas.h"

namespace sample
{

enum class FigureKind
{
    Knight,
    Mage,
    Archer,
    Slime,
    Wolf,
    WolfLeader, // a wolf of its own colour with a golden crest
};

// The figure of class graphic g (1..6).
FigureKind FigureOfGraphic(int graphic);

enum class Facing
{
    Down,
    Up,
    Left,
    Right,
};

// A 48 x 48 face at (x, y).
void DrawFace(Canvas& canvas, int x, int y, FigureKind kind);
// A 48 x 48 battle figure facing right at (x, y); frame is a BattleFrame.
void DrawBattleFigure(Canvas& canvas, int x, int y, FigureKind kind, int frame);
// A 32 x 32 map character at (x, y); the enemy side wears red and a red outline.
void DrawMapCharacter(Canvas& canvas, int x, int y, FigureKind kind, bool enemySide);
// A 32 x 32 frame of the world-map walker (the hero) at (x, y).
void DrawWalker(Canvas& canvas, int x, int y, Facing facing, int frame);

// The sheets.
Canvas DrawCharacterSheet(int width, int height);
Canvas DrawMapCharaSheet(int width, int height);

} // namespace sample
