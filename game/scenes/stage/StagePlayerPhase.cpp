// The player phase: choosing a unit, moving it, its command menu (the
// special command of an event, fight, wait, skills and items), and the end
// of its action.

#include "common/data/ProjectData.h"
#include "common/services/TextAndNumbers.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/MapSkillRules.h"
#include "game/scenes/stage/StageMenus.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/stage/StageUnitViews.h"

#include <algorithm>

void StageScene::PlaceOnMap(CharacterRecord& unit, int32_t x, int32_t y)
{
    m_pField->PlaceUnit(unit, x, y);
    if (unit.m_bEnemy)
    {
        static_cast<EnemyUnitRecord&>(unit).MoveHeldEvent();
    }
    else
    {
        static_cast<UnitRecord&>(unit).MoveHeldEvent();
    }
}

void StageScene::UndoMove()
{
    PlaceOnMap(*m_pSelected, m_nStartX, m_nStartY);
    MoveCursorTo(m_nStartX, m_nStartY);
}

void StageScene::BuildCommands()
{
    const EventPage* special = m_Events.SpecialCommandPage(m_pSelected);
    m_strSpecialName = special ? special->m_strCommandName : std::string();
    m_Commands = BuildUnitCommands(m_UnitMenu, *m_pField, *m_pSelected, special != nullptr);
    m_nCommandRow = 0;
}

void StageScene::ShowReachOfOne()
{
    FillAttackRange(*m_pField, m_pSelected->m_nPlayE, m_pSelected->m_nPlayF, true, m_AttackRange);
    MoveCursorTo(m_pSelected->m_nPlayE, m_pSelected->m_nPlayF);
}

int StageScene::PlayerMap()
{
    InputState& input = Input();
    MapCursorStep();
    if (m_nSubState == 1)
    {
        // An enemy's movement range, shown until button 2.
        if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            m_nSubState = 0;
        }
        return 1;
    }
    CharacterRecord* unit = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
    if (input.m_nButtons & kInputButton1)
    {
        if (!unit)
        {
            RequestSound(kSeChoice);
            SetState(kStageMapMenu);
        }
        else if (unit->m_bEnemy)
        {
            RequestSound(kSeChoice);
            FillMovementRange(*m_pField, MoverOf(*unit), m_Movement);
            m_nSubState = 1;
        }
        else if (CanAct(*unit))
        {
            RequestSound(kSeChoice);
            m_pSelected = static_cast<UnitRecord*>(unit);
            m_nStartX = unit->m_nPlayE;
            m_nStartY = unit->m_nPlayF;
            FillMovementRange(*m_pField, MoverOf(*unit), m_Movement);
            SetState(kStageMove);
        }
        else
        {
            RequestSound(kSeRefusal);
        }
    }
    else if ((input.m_nButtons & kInputButton2) && unit)
    {
        RequestSound(kSeChoice);
        OpenUnitInfo(unit);
    }
    return 1;
}

int StageScene::Move()
{
    InputState& input = Input();
    if (m_nSubState == 0)
    {
        MapCursorStep();
        if (input.m_nButtons & kInputButton1)
        {
            const CharacterRecord* there = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
            if (m_Movement.m_Points.At(m_nCursorX, m_nCursorY) < 1 || (there && there != m_pSelected))
            {
                RequestSound(kSeRefusal);
                return 1;
            }
            RequestSound(kSeChoice);
            PlaceOnMap(*m_pSelected, m_nCursorX, m_nCursorY);
            BuildCommands();
            OpenMenu(m_nCommandRow);
            m_nSubState = 1;
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            MoveCursorTo(m_pSelected->m_nPlayE, m_pSelected->m_nPlayF);
            m_pSelected = nullptr;
            SetState(kStagePlayerMap);
        }
        return 1;
    }
    // The command menu of the unit where it now stands.
    const int rows = static_cast<int>(m_Commands.size());
    MoveGrid(MenuCursor, input, kCommandMenuX, kCommandMenuY, 0, kMenuRowHeight, 1, rows);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    m_nCommandRow = MenuCursor.Current().m_nRow;
    if (input.m_nButtons & kInputButton1)
    {
        if (m_nCommandRow < 0 || m_nCommandRow >= rows)
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        MenuCursor.Pop(0);
        SetState(kStageSpecialCommand + m_Commands[static_cast<std::size_t>(m_nCommandRow)]);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        UndoMove();
        m_nSubState = 0;
    }
    return 1;
}

int StageScene::SpecialCommand()
{
    SetState(kStageEndAction);
    RunTriggers({kTriggerPlayerSpecialCommand, kTriggerHolderSpecialCommand}, m_pSelected);
    return 1;
}

int StageScene::Fight()
{
    InputState& input = Input();
    if (m_nSubState == 0)
    {
        const int32_t x = m_pSelected->m_nPlayE;
        const int32_t y = m_pSelected->m_nPlayF;
        FillAttackRange(*m_pField, x, y, true, m_AttackRange);
        MoveCursorTo(x, y);
        // The cursor starts on the first opponent beside the unit: above, below, left, right.
        const int32_t steps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        for (const auto& step : steps)
        {
            const CharacterRecord* other = m_pField->ActiveUnitAt(x + step[0], y + step[1]);
            if (other && other->m_bEnemy)
            {
                MoveCursorTo(x + step[0], y + step[1]);
                break;
            }
        }
        m_nSubState = 1;
    }
    MapCursorStep();
    if (input.m_nButtons & kInputButton1)
    {
        CharacterRecord* target = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
        if (!target || !target->m_bEnemy || m_AttackRange.At(m_nCursorX, m_nCursorY) < 1)
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        m_Battle.m_pPlayer = m_pSelected;
        m_Battle.m_pEnemy = static_cast<EnemyUnitRecord*>(target);
        m_Battle.m_nLand = GetMapChip(m_nCursorX, m_nCursorY);
        SetState(kStageBattleStart);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MoveCursorTo(m_pSelected->m_nPlayE, m_pSelected->m_nPlayF);
        BackToCommands();
    }
    return 1;
}

int StageScene::EndSelectedAction()
{
    SetState(kStagePlayerMap);
    // A friend that fell in its fight and left the party ends its action all
    // the same: the events of the end of an action run for it.
    if (m_pSelected)
    {
        EndAction(*m_pSelected);
    }
    m_pSelected = nullptr;
    return 1;
}

void StageScene::BackToCommands()
{
    OpenMenu(m_nCommandRow);
    SetState(kStageMove, 1);
}

int StageScene::ListStep(int count, const std::function<bool(int row)>& choose)
{
    InputState& input = Input();
    MoveList(MenuCursor, input, true, m_nListFirst, kListY + kListRowHeight, kListRowHeight, kListX, kListRows, count,
             true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    if (input.m_nButtons & kInputButton1)
    {
        const int row = MenuCursor.Current().m_nRow;
        if (row >= count || !choose(row))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        ShowReachOfOne();
        m_nSubState = 2;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        BackToCommands();
    }
    return 1;
}

int StageScene::TargetStep(const std::function<bool(CharacterRecord& target)>& use)
{
    InputState& input = Input();
    MapCursorStep();
    if (input.m_nButtons & kInputButton1)
    {
        CharacterRecord* target = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
        if (!target || m_AttackRange.At(m_nCursorX, m_nCursorY) < 1 || !use(*target))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeHeal);
        MenuCursor.Pop(0);
        SetState(kStageEndAction);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MoveCursorTo(m_pSelected->m_nPlayE, m_pSelected->m_nPlayF);
        m_nSubState = 1;
    }
    return 1;
}

int StageScene::Skill()
{
    UnitRecord& user = *m_pSelected;
    const int count = user.m_Skill.Count();
    if (m_nSubState == 0)
    {
        int first = 0;
        while (first < count && !CanUseSkillOnMap(user, SkillTable.At(user.m_Skill.At(first).m_nSkill)))
        {
            ++first;
        }
        OpenList(first < count ? first : 0, count, kListRows, kListX, kListY, m_nListFirst);
        m_nSubState = 1;
    }
    if (m_nSubState == 1)
    {
        return ListStep(count,
                        [&](int slot)
                        {
                            m_nSkillSlot = slot;
                            return CanUseSkillOnMap(user, SkillTable.At(user.m_Skill.At(slot).m_nSkill));
                        });
    }
    const SkillRecord& skill = SkillTable.At(user.m_Skill.At(m_nSkillSlot).m_nSkill);
    return TargetStep(
        [&](CharacterRecord& target)
        {
            if (!SkillHelps(user, skill, target))
            {
                return false;
            }
            UseSkillOnMap(user, skill, target, user.GetWeaponHitRate());
            return true;
        });
}

int StageScene::Item()
{
    const ItemList items = FilledStacks(Progress.m_Items);
    const int count = items.Count();
    if (m_nSubState == 0)
    {
        OpenList(0, count, kListRows, kListX, kListY, m_nListFirst);
        m_nSubState = 1;
    }
    if (m_nSubState == 1)
    {
        return ListStep(count,
                        [&](int row)
                        {
                            m_nItem = items.At(row).m_nItem;
                            return CanUseItemOnMap(ItemTable.At(m_nItem));
                        });
    }
    return TargetStep(
        [&](CharacterRecord& target) {
            return ItemHelps(*m_pSelected, ItemTable.At(m_nItem), target) &&
                   UseItemOnMap(Progress.m_Items, m_nItem, target);
        });
}

void StageScene::DrawPlayerPhase() const
{
    if (m_nState == kStageMove && m_nSubState == 1)
    {
        std::vector<const char*> texts;
        int characters = 0;
        for (int kind : m_Commands)
        {
            const char* text = kind == kCommandSpecial ? m_strSpecialName.c_str() : UnitCommandTexts[kind];
            texts.push_back(text);
            characters = std::max(characters, CountMbChars(text));
        }
        const int width = std::max(kCommandMenuWidth, (characters + 1) * kMenuRowHeight);
        DrawMenu(kCommandMenuX, kCommandMenuY, width, texts, MenuCursor.Current().m_nRow);
    }
    else if (m_nState == kStageSkill && m_nSubState == 1)
    {
        m_pSelected->DrawSkillList(m_Target, kListX, kListY, m_nListFirst, kListRows);
        const CursorEntry& cursor = MenuCursor.Current();
        if (cursor.m_nRow < m_pSelected->m_Skill.Count())
        {
            DrawPointer(kListX, cursor.m_nY);
            DrawDescription(m_Target, m_pSelected->m_Skill.At(cursor.m_nRow), kDescriptionX, kDescriptionY);
        }
    }
    else if (m_nState == kStageItem && m_nSubState == 1)
    {
        const ItemList items = FilledStacks(Progress.m_Items);
        DrawInventoryList(m_Target, kListX, kListY, items, m_nListFirst, kListRows, 1, kPriceNone, nullptr, nullptr);
        const CursorEntry& cursor = MenuCursor.Current();
        if (cursor.m_nRow < items.Count())
        {
            DrawPointer(kListX, cursor.m_nY);
            DrawDescription(m_Target, items.At(cursor.m_nRow), kDescriptionX, kDescriptionY);
        }
    }
}
