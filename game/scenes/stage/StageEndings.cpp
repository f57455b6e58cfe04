// The end of the stage: the victory with its reward and what the world map
// asks for after the clear, and the game over.

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/worldmap/WorldMapRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

// The picture of the end: 320 x 128 at (160, 176), from the word sheet
// (victory on top, game over below it).
constexpr int kSurfaceWords = 20;
constexpr int kEndingX = 160;
constexpr int kEndingY = 176;
constexpr int kEndingWidth = 320;
constexpr int kEndingHeight = 128;
constexpr int kRewardY = 320;

// Where the wipes start; each frame takes 2 off, scaled to the frame rate.
constexpr int kVictoryWipe = 240;
constexpr int kGameOverWipe = 200;
constexpr double kWipeStep = 2.0;

// After-clear actions of a world-map stage page (GameClearActionNames).
constexpr int32_t kAfterClearStartOver = 1;
constexpr int32_t kAfterClearEndGame = 2;

// The steps of both ends (sub-states).
enum EndingStep : int
{
    kEndingStart = 0,
    kEndingWipe = 1,
    kEndingShown = 2,
    kEndingDone = 3,
};

// One frame of a wipe (button 1 ends it at once); true once it is over.
bool StepWipe(int& wipe, const InputState& input)
{
    const int step = std::max(1, static_cast<int>(std::lround(kWipeStep * FrameRateValues.m_dFrameLength)));
    wipe = (input.m_nButtons & kInputButton1) ? 0 : std::max(0, wipe - step);
    return wipe == 0;
}

void CloseGame()
{
    platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0);
}

} // namespace

int32_t StageScene::ClearReward() const
{
    return m_bClearedBefore ? PercentOf(Stage.m_nReward, Stage.m_nClearedRewardRate) : Stage.m_nReward;
}

bool StageScene::EndingFrame(int wipeLength)
{
    const InputState& input = Input();
    switch (m_nSubState)
    {
    case kEndingStart:
        m_nWipe = m_nWipeLength = wipeLength;
        m_nSubState = kEndingWipe;
        return false;
    case kEndingWipe:
        if (StepWipe(m_nWipe, input))
        {
            m_nSubState = kEndingShown;
        }
        return false;
    case kEndingShown:
        if (input.m_nButtons & kInputButton1)
        {
            m_nSubState = kEndingDone;
            return true;
        }
        return false;
    default:
        return false;
    }
}

int StageScene::Victory()
{
    if (m_nSubState == kEndingStart)
    {
        RequestSound(kSeClear);
        m_nReward = ClearReward();
        Progress.AddMoney(m_nReward);
    }
    if (EndingFrame(kVictoryWipe))
    {
        Progress.SetClearedFlag(Progress.m_nCurrentStage, 1);
        // What the world map's page of this stage asks for after the clear.
        const int32_t action = CurrentWorldPage.m_nAfterClear;
        if (action == kAfterClearStartOver)
        {
            Progress.StartWorldOver();
        }
        else if (action == kAfterClearEndGame)
        {
            CloseGame();
        }
        Leave(kSceneWorldMap);
    }
    return 1;
}

int StageScene::GameOver()
{
    if (m_nSubState == kEndingStart)
    {
        m_nReward = 0;
    }
    if (EndingFrame(kGameOverWipe))
    {
        CloseGame();
    }
    return 1;
}

void StageScene::DrawEnding() const
{
    if (m_nSubState == kEndingStart)
    {
        return;
    }
    // The wipe opens the picture from its middle outwards.
    const int shown = kEndingWidth - kEndingWidth * m_nWipe / std::max(1, m_nWipeLength);
    const int left = (kEndingWidth - shown) / 2;
    const int sheetY = m_nState == kStageVictory ? 0 : kEndingHeight;
    if (shown > 0)
    {
        m_Target.Blit(kEndingX + left, kEndingY, shown, kEndingHeight, kSurfaceWords, left, sheetY);
    }
    if (m_nState == kStageVictory && m_nReward >= 1)
    {
        char text[32];
        std::snprintf(text, sizeof text, "+%dS", m_nReward);
        m_Target.DrawTextBox(kFontStandard, kCentred, kRewardY, 0, 0, text, 0, kFontColour);
    }
}
