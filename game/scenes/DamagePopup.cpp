#include "DamagePopup.h"

#include "common/services/Arithmetic.h"

#include <algorithm>

namespace
{

constexpr int32_t kStartOffset = -40;
constexpr int32_t kStepPerDigit = -10;
constexpr int32_t kShownFrom = -32;
constexpr double kFallPerFrame = 2.0;    // px at 60 fps
constexpr double kLifetimeFrames = 60.0; // at 60 fps
constexpr int kMissGlyphs = 3;
constexpr int kMissX = 8;

} // namespace

void DamagePopup::Start(int32_t value, int32_t glyphRow)
{
    *this = DamagePopup();
    m_bActive = 1;
    m_nValue = std::clamp(value, 0, 999);
    m_nGlyphRow = glyphRow;
    m_nDigit[0] = m_nValue % 10;
    m_nDigit[1] = m_nValue / 10 % 10;
    m_nDigit[2] = m_nValue / 100;
    m_nDigitCount = m_nValue >= 100 ? 3 : m_nValue >= 10 ? 2 : 1;
    for (int i = 0; i < 3; ++i)
    {
        // The leftmost digit (m_nDigitCount - 1) starts lowest.
        const int rightOfLeftmost = std::max(m_nDigitCount - 1 - i, 0);
        m_nOffset[i] = glyphRow == 0 ? kStartOffset : kStartOffset + kStepPerDigit * rightOfLeftmost;
    }
}

void DamagePopup::Advance(const FrameValues& frame)
{
    if (!m_bActive)
    {
        return;
    }
    const double fall = kFallPerFrame * frame.m_dFrameLength;
    for (int32_t& offset : m_nOffset)
    {
        offset = std::min(TruncateToInt(offset + fall), 0);
    }
    ++m_nFrame;
    if (m_nFrame >= kLifetimeFrames * frame.m_dFrameScale)
    {
        m_bActive = 0;
    }
}

std::vector<PopupGlyph> DamagePopup::Glyphs() const
{
    std::vector<PopupGlyph> glyphs;
    if (!m_bActive)
    {
        return glyphs;
    }
    const int sourceY = m_nGlyphRow * kPopupGlyphHeight;
    if (m_nGlyphRow == 0)
    {
        for (int i = 0; i < kMissGlyphs; ++i)
        {
            if (m_nOffset[i] >= kShownFrom)
            {
                glyphs.push_back({i * kPopupGlyphWidth, sourceY, kMissX + i * kPopupGlyphWidth, m_nOffset[i]});
            }
        }
        return glyphs;
    }
    const int onesX = kPopupGlyphWidth + 8 * m_nDigitCount;
    for (int i = 0; i < m_nDigitCount; ++i)
    {
        if (m_nOffset[i] >= kShownFrom)
        {
            glyphs.push_back({m_nDigit[i] * kPopupGlyphWidth, sourceY, onesX - i * kPopupGlyphWidth, m_nOffset[i]});
        }
    }
    return glyphs;
}
