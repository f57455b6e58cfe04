// The battle's picture, back to front: the background of the land, the
// action-order timeline, the two figures, their status windows, then what the
// state shows: the command menu, a list, the forecast, the effect with its
// name box, the falling numbers, a message or a result line.

#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "game/data/RecordDrawing.h"
#include "game/engine/Display.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/ScreenEffects.h"
#include "game/engine/SystemIni.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/BattleAi.h"
#include "game/scenes/battle/BattleScene.h"

#include <algorithm>

namespace
{

// The action-order sheet: the bar, then a row of 16 x 16 marks under it.
constexpr int kSurfaceTime = 16;
constexpr int kSurfaceEffect = 17;
constexpr int kSurfaceNumber = 19;
constexpr int kTimeBarWidth = 608;
constexpr int kTimeBarHeight = 24;
constexpr int kTimeMarkSize = 16;
constexpr int kMarkFriend = 0;
constexpr int kMarkEnemy = 16;
constexpr int kMarkNow = 32;
constexpr int kMarkDone = 48;

// The battle figures: 48 x 48 cells of the character sheet, row by the
// class's graphic, the face in column 0 and the figures after it; the friend
// faces right (surface 7), the enemy left (surface 8).
constexpr int kSurfaceFigureRight = 7;
constexpr int kSurfaceFigureLeft = 8;
constexpr int kFigureCell = 48;
enum FigureFrame
{
    kFigureStand,
    kFigureStep,
    kFigureStrike,
    kFigureHurt,
    kFigureFallen,
};
// Frames (at 60 fps) each of the two standing looks shows.
constexpr int kFigureStepFrames = 30;

// The six colour blocks of the effects: eight entries each from 192.
constexpr int kEffectColourFirst = 192;
constexpr int kEffectColourBlocks = 6;
constexpr int kEffectColourBlock = 8;

// Where a popup stands over a figure, and where messages show.
constexpr int kPopupDX = 16;
constexpr int kPopupDY = 32;
constexpr int kMessageY = 120;

} // namespace

int BattleScene::UnitX(const BattleParticipant& participant) const
{
    return participant.m_nSide == kSideEnemy ? kBattleEnemyX : kBattleFriendX;
}

void BattleScene::DrawBattle()
{
    ++m_nTick;
    DrawBackground();
    DrawTimeline();
    const BattleParticipant& friendSide = m_Exchange.State().m_Friend;
    const BattleParticipant& enemySide = m_Exchange.State().m_Enemy;
    DrawParticipant(friendSide, kBattleFriendX);
    DrawParticipant(enemySide, kBattleEnemyX);
    DrawStatus(friendSide, 0);
    DrawStatus(enemySide, kScreenWidth - kBattleStatusWidth);

    switch (m_nState)
    {
    case kBattleCommand:
    case kBattleAttack:
        if (m_bShowForecast)
        {
            DrawForecast();
        }
        else if (m_pMenu)
        {
            m_pMenu->Draw(m_Target);
        }
        break;
    case kBattleSkill:
    case kBattleQuick:
        DrawSkillList();
        if (m_bShowForecast)
        {
            DrawForecast();
        }
        break;
    case kBattleItem:
        DrawItemList();
        if (m_bShowForecast)
        {
            DrawForecast();
        }
        break;
    case kBattleExecute:
        DrawEffect();
        break;
    case kBattlePopups:
        DrawPopup(friendSide, kBattleFriendX);
        DrawPopup(enemySide, kBattleEnemyX);
        break;
    case kBattleMessages:
        if (m_nMessage < static_cast<int>(m_Exchange.ActionMessages().size()))
        {
            DrawMessage(m_Exchange.ActionMessages()[static_cast<std::size_t>(m_nMessage)]);
        }
        break;
    case kBattleResults:
        if (m_nResultLine < static_cast<int>(m_Exchange.ResultMessages().size()))
        {
            DrawMessage(m_Exchange.ResultMessages()[static_cast<std::size_t>(m_nResultLine)]);
        }
        break;
    default:
        break;
    }
}

void BattleScene::DrawBackground() const
{
    m_Target.Blit(0, 0, kScreenWidth, kScreenHeight, kBattleSurfaceBackground, 0, 0);
}

void BattleScene::DrawTimeline() const
{
    const BattleState& battle = m_Exchange.State();
    if (battle.m_nBattleTime <= 0)
    {
        return;
    }
    const int stepWidth = std::max(kTimeBarWidth / battle.m_nBattleTime, 1);
    const int markOffset = std::max((stepWidth - kTimeMarkSize) / 2, 0);
    auto markX = [&](int32_t step) { return kBattleTimelineX + step * stepWidth + markOffset; };
    m_Target.Blit(kBattleTimelineX, kBattleTimelineY, kTimeBarWidth, kTimeBarHeight, kSurfaceTime, 0, 0);
    m_Target.Blit(markX(battle.m_nElapsed), kBattleTimelineY + (kTimeBarHeight - kTimeMarkSize) / 2, kTimeMarkSize,
                  kTimeMarkSize, kSurfaceTime, kMarkNow, kTimeBarHeight);
    int row = 0;
    for (const BattleParticipant* participant : {&battle.m_Friend, &battle.m_Enemy})
    {
        const int y = kBattleTimelineY + kTimeBarHeight + row * kTimeMarkSize;
        const int mark = participant->m_nSide == kSideEnemy ? kMarkEnemy : kMarkFriend;
        for (const PlannedAction& planned : participant->m_Timeline)
        {
            m_Target.Blit(markX(planned.m_nStep), y, kTimeMarkSize, kTimeMarkSize, kSurfaceTime,
                          planned.m_bDone ? kMarkDone : mark, kTimeBarHeight);
        }
        ++row;
    }
}

void BattleScene::DrawParticipant(const BattleParticipant& participant, int x) const
{
    // Its fall has been shown: gone.
    if (participant.m_bDead == 2 || !IsTableIndex(participant.m_nClass, ClassTable.Count()))
    {
        return;
    }
    int frame = (m_nTick / ScaledFrames(kFigureStepFrames)) % 2 == 0 ? kFigureStand : kFigureStep;
    const BattleState& battle = m_Exchange.State();
    if (participant.m_bDead)
    {
        frame = kFigureFallen;
    }
    else if (m_nState == kBattleExecute && battle.m_Forecast.m_pActor == &participant)
    {
        frame = kFigureStrike;
    }
    else if (m_nState == kBattlePopups && participant.m_nResultKind == kResultDamage &&
             m_Exchange.PopupOf(participant).IsActive())
    {
        frame = kFigureHurt;
    }
    const int row = ClassTable.At(participant.m_nClass).m_nGraphic;
    m_Target.BlitScaled(x, kBattleUnitY, kBattleSpriteSize, kBattleSpriteSize,
                        participant.m_nSide == kSideEnemy ? kSurfaceFigureLeft : kSurfaceFigureRight,
                        (1 + frame) * kFigureCell, row * kFigureCell, kFigureCell, kFigureCell);
}

void BattleScene::DrawStatus(const BattleParticipant& participant, int x) const
{
    m_Target.DrawBox(kFontStandard, x, kBattleStatusY, kBattleStatusWidth, kBattleStatusHeight);
    DrawTextF(m_Target, kFontStandard, x + 8, kBattleStatusY, "%s  LV%2d", participant.m_strName.c_str(),
              participant.Level());
    const int32_t* v = participant.m_nValue;
    DrawTextF(m_Target, kFontStandard, x + 8, kBattleStatusY + 16,
              "HP   %3d / %3d\nSP   %3d / %3d\nこうげき %3d\nまもり  %3d\nまりょく %3d\nていこう %3d\nわざ   %3d\n"
              "はんのう %3d\nはやさ  %3d\n",
              v[kParamHp], participant.Max(kParamHp), v[kParamSp], participant.Max(kParamSp), v[2], v[3], v[4], v[5],
              v[6], v[7], v[8]);
}

void BattleScene::DrawForecast() const
{
    std::string text;
    for (const std::string& line : ForecastLines(m_Exchange.State().m_Forecast, m_strCommandName))
    {
        text += line;
        text += '\n';
    }
    m_Target.DrawBox(kFontStandard, kBattleForecastX, kBattleForecastY, kBattleForecastWidth, kBattleForecastHeight);
    m_Target.DrawText(kFontStandard, kBattleForecastX + kMenuBoxMargin, kBattleForecastY, text);
}

void BattleScene::DrawSkillList() const
{
    const BattleParticipant& actor = m_Exchange.State().m_Friend;
    constexpr int kListWidth = 208;
    m_Target.DrawBox(kFontStandard, kBattleListX, kBattleListY, kListWidth, (kBattleListRows + 1) * kListRowHeight);
    DrawTextF(m_Target, kFontStandard, kBattleListX + kMenuBoxMargin, kBattleListY, "SP %d / %d", actor.Value(kParamSp),
              actor.Max(kParamSp));
    m_Target.FillRect(kBattleListX, kBattleListY + kListRowHeight - 1, kListWidth, 1, kListLineColour);
    for (int row = 0; row < kBattleListRows; ++row)
    {
        const int index = m_nListFirst + row;
        if (index >= actor.m_Skill.Count())
        {
            break;
        }
        const int32_t skill = actor.m_Skill.At(index).m_nSkill;
        if (skill == 0 || !IsTableIndex(skill, SkillTable.Count()))
        {
            continue;
        }
        const SkillRecord& record = SkillTable.At(skill);
        const int font = CanUseSkill(actor, record, m_bQuickMode) ? kFontStandard : kFontGrey;
        DrawIconName(m_Target, record, kBattleListX + kMenuBoxMargin, kBattleListY + (row + 1) * kListRowHeight, font,
                     1);
    }
    if (!m_bShowForecast)
    {
        const CursorEntry& cursor = MenuCursor.Current();
        DrawMenuPointer(m_Target, cursor.m_nX, cursor.m_nY, kListRowHeight);
    }
}

void BattleScene::DrawItemList() const
{
    DrawInventoryList(m_Target, kBattleListX, kBattleListY, m_Items, m_nListFirst, kBattleListRows, 1, kPriceNone,
                      nullptr, nullptr);
    if (!m_bShowForecast)
    {
        const CursorEntry& cursor = MenuCursor.Current();
        DrawMenuPointer(m_Target, cursor.m_nX, cursor.m_nY, kListRowHeight);
    }
}

void BattleScene::DrawEffect() const
{
    const BattleState& battle = m_Exchange.State();
    const BattleAction& action = battle.m_Action;
    if ((action.m_nKind == kActionSkill || action.m_nKind == kActionQuickSkill) &&
        IsTableIndex(action.m_nSkill, SkillTable.Count()))
    {
        DrawNameBox(m_Target, SkillTable.At(action.m_nSkill), kBattleNameBoxX, kBattleNameBoxY);
    }
    else if (action.m_nKind == kActionItem && IsTableIndex(action.m_nItem, ItemTable.Count()))
    {
        DrawNameBox(m_Target, ItemTable.At(action.m_nItem), kBattleNameBoxX, kBattleNameBoxY);
    }
    // Over the target, or over the actor of an action that aims at no unit.
    const BattleParticipant* over =
        battle.m_Forecast.m_pTarget ? battle.m_Forecast.m_pTarget : battle.m_Forecast.m_pActor;
    if (!over)
    {
        return;
    }
    const int frame = std::min(m_nFrame / ScaledFrames(kBattleEffectFrameTime), kBattleEffectFrames - 1);
    const int x = UnitX(*over) + (kBattleSpriteSize - kBattleEffectWidth) / 2;
    const int y = kBattleUnitY + (kBattleSpriteSize - kBattleEffectHeight) / 2;
    m_Target.Blit(x, y, kBattleEffectWidth, kBattleEffectHeight, kSurfaceEffect, frame * kBattleEffectWidth,
                  LookOfAction().m_nRow * kBattleEffectHeight);
}

void BattleScene::DrawPopup(const BattleParticipant& participant, int x) const
{
    const DamagePopup& popup = m_Exchange.PopupOf(participant);
    for (const PopupGlyph& glyph : popup.Glyphs())
    {
        m_Target.Blit(x + kPopupDX + glyph.m_nX, kBattleUnitY + kPopupDY + glyph.m_nY, kPopupGlyphWidth,
                      kPopupGlyphHeight, kSurfaceNumber, glyph.m_nSourceX, glyph.m_nSourceY);
    }
}

void BattleScene::DrawMessage(const std::string& text) const
{
    m_Target.DrawTextBox(kFontStandard, kCentred, kMessageY, 0, 0, text, 0, kFontColour);
}

void BattleScene::RotateEffectColours(int frame) const
{
    // One step every frame-scale frames, round after eight.
    const int step = (frame / ScaledFrames(1)) % kEffectColourBlock;
    platform::DisplayPaletteEntries palette = Display.m_SourcePalette;
    for (int block = 0; block < kEffectColourBlocks; ++block)
    {
        const int first = kEffectColourFirst + block * kEffectColourBlock;
        platform::DisplayPaletteEntries turned;
        RotatePalette(turned, first, first + kEffectColourBlock - 1, step, 0, palette);
        palette = turned;
    }
    Display.m_WorkingPalette = palette;
}
