#include "PaletteFiles.h"

int LoadEventPalette(CheckedVector<Event>& palette, std::string_view name)
{
    return LoadTableFile(palette, name, 0);
}

LoadResult TryLoadEventPalette(CheckedVector<Event>& palette, std::string_view name, std::string* error)
{
    return TryLoadTableFile(palette, name, 0, error);
}

int SaveEventPalette(CheckedVector<Event>& palette, std::string_view name, std::string* error)
{
    return SaveTableFile(palette, name, error);
}

int LoadWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name)
{
    return LoadTableFile(palette, name, 0);
}

int SaveWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name)
{
    return SaveTableFile(palette, name);
}
