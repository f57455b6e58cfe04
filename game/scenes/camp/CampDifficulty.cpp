// The difficulty of the play-through, changed in the camp within
// 0..the System's maximum.

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/camp/CampScene.h"

#include <algorithm>

namespace
{

constexpr int32_t kDifficultyStep = 10;

} // namespace

int32_t StepDifficulty(int32_t value, int directions, int32_t maximum)
{
    if (!(directions & (kInputUp | kInputDown | kInputLeft | kInputRight)))
    {
        return value;
    }
    maximum = std::max(0, maximum);
    value = std::clamp(value, 0, maximum);
    if (directions & kInputUp)
    {
        value = value >= maximum ? 0 : value + 1;
    }
    else if (directions & kInputDown)
    {
        value = value <= 0 ? maximum : value - 1;
    }
    if (directions & kInputRight)
    {
        value = value >= maximum ? 0 : std::min(value + kDifficultyStep, maximum);
    }
    else if (directions & kInputLeft)
    {
        value = value <= 0 ? maximum : std::max(value - kDifficultyStep, 0);
    }
    return value;
}

int CampScene::Difficulty()
{
    InputState& input = Input();
    if (m_nSubState == kSubOpen)
    {
        m_nDifficultyOnEntry = Progress.m_nDifficulty;
        m_nSubState = kSubGrid;
    }
    Progress.m_nDifficulty = StepDifficulty(Progress.m_nDifficulty, input.m_nDirections, System.m_nDifficultyMax);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    DrawBackground();
    DrawPartyGrid(false);
    DrawTextBoxF(m_Target, kFontStandard, kCentred, kCentred, "なんいどのへんこう\n　　　　%d", Progress.m_nDifficulty);
    DrawMoneyBox();

    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        SetState(kStateMenu, kSubGrid);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        Progress.m_nDifficulty = m_nDifficultyOnEntry;
        SetState(kStateMenu, kSubGrid);
    }
    return 1;
}
