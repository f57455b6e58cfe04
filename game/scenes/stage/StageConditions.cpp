// The conditions of the stage: the turn, the titles of the victory, defeat
// and other explanation pages, and for a page that points at something on
// the map, a look at it with its position group shown.

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/stage/StageScene.h"

#include <cstdio>
#include <string>

namespace
{

constexpr int kPagesShown = 4;
constexpr int kTextInset = 8;
constexpr int kHeaderX = kConditionsX + 16;
constexpr int kTitleX = kConditionsX + 32;

// Explanation pages' cursor modes (rows of PositionModeNames).
constexpr int32_t kPageModeLeader = 1;
constexpr int32_t kPageModeEnemy = 2;
constexpr int32_t kPageModeGroup = 3;
constexpr int32_t kPageModeCell = 4;

// One row of the conditions box: a text, and for a title its page.
struct ConditionRow
{
    std::string m_strText;
    int m_nX = kHeaderX;
    const ExplanationPage* m_pPage = nullptr;
};

// The title of a page: its text up to the first line break.
std::string TitleOf(const ExplanationPage& page)
{
    return page.m_strText.substr(0, page.m_strText.find('\n'));
}

std::vector<ConditionRow> ConditionRows(int32_t turn)
{
    std::vector<ConditionRow> rows;
    char line[64];
    std::snprintf(line, sizeof line, "げんざい　%dターンめ", turn);
    rows.push_back({line});
    rows.push_back({});
    auto section = [&rows](const char* header, const CheckedVector<ExplanationPage>& pages)
    {
        rows.push_back({header});
        for (int i = 0; i < kPagesShown; ++i)
        {
            if (i < pages.Count())
            {
                const ExplanationPage& page = pages[static_cast<std::size_t>(i)];
                rows.push_back({TitleOf(page), kTitleX, &page});
            }
            else
            {
                rows.push_back({});
            }
        }
    };
    section("＜しょうりじょうけん＞", Stage.m_WinPage);
    section("＜はいぼくじょうけん＞", Stage.m_LosePage);
    section("＜そのた＞", Stage.m_OtherPage);
    rows.push_back({});
    rows.push_back({"※Ｚキーでターゲットやもくてきちをひょうじ"});
    return rows;
}

// The next title row from `row` in the direction (1 down, -1 up), wrapping; -1 when there is none.
int NextTitle(const std::vector<ConditionRow>& rows, int row, int direction)
{
    const int count = static_cast<int>(rows.size());
    for (int step = 1; step <= count; ++step)
    {
        const int candidate = ((row + direction * step) % count + count) % count;
        if (rows[static_cast<std::size_t>(candidate)].m_pPage)
        {
            return candidate;
        }
    }
    return -1;
}

} // namespace

void StageScene::SaveReturnState(int state)
{
    m_nReturnState = state;
}

int StageScene::Conditions()
{
    InputState& input = Input();
    const std::vector<ConditionRow> rows = ConditionRows(m_nTurn);
    if (m_nSubState == 0)
    {
        m_nConditionRow = NextTitle(rows, -1, 1);
        MenuCursor.PushAt(0, m_nConditionRow);
        m_nSubState = 1;
    }
    if (m_nSubState == 2)
    {
        if (FreeLookStep())
        {
            m_nHighlightGroup = 0;
            m_nSubState = 1;
        }
        return 1;
    }

    if (m_nConditionRow >= 0 && (input.m_nDirections & (kInputUp | kInputDown)))
    {
        m_nConditionRow = NextTitle(rows, m_nConditionRow, (input.m_nDirections & kInputUp) ? -1 : 1);
        PlaySoundEffect(kSeCursor);
    }
    MenuCursor.Current().m_nRow = m_nConditionRow;
    if (input.m_nButtons & kInputButton1)
    {
        const ExplanationPage* page =
            m_nConditionRow >= 0 ? rows[static_cast<std::size_t>(m_nConditionRow)].m_pPage : nullptr;
        if (!page || !HasMapTarget(*page))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        switch (page->m_nCursorMode)
        {
        case kPageModeLeader:
            if (m_pLeader && m_pField->IsActive(*m_pLeader))
            {
                MoveCursorTo(m_pLeader->m_nPlayE, m_pLeader->m_nPlayF);
            }
            break;
        case kPageModeEnemy:
            if (IsTableIndex(page->m_nEnemy, m_Enemies.Count()))
            {
                const EnemyUnitRecord* enemy = m_Enemies.At(page->m_nEnemy);
                MoveCursorTo(enemy->m_nPlayE, enemy->m_nPlayF);
            }
            break;
        case kPageModeGroup:
            // A stage's own check may leave the group one past a single group: then the cursor stays.
            if (IsTableIndex(page->m_nGroup, Stage.m_GroupPos.Count()))
            {
                const PositionGroup& group = Stage.m_GroupPos.At(page->m_nGroup);
                MoveCursorTo(group.m_nCenterX, group.m_nCenterY);
            }
            break;
        case kPageModeCell:
            MoveCursorTo(page->m_nX, page->m_nY);
            break;
        default:
            break;
        }
        m_nHighlightGroup = IsTableIndex(page->m_nShownGroup, Stage.m_GroupPos.Count()) ? page->m_nShownGroup : 0;
        m_nSubState = 2;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(0);
        SetState(m_nReturnState);
    }
    return 1;
}

void StageScene::DrawConditions() const
{
    if (m_nSubState != 1)
    {
        return;
    }
    m_Target.DrawBox(kFontStandard, kConditionsX, kConditionsY, kConditionsWidth, kConditionsHeight);
    const std::vector<ConditionRow> rows = ConditionRows(m_nTurn);
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        if (!rows[i].m_strText.empty())
        {
            m_Target.DrawText(kFontStandard, rows[i].m_nX,
                              kConditionsY + kTextInset + static_cast<int>(i) * kMenuRowHeight, rows[i].m_strText);
        }
    }
    if (m_nConditionRow >= 0)
    {
        DrawPointer(kTitleX - 16, kConditionsY + kTextInset + m_nConditionRow * kMenuRowHeight);
    }
}
