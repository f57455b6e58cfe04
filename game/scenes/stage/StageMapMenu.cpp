// The map menu of the player phase: search for a unit that can still act,
// the conditions, a look at the inventory, and the end of the player's turn.

#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/stage/StageMenus.h"
#include "game/scenes/stage/StageScene.h"

namespace
{

constexpr int kTurnEndRows = 2;
constexpr int kTurnEndWidth = 128;
inline constexpr const char* kTurnEndTexts[kTurnEndRows] = {"ターンエンド", "やっぱりやめる"};

} // namespace

int StageScene::MapMenuState()
{
    const int rows = static_cast<int>(m_MapMenu.size());
    if (m_nSubState == 0)
    {
        OpenMenu(std::clamp(m_nMapMenuRow, 0, rows - 1));
        m_nSubState = 1;
    }
    InputState& input = Input();
    MoveGrid(MenuCursor, input, kMapMenuX, kMapMenuY, 0, kMenuRowHeight, 1, rows);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    m_nMapMenuRow = MenuCursor.Current().m_nRow;
    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        MenuCursor.Pop(0);
        const int entry = m_MapMenu.at(static_cast<std::size_t>(m_nMapMenuRow));
        if (entry == kMapConditions)
        {
            SaveReturnState(kStageMapMenu);
        }
        SetState(kStageSearch + entry);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        SetState(kStagePlayerMap);
    }
    return 1;
}

int StageScene::Search()
{
    // Without such a unit the cursor stays where it is: the middle of the view.
    for (UnitRecord* unit : m_Players)
    {
        if (m_pField->IsActive(*unit) && !unit->m_nPlayC)
        {
            MoveCursorTo(unit->m_nPlayE, unit->m_nPlayF);
            break;
        }
    }
    SetState(kStagePlayerMap);
    return 1;
}

int StageScene::Inventory()
{
    InputState& input = Input();
    const int count = FilledStacks(Progress.m_Items).Count();
    if (m_nSubState == 0)
    {
        OpenList(0, count, kInventoryViewRows, kInventoryViewX, kInventoryViewY, m_nListFirst);
        m_nSubState = 1;
    }
    MoveList(MenuCursor, input, true, m_nListFirst, kInventoryViewY + kListRowHeight, kListRowHeight, kInventoryViewX,
             kInventoryViewRows, count, true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        SetState(kStageMapMenu);
    }
    return 1;
}

int StageScene::TurnEnd()
{
    if (m_nSubState == 0)
    {
        OpenMenu(1);
        m_nSubState = 1;
    }
    InputState& input = Input();
    MoveGrid(MenuCursor, input, kTurnEndMenuX, kTurnEndMenuY, 0, kMenuRowHeight, 1, kTurnEndRows);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    const bool confirmed = (input.m_nButtons & kInputButton1) && MenuCursor.Current().m_nRow == 0;
    if (confirmed)
    {
        RequestSound(kSeChoice);
        MenuCursor.Pop(0);
        m_pSelected = nullptr;
        SetState(kStageEnemyPhase);
        if (EndPlayerTurn() == kEventResultNone)
        {
            StartEnemyTurn();
        }
    }
    else if (input.m_nButtons & (kInputButton1 | kInputButton2))
    {
        RequestSound((input.m_nButtons & kInputButton1) ? kSeChoice : kSeCancel);
        MenuCursor.Pop(0);
        SetState(kStageMapMenu);
    }
    return 1;
}

void StageScene::DrawMapMenu() const
{
    if (m_nSubState != 1)
    {
        return;
    }
    if (m_nState == kStageMapMenu)
    {
        std::vector<const char*> texts;
        for (int entry : m_MapMenu)
        {
            texts.push_back(entry >= 0 && entry < kMapMenuLength ? MapMenuTexts[entry] : "");
        }
        DrawMenu(kMapMenuX, kMapMenuY, kMapMenuWidth, texts, MenuCursor.Current().m_nRow);
        DrawMoneyBox();
    }
    else if (m_nState == kStageInventory)
    {
        const ItemList items = FilledStacks(Progress.m_Items);
        DrawInventoryList(m_Target, kInventoryViewX, kInventoryViewY, items, m_nListFirst, kInventoryViewRows, 1,
                          kPriceNone, nullptr, nullptr);
        const CursorEntry& cursor = MenuCursor.Current();
        if (cursor.m_nRow < items.Count())
        {
            DrawPointer(kInventoryViewX, cursor.m_nY);
            DrawDescription(m_Target, items.At(cursor.m_nRow), kDescriptionX, kDescriptionY);
        }
        DrawMoneyBox();
    }
    else if (m_nState == kStageTurnEnd)
    {
        DrawMenu(kTurnEndMenuX, kTurnEndMenuY, kTurnEndWidth, {kTurnEndTexts[0], kTurnEndTexts[1]},
                 MenuCursor.Current().m_nRow);
    }
}
