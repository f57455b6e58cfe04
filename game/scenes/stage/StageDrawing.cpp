// The stage map on the screen: the cursor and the view that follows it, the
// lands, the highlighted cells, the units, the events, the land box, and the
// windows every state shares (menus, messages, the money, a unit's status
// and skills).

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/Display.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/stage/StageUnitViews.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

constexpr int kSurfaceMapChip = 12;
constexpr int kSurfaceEvent = 15;
constexpr int kChipsPerRow = 8;
constexpr int kEventRows = 15;
constexpr int kEventColumnWidth = 64;
// The accessory sheet: the map cursor's two looks, the menu pointer, the
// movement and attack ranges' two looks, a group's and a deployment cell.
constexpr int kCursorSheetY = 0;
constexpr int kPointerX = 64;
constexpr int kPointerSize = 16;
constexpr int kMovementRangeX = 0;
constexpr int kAttackRangeX = 64;
constexpr int kRangeSheetY = 32;
constexpr int kGroupCellX = 0;
constexpr int kDeploymentCellX = 32;
constexpr int kCellSheetY = 64;

} // namespace

// ---- cursor and view ----

void StageScene::MapCursorStep()
{
    InputState& input = Input();
    const int32_t step = (input.m_nButtons & kInputButton3) ? 3 : 1;
    int32_t dx = 0;
    int32_t dy = 0;
    if (input.m_nDirections & kInputLeft)
    {
        dx = -step;
    }
    else if (input.m_nDirections & kInputRight)
    {
        dx = step;
    }
    if (input.m_nDirections & kInputUp)
    {
        dy = -step;
    }
    else if (input.m_nDirections & kInputDown)
    {
        dy = step;
    }
    MoveCursorTo(m_nCursorX + dx, m_nCursorY + dy);
    if (input.m_nButtons & kInputButton4)
    {
        Progress.ToggleLandInfo();
        RequestSound(kSeChoice);
    }
}

int StageScene::BlinkLook() const
{
    return static_cast<int>(m_nFrame % static_cast<uint32_t>(ScaledFrames(40))) >= ScaledFrames(20) ? 1 : 0;
}

int StageScene::EventLook() const
{
    return static_cast<int>(m_nFrame % static_cast<uint32_t>(ScaledFrames(60))) >= ScaledFrames(30) ? 1 : 0;
}

// ---- the map ----

void StageScene::DrawMap(DrawTarget& target) const
{
    target.FillRect(0, 0, kScreenWidth, kScreenHeight, 0);
    if (!m_pField)
    {
        return;
    }
    for (int row = 0; row < kViewRows; ++row)
    {
        for (int column = 0; column < kViewColumns; ++column)
        {
            const int32_t x = ViewX() + column;
            const int32_t y = ViewY() + row;
            if (m_pField->Contains(x, y))
            {
                const int32_t graphic = m_pField->LandAt(x, y).m_nGraphic;
                target.Blit(column * kCellSize, row * kCellSize, kCellSize, kCellSize, kSurfaceMapChip,
                            graphic % kChipsPerRow * kCellSize, graphic / kChipsPerRow * kCellSize);
            }
        }
    }
    DrawHighlight(target);
    DrawUnits(target);
    DrawEvents(target);
    DrawCursor(target);
    DrawLandBox(target);
}

bool StageScene::IsPreparationState(int state)
{
    return (state >= kStagePreparation && state <= kStageLookAtMap) || state == kStageBegin;
}

StageScene::Highlight StageScene::CurrentHighlight() const
{
    if (IsPreparationState(m_nState))
    {
        return kHighlightArea;
    }
    switch (m_nState)
    {
    case kStageConditions:
    case kStageMapConditions:
        if (m_nSubState == 2 && m_nHighlightGroup != 0)
        {
            return kHighlightGroup;
        }
        return m_nState == kStageConditions ? kHighlightArea : kHighlightNone;
    case kStagePlayerMap:
        return m_nSubState == 1 ? kHighlightMovement : kHighlightNone;
    case kStageMove:
        return m_nSubState == 0 ? kHighlightMovement : kHighlightNone;
    case kStageFight:
        return kHighlightAttack;
    case kStageEnemyAction:
        return m_nSubState == 1 ? kHighlightMovement : m_nSubState == 3 ? kHighlightAttack : kHighlightNone;
    case kStageSkill:
    case kStageItem:
        return m_nSubState == 2 ? kHighlightAttack : kHighlightNone;
    default:
        return kHighlightNone;
    }
}

void StageScene::DrawHighlight(DrawTarget& target) const
{
    const int look = BlinkLook();
    auto cell = [&](int32_t x, int32_t y, int sheetX, int sheetY)
    {
        const int column = x - ViewX();
        const int row = y - ViewY();
        if (column >= 0 && column < kViewColumns && row >= 0 && row < kViewRows)
        {
            target.Blit(column * kCellSize, row * kCellSize, kCellSize, kCellSize, kSurfaceAccessory, sheetX, sheetY);
        }
    };
    auto grid = [&](const CellGrid& values, int sheetX)
    {
        if (values.Width() != m_pField->Width() || values.Height() != m_pField->Height())
        {
            return;
        }
        for (int32_t y = 0; y < values.Height(); ++y)
        {
            for (int32_t x = 0; x < values.Width(); ++x)
            {
                if (values.At(x, y) > 0)
                {
                    cell(x, y, sheetX + look * kCellSize, kRangeSheetY);
                }
            }
        }
    };
    switch (CurrentHighlight())
    {
    case kHighlightMovement:
        grid(m_Movement.m_Points, kMovementRangeX);
        break;
    case kHighlightAttack:
        grid(m_AttackRange, kAttackRangeX);
        break;
    case kHighlightArea:
        for (const MapPoint& point : m_DeploymentArea)
        {
            cell(point.m_nX, point.m_nY, kDeploymentCellX, kCellSheetY);
        }
        break;
    case kHighlightGroup:
        for (const MapPoint& point : Stage.m_GroupPos.At(m_nHighlightGroup).m_Point)
        {
            cell(point.m_nX, point.m_nY, kGroupCellX, kCellSheetY);
        }
        break;
    case kHighlightNone:
        break;
    }
}

void StageScene::DrawUnits(DrawTarget& target) const
{
    for (int row = 0; row < kViewRows; ++row)
    {
        for (int column = 0; column < kViewColumns; ++column)
        {
            if (const CharacterRecord* unit = m_pField->ActiveUnitAt(ViewX() + column, ViewY() + row))
            {
                DrawUnitChip(target, *unit, column * kCellSize, row * kCellSize);
            }
        }
    }
}

void StageScene::DrawEvents(DrawTarget& target) const
{
    const int look = EventLook();
    for (const Event& event : Stage.m_Event)
    {
        const int column = event.m_nX - ViewX();
        const int row = event.m_nY - ViewY();
        if (column < 0 || column >= kViewColumns || row < 0 || row >= kViewRows)
        {
            continue;
        }
        if (const EventPage* page = m_Events.ActivePage(event))
        {
            const int32_t graphic = std::max(page->m_nGraphic, 0);
            target.Blit(column * kCellSize, row * kCellSize, kCellSize, kCellSize, kSurfaceEvent,
                        graphic / kEventRows * kEventColumnWidth + look * kCellSize, graphic % kEventRows * kCellSize);
        }
    }
}

void StageScene::DrawCursor(DrawTarget& target) const
{
    target.Blit(kViewCursorColumn * kCellSize, kViewCursorRow * kCellSize, kCellSize, kCellSize, kSurfaceAccessory,
                BlinkLook() * kCellSize, kCursorSheetY);
}

void StageScene::DrawLandBox(DrawTarget& target) const
{
    if (Progress.LandInfoShown() && m_pField->Contains(m_nCursorX, m_nCursorY))
    {
        DrawLandInfo(target, m_pField->LandAt(m_nCursorX, m_nCursorY), kCentred, kLandInfoY, 1);
    }
}

// ---- the frame ----

void StageScene::DrawScene()
{
    DrawMap(m_Target);
    if (IsPreparationState(m_nState))
    {
        DrawPreparation();
    }
    switch (m_nState)
    {
    case kStageConditions:
    case kStageMapConditions:
        DrawConditions();
        break;
    case kStagePlayerMap:
    case kStageMove:
    case kStageFight:
    case kStageSkill:
    case kStageItem:
        DrawPlayerPhase();
        break;
    case kStageMapMenu:
    case kStageInventory:
    case kStageTurnEnd:
        DrawMapMenu();
        break;
    case kStageVictory:
    case kStageGameOver:
        DrawEnding();
        break;
    default:
        break;
    }
    if (m_pInfoUnit)
    {
        DrawUnitStatus(m_Target, *m_pInfoUnit, kStatusX, kStatusY);
        DrawUnitSkills(m_Target, *m_pInfoUnit, kListX, kListY, m_nInfoFirst, kListRows);
        const CursorEntry& cursor = MenuCursor.Current();
        if (m_pInfoUnit->m_Skill.Count() > 0)
        {
            DrawPointer(kListX, cursor.m_nY);
            DrawDescription(m_Target, m_pInfoUnit->m_Skill.At(cursor.m_nRow), kDescriptionX, kDescriptionY);
        }
    }
    if (m_pszMessage)
    {
        DrawMessage(m_pszMessage);
    }
}

// ---- shared windows ----

void StageScene::DrawPointer(int x, int y) const
{
    m_Target.Blit(x, y, kPointerSize, kPointerSize, kSurfaceAccessory, kPointerX, 0);
}

void StageScene::DrawMenu(int x, int y, int width, const std::vector<const char*>& texts, int cursorRow) const
{
    m_Target.DrawBox(kFontStandard, x, y, width, static_cast<int>(texts.size()) * kMenuRowHeight);
    for (std::size_t i = 0; i < texts.size(); ++i)
    {
        m_Target.DrawText(kFontStandard, x + kPointerSize, y + static_cast<int>(i) * kMenuRowHeight, texts[i]);
    }
    if (cursorRow >= 0 && cursorRow < static_cast<int>(texts.size()))
    {
        DrawPointer(x, y + cursorRow * kMenuRowHeight);
    }
}

void StageScene::DrawMessage(const char* text) const
{
    m_Target.DrawTextBox(kFontStandard, kCentred, kCentred, 0, 0, text, 0, kFontColour);
}

void StageScene::DrawMoneyBox() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%dS", Progress.m_nMoney);
    m_Target.DrawTextBox(kFontStandard, kMoneyBoxX, kMoneyBoxY, 0, 0, text, 0, kFontColour);
}

// ---- a unit's status and skills ----

void StageScene::OpenList(int row, int count, int rows, int x, int y, int32_t& first)
{
    first = std::max(0, std::min(row, count - rows));
    MenuCursor.PushAt(0, row);
    MenuCursor.Current().m_nX = x;
    MenuCursor.Current().m_nY = y + kListRowHeight * (1 + row - first);
}

void StageScene::OpenUnitInfo(CharacterRecord* unit)
{
    m_pInfoUnit = unit;
    OpenList(0, unit->m_Skill.Count(), kListRows, kListX, kListY, m_nInfoFirst);
}

bool StageScene::FreeLookStep()
{
    InputState& input = Input();
    MapCursorStep();
    if (input.m_nButtons & kInputButton1)
    {
        if (CharacterRecord* unit = m_pField->ActiveUnitAt(m_nCursorX, m_nCursorY))
        {
            RequestSound(kSeChoice);
            OpenUnitInfo(unit);
        }
        return false;
    }
    if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        return true;
    }
    return false;
}

bool StageScene::UnitInfoStep()
{
    InputState& input = Input();
    MoveList(MenuCursor, input, true, m_nInfoFirst, kListY + kListRowHeight, kListRowHeight, kListX, kListRows,
             m_pInfoUnit->m_Skill.Count(), true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        m_pInfoUnit = nullptr;
    }
    return true;
}
