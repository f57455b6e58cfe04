#pragma once

// The bitmaps an editor loads at start-up, for tests and programs that start
// one in a project folder of their own; TK_SAMPLE_DIR names the sample.

#include <filesystem>

// The bitmaps the stage and world-map editor windows load when they are made
// and those of their tool bars: the sample project's, copied into the project folder.
inline void CopyEditorBitmaps(const std::filesystem::path& project)
{
    namespace fs = std::filesystem;
    fs::create_directories(project / "bmp");
    for (const char* name : {"MapChip.bmp", "MapChara.bmp", "Character.bmp", "Event.bmp", "Symbol.bmp", "Effect.bmp",
                             "Accessory.bmp", "ToolBar_Palette.bmp", "ToolBar_Pen.bmp", "WorldMapChip.bmp",
                             "WorldEvent.bmp", "WorldBack.bmp", "ToolBar_WorldPalette.bmp"})
    {
        fs::copy_file(fs::path(TK_SAMPLE_DIR) / "bmp" / name, project / "bmp" / name,
                      fs::copy_options::overwrite_existing);
    }
}
