#pragma once

// The world map, scene 2: the party walks the map one cell at a time and
// chooses its next stage by standing on a placed event whose page of now is a
// stage page. The stage dialog reads the page's stage file into the global
// Stage as it opens; entering the stage fades out to the stage map (scene 3),
// button 2 fades out to the camp (scene 1). Either way the walker's position
// stays in the play-through for the next visit.
//
// On each entry the party's on-map and acted flags go off, its HP and SP are
// full, its effective values follow from its base values and equipment (its
// names, growth, skills and experience stay as they are), and fallen members
// stand up again when the System says so.

#include "common/data/WorldMapRecord.h"
#include "game/engine/Scene.h"
#include "game/engine/ScreenDrawTarget.h"

#include <cstdint>
#include <string>

// What the world map loads with its resources (the windows, the walker's
// sheet, the chips, the events and the background picture), and where its
// stage dialog stands.
inline constexpr int kWorldMapSurfaces[] = {2, 6, 9, 10, 11};
constexpr int kStageDialogX = 80;
constexpr int kStageDialogY = 272;
constexpr int kStageDialogWidth = 480;
constexpr int kStageDialogHeight = 48;
constexpr int kStageDialogChoiceY = 288;
constexpr int kStageDialogRowHeight = 16;
// The channel the world map's music plays on (the camp's too, so that one tune runs on between them).
constexpr int kWorldMapMusicChannel = 0;

// The stage dialog's choices.
enum StageDialogChoice : int
{
    kStageDialogEnter = 0, // "このステージにいどむ"
    kStageDialogBack = 1,  // "やっぱりやめる"
};

class WorldMapScene : public Scene
{
public:
    enum State
    {
        kStateFadeIn = 0,
        kStateWalk = 1,
        kStateStageDialog = 2,
        kStateFadeOut = 3,
    };
    // Sub-states of the stage dialog.
    enum DialogStep
    {
        kDialogChoosing = 0,
        kDialogNoLeader = 1, // "リーダーがいません！" until button 1
    };

    explicit WorldMapScene(SceneManager& manager);
    ~WorldMapScene() override;

    int32_t WalkerX() const { return m_nX; }
    int32_t WalkerY() const { return m_nY; }
    int Facing() const { return m_nFacing; }

protected:
    void LoadResources() override;
    int RunState(int state) override;
    void Draw() override;
    void OnLeft(int nextScene) override;

private:
    int Walk();
    int StageDialog();
    // One step of the frame's direction (left, right, up, down, the first
    // held); true when the walker stands on another cell after it.
    bool Step(uint16_t directions);
    // Opens the stage dialog on the page, reading its stage file.
    void OpenStageDialog(const WorldMapEvent& event, const WorldMapEventPage& page, bool byItself);
    // "やっぱりやめる": back to walking; a dialog that opened by itself puts the walker back where it came from.
    void CloseStageDialog();
    void DrawStageDialog();
    // The walker's position into the play-through, then the fade-out to the scene.
    void LeaveFor(int nextScene);

    ScreenDrawTarget m_Target;
    bool m_bLoaded = false;
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    int32_t m_nPreviousX = 0; // where the walker stood before its last step
    int32_t m_nPreviousY = 0;
    int m_nFacing = 0;
    int m_nFrames = 0; // frames drawn, for the walker's steps
    // The stage dialog: its page, its title, how it opened, whether the stage file was read.
    WorldMapEventPage m_DialogPage;
    std::string m_strDialogTitle;
    bool m_bOpenedByItself = false;
    bool m_bStageLoaded = false;
};

// Entering the world map, for every party member: on-map and acted flags
// off, HP and SP full, fallen members up again when the System revives them
// after a stage, and the effective values from the base values and the
// equipment.
void PreparePartyForWorldMap();
