#include "game/engine/DebugKeys.h"

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/TestPlay.h"

#include <algorithm>

namespace
{

constexpr int32_t kDebugMoney = 100;
constexpr int32_t kDebugScoutPoints = 10;
constexpr int32_t kMinScoutPoints = 1;
constexpr int32_t kMaxScoutPoints = 1000;
constexpr int32_t kLevelOfExperience = 100;

template <class Action> void ForEachMember(Action action)
{
    for (UnitRecord& unit : PartyUnits)
    {
        if (unit.IsPartyMember())
        {
            action(unit);
        }
    }
}

void GainLevel(UnitRecord& unit)
{
    unit.m_nExp = kLevelOfExperience;
    unit.LevelUp(false);
}

void LearnEverySkill(UnitRecord& unit)
{
    unit.m_Skill.assign(static_cast<std::size_t>(SkillTable.Count()), SkillEntry());
    for (int32_t skill = 1; skill < SkillTable.Count(); ++skill)
    {
        unit.LearnSkill(skill);
    }
}

void CloseMainWindow()
{
    platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0);
}

} // namespace

bool ApplyDebugKey(uintptr_t key)
{
    switch (key)
    {
    case platform::kVkF1:
        if (!PartyUnits.empty() && PartyUnits.At(0).IsPartyMember())
        {
            GainLevel(PartyUnits.At(0));
        }
        return true;
    case platform::kVkF1 + 1:
        ForEachMember(GainLevel);
        return true;
    case platform::kVkF1 + 2:
        Progress.AddMoney(kDebugMoney);
        return true;
    case platform::kVkF1 + 3:
        Progress.m_nScoutPoints = static_cast<int32_t>(std::clamp<int64_t>(
            int64_t{Progress.m_nScoutPoints} + kDebugScoutPoints, kMinScoutPoints, kMaxScoutPoints));
        return true;
    case platform::kVkF1 + 4:
        ForEachMember([](UnitRecord& unit) { unit.m_nPlayC = 0; });
        return true;
    case platform::kVkF1 + 5:
        if (Scene* battle = GameScenes.SceneOf(kSceneBattle))
        {
            battle->RestoreFirstParticipant();
        }
        else
        {
            ForEachMember([](UnitRecord& unit) { unit.RestoreHpSp(); });
        }
        return true;
    case platform::kVkF1 + 6:
        if (Scene* stage = GameScenes.SceneOf(kSceneStage))
        {
            stage->SetState(kStageStateDebugJump, 0);
        }
        return true;
    case platform::kVkF1 + 7:
        for (int32_t item = 1; item < ItemTable.Count(); ++item)
        {
            Progress.AddItem(item, 1);
        }
        ForEachMember(LearnEverySkill);
        return true;
    default:
        return false;
    }
}

void HandleGameKey(uintptr_t key)
{
    if (!TestPlayFlag)
    {
        if (key == platform::kVkEscape)
        {
            CloseMainWindow();
        }
        return;
    }
    ApplyDebugEdit(
        [key]
        {
            if (GameScenes.CurrentScene() == kSceneTitle)
            {
                return;
            }
            if (key == platform::kVkEscape)
            {
                CloseMainWindow();
                return;
            }
            ApplyDebugKey(key);
        });
}
