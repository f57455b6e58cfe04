// The camp's equipment screen: a unit of the grid, its two equipment slots
// under its status, and the party's items that fit the chosen slot.

#include "common/data/ItemRecord.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/camp/CampScene.h"

namespace
{

// The equipment rows of the status window, 128 px below its top.
constexpr int kEquipRowsX = kCampStatusX;
constexpr int kEquipRowsY = kCampStatusY + 128;
constexpr int kEquipSlots = 2;
// The item kind each slot takes.
constexpr int32_t kSlotKinds[kEquipSlots] = {kItemKindWeapon, kItemKindOtherEquipment};
constexpr int kItemRowsY = kCampListY + kListRowHeight;

} // namespace

int CampScene::Equipment()
{
    InputState& input = Input();
    switch (m_nSubState)
    {
    case kSubOpen:
    case kSubGrid:
    {
        const int slot = PickMember(GridFrame());
        if (slot >= 0)
        {
            m_nPicked = slot;
            MenuCursor.PushAt(0, 0);
            m_nSubState = kSubDetail;
        }
        break;
    }
    case kSubDetail:
    {
        UnitRecord& unit = PartyUnits.At(m_nPicked);
        MoveGrid(MenuCursor, input, kEquipRowsX, kEquipRowsY, 0, kListRowHeight, 1, kEquipSlots);
        PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
        const int equipSlot = MenuCursor.Current().m_nRow;
        DrawBackground();
        unit.DrawStatus(m_Target, kCampStatusX, kCampStatusY, 1);
        DrawMenuPointer(m_Target, kEquipRowsX, kEquipRowsY + kListRowHeight * equipSlot);
        if (input.m_nButtons & kInputButton1)
        {
            RequestSound(kSeChoice);
            m_nEquipSlot = equipSlot;
            FilterStacksByType(Progress.m_Items, m_EquipChoices, kSlotKinds[equipSlot], 1);
            m_nFirst = 0;
            MenuCursor.PushAt(0, 0);
            m_nSubState = kSubList;
        }
        else if (input.m_nButtons & kInputButton3)
        {
            // Taking off needs something on and room for it in the stock.
            const bool worn = unit.m_Equip[equipSlot].m_nItem != 0;
            if (worn && unit.Unequip(equipSlot, Progress.m_Items))
            {
                RequestSound(kSeEquip);
            }
            else
            {
                RequestSound(kSeRefusal);
            }
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            MenuCursor.Pop(1);
            m_nSubState = kSubGrid;
        }
        break;
    }
    case kSubList:
    {
        UnitRecord& unit = PartyUnits.At(m_nPicked);
        const int entry =
            MoveListCursor(m_nFirst, kItemRowsY, kListRowHeight, kCampListX, kCampListRows, m_EquipChoices.Count());
        DrawBackground();
        unit.DrawStatus(m_Target, kCampStatusX, kCampStatusY, 1);
        DrawMenuPointer(m_Target, kEquipRowsX, kEquipRowsY + kListRowHeight * m_nEquipSlot, kListRowHeight, 1);
        DrawInventoryList(m_Target, kCampListX, kCampListY, m_EquipChoices, m_nFirst, kCampListRows, 1, kPriceNone,
                          "そうびをはずす", nullptr);
        DrawListPointers(kCampListX, kItemRowsY, m_nFirst, kCampListRows, -1);
        if (input.m_nButtons & kInputButton1)
        {
            if (IsTableIndex(entry, m_EquipChoices.Count()) &&
                unit.Equip(m_nEquipSlot, m_EquipChoices.At(entry), Progress.m_Items))
            {
                RequestSound(kSeEquip);
                MenuCursor.Pop(1);
                m_nSubState = kSubDetail;
            }
            else
            {
                RequestSound(kSeRefusal);
            }
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            MenuCursor.Pop(1);
            m_nSubState = kSubDetail;
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
