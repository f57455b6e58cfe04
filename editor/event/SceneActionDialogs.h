#pragma once

// The dialogs of the two actions that change how a scene looks or sounds: the
// event's graphic (8) and the music of a scene (9).
//
// Arguments (what the game's event interpreter reads):
// - graphic: int 0 the graphic, a cell of "bmp\Event.bmp" counted from 0
//   (EventGraphics.h); the list shows graphic g as g + 1, and the preview
//   beside it the chosen cell. A new action shows graphic 0.
// - music: int 0 the scene (BgmSceneNames: stage, battle, world map); string
//   0 the music file, a path relative to the project folder of at most 260
//   bytes. "参照" and "再生" work on the field only (MusicFileField.h): the
//   string changes at OK, and the music the author started plays on after
//   the dialog closed.

#include "editor/event/EventActionDialog.h"

enum : int
{
    kIdGraphicChangeDialog = 189,
    kIdGraphicChoice = 1032,
    kIdGraphicPreview = 1070,

    kIdBgmChangeDialog = 179,
    kIdBgmScene = 1311,
    kIdBgmFile = 1215,
    kIdBgmBrowse = 1312,
    kIdBgmPlay = 1313,
};

class GraphicChangeDialog : public EventActionDialog
{
public:
    explicit GraphicChangeDialog(const ActionEditContext& context);
    // Draws the preview of the chosen graphic.
    void OnPaint() override;

    BitmapControl& Preview() { return m_Previews.At(0); }

private:
    std::vector<std::string> m_GraphicNames;
};

class BgmChangeDialog : public EventActionDialog
{
public:
    explicit BgmChangeDialog(const ActionEditContext& context);
    // The base's commands, and the two buttons.
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
};
