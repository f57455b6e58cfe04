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

// Positions in a CP932 text (byte offsets) and in its QString (character
// indexes): every CP932 character is one QChar; with joinedLines a "\r\n" is
// one too, as a multi-line widget holds it ("\n").
int QtIndexOfByte(std::string_view cp932, int byteOffset, bool joinedLines);
int ByteOfQtIndex(std::string_view cp932, int index, bool joinedLines);

} // namespace platform
