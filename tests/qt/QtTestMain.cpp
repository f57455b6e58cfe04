// The main of the Qt test program: a QApplication on the offscreen platform
// (unless the environment names another), then the tests as everywhere else.
// TARNWICK_TEST_LOCALE names the locale a run is meant to have (LC_ALL and
// LANG set to it): when it is not installed, every test is skipped.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <string>

namespace
{

// Skips every test: the locale the run is meant for is missing.
class MissingLocale : public testing::Environment
{
public:
    explicit MissingLocale(std::string name) : m_strName(std::move(name)) {}
    void SetUp() override
    {
        GTEST_SKIP() << "the locale " << m_strName << " is not installed (scripts/setup makes it)";
    }

private:
    std::string m_strName;
};

bool LocaleInstalled(const char* name)
{
    locale_t locale = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (!locale)
    {
        return false;
    }
    freelocale(locale);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    const char* locale = std::getenv("TARNWICK_TEST_LOCALE");
    if (locale && *locale && !LocaleInstalled(locale))
    {
        testing::AddGlobalTestEnvironment(new MissingLocale(locale));
    }
    return RUN_ALL_TESTS();
}
