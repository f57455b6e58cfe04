#pragma once

#include "platform/core/Format.h"

#include <string>

// printf into a string, replacing its content. Numbers use the "C" conventions.
void FormatString(std::string& out, const char* format, ...) TK_PRINTF(2, 3);
