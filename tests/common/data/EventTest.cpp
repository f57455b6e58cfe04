#include "EventImages.h"
#include "ProjectFixture.h"
#include "common/data/EventCommandCheck.h"
#include "common/data/PaletteFiles.h"

#include <gtest/gtest.h>

namespace
{

using namespace event_images;

using EventTest = ProjectFixture;

std::vector<int32_t> Ints(const EventCommand& command)
{
    return {command.m_nValParam.begin(), command.m_nValParam.end()};
}

EventCommand MakeCommand(int32_t code, std::vector<int32_t> ints)
{
    EventCommand command;
    command.m_nCode = code;
    command.m_nValParam.assign(ints.begin(), ints.end());
    return command;
}

// Loads one record from an image written at the version.
template <class T> void LoadImage(T& record, int32_t version, const std::vector<unsigned char>& image)
{
    DataReader in(image, version, "image");
    ASSERT_TRUE(record.Load(in)) << in.Error();
    EXPECT_EQ(in.Remaining(), 0u);
}

template <class T> std::vector<unsigned char> Image(T& record)
{
    DataWriter out;
    record.Save(out);
    return out.Bytes();
}

TEST_F(EventTest, MessageCommandSavesItsThirtyNineBytes)
{
    EventCommand command;
    command.m_nCode = kCommandMessage;
    command.FitArguments();
    ASSERT_EQ(command.m_StrParam.size(), 1u);
    command.m_StrParam.At(0).m_str = "あ";

    const std::vector<unsigned char> expected = {
        0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // record image: code 1, no strings
        0x00, 0x00, 0x00, 0x00,                                                 // no int arguments
        0x01, 0x00, 0x00, 0x00,                                                 // one string argument
        0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x82, 0xA0, 0x00, // "あ"
        0x00, 0x00, 0x00, 0x00,                                                                   // no goods
    };
    std::vector<unsigned char> saved = Image(command);
    EXPECT_EQ(saved.size(), 39u);
    EXPECT_EQ(HexBytes(saved), HexBytes(expected));

    EventCommand back;
    LoadImage(back, 276, saved);
    EXPECT_EQ(back.m_nCode, kCommandMessage);
    EXPECT_EQ(back.m_StrParam.At(0).m_str, "あ");
}

TEST_F(EventTest, OldCommandCodesMoveToTodaysRows)
{
    struct Case
    {
        int32_t version;
        CommandImage stored;
        int32_t code;
        std::vector<int32_t> ints;
    };
    const Case cases[] = {
        {83, {8, {1, 2, 3, 4, 5, 6, 7}}, 10, {1, 2, 3, 1, 5, 6, 7}}, // both shifts: "ステータスの操作"
        {83, {1, {}, {"x"}}, 1, {}},
        {83, {2, {0, 1, 2, 3}}, 3, {0, 1, 2, 3}},
        {83, {11, {}}, 13, {1}}, // the old shop, first argument given and set to 1
        {85, {8, {4}}, 9, {4}},
        {85, {7, {1, 2, 3, 1}}, 7, {1, 2, 3, 1}},
        {89, {8, {4}}, 8, {4}},
        {100, {13, {0}, {}, {2}}, 13, {1}},
        {103, {13, {0}, {}, {2}}, 13, {0}},
        {276, {18, {1, 2}}, 0, {}}, // no such row
        {276, {-1, {}}, 0, {}},
        {83, {0x7FFFFFFF, {}}, 0, {}}, // the shifts stop at the largest code, which has no row
        {88, {0x7FFFFFFF, {}}, 0, {}},
    };
    for (const Case& c : cases)
    {
        ByteBuilder b;
        Command(b, c.version, c.stored);
        EventCommand command;
        LoadImage(command, c.version, b.Data());
        EXPECT_EQ(command.m_nCode, c.code) << c.version << " " << c.stored.code;
        EXPECT_EQ(Ints(command), c.ints) << c.version << " " << c.stored.code;
        EXPECT_EQ(command.m_StrParam.Count(), EventCommandTable[c.code].m_nStringArgs);
    }
}

TEST_F(EventTest, OldPagesLoadTheirLayout)
{
    struct Case
    {
        int32_t version;
        int32_t timing;
        int32_t expectedTiming;
    };
    for (Case c : {Case{89, 7, 10}, Case{89, 6, 6}, Case{89, 11, 14}, Case{90, 7, 7}, Case{70, 7, 10},
                   Case{89, 18, 21}, Case{89, 19, 0}, // a timing moved past the table becomes 0
                   Case{89, 0x7FFFFFFF, 0}, Case{276, 22, 0}, Case{276, -1, 0}})
    {
        ByteBuilder b;
        Page(b, c.version, {.graphic = 3, .group = 1, .timing = c.timing, .exists = 1, .commandName = "必殺"});
        EventPage page;
        page.m_strCommandName = "before";
        LoadImage(page, c.version, b.Data());
        EXPECT_EQ(page.m_nTiming, c.expectedTiming) << c.version;
        EXPECT_EQ(page.m_nGraphic, 3);
        EXPECT_EQ(page.m_nGroup, 1);
        EXPECT_EQ(page.m_nExists, c.version >= 90 ? 1 : 0);
    }

    // A version-70 event: its pages have no command name and read as empty.
    ByteBuilder b;
    EventImage(b, 70, 4, 5, "古い", {{.commandName = "unused"}, {.graphic = 2}});
    Event event;
    LoadImage(event, 70, b.Data());
    EXPECT_EQ(event.m_nX, 4);
    EXPECT_EQ(event.m_nEventVar, 0);
    EXPECT_EQ(event.m_strName, "古い");
    ASSERT_EQ(event.m_Page.size(), 2u);
    EXPECT_EQ(event.m_Page[0].m_strCommandName, "");
    EXPECT_EQ(event.m_Page[1].m_nGraphic, 2);

    // Saved again, it is in today's layout.
    std::vector<unsigned char> saved = Image(event);
    Event again;
    LoadImage(again, 276, saved);
    EXPECT_EQ(HexBytes(Image(again)), HexBytes(saved));
}

TEST_F(EventTest, ChecksKeepArgumentsInsideTheTables)
{
    struct Case
    {
        const char* what;
        int32_t code;
        std::vector<int32_t> ints, expected;
    };
    const Case cases[] = {
        {"item 0", kCommandItems, {0, 5}, {1, 5}},
        {"item past the table", kCommandItems, {12, 5}, {9, 5}},
        {"every land", kCommandChangeMapChip, {1, -1, 2, 1}, {1, -1, 2, 1}},
        {"land below -1", kCommandChangeMapChip, {1, -5, 7, 0}, {1, -1, 4, 1}},
        {"cursor off the stage", kCommandMoveCursor, {3, 5, 20, 15}, {3, 1, 19, 14}},
        {"cursor before the stage", kCommandMoveCursor, {0, 0, -1, -1}, {0, 1, 0, 0}},
        {"status group", kCommandStatus, {0, 0, 0, 9, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0}},
        {"friend shop", kCommandFriendShop, {0, 0}, {1, 0}},
        {"party", kCommandParty, {9, 1}, {3, 1}},
    };
    for (const Case& c : cases)
    {
        EventCommand command = MakeCommand(c.code, c.ints);
        command.FitArguments();
        EXPECT_EQ(Ints(command), c.expected) << c.what;
    }

    // Codes without a check keep whatever they hold.
    for (int32_t code : {0, 1, 2, 4, 5, 6, 8, 9, 11, 16, 17})
    {
        std::vector<int32_t> ints(static_cast<std::size_t>(EventCommandTable[code].m_nIntArgs), -999999);
        EventCommand command = MakeCommand(code, ints);
        command.FitArguments();
        EXPECT_EQ(Ints(command), ints) << code;
    }

    // The shop keeps the goods that are items, in their order.
    ItemTable.resize(20);
    EventCommand shop = MakeCommand(kCommandShop, {0});
    for (int32_t item : {3, 40, 5, -1, 20})
    {
        ShopItemEntry goods;
        goods.m_nItem = item;
        shop.m_ShopItem.push_back(goods);
    }
    shop.FitArguments();
    ASSERT_EQ(shop.m_ShopItem.size(), 2u);
    EXPECT_EQ(shop.m_ShopItem[0].m_nItem, 3);
    EXPECT_EQ(shop.m_ShopItem[1].m_nItem, 5);
}

TEST_F(EventTest, ClampsWithAnEmptyRangeStayInsideTheTable)
{
    Stage.m_GroupPos.resize(1);
    FriendTable.resize(1);
    ItemTable.clear();
    EventCommand cursor = MakeCommand(kCommandMoveCursor, {2, 5, 3, 3});
    cursor.FitArguments();
    EXPECT_EQ(Ints(cursor), (std::vector<int32_t>{2, 0, 3, 3}));
    EventCommand party = MakeCommand(kCommandParty, {-4, 0});
    party.FitArguments();
    EXPECT_EQ(Ints(party), (std::vector<int32_t>{0, 0}));
    EventCommand items = MakeCommand(kCommandItems, {7, 0});
    items.FitArguments();
    EXPECT_EQ(Ints(items), (std::vector<int32_t>{0, 0}));

    int32_t value = 5;
    ClampArgument(value, 0, -1);
    EXPECT_EQ(value, 0);
}

TEST_F(EventTest, SavingFitsTheArgumentsAndRepairsTheGroup)
{
    Stage.m_GroupPos.resize(3);
    Event event;
    EventPage& page = event.m_Page.At(0);
    page.m_nGroup = 5;
    page.m_Action.push_back(MakeCommand(6, {7})); // "変数の操作" takes three ints
    page.m_Action.push_back(MakeCommand(kCommandMessage, {1, 2}));
    std::vector<unsigned char> saved = Image(event);

    Event back;
    LoadImage(back, 276, saved);
    EXPECT_EQ(back.m_Page.At(0).m_nGroup, 0);
    EXPECT_EQ(Ints(back.m_Page.At(0).m_Action.At(0)), (std::vector<int32_t>{7, 0, 0}));
    EXPECT_TRUE(back.m_Page.At(0).m_Action.At(1).m_nValParam.empty());
    EXPECT_EQ(back.m_Page.At(0).m_Action.At(1).m_StrParam.size(), 1u);

    page.m_nGroup = 2;
    Image(event);
    EXPECT_EQ(page.m_nGroup, 2);
}

TEST_F(EventTest, InitLeavesOneEmptyPage)
{
    Event event;
    ASSERT_EQ(event.m_Page.size(), 1u);
    event.m_strName = "name";
    event.m_nX = 3;
    event.m_bHeld = 1;
    event.m_Page.resize(4);
    event.m_Page[0].m_nTurn = 9;
    event.m_Page[0].m_Action.push_back(MakeCommand(kCommandWait, {30}));
    event.Init();
    EXPECT_EQ(event.m_strName, "");
    EXPECT_EQ(event.m_nX, 0);
    EXPECT_EQ(event.m_bHeld, 0);
    ASSERT_EQ(event.m_Page.size(), 1u);
    EXPECT_EQ(event.m_Page[0].m_nTurn, 0);
    EXPECT_TRUE(event.m_Page[0].m_Action.empty());

    ShopItemEntry goods;
    goods.m_nItem = 7;
    goods.SetDefaults();
    EXPECT_EQ(goods.m_nItem, 1);
}

TEST_F(EventTest, StartEventAndPalettesSurviveSaveLoadSaveByteForByte)
{
    Event event;
    event.m_strName = "オープニング";
    event.m_nEventVar = -3;
    EventPage& page = event.m_Page.At(0);
    page.m_nTiming = 21;
    page.m_strCommandName = "話す";
    page.m_Action.push_back(MakeCommand(kCommandMessage, {}));
    page.m_Action.back().FitArguments();
    page.m_Action.back().m_StrParam.At(0).m_str = "ようこそ\r\n";
    page.m_Action.push_back(MakeCommand(kCommandShop, {1}));
    page.m_Action.back().m_ShopItem.resize(2);
    page.m_Action.back().m_ShopItem[0].m_nItem = 4;
    page.m_Action.back().m_ShopItem[1].m_nItem = 9;
    page.m_Action.push_back(MakeCommand(kCommandStatus, {1, 2, 3, 1, 5, 6, 7}));
    event.m_Page.push_back(page);
    event.m_Page.back().m_nGroup = 1;

    ASSERT_EQ(SaveRecordFile(event, "StartEvent.dat"), 1);
    Event loaded;
    ASSERT_EQ(LoadRecordFile(loaded, "StartEvent.dat", 0), 1);
    EXPECT_EQ(loaded.m_Page.At(0).m_Action.At(0).m_StrParam.At(0).m_str, "ようこそ\r\n");
    ASSERT_EQ(SaveRecordFile(loaded, "again.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again.dat")), HexBytes(m_Folder.ReadFile("StartEvent.dat")));

    CheckedVector<Event> palette(2, event);
    palette[1].Init();
    ASSERT_EQ(SaveEventPalette(palette, "Default.plt"), 1);
    CheckedVector<Event> paletteBack;
    ASSERT_EQ(LoadEventPalette(paletteBack, "Default.plt"), 1);
    ASSERT_EQ(paletteBack.size(), 2u);
    ASSERT_EQ(SaveEventPalette(paletteBack, "again.plt"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again.plt")), HexBytes(m_Folder.ReadFile("Default.plt")));

    CheckedVector<WorldMapEvent> world(1);
    world[0].Init();
    world[0].m_strName = "町";
    world[0].m_Page[0].m_strStageFile = "data\\stg\\町.stg_276";
    ASSERT_EQ(SaveWorldPalette(world, "Default.wplt"), 1);
    CheckedVector<WorldMapEvent> worldBack;
    ASSERT_EQ(LoadWorldPalette(worldBack, "Default.wplt"), 1);
    ASSERT_EQ(SaveWorldPalette(worldBack, "again.wplt"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again.wplt")), HexBytes(m_Folder.ReadFile("Default.wplt")));
}

TEST_F(EventTest, PaletteEventsAreCheckedAgainstTheOpenStage)
{
    ByteBuilder b;
    b.Int(276).Int(1);
    EventImage(b, 276, 30, 30, "p", {{.group = 2, .commands = {{kCommandMoveCursor, {3, 1, 30, 2}}}}});
    m_Folder.WriteFile("x.plt", b);
    CheckedVector<Event> palette;
    ASSERT_EQ(LoadEventPalette(palette, "x.plt"), 1);
    EXPECT_EQ(palette[0].m_nX, 30); // a palette event may stand anywhere
    EXPECT_EQ(palette[0].m_Page[0].m_nGroup, 0);
    EXPECT_EQ(Ints(palette[0].m_Page[0].m_Action[0]), (std::vector<int32_t>{3, 1, 19, 2}));

    // A corrupt palette file leaves the list as it was.
    m_Folder.WriteFile("bad.plt", ByteBuilder().Int(276).Int(1).Int(6));
    EXPECT_EQ(LoadEventPalette(palette, "bad.plt"), 0);
    EXPECT_EQ(palette.size(), 1u);
}

} // namespace
