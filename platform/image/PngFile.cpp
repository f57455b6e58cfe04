#include "platform/image/PngFile.h"

#include "platform/core/Files.h"

#include <png.h>

namespace platform
{

std::vector<uint8_t> EncodePng(const RgbImage& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.m_nWidth);
    png.height = static_cast<png_uint_32>(image.m_nHeight);
    png.format = PNG_FORMAT_RGB;
    if (image.m_nWidth <= 0 || image.m_nHeight <= 0 ||
        image.m_Pixels.size() != static_cast<size_t>(image.m_nWidth) * image.m_nHeight * 3)
    {
        return {};
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.m_Pixels.data(), 0, nullptr))
    {
        return {};
    }
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.m_Pixels.data(), 0, nullptr))
    {
        return {};
    }
    bytes.resize(size);
    return bytes;
}

bool DecodePng(const std::vector<uint8_t>& bytes, RgbImage& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
    {
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    RgbImage decoded;
    decoded.m_nWidth = static_cast<int>(png.width);
    decoded.m_nHeight = static_cast<int>(png.height);
    decoded.m_Pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, decoded.m_Pixels.data(), 0, nullptr))
    {
        png_image_free(&png);
        return false;
    }
    image = std::move(decoded);
    return true;
}

bool WritePngFile(std::string_view path, const RgbImage& image)
{
    std::vector<uint8_t> bytes = EncodePng(image);
    return !bytes.empty() && WriteFileAtomically(path, bytes.data(), bytes.size(), nullptr);
}

bool ReadPngFile(std::string_view path, RgbImage& image)
{
    std::vector<unsigned char> bytes;
    return ReadWholeFile(path, bytes) && DecodePng(bytes, image);
}

} // namespace platform
