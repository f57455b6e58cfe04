#include "PaletteFiles.h"

int LoadEventPalette(CheckedVector<Event>& palette, std::string_view name)
{
    return LoadTableFile(palette, name, 0);
}

int SaveEventPalette(CheckedVector<Event>& palette, std::string_view name)
{
    return SaveTableFile(palette, name);
}

int LoadWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name)
{
    return LoadTableFile(palette, name, 0);
}

int SaveWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name)
{
    return SaveTableFile(palette, name);
}
