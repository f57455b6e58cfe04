#pragma once

// The title screen, scene 0: the title picture with a three-entry menu, new
// game, continue and quit. A new game resets the play-through and runs the
// start event; continue lists the 99 save slots and loads a used one (an
// empty one is refused with its sound, one whose file does not read whole
// also with a box that names it); both then fade out to the camp. Quit
// closes the main window.

#include "game/engine/Scene.h"
#include "game/engine/ScreenDrawTarget.h"

// The menu's entries.
enum TitleMenuEntry : int
{
    kTitleNewGame = 0,
    kTitleContinue = 1,
    kTitleQuit = 2,
};

// The entry chosen last, and the save slot loaded last (-1: none); the camp's
// save list starts on that slot.
extern int TitleMenuChoice;
extern int TitleLoadedSlot;

// What the title loads with its resources (the windows, the title picture,
// the title words and the menu pointer), and where it draws.
inline constexpr int kTitleSurfaces[] = {2, 3, 4, 6};
constexpr int kTitleMenuX = 208;
constexpr int kTitleMenuY = 360;
constexpr int kTitleMenuRowHeight = 32;
constexpr int kTitleSaveListX = 152;
constexpr int kTitleSaveListY = 32;
constexpr int kTitleSaveListRows = 20;
// The channel the title's music plays on.
constexpr int kTitleMusicChannel = 0;

class TitleScene : public Scene
{
public:
    enum State
    {
        kStateFadeIn = 0,
        kStateMenu = 1,
        kStateContinue = 2,
        kStateFadeOut = 3,
    };

    explicit TitleScene(SceneManager& manager);
    ~TitleScene() override;

protected:
    void LoadResources() override;
    int RunState(int state) override;
    void Draw() override;
    void OnLeft(int nextScene) override;

private:
    int Menu();
    int Continue();

    ScreenDrawTarget m_Target;
    int32_t m_nFirstSlot = 0;
    bool m_bLoaded = false;
};

// A new game: an empty party, the play-through of a new game (money 0, scout
// points 1, the world map's start, the hire list, the music names and the
// difficulty of the System), then the start event's effects.
void NewGame();
