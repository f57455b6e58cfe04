// Who joins and who leaves the party in the camp: hiring from the hire
// list, reviving from the list of fallen units, and dismissing a member.

#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/camp/CampScene.h"

namespace
{

// The hire and fallen lists show two units a page: their status windows
// 200 px apart from y = 64, the price centred under each; the title above.
constexpr int kRecruitTitleY = 16;
constexpr int kRecruitStatusY = 64;
constexpr int kRecruitSpacing = 200;
constexpr int kRecruitPerPage = 2;
constexpr int kRecruitPriceY = 229;
// The pointer left of a status window, at its middle.
constexpr int kRecruitPointerX = 0;
constexpr int kRecruitPointerDown = 72;

constexpr int kSkillRowsY = kCampListY + kListRowHeight;

// Where the dismissal money shows beside the status.
constexpr int kDismissPriceX = 456;
constexpr int kDismissPriceY = 32;

// The rows of a unit's menu in the lists.
constexpr int kViewSkillsRow = 0;
constexpr int kTakeRow = 1;
// The rows of the dismissal menu.
constexpr int kDismissRow = 0;
constexpr int kKeepRow = 1;

const MenuBox& UnitMenu(bool reviving)
{
    static const MenuBox hire("スキルをみる\nやとう\nもどる", 264, 320);
    static const MenuBox revive("スキルをみる\nふっかつ\nもどる", 264, 320);
    return reviving ? revive : hire;
}

const MenuBox& DismissMenu()
{
    static const MenuBox menu("ほうしゅつ\nもどる", 272, 320);
    return menu;
}

int32_t PriceOf(const UnitRecord& unit, bool reviving)
{
    return reviving ? unit.GetReviveCost() : unit.GetHireCost();
}

// Empties both equipment slots of the unit into the stock; false, with
// nothing changed, when the stock cannot take them all back.
bool GiveBackEquipment(UnitRecord& unit, ItemList& stock)
{
    UnitRecord leaving(unit);
    ItemList after(stock);
    if (!leaving.Unequip(0, after) || !leaving.Unequip(1, after))
    {
        return false;
    }
    unit = std::move(leaving);
    stock = std::move(after);
    return true;
}

} // namespace

void CampScene::DrawRecruitList(const CheckedVector<UnitRecord>& units, const char* title, bool reviving)
{
    m_Target.DrawTextBox(kFontStandard, kCentred, kRecruitTitleY, 0, 0, title, 0, kFontColour);
    for (int i = 0; i < kRecruitPerPage && m_nFirst + i < units.Count(); ++i)
    {
        const UnitRecord& unit = units.At(m_nFirst + i);
        unit.DrawStatus(m_Target, kCampStatusX, kRecruitStatusY + kRecruitSpacing * i, 0);
        DrawTextBoxF(m_Target, kFontStandard, kCentred, kRecruitPriceY + kRecruitSpacing * i, "%d S",
                     PriceOf(unit, reviving));
    }
    const int row = MenuCursor.Current().m_nRow;
    const int picked = m_nSubState == kSubGrid ? row : m_nPicked;
    DrawMenuPointer(m_Target, kRecruitPointerX,
                    kRecruitStatusY + kRecruitSpacing * (picked - m_nFirst) + kRecruitPointerDown);
}

int CampScene::Recruit(bool reviving)
{
    CheckedVector<UnitRecord>& units = reviving ? Progress.m_FallenList : Progress.m_HireList;
    const char* title = reviving ? "ふっかつさせたいなかまをえらんでください" : "やといたいなかまをえらんでください";
    const MenuBox& menu = UnitMenu(reviving);
    InputState& input = Input();
    switch (m_nSubState)
    {
    case kSubOpen:
        MenuCursor.PushAt(0, 0);
        m_nFirst = 0;
        m_nSubState = kSubGrid;
        [[fallthrough]];
    case kSubGrid:
    {
        if (units.empty())
        {
            BackToMenu(); // the last one joined
            break;
        }
        const int entry = MoveListCursor(m_nFirst, kRecruitStatusY, kRecruitSpacing, kRecruitPointerX, kRecruitPerPage,
                                         units.Count());
        DrawBackground(false);
        DrawRecruitList(units, title, reviving);
        AskOrLeave(entry, menu, kViewSkillsRow);
        break;
    }
    case kSubDetail:
    {
        PlayCursorSound(menu.Move(input), kCursorAxisVertical, kSeCursor);
        DrawBackground(false);
        DrawRecruitList(units, title, reviving);
        menu.Draw(m_Target);
        if (input.m_nButtons & kInputButton1)
        {
            switch (menu.Row())
            {
            case kViewSkillsRow:
                RequestSound(kSeChoice);
                m_nSkillFirst = 0;
                MenuCursor.PushAt(0, 0);
                m_nSubState = kSubList;
                break;
            case kTakeRow:
            {
                const int32_t price = PriceOf(units.At(m_nPicked), reviving);
                // A full party takes no one, whatever the money.
                if (Progress.m_nMoney < price || FindFreeSlot(PartyUnits) < 0 ||
                    !(reviving ? Progress.ReviveUnit(m_nPicked) : Progress.HireUnit(m_nPicked)))
                {
                    RequestSound(kSeRefusal);
                    break;
                }
                Progress.AddMoney(-int64_t{price});
                CloseQuestion(menu, kSeClear);
                break;
            }
            default:
                CloseQuestion(menu, kSeChoice);
                break;
            }
        }
        else if (input.m_nButtons & kInputButton2)
        {
            CloseQuestion(menu, kSeCancel);
        }
        break;
    }
    case kSubList:
    {
        const UnitRecord& unit = units.At(m_nPicked);
        MoveListCursor(m_nSkillFirst, kSkillRowsY, kListRowHeight, kCampListX, kCampListRows, unit.m_Skill.Count());
        DrawBackground(false);
        DrawRecruitList(units, title, reviving);
        unit.DrawSkillList(m_Target, kCampListX, kCampListY, m_nSkillFirst, kCampListRows);
        DrawListPointers(kCampListX, kSkillRowsY, m_nSkillFirst, kCampListRows, -1);
        if (input.m_nButtons & (kInputButton1 | kInputButton2))
        {
            RequestSound(ButtonSound());
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

int CampScene::Dismiss()
{
    const MenuBox& menu = DismissMenu();
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
            menu.Open(kKeepRow);
            m_nSubState = kSubDetail;
        }
        break;
    }
    case kSubDetail:
    {
        UnitRecord& unit = PartyUnits.At(m_nPicked);
        PlayCursorSound(menu.Move(input), kCursorAxisVertical, kSeCursor);
        DrawBackground();
        unit.DrawStatus(m_Target, kCampStatusX, kCampStatusY, 0);
        DrawTextBoxF(m_Target, kFontStandard, kDismissPriceX, kDismissPriceY, "%d S", unit.GetDismissPrice());
        menu.Draw(m_Target);
        if ((input.m_nButtons & kInputButton1) && menu.Row() == kDismissRow)
        {
            // A unit that must stay, or whose equipment the stock cannot take back, stays.
            const int32_t money = unit.GetDismissPrice();
            if (unit.m_bNoRelease || !GiveBackEquipment(unit, Progress.m_Items))
            {
                RequestSound(kSeRefusal);
                break;
            }
            Progress.AddMoney(money);
            unit.MakeEmpty();
            CloseQuestion(menu, kSeClear);
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
