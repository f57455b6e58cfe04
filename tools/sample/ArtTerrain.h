#pragma once

// The land of the sample: map chips, world-map chips and events, stage
// events, the world-map background and the battle backgrounds.

#include "Canvas.h"

namespace sample
{

Canvas DrawMapChipSheet(int width, int height);
Canvas DrawWorldMapChipSheet(int width, int height);
Canvas DrawWorldEventSheet(int width, int height);
Canvas DrawEventSheet(int width, int height);
Canvas DrawWorldBack(int width, int height);

enum class Scenery
{
    Grass,
    Forest,
    Mountain,
    Fort,
    Dusk,
};
Canvas DrawBattleBack(Scenery scenery, int width, int height);

} // namespace sample
