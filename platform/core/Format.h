#pragma once

// printf-style formatting that always uses the "C" conventions for numbers,
// whatever locale a toolkit has set for the process.

#include <cstdarg>
#include <string>

namespace platform
{

std::string VFormat(const char* format, va_list args);

} // namespace platform
