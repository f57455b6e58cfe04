#include "FormatString.h"

#include "platform/core/Format.h"

#include <cstdarg>

void FormatString(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    out = platform::VFormat(format, args);
    va_end(args);
}
