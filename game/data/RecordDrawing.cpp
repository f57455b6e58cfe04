#include "RecordDrawing.h"

#include "common/data/ProjectData.h"
#include "common/services/TextAndNumbers.h"
#include "game/data/TargetsAndPrices.h"

namespace
{

constexpr int kIconSize = 16;
constexpr int kDescriptionWidth = 608;
constexpr int kAfterNameX = 160; // cost, price or count beside a name
constexpr int kCountAfterPriceX = 288;
const char* const kDefaultListTitle = "    もちもの";

void DrawIcon(DrawTarget& target, int x, int y, int32_t symbol)
{
    target.Blit(x, y, kIconSize, kIconSize, kSurfaceSymbol, symbol * kIconSize, 0);
}

// A window one row high and one character wider than the name.
void DrawNameWindow(DrawTarget& target, const std::string& name, int x, int y)
{
    target.DrawBox(kFontStandard, x, y, (CountMbChars(name) + 1) * kListRowHeight, kListRowHeight);
}

void DrawDescriptionLine(DrawTarget& target, const std::string& text, int x, int y)
{
    target.DrawBox(kFontStandard, x, y, kDescriptionWidth, kListRowHeight);
    target.DrawText(kFontStandard, x, y, text);
}

} // namespace

void DrawIconName(DrawTarget& target, const SkillRecord& skill, int x, int y, int font, int showCost)
{
    if (skill.m_nSkillB == 0)
    {
        return;
    }
    DrawIcon(target, x, y, System.m_SkillCategory.At(skill.m_nCategory).m_nSymbol);
    target.DrawText(font, x + kIconSize, y, skill.m_strName);
    if (showCost)
    {
        DrawTextF(target, font, x + kAfterNameX, y, "%2d", skill.m_nSpCost);
    }
}

void DrawNameBox(DrawTarget& target, const SkillRecord& skill, int x, int y)
{
    if (skill.m_nSkillB == 0)
    {
        return;
    }
    DrawNameWindow(target, skill.m_strName, x, y);
    DrawIconName(target, skill, x, y, kFontStandard, 0);
}

void DrawDescription(DrawTarget& target, const SkillRecord& skill, int x, int y)
{
    if (skill.m_nSkillB != 0)
    {
        DrawDescriptionLine(target, skill.m_strText, x, y);
    }
}

void DrawDescription(DrawTarget& target, const SkillEntry& entry, int x, int y)
{
    DrawDescription(target, SkillTable.At(entry.m_nSkill), x, y);
}

void DrawIconName(DrawTarget& target, const ItemRecord& item, int x, int y, int priceMode)
{
    if (item.m_nItemB == 0)
    {
        return;
    }
    DrawIcon(target, x, y, System.m_ItemCategory.At(item.m_nCategory).m_nSymbol);
    target.DrawText(kFontStandard, x + kIconSize, y, item.m_strName);
    if (priceMode == kPriceBuy || priceMode == kPriceSell)
    {
        const int32_t price = priceMode == kPriceBuy ? item.m_nPrice : GetSellPrice(item);
        DrawTextF(target, kFontStandard, x + kAfterNameX, y, "%6dS", price);
    }
}

void DrawNameBox(DrawTarget& target, const ItemRecord& item, int x, int y)
{
    if (item.m_nItemB == 0)
    {
        return;
    }
    DrawNameWindow(target, item.m_strName, x, y);
    DrawIconName(target, item, x, y, kPriceNone);
}

void DrawDescription(DrawTarget& target, const ItemRecord& item, int x, int y)
{
    if (item.m_nItemB != 0)
    {
        DrawDescriptionLine(target, item.m_strText, x, y);
    }
}

void DrawDescription(DrawTarget& target, const ItemStack& stack, int x, int y)
{
    DrawDescription(target, ItemTable.At(stack.m_nItem), x, y);
}

void DrawStack(DrawTarget& target, const ItemStack& stack, int x, int y, int showCount, int priceMode)
{
    if (stack.m_nItem == 0)
    {
        return;
    }
    DrawIconName(target, ItemTable.At(stack.m_nItem), x, y, priceMode);
    if (showCount)
    {
        DrawTextF(target, kFontStandard, x + (priceMode != kPriceNone ? kCountAfterPriceX : kAfterNameX), y, "%2d",
                  stack.m_nCount);
    }
}

void DrawInventoryList(DrawTarget& target, int x, int y, const ItemList& list, int first, int rows, int showCount,
                       int priceMode, const char* title, const char* emptyText)
{
    const bool showPrice = priceMode != kPriceNone;
    const int width = showCount ? (showPrice ? 336 : 208) : (showPrice ? 288 : 160);
    target.DrawBox(kFontStandard, x, y, width, (rows + 1) * kListRowHeight);
    target.FillRect(x, y + kListRowHeight - 1, width, 1, kListLineColour);
    target.DrawText(kFontStandard, x, y, title ? title : kDefaultListTitle);
    for (int i = 0; i < rows; ++i)
    {
        const int64_t index = static_cast<int64_t>(first) + i;
        if (index >= list.Count())
        {
            break;
        }
        if (index < 0)
        {
            continue;
        }
        const ItemStack& stack = list[static_cast<std::size_t>(index)];
        const int rowY = y + kListRowHeight * (i + 1);
        if (stack.m_nItem != 0)
        {
            DrawStack(target, stack, x + kListRowHeight, rowY, showCount, priceMode);
        }
        else if (emptyText)
        {
            target.DrawText(kFontStandard, x, rowY, emptyText);
        }
    }
}

void DrawLandInfo(DrawTarget& target, const LandRecord& land, int x, int y, int withHeader)
{
    std::string text;
    if (withHeader)
    {
        text = land.m_bNoEntry ? land.m_strName + "   いどうふかのう\n"
                               : land.m_strName + "   いどうりょく-" + std::to_string(land.m_nMoveCost) + "\n";
    }
    text += land.m_strText;
    if (!text.empty())
    {
        target.DrawTextBox(kFontStandard, x, y, 0, 0, text, 0, kWhite);
    }
}
