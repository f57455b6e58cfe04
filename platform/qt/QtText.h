#pragma once

// Text between our CP932 strings and Qt's QString: the one place of the Qt
// backend where text changes its encoding.

#include <QString>
#include <string>
#include <string_view>

namespace platform
{

QString FromCp932(std::string_view text);
std::string ToCp932(const QString& text);

} // namespace platform
