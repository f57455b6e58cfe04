#include "game/scenes/TitleScene.h"

#include "common/data/ProjectData.h"
#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SaveSlots.h"
#include "game/data/SoundRequests.h"
#include "game/engine/Display.h"
#include "game/engine/GameMusic.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/EventCommandEffects.h"
#include "game/scenes/MenuBox.h"

#include <algorithm>
#include <iterator>
#include <string>

int TitleMenuChoice = kTitleNewGame;
int TitleLoadedSlot = -1;

namespace
{

constexpr int kSurfaceTitle = 3;
constexpr int kSurfaceTitleWords = 4;
constexpr int kTitleMenuRows = 3;
// The title band and the menu picture on the title words' sheet.
constexpr int kBandY = 16;
constexpr int kBandHeight = 64;
constexpr int kMenuPictureX = 240;
constexpr int kMenuPictureWidth = 160;
constexpr int kMenuPictureHeight = 96;
// The title music is the fourth of the System's music names.
constexpr int kTitleMusicName = 3;
// The font of the save list.
constexpr int kTitleFont = kFontStandard;

} // namespace

TitleScene::TitleScene(SceneManager& manager) : Scene(manager, kSceneTitle, kStateFadeOut)
{
}

TitleScene::~TitleScene()
{
    if (m_bLoaded)
    {
        DDReleaseSurfaces(Surfaces, kTitleSurfaces, static_cast<int>(std::size(kTitleSurfaces)));
        DeleteFonts(TextFonts, &kTitleFont, 1);
    }
}

void TitleScene::LoadResources()
{
    // Without a name of its own the track keeps its preset file.
    PostSceneMusic(kSceneTitle, Manager().PreviousScene(), kTitleMusicChannel, kMusicTitle,
                   System.m_strBgm[kTitleMusicName]);

    m_bLoaded = true;
    if (!DDLoadSurfaces(Surfaces, kTitleSurfaces, static_cast<int>(std::size(kTitleSurfaces))) ||
        !CreateFonts(TextFonts, &kTitleFont, 1, FontDefs))
    {
        throw SceneFailure("TitleScene::LoadResources 失敗");
    }
}

int TitleScene::RunState(int state)
{
    switch (state)
    {
    case kStateMenu:
        return Menu();
    case kStateContinue:
        return Continue();
    default:
        return 1;
    }
}

void TitleScene::Draw()
{
    m_Target.Blit(0, 0, kScreenWidth, kScreenHeight, kSurfaceTitle, 0, 0);
    m_Target.Blit(0, kBandY, kScreenWidth, kBandHeight, kSurfaceTitleWords, 0, 0);
    m_Target.Blit(kMenuPictureX, kTitleMenuY, kMenuPictureWidth, kMenuPictureHeight, kSurfaceTitleWords, 0,
                  kBandHeight);
}

int TitleScene::Menu()
{
    if (m_nSubState == 0)
    {
        MenuCursor.PushAt(0, TitleMenuChoice);
        MenuCursor.Current().m_nX = kTitleMenuX;
        MenuCursor.Current().m_nY = kTitleMenuY + kTitleMenuRowHeight * TitleMenuChoice;
        m_nSubState = 1;
    }
    InputState& input = Input();
    MoveGrid(MenuCursor, input, kTitleMenuX, kTitleMenuY, 0, kTitleMenuRowHeight, 1, kTitleMenuRows);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    Draw();
    const CursorEntry& cursor = MenuCursor.Current();
    DrawMenuPointer(m_Target, cursor.m_nX, cursor.m_nY, kTitleMenuRowHeight);

    if (!(input.m_nButtons & kInputButton1))
    {
        return 1;
    }
    RequestSound(kSeChoice);
    TitleMenuChoice = cursor.m_nRow;
    switch (cursor.m_nRow)
    {
    case kTitleNewGame:
        NewGame();
        Leave(kSceneCamp);
        break;
    case kTitleContinue:
        SetState(kStateContinue, 0);
        break;
    default:
        platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0);
        break;
    }
    return 1;
}

int TitleScene::Continue()
{
    const int listTop = kTitleSaveListY + kListRowHeight;
    if (m_nSubState == 0)
    {
        ScanSaveSlots(SaveSlots);
        const int start = TitleLoadedSlot >= 0 && TitleLoadedSlot < SaveSlots.Count() ? TitleLoadedSlot : 0;
        MenuCursor.PushAt(0, start);
        m_nFirstSlot = std::max(0, std::min(start, SaveSlots.Count() - kTitleSaveListRows));
        MenuCursor.Current().m_nX = kTitleSaveListX;
        MenuCursor.Current().m_nY = listTop + kListRowHeight * (start - m_nFirstSlot);
        m_nSubState = 1;
    }
    InputState& input = Input();
    MoveList(MenuCursor, input, true, m_nFirstSlot, listTop, kListRowHeight, kTitleSaveListX, kTitleSaveListRows,
             SaveSlots.Count(), true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    Draw();
    DrawSaveList(m_Target, kTitleSaveListX, kTitleSaveListY, SaveSlots, m_nFirstSlot, kTitleSaveListRows);
    const CursorEntry& cursor = MenuCursor.Current();
    DrawMenuPointer(m_Target, cursor.m_nX, cursor.m_nY, kListRowHeight);

    if (input.m_nButtons & kInputButton1)
    {
        const int slot = cursor.m_nRow;
        std::string error;
        if (!IsTableIndex(slot, SaveSlots.Count()) || !SaveSlots.At(slot).m_bUsed)
        {
            RequestSound(kSeRefusal);
        }
        else if (LoadFromSlot(slot, &error))
        {
            RequestSound(kSeChoice);
            TitleLoadedSlot = slot;
            Leave(kSceneCamp);
        }
        else
        {
            // The slot's file is there but does not read whole: the player is
            // told why, and stays on the list.
            RequestSound(kSeRefusal);
            ShowErrorF("セーブデータ%d が読み込めません！\n%s", slot + 1, error.c_str());
        }
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(1);
        SetState(kStateMenu, 1);
    }
    return 1;
}

void TitleScene::OnLeft(int)
{
    MenuCursor.Collapse();
    SetState(-1);
}

void NewGame()
{
    StartNewGame();
    RunStartEvent(StartEvent);
}
