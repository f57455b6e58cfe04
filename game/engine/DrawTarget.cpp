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

void DrawTextBoxF(DrawTarget& target, int font, int x, int y, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = platform::VFormat(format, args);
    va_end(args);
    target.DrawTextBox(font, x, y, 0, 0, text, 0, kFontColour);
}
