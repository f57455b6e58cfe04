// Saving from the camp: the 99 save slots, the cursor on the slot used
// last, and a question before the save.

#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SaveSlots.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/TitleScene.h"
#include "game/scenes/camp/CampScene.h"

#include <algorithm>
#include <string>

namespace
{

constexpr int kSlotRowsY = kCampSaveY + kListRowHeight;
constexpr int kSaveRow = 0;
constexpr int kKeepRow = 1;

const MenuBox& SaveMenu()
{
    static const MenuBox menu("セーブする\nもどる", 272, 400);
    return menu;
}

} // namespace

int CampScene::Save()
{
    const MenuBox& menu = SaveMenu();
    InputState& input = Input();
    switch (m_nSubState)
    {
    case kSubOpen:
    {
        ScanSaveSlots(SaveSlots);
        const int start = IsTableIndex(TitleLoadedSlot, SaveSlots.Count()) ? TitleLoadedSlot : 0;
        MenuCursor.PushAt(0, start);
        m_nFirst = std::max(0, std::min(start, SaveSlots.Count() - kCampSaveRows));
        m_nSubState = kSubGrid;
        [[fallthrough]];
    }
    case kSubGrid:
    {
        const int slot =
            MoveListCursor(m_nFirst, kSlotRowsY, kListRowHeight, kCampSaveX, kCampSaveRows, SaveSlots.Count());
        DrawBackground();
        DrawSaveList(m_Target, kCampSaveX, kCampSaveY, SaveSlots, m_nFirst, kCampSaveRows);
        DrawListPointers(kCampSaveX, kSlotRowsY, m_nFirst, kCampSaveRows, -1);
        AskOrLeave(slot, menu, kKeepRow);
        break;
    }
    case kSubDetail:
    {
        PlayCursorSound(menu.Move(input), kCursorAxisVertical, kSeCursor);
        DrawBackground();
        DrawSaveList(m_Target, kCampSaveX, kCampSaveY, SaveSlots, m_nFirst, kCampSaveRows);
        DrawMenuPointer(m_Target, kCampSaveX, kSlotRowsY + kListRowHeight * (m_nPicked - m_nFirst));
        menu.Draw(m_Target);
        if ((input.m_nButtons & kInputButton1) && menu.Row() == kSaveRow)
        {
            // A save that fails has played its refusal and left the slot as it was; the player is told why.
            std::string error;
            const bool saved = SaveToSlot(m_nPicked, &error);
            if (saved)
            {
                TitleLoadedSlot = m_nPicked;
            }
            else
            {
                ShowErrorF("セーブデータ%d へのセーブに失敗！\n%s", m_nPicked + 1, error.c_str());
            }
            CloseQuestion(menu, saved ? kSeClear : kNoSound);
        }
        else if (input.m_nButtons & (kInputButton1 | kInputButton2))
        {
            CloseQuestion(menu, ButtonSound());
        }
        break;
    }
    default:
        m_nSubState = kSubOpen;
        break;
    }
    DrawMoneyBox();
    return 1;
}
