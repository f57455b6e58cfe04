#pragma once

// The surface half of the draw target on the display layer: blits from the
// surface table and fills, drawn into one surface (the back buffer unless
// another is given). Boxes and text belong to the text output, which derives
// from this class and adds them.

#include "game/engine/Display.h"
#include "game/engine/DrawTarget.h"

class SurfaceDrawTarget : public DrawTarget
{
public:
    // target null: the back buffer of the moment.
    explicit SurfaceDrawTarget(platform::PixelSurface* target = nullptr, Surface* table = Surfaces,
                               int tableCount = kSurfaceCount)
        : m_pTarget(target), m_pTable(table), m_nTableCount(tableCount)
    {
    }

    // Colour-keyed, clipped as DDBltFast clips; a surface id outside the
    // table or a surface not loaded draws nothing.
    void Blit(int x, int y, int w, int h, int surface, int sx, int sy) override;
    // The same, scaled as DDBltStretch scales.
    void BlitScaled(int x, int y, int w, int h, int surface, int sx, int sy, int sw, int sh) override;
    // DDFillRect with the palette index.
    void FillRect(int x, int y, int w, int h, int colour) override;

    platform::PixelSurface* Target() const { return m_pTarget ? m_pTarget : DDBackBuffer(); }
    Surface* Table() const { return m_pTable; }

private:
    platform::PixelSurface* m_pTarget;
    Surface* m_pTable;
    int m_nTableCount;
};
