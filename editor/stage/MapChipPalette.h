#pragma once

// The map chip palette: the modeless window beside the stage editor (dialog
// 103, "マップチップパレット") that shows every map chip of the project, eight
// a row, lets the author pick the chip to draw with, and carries the tool bar
// (137) that chooses the drawing tool: pen, line, rectangle or fill. The
// selection lives in StageEdit: the selected entry and the picked block. The
// palette cannot be closed by itself; the stage editor deletes it when another
// palette opens.

#include "editor/framework/DialogBase.h"
#include "editor/stage/EditorSoundSink.h"

#include <string>

// Chips a palette row holds.
constexpr int kPaletteChipsPerRow = 8;

class MapChipPalette : public DialogBase
{
public:
    // Dialog 103 under the stage editor window, not yet run.
    MapChipPalette(platform::WindowHandle parent, EditorSoundSink& sounds);
    ~MapChipPalette() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnLButtonDown(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // The scroll range from the number of chips (also after the database or
    // the stage settings changed): rows 0 to (chips - 1) / 8, position 0, a
    // page of the rows the view shows. The window is never taller than all
    // the rows: a taller one is made smaller, and cannot be made taller.
    void UpdateScrollRange();
    // "%d : %s" of the selected chip's number and name; empty unless a chip is selected.
    std::string StatusText() const;
    // The tool bar's check marks as StageEdit's tool is.
    void UpdateToolChecks();
    int ScrollRow() const { return m_nScrollRow; }

private:
    void PlaceChipView();

    EditorSoundSink& m_Sounds;
    int m_nScrollRow = 0;
};
