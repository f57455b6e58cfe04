// The vectors a record shows the data tool are all the vectors it stores: for
// each kind of file, a record with every list filled saves exactly as many
// bytes as its members and its shown vectors account for.
#include "DatabaseTestSupport.h"
#include "ProjectFixture.h"
#include "common/data/EditConfigRecord.h"
#include "common/data/EventVocabulary.h"
#include "common/data/WorldMapRecord.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

using RecordVisitorTest = ProjectFixture;

Event FilledEvent(int32_t x, int32_t y)
{
    Event event;
    event.m_nX = x;
    event.m_nY = y;
    event.m_strName = "e";
    event.m_Page.resize(2);
    EventCommand message;
    message.m_nCode = kCommandMessage;
    message.FitArguments();
    message.m_StrParam.At(0).m_str = "こんにちは";
    EventCommand shop;
    shop.m_nCode = kCommandShop;
    shop.FitArguments();
    shop.m_ShopItem.resize(2);
    shop.m_ShopItem.At(0).m_nItem = 3;
    shop.m_ShopItem.At(1).m_nItem = 5;
    event.m_Page.At(1).m_Action = {message, shop};
    return event;
}

std::unique_ptr<SerializableRecord> FilledStage()
{
    auto stage = std::make_unique<StageRecord>();
    stage->CellAt(3, 4) = 2;
    stage->m_GroupPos.At(1).m_Point = {{1, 2}, {3, 4}};
    stage->m_Enemy.resize(1);
    stage->m_Enemy.At(0).m_nX = 2;
    stage->m_Enemy.At(0).m_MoveAI.resize(2);
    stage->m_Event = {FilledEvent(1, 1), FilledEvent(2, 2)};
    stage->m_PaletteEvent.push_back(FilledEvent(0, 0));
    stage->m_WinPage.resize(1);
    stage->m_LosePage.resize(2);
    stage->m_OtherPage.resize(1);
    return stage;
}

std::unique_ptr<SerializableRecord> FilledWorldMap()
{
    auto map = std::make_unique<WorldMapRecord>();
    map->CellAt(1, 1) = 4;
    WorldMapEvent event;
    event.Init();
    event.m_Page.resize(3);
    map->PutEvent(event, 2, 3);
    map->m_Palette.push_back(event);
    return map;
}

TEST_F(RecordVisitorTest, VisitorShowsEveryStoredVector)
{
    struct Case
    {
        const char* kind;
        std::function<std::unique_ptr<SerializableRecord>()> make;
    };
    const Case cases[] = {
        {"stage", FilledStage},
        {"world map", FilledWorldMap},
        {"event", [] { return std::make_unique<Event>(FilledEvent(0, 0)); }},
        {"edit configuration", [] { return std::make_unique<EditConfigRecord>(); }},
        {"variable name", [] {
             auto name = std::make_unique<StringRecord>();
             name->m_str = "所持金";
             return name;
         }},
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<SerializableRecord> record = c.make();
        std::vector<unsigned char> saved = dbtest::SaveBytes(*record); // after the checks the save runs
        EXPECT_EQ(dbtest::ShownImageSize(*record), saved.size()) << c.kind;
    }
}

} // namespace
