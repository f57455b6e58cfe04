#include "DrawTarget.h"

#include "platform/core/Format.h"

#include <cstdarg>

void DrawTextF(DrawTarget& target, int font, int x, int y, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = platform::VFormat(format, args);
    va_end(args);
    target.DrawText(font, x, y, text);
}
