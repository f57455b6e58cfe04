#pragma once

// A draw target that writes down every call as one line of text, so that a
// test compares what was drawn where with a list of expected lines:
//   "blit S (x,y) WxH from (sx,sy)"
//   "fill (x,y) WxH colour C"
//   "box F (x,y) WxH"
//   "text F (x,y) TEXT"
//   "textbox F (x,y) WxH margin M colour RRGGBB|font TEXT"
// S is the surface, F the font.

#include "game/engine/DrawTarget.h"

#include <cstdio>
#include <string>
#include <vector>

class RecordingDrawTarget : public DrawTarget
{
public:
    void Blit(int x, int y, int w, int h, int surface, int sx, int sy) override
    {
        Add("blit %d (%d,%d) %dx%d from (%d,%d)", surface, x, y, w, h, sx, sy);
    }
    void FillRect(int x, int y, int w, int h, int colour) override
    {
        Add("fill (%d,%d) %dx%d colour %d", x, y, w, h, colour);
    }
    void DrawBox(int font, int x, int y, int w, int h) override { Add("box %d (%d,%d) %dx%d", font, x, y, w, h); }
    void DrawText(int font, int x, int y, std::string_view text) override
    {
        Add("text %d (%d,%d) ", font, x, y);
        m_Calls.back().append(text);
    }
    void DrawTextBox(int font, int x, int y, int w, int h, std::string_view text, int margin, uint32_t colour) override
    {
        char colourText[16] = "font";
        if (colour != kFontColour)
        {
            std::snprintf(colourText, sizeof colourText, "%06X", colour);
        }
        Add("textbox %d (%d,%d) %dx%d margin %d colour %s ", font, x, y, w, h, margin, colourText);
        m_Calls.back().append(text);
    }

    const std::vector<std::string>& Calls() const { return m_Calls; }
    void Clear() { m_Calls.clear(); }

private:
    template <class... Args> void Add(const char* format, Args... args)
    {
        char line[128];
        std::snprintf(line, sizeof line, format, args...);
        m_Calls.emplace_back(line);
    }

    std::vector<std::string> m_Calls;
};
