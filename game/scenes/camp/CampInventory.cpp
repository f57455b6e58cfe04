// The order of the party's items in the camp: mark an entry, then swap it
// with a second one.

#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/camp/CampScene.h"

#include <utility>

namespace
{

constexpr int kItemRowsY = kCampItemsY + kListRowHeight;

} // namespace

int CampScene::Items()
{
    InputState& input = Input();
    ItemList& items = Progress.m_Items;
    if (m_nSubState == kSubOpen)
    {
        MenuCursor.PushAt(0, 0);
        m_nFirst = 0;
        m_nMarked = -1;
        m_nSubState = kSubGrid;
    }
    const int entry = MoveListCursor(m_nFirst, kItemRowsY, kListRowHeight, kCampItemsX, kCampItemsRows, items.Count());
    DrawBackground();
    DrawInventoryList(m_Target, kCampItemsX, kCampItemsY, items, m_nFirst, kCampItemsRows, 1, kPriceNone, nullptr,
                      nullptr);
    DrawListPointers(kCampItemsX, kItemRowsY, m_nFirst, kCampItemsRows, m_nMarked);
    DrawMoneyBox();

    if ((input.m_nButtons & kInputButton1) && IsTableIndex(entry, items.Count()))
    {
        MarkOrSwap(entry, [&items](int a, int b) { std::swap(items.At(a), items.At(b)); });
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        if (!DropMark())
        {
            BackToMenu();
        }
    }
    return 1;
}
