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

} // namespace platform
