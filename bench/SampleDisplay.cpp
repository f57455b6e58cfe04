#include "SampleDisplay.h"

#include "game/engine/Display.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/SystemIni.h"

SampleDisplay::SampleDisplay(int depth) : m_Previous(std::filesystem::current_path())
{
    std::filesystem::current_path(TK_SAMPLE_DIR);
    m_Host.m_nDesktopDepth = depth;
    m_bReady = DDInit(m_Host, kScreenWidth, kScreenHeight, depth, kFullScreen, 1, 60, 0, Surfaces, SurfaceDefs,
                      kSurfaceCount) &&
               DDLoadPaletteFromFile(Display.m_SourcePalette, "bmp\\Palette.bmp", kFullScreen) &&
               DDSetTransmit("bmp\\Palette.bmp");
    Display.m_WorkingPalette = Display.m_SourcePalette;
    SetFramePacing(false);
    FrameRateValues = DeriveFrameValues(60);
}

SampleDisplay::~SampleDisplay()
{
    DDRelease();
    std::filesystem::current_path(m_Previous);
}
