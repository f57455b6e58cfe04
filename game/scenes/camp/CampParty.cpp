// The camp's party grid, the status screen with the order of the party and
// of a unit's skills, and the choice of the leader.

#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/camp/CampScene.h"

#include <utility>

namespace
{

// The grid cursor and the mark of a slot on the accessory sheet.
constexpr int kGridCursorX = 0;
constexpr int kGridCursorY = 0;
constexpr int kSlotMarkX = 0;
constexpr int kSlotMarkY = 96;

int SlotX(int slot)
{
    return kCampGridX + kCampCellSize * (slot % kCampGridColumns);
}

int SlotY(int slot)
{
    return kCampGridY + kCampCellSize * (slot / kCampGridColumns);
}

// The first row of the skill list lies under its title row.
constexpr int kSkillRowsY = kCampListY + kMenuBoxRowHeight;

} // namespace

int CampScene::GridFrame()
{
    if (m_nSubState == kSubOpen)
    {
        MenuCursor.PushAt(0, 0);
        MenuCursor.Current().m_nX = kCampGridX;
        MenuCursor.Current().m_nY = kCampGridY;
        m_nMarked = -1;
        m_nSubState = kSubGrid;
    }
    InputState& input = Input();
    MoveGrid(MenuCursor, input, kCampGridX, kCampGridY, kCampCellSize, kCampCellSize, kCampGridColumns, kCampGridRows);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    DrawBackground();
    DrawPartyGrid(true);
    return GridSlot();
}

int CampScene::PickMember(int slot)
{
    const InputState& input = Input();
    if (input.m_nButtons & kInputButton1)
    {
        if (!PartyUnits.At(slot).IsPartyMember())
        {
            RequestSound(kSeRefusal);
            return -1;
        }
        RequestSound(kSeChoice);
        return slot;
    }
    if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        BackToMenu();
    }
    return -1;
}

void CampScene::MarkOrSwap(int entry, const std::function<void(int, int)>& swap)
{
    RequestSound(kSeChoice);
    if (m_nMarked < 0)
    {
        m_nMarked = entry;
        return;
    }
    swap(m_nMarked, entry);
    m_nMarked = -1;
}

bool CampScene::DropMark()
{
    if (m_nMarked < 0)
    {
        return false;
    }
    m_nMarked = -1;
    return true;
}

int CampScene::GridSlot() const
{
    const CursorEntry& cursor = MenuCursor.Current();
    return cursor.m_nColumn + cursor.m_nRow * kCampGridColumns;
}

void CampScene::DrawPartyGrid(bool withCursor)
{
    m_Target.DrawBox(kFontStandard, kCampGridX, kCampGridY, kCampCellSize * kCampGridColumns,
                     kCampCellSize * kCampGridRows);
    const int slots = std::min(PartyUnits.Count(), kCampGridColumns * kCampGridRows);
    for (int slot = 0; slot < slots; ++slot)
    {
        PartyUnits.At(slot).DrawChip(m_Target, SlotX(slot), SlotY(slot), 0);
    }
    if (m_nMarked >= 0)
    {
        m_Target.Blit(SlotX(m_nMarked), SlotY(m_nMarked), kCampCellSize, kCampCellSize, kSurfaceAccessory, kSlotMarkX,
                      kSlotMarkY);
    }
    if (withCursor)
    {
        const int slot = GridSlot();
        m_Target.Blit(SlotX(slot), SlotY(slot), kCampCellSize, kCampCellSize, kSurfaceAccessory, kGridCursorX,
                      kGridCursorY);
    }
}

int CampScene::Status()
{
    InputState& input = Input();
    switch (m_nSubState)
    {
    case kSubOpen:
    case kSubGrid:
    {
        const int slot = GridFrame();
        if ((input.m_nButtons & kInputButton1) && m_nMarked == slot)
        {
            // The same slot twice: its status instead of a swap with itself.
            if (!PartyUnits.At(slot).IsPartyMember())
            {
                RequestSound(kSeRefusal); // an empty slot has no status
                break;
            }
            RequestSound(kSeChoice);
            m_nMarked = -1;
            m_nPicked = slot;
            m_nFirst = 0;
            MenuCursor.PushAt(0, 0);
            m_nSubState = kSubList;
        }
        else if (input.m_nButtons & kInputButton1)
        {
            MarkOrSwap(slot, [](int a, int b) { std::swap(PartyUnits.At(a), PartyUnits.At(b)); });
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            if (!DropMark())
            {
                BackToMenu();
            }
        }
        break;
    }
    case kSubList:
    {
        UnitRecord& unit = PartyUnits.At(m_nPicked);
        const int skill =
            MoveListCursor(m_nFirst, kSkillRowsY, kMenuBoxRowHeight, kCampListX, kCampListRows, unit.m_Skill.Count());
        DrawBackground();
        unit.DrawStatus(m_Target, kCampStatusX, kCampStatusY, 1);
        unit.DrawSkillList(m_Target, kCampListX, kCampListY, m_nFirst, kCampListRows);
        DrawListPointers(kCampListX, kSkillRowsY, m_nFirst, kCampListRows, m_nMarked);
        if ((input.m_nButtons & kInputButton1) && IsTableIndex(skill, unit.m_Skill.Count()))
        {
            MarkOrSwap(skill, [&unit](int a, int b) { std::swap(unit.m_Skill.At(a), unit.m_Skill.At(b)); });
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            if (!DropMark())
            {
                // Back to the grid, its cursor on the unit's slot.
                MenuCursor.Pop(1);
                m_nSubState = kSubGrid;
            }
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

int CampScene::Leader()
{
    const int slot = PickMember(GridFrame());
    DrawMoneyBox();
    if (slot >= 0)
    {
        for (UnitRecord& unit : PartyUnits)
        {
            unit.m_nPlayA = 0;
        }
        PartyUnits.At(slot).m_nPlayA = 1;
    }
    return 1;
}
