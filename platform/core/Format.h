#pragma once

// printf-style formatting that always uses the "C" conventions for numbers,
// whatever locale a toolkit has set for the process.

#include <cstdarg>
#include <string>

// Lets the compiler check the arguments of a printf-style function against its
// format: the format is argument `fmt` (counting from 1), the values start at `args`.
#define TK_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

namespace platform
{

std::string VFormat(const char* format, va_list args);
std::string Format(const char* format, ...) TK_PRINTF(1, 2);

} // namespace platform
