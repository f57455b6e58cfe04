#include "Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace platform
{
namespace
{

// One conversion descriptor per direction and thread: iconv descriptors keep
// shift state and must not be shared between threads.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
        {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    ConversionResult Convert(std::string_view in, bool inputIsCp932)
    {
        ConversionResult result;
        result.text.reserve(in.size() * 3 / 2 + 4);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);

        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0)
        {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            result.text.append(buffer, dst - buffer);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            {
                continue;
            }
            // EILSEQ or EINVAL: skip one whole input character and mark it.
            std::size_t offset = in.size() - srcLeft;
            std::size_t skip = inputIsCp932 ? Cp932CharLength(in, offset) : Utf8SequenceLength(in, offset);
            result.unconverted.push_back(offset);
            result.text.push_back('?');
            src += skip;
            srcLeft -= skip;
        }
        return result;
    }

private:
    static std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos)
    {
        unsigned char c = static_cast<unsigned char>(text[pos]);
        std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        std::size_t len = 1;
        while (len < n && pos + len < text.size() && (static_cast<unsigned char>(text[pos + len]) & 0xC0) == 0x80)
        {
            ++len;
        }
        return len;
    }

    iconv_t m_cd;
};

} // namespace

ConversionResult Cp932ToUtf8(std::string_view cp932)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(cp932, true);
}

ConversionResult Utf8ToCp932(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Convert(utf8, false);
}

std::string ToUtf8(std::string_view cp932)
{
    return Cp932ToUtf8(cp932).text;
}

std::string FromUtf8(std::string_view utf8)
{
    return Utf8ToCp932(utf8).text;
}

} // namespace platform
