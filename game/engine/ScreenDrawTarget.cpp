#include "game/engine/ScreenDrawTarget.h"

#include "common/services/Log.h"

const TextFont* ScreenDrawTarget::Font(int font) const
{
    if (font < 0 || font >= kFontCount)
    {
        WriteErrorLogF("フォント %d はありません", font);
        return nullptr;
    }
    return &m_pFonts[font];
}

void ScreenDrawTarget::DrawBox(int font, int x, int y, int w, int h)
{
    if (const TextFont* f = Font(font))
    {
        f->DrawBox(Target(), x, y, w, h);
    }
}

void ScreenDrawTarget::DrawText(int font, int x, int y, std::string_view text)
{
    if (const TextFont* f = Font(font))
    {
        f->DrawText(Target(), x, y, text);
    }
}

void ScreenDrawTarget::DrawTextBox(int font, int x, int y, int w, int h, std::string_view text, int margin,
                                   uint32_t colour)
{
    if (const TextFont* f = Font(font))
    {
        f->DrawTextBox(Target(), x, y, w, h, text, margin, colour);
    }
}
