#pragma once

// The number that appears above a unit after an action (damage, recovery) or
// the miss word: its digits drop into place from the left, and the popup
// ends after a second.

#include "game/engine/SystemIni.h"

#include <cstdint>
#include <vector>

// Glyphs of the number sheet: 16 x 32, one row per kind of popup (row 0 the
// miss word, else the row of the result kind), digit d at column d x 16.
constexpr int kPopupGlyphWidth = 16;
constexpr int kPopupGlyphHeight = 32;

// One glyph to draw: its place on the number sheet and, relative to the
// unit's position, on the screen.
struct PopupGlyph
{
    int m_nSourceX = 0;
    int m_nSourceY = 0;
    int m_nX = 0;
    int m_nY = 0;

    bool operator==(const PopupGlyph&) const = default;
};

class DamagePopup
{
public:
    // Shows value (0..999) on the glyph row of the result kind; row 0 shows
    // the miss word. The leftmost digit starts 40 px above its place and each
    // digit to its right 10 px higher; the miss word's three glyphs start 40
    // px above theirs.
    void Start(int32_t value, int32_t glyphRow);
    // One frame: each glyph drops by 2 px at 60 fps (the same speed per second
    // at other rates, truncated toward zero) and stops at its place; after
    // 60 x the frame scale frames the popup ends.
    void Advance(const FrameValues& frame);
    bool IsActive() const { return m_bActive != 0; }
    // The glyphs to draw now: those that have dropped to 32 px above their
    // place or lower. The ones digit stands at x + 24, 32 or 40 for 1, 2 or 3
    // digits, each higher digit 16 px to its left; the miss word at x + 8,
    // 16 px apart.
    std::vector<PopupGlyph> Glyphs() const;

    int32_t m_bActive = 0;
    int32_t m_nValue = 0;
    int32_t m_nDigit[3] = {};  // ones, tens, hundreds
    int32_t m_nDigitCount = 0; // without leading zeros, at least 1
    int32_t m_nOffset[3] = {}; // height above the place, by digit (the miss word: by glyph from the left)
    int32_t m_nGlyphRow = 0;
    int32_t m_nFrame = 0;
};
