#include "game/scenes/worldmap/WorldMapScene.h"

#include "common/data/ProjectData.h"
#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/engine/Display.h"
#include "game/engine/GameMusic.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/MenuBox.h"
#include "game/scenes/worldmap/WorldMapDrawing.h"
#include "game/scenes/worldmap/WorldMapRules.h"

#include <algorithm>
#include <iterator>

namespace
{

constexpr int kWorldMapFont = kFontStandard;
// The world map's music is the third of the play-through's music names.
constexpr int kWorldMapMusicName = 2;

// One step of the walk: the direction bit, the facing it gives and the move.
struct WalkStep
{
    uint16_t m_nDirection;
    int m_nFacing;
    int m_nDX;
    int m_nDY;
};
// In order of precedence when several directions are held.
constexpr WalkStep kWalkSteps[] = {
    {kInputLeft, kFacingLeft, -1, 0},
    {kInputRight, kFacingRight, 1, 0},
    {kInputUp, kFacingUp, 0, -1},
    {kInputDown, kFacingDown, 0, 1},
};

// The background picture is the world map's own file, loaded over the table's
// entry; like the table's, it may be missing.
void LoadBackPicture()
{
    const SurfaceDef& definition = SurfaceDefs[kSurfaceWorldBack];
    if (WorldMap.m_strBackImage.empty())
    {
        return;
    }
    SurfaceErrorName(DDLoadBitmapToSurface(
        Surfaces[kSurfaceWorldBack], WorldMap.m_strBackImage, definition.m_nColourKey, Display.m_nDepth,
        definition.m_nMemory, definition.m_nKeepIndices, definition.m_nMirrorWidth, definition.m_nMirrorHeight));
}

} // namespace

WorldMapScene::WorldMapScene(SceneManager& manager) : Scene(manager, kSceneWorldMap, kStateFadeOut)
{
}

WorldMapScene::~WorldMapScene()
{
    if (m_bLoaded)
    {
        DDReleaseSurfaces(Surfaces, kWorldMapSurfaces, static_cast<int>(std::size(kWorldMapSurfaces)));
        DeleteFonts(TextFonts, &kWorldMapFont, 1);
    }
}

void WorldMapScene::LoadResources()
{
    PostSceneMusic(kSceneWorldMap, Manager().PreviousScene(), kWorldMapMusicChannel, kMusicWorldMap,
                   Progress.m_strMusic[kWorldMapMusicName]);

    m_bLoaded = true;
    // The table's files for all but the picture, which comes last.
    static_assert(kWorldMapSurfaces[std::size(kWorldMapSurfaces) - 1] == kSurfaceWorldBack);
    const bool loaded = DDLoadSurfaces(Surfaces, kWorldMapSurfaces, static_cast<int>(std::size(kWorldMapSurfaces)) - 1);
    if (loaded)
    {
        LoadBackPicture();
    }
    if (!loaded || !CreateFonts(TextFonts, &kWorldMapFont, 1, FontDefs))
    {
        throw SceneFailure("WorldMapScene::LoadResources 失敗");
    }

    PreparePartyForWorldMap();
    // A position off the map (a smaller map since the save) is the map's start.
    Progress.Validate();
    m_nX = m_nPreviousX = Progress.m_nMapX;
    m_nY = m_nPreviousY = Progress.m_nMapY;
    m_nFacing = kFacingDown;
    m_nFrames = 0;
}

int WorldMapScene::RunState(int state)
{
    switch (state)
    {
    case kStateWalk:
        return Walk();
    case kStateStageDialog:
        return StageDialog();
    default:
        return 1;
    }
}

void WorldMapScene::Draw()
{
    DrawWorldMap(m_Target, WorldMap, m_nX, m_nY);
    DrawWalker(m_Target, m_nFacing, m_nFrames);
    ++m_nFrames;
}

bool WorldMapScene::Step(uint16_t directions)
{
    for (const WalkStep& step : kWalkSteps)
    {
        if (!(directions & step.m_nDirection))
        {
            continue;
        }
        m_nFacing = step.m_nFacing;
        m_nPreviousX = m_nX;
        m_nPreviousY = m_nY;
        const int32_t x = std::clamp(m_nX + step.m_nDX, 0, std::max(WorldMap.m_nWidth - 1, 0));
        const int32_t y = std::clamp(m_nY + step.m_nDY, 0, std::max(WorldMap.m_nHeight - 1, 0));
        if (CanStandOn(WorldMap, x, y))
        {
            m_nX = x;
            m_nY = y;
        }
        return m_nX != m_nPreviousX || m_nY != m_nPreviousY;
    }
    return false;
}

int WorldMapScene::Walk()
{
    InputState& input = Input();
    const bool arrived = Step(input.m_nDirections);
    Draw();

    const PlacedEventPage placed = EventPageAt(WorldMap, m_nX, m_nY);
    if (placed.m_pPage && placed.m_pPage->m_nKind == kWorldPageStage)
    {
        // The stage's dialog opens by itself as the walker arrives; one that
        // stands there already (the position kept from the last visit) opens
        // it with button 1, so that cancelling never holds it there.
        const StageEntry entry = StageEntryOf(*placed.m_pPage);
        if (entry == StageEntry::Automatic && arrived)
        {
            OpenStageDialog(*placed.m_pEvent, *placed.m_pPage, true);
            return 1;
        }
        if (entry != StageEntry::Closed && (input.m_nButtons & kInputButton1))
        {
            OpenStageDialog(*placed.m_pEvent, *placed.m_pPage, false);
            return 1;
        }
    }
    if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        LeaveFor(kSceneCamp);
    }
    return 1;
}

void WorldMapScene::OpenStageDialog(const WorldMapEvent& event, const WorldMapEventPage& page, bool byItself)
{
    m_DialogPage = page;
    m_bOpenedByItself = byItself;
    m_bStageLoaded = LoadStageOfPage(page);
    if (!m_bStageLoaded)
    {
        ShowErrorF("ステージファイル %s が読み込めません！", page.m_strStageFile.c_str());
    }
    // A stage that did not load leaves the Stage as it was: the dialog names the event then.
    m_strDialogTitle = m_bStageLoaded ? Stage.m_strName : event.m_strName;
    MenuCursor.PushAt(0, kStageDialogEnter);
    MenuCursor.Current().m_nX = kStageDialogX;
    MenuCursor.Current().m_nY = kStageDialogChoiceY;
    SetState(kStateStageDialog, kDialogChoosing);
}

void WorldMapScene::CloseStageDialog()
{
    MenuCursor.Pop(1);
    if (m_bOpenedByItself)
    {
        m_nX = m_nPreviousX;
        m_nY = m_nPreviousY;
    }
    SetState(kStateWalk);
}

int WorldMapScene::StageDialog()
{
    InputState& input = Input();
    Draw();
    if (m_nSubState == kDialogNoLeader)
    {
        DrawStageDialog();
        m_Target.DrawTextBox(kWorldMapFont, kCentred, kCentred, 0, 0, "リーダーがいません！", 0, kFontColour);
        if (input.m_nButtons & kInputButton1)
        {
            m_nSubState = kDialogChoosing;
        }
        return 1;
    }

    MoveGrid(MenuCursor, input, kStageDialogX, kStageDialogChoiceY, 0, kStageDialogRowHeight, 1, 2);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    DrawStageDialog();

    if (input.m_nButtons & kInputButton1)
    {
        if (MenuCursor.Current().m_nRow == kStageDialogEnter && m_bStageLoaded)
        {
            if (!FindLeader(PartyUnits))
            {
                RequestSound(kSeRefusal);
                m_nSubState = kDialogNoLeader;
                return 1;
            }
            RequestSound(kSeChoice);
            CurrentWorldPage = m_DialogPage;
            Progress.m_nCurrentStage = m_DialogPage.m_nStageNumber;
            LeaveFor(kSceneStage);
            return 1;
        }
        RequestSound(kSeChoice);
        CloseStageDialog();
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        CloseStageDialog();
    }
    return 1;
}

void WorldMapScene::DrawStageDialog()
{
    const std::string text = m_strDialogTitle + "\n このステージにいどむ\n やっぱりやめる\n";
    m_Target.DrawTextBox(kWorldMapFont, kStageDialogX, kStageDialogY, kStageDialogWidth, kStageDialogHeight, text,
                         kMenuBoxMargin, kFontColour);
    const CursorEntry& cursor = MenuCursor.Current();
    DrawMenuPointer(m_Target, cursor.m_nX, cursor.m_nY, kStageDialogRowHeight);
}

void WorldMapScene::LeaveFor(int nextScene)
{
    Progress.m_nMapX = m_nX;
    Progress.m_nMapY = m_nY;
    Leave(nextScene);
}

void WorldMapScene::OnLeft(int)
{
    MenuCursor.Collapse();
    SetState(-1);
}

void PreparePartyForWorldMap()
{
    for (UnitRecord& unit : PartyUnits)
    {
        if (!unit.IsPartyMember())
        {
            continue;
        }
        unit.RecoverAfterStage();
        unit.ApplyEquipment();
    }
}
