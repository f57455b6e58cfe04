#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform
{

bool InstallQtTranslations()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
    {
        return false;
    }
    // The interface is Japanese whatever the locale of the session.
    auto* translator = new QTranslator(application);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qt", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator))
    {
        delete translator;
        return false;
    }
    return true;
}

} // namespace platform
