#include "platform/qt/QtText.h"

#include "platform/core/Cp932.h"

namespace platform
{

QString FromCp932(std::string_view text)
{
    std::string utf8 = ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp932(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    return FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

namespace
{
// The length in bytes of the character at pos, a "\r\n" as one with joinedLines.
size_t StepAt(std::string_view text, size_t pos, bool joinedLines)
{
    if (joinedLines && text.compare(pos, 2, "\r\n") == 0)
    {
        return 2;
    }
    return Cp932CharLength(text, pos);
}
} // namespace

int QtIndexOfByte(std::string_view cp932, int byteOffset, bool joinedLines)
{
    int index = 0;
    for (size_t pos = 0; pos < cp932.size() && static_cast<int>(pos) < byteOffset;
         pos += StepAt(cp932, pos, joinedLines))
    {
        ++index;
    }
    return index;
}

int ByteOfQtIndex(std::string_view cp932, int index, bool joinedLines)
{
    size_t pos = 0;
    for (int i = 0; i < index && pos < cp932.size(); ++i)
    {
        pos += StepAt(cp932, pos, joinedLines);
    }
    return static_cast<int>(pos);
}

} // namespace platform
