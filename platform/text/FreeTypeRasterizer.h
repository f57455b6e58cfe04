#pragma once

// The text rasteriser on FreeType with one font file (IPA Gothic by default).
// Safe to use from several threads: rendering is serialised.

#include "platform/text/TextRasterizer.h"

#include <memory>
#include <mutex>
#include <string>

namespace platform
{

constexpr const char* kDefaultFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

class FreeTypeRasterizer : public TextRasterizer
{
public:
    FreeTypeRasterizer();
    ~FreeTypeRasterizer() override;

    // Opens the font (a UTF-8 path on disk); false when it cannot be used.
    bool Open(const std::string& fontFile = kDefaultFontFile);
    bool IsOpen() const;

    TextImage Render(std::string_view cp932, int pixelSize) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    std::mutex m_Mutex;
};

} // namespace platform
