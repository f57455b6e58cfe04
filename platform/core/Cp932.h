#pragma once

// Code page 932 text: lead-byte tests and conversion to and from UTF-8.
// Every string the programs hold is CP932; UTF-8 exists only at the edges
// (file names on disk, the toolkits, fonts).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// True for the first byte of a double-byte CP932 character.
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character that starts at text[pos]: 2 for a lead byte
// followed by another byte, else 1.
inline std::size_t Cp932CharLength(std::string_view text, std::size_t pos)
{
    return IsCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Result of a conversion: the converted text, with '?' in place of every
// character that has no counterpart, and the byte offsets (in the input) of
// those characters.
struct ConversionResult
{
    std::string text;
    std::vector<std::size_t> unconverted;

    bool Complete() const { return unconverted.empty(); }
};

ConversionResult Cp932ToUtf8(std::string_view cp932);
ConversionResult Utf8ToCp932(std::string_view utf8);

// Shorthands for callers that only want the text.
std::string ToUtf8(std::string_view cp932);
std::string FromUtf8(std::string_view utf8);

} // namespace platform
