#pragma once

// The world-map settings dialog (153, "ワールドマップの設定"): the world
// map's size, the party's start on it, its background colour (an index of the
// 256-colour palette, shown in a 32 x 32 sample as it is typed) and an
// optional background image. Only the controls change until OK, which writes
// every field into the world map, lays its chip grid out for the new size
// (every chip keeps its (x, y)) and loads the background image again.

#include "common/data/WorldMapRecord.h"
#include "editor/framework/BitmapControl.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>

// The sizes the dialog offers; a world map loaded larger keeps its size.
constexpr int kMaxWorldMapWidth = 200;
constexpr int kMaxWorldMapHeight = 150;

class WorldMapSettingsDialog : public DialogBase
{
public:
    WorldMapSettingsDialog(platform::WindowHandle parent, EditorApp* app, WorldMapRecord& map);
    ~WorldMapSettingsDialog() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The colour sample drawn again.
    void OnPaint() override { UpdateColourSample(); }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // The sample filled with the palette colour of the index the colour edit holds now.
    void UpdateColourSample();
    const BitmapControl& Sample() const { return m_Sample; }

private:
    void BrowseBackImage();

    WorldMapRecord& m_Map;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nMaxWidth = 0; // the larger of the size limit and the size loaded
    int32_t m_nMaxHeight = 0;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<CheckBox> m_CheckBoxes;
    BitmapControl m_Sample;
};

// The dialog over the parent, modal, made into the holder and deleted after
// the run. 1 after OK.
int RunWorldMapSettingsDialog(std::unique_ptr<WorldMapSettingsDialog>& holder, platform::WindowHandle parent,
                              WorldMapRecord& map);
