#include "game/engine/ErrorLogAndClose.h"

#include "platform/core/Format.h"
#include "platform/window/WindowSystem.h"

#include <cstdarg>

void WriteErrorLogAndClose(platform::WindowHandle window, const char* format, ...)
{
    if (IsErrorLogEnabled())
    {
        va_list args;
        va_start(args, format);
        std::string line = platform::VFormat(format, args);
        va_end(args);
        WriteErrorLog(line);
    }
    platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
}
