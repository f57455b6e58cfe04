#include "Format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace platform
{
namespace
{

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope
{
public:
    CLocaleScope()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        m_Previous = c ? uselocale(c) : static_cast<locale_t>(nullptr);
    }
    ~CLocaleScope()
    {
        if (m_Previous)
        {
            uselocale(m_Previous);
        }
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_Previous;
};

} // namespace

std::string VFormat(const char* format, va_list args)
{
    CLocaleScope scope;
    char small[512];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0)
    {
        return {};
    }
    if (static_cast<std::size_t>(n) < sizeof small)
    {
        return std::string(small, static_cast<std::size_t>(n));
    }
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, args);
    return std::string(big.data(), static_cast<std::size_t>(n));
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

} // namespace platform
