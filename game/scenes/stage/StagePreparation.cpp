// The preparation before the attack: the menu, the deployment of the party
// on the points of the start group, swapping the units of two points, taking
// units off the map, a free look at the map, and the start of the attack.

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/stage/StageMenus.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/stage/StageUnitViews.h"

namespace
{

constexpr int kPartyGridRows = 8;
constexpr int kSelectionFrameX = 0;
constexpr int kTargetMarkX = 32;
constexpr int kMarkSheetY = 96;

std::vector<const char*> MenuTexts(const std::vector<int>& entries, const char* const* texts, int count)
{
    std::vector<const char*> shown;
    for (int entry : entries)
    {
        shown.push_back(entry >= 0 && entry < count ? texts[entry] : "");
    }
    return shown;
}

} // namespace

void StageScene::OpenMenu(int row)
{
    MenuCursor.PushAt(0, row);
}

bool StageScene::InDeploymentArea(int32_t x, int32_t y) const
{
    return PointListContainsXY(x, y, m_DeploymentArea) != 0;
}

int StageScene::Preparation()
{
    const int rows = static_cast<int>(m_PrepMenu.size());
    if (m_nSubState == 0)
    {
        OpenMenu(std::clamp(m_nPrepRow, 0, rows - 1));
        m_nSubState = 1;
    }
    InputState& input = Input();
    MoveGrid(MenuCursor, input, kPrepMenuX, kPrepMenuY, 0, kMenuRowHeight, 1, rows);
    PlayCursorSound(input.m_nDirections, kCursorAxisVertical, kSeCursor);
    m_nPrepRow = MenuCursor.Current().m_nRow;
    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        MenuCursor.Pop(0);
        const int entry = m_PrepMenu.at(static_cast<std::size_t>(m_nPrepRow));
        if (entry == kPrepConditions)
        {
            SaveReturnState(kStagePreparation);
        }
        SetState(kStageDeploy + entry);
    }
    return 1;
}

int StageScene::Deploy()
{
    InputState& input = Input();
    if (m_nSubState == 0)
    {
        MenuCursor.PushAt(m_nGridSlot % kPartyGridColumns, m_nGridSlot / kPartyGridColumns);
        m_nSubState = 1;
    }
    if (m_nSubState == 1)
    {
        MoveGrid(MenuCursor, input, kPartyGridX, kPartyGridY, kCellSize, kCellSize, kPartyGridColumns, kPartyGridRows);
        PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
        const CursorEntry& cursor = MenuCursor.Current();
        m_nGridSlot = cursor.m_nRow * kPartyGridColumns + cursor.m_nColumn;
        if (input.m_nButtons & kInputButton1)
        {
            if (m_nGridSlot < PartyUnits.Count() && PartyUnits.At(m_nGridSlot).IsPartyMember())
            {
                RequestSound(kSeChoice);
                m_pPicked = &PartyUnits.At(m_nGridSlot);
                m_nSubState = 2;
            }
            else
            {
                RequestSound(kSeRefusal);
            }
        }
        else if (input.m_nButtons & kInputButton2)
        {
            RequestSound(kSeCancel);
            MenuCursor.Pop(0);
            SetState(kStagePreparation);
        }
        return 1;
    }
    // The picked unit goes where button 1 puts it, as often as the player likes.
    MapCursorStep();
    if (input.m_nButtons & kInputButton1)
    {
        CharacterRecord* occupant = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
        if (!InDeploymentArea(m_nCursorX, m_nCursorY) || (occupant && occupant->m_bEnemy))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        if (occupant && occupant != m_pPicked)
        {
            occupant->m_nPlayB = 0;
            m_pField->RemoveUnit(*occupant);
        }
        m_pPicked->m_nPlayB = 1;
        m_pField->PlaceUnit(*m_pPicked, m_nCursorX, m_nCursorY);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        m_pPicked = nullptr;
        m_nSubState = 1;
    }
    return 1;
}

int StageScene::Swap()
{
    InputState& input = Input();
    if (m_nSubState == 0)
    {
        m_nSubState = 1;
    }
    MapCursorStep();
    auto usable = [this](int32_t x, int32_t y)
    {
        const CharacterRecord* unit = m_pField->ActiveUnitAt(x, y);
        return InDeploymentArea(x, y) && !(unit && unit->m_bEnemy);
    };
    if (input.m_nButtons & kInputButton1)
    {
        if (!usable(m_nCursorX, m_nCursorY))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        if (m_nSubState == 1)
        {
            m_nFirstX = m_nCursorX;
            m_nFirstY = m_nCursorY;
            m_nSubState = 2;
            return 1;
        }
        CharacterRecord* first = m_pField->ActiveUnitAt(m_nFirstX, m_nFirstY);
        CharacterRecord* second = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
        if (first)
        {
            m_pField->PlaceUnit(*first, m_nCursorX, m_nCursorY);
        }
        if (second && second != first)
        {
            m_pField->PlaceUnit(*second, m_nFirstX, m_nFirstY);
        }
        m_nSubState = 1;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        if (m_nSubState == 2)
        {
            m_nSubState = 1;
        }
        else
        {
            SetState(kStagePreparation);
        }
    }
    return 1;
}

int StageScene::Undeploy()
{
    InputState& input = Input();
    MapCursorStep();
    if (input.m_nButtons & kInputButton1)
    {
        CharacterRecord* unit = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY);
        if (!unit || unit->m_bEnemy)
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        unit->m_nPlayB = 0;
        m_pField->RemoveUnit(*unit);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        SetState(kStagePreparation);
    }
    return 1;
}

int StageScene::LookAtMap()
{
    if (FreeLookStep())
    {
        SetState(kStagePreparation);
    }
    return 1;
}

int StageScene::Begin()
{
    if (m_nSubState == 1)
    {
        if (Input().m_nButtons & kInputButton1)
        {
            m_pszMessage = nullptr;
            SetState(kStagePreparation);
        }
        return 1;
    }
    if (!m_pLeader || !m_pLeader->m_nPlayB)
    {
        RequestSound(kSeRefusal);
        m_pszMessage = kLeaderMissingText;
        m_nSubState = 1;
        return 1;
    }
    m_Players.clear();
    for (UnitRecord& unit : PartyUnits)
    {
        if (unit.IsPartyMember() && unit.m_nPlayB)
        {
            m_Players.push_back(&unit);
        }
    }
    m_Events.BindHeldEvents();
    SetState(kStagePlayerMap);
    StartPlayerTurn();
    return 1;
}

void StageScene::DrawPreparation() const
{
    if (m_nState == kStagePreparation && m_nSubState == 1)
    {
        DrawMenu(kPrepMenuX, kPrepMenuY, kPrepMenuWidth, MenuTexts(m_PrepMenu, PreparationTexts, kPlacementMenuLength),
                 MenuCursor.Current().m_nRow);
    }
    else if (m_nState == kStageDeploy && m_nSubState == 1)
    {
        m_Target.DrawBox(kFontStandard, kPartyGridX, kPartyGridY, kPartyGridColumns * kCellSize,
                         kPartyGridRows * kCellSize);
        for (int slot = 0; slot < PartyUnits.Count() && slot < kPartyGridColumns * kPartyGridRows; ++slot)
        {
            // A unit on the map shows its second look.
            PartyUnits.At(slot).DrawChip(m_Target, kPartyGridX + slot % kPartyGridColumns * kCellSize,
                                         kPartyGridY + slot / kPartyGridColumns * kCellSize, 1);
        }
        const CursorEntry& cursor = MenuCursor.Current();
        m_Target.Blit(cursor.m_nX, cursor.m_nY, kCellSize, kCellSize, kSurfaceAccessory, kSelectionFrameX, kMarkSheetY);
        if (m_nGridSlot < PartyUnits.Count())
        {
            PartyUnits.At(m_nGridSlot).DrawStatus(m_Target, kStatusX, kStatusY, 0);
        }
    }
    else if (m_nState == kStageSwap && m_nSubState == 2)
    {
        const int column = m_nFirstX - ViewX();
        const int row = m_nFirstY - ViewY();
        m_Target.Blit(column * kCellSize, row * kCellSize, kCellSize, kCellSize, kSurfaceAccessory, kTargetMarkX,
                      kMarkSheetY);
    }
}
