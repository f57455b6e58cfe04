// The stage map's menus from the System's lists, and the unit command menu
// of a unit that has moved.

#include "game/scenes/stage/StageMenus.h"

#include "SceneRulesTest.h"

#include <functional>

namespace
{

CheckedVector<MenuCommandEntry> List(std::vector<int32_t> enabled)
{
    CheckedVector<MenuCommandEntry> list;
    for (int32_t flag : enabled)
    {
        MenuCommandEntry entry;
        entry.m_bEnabled = flag;
        list.push_back(entry);
    }
    return list;
}

TEST(StageMenusTest, AMenuHoldsTheEnabledEntriesOrItsFirstAlone)
{
    EXPECT_EQ(EnabledEntries(List({1, 1, 1, 1, 1, 1})), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(EnabledEntries(List({0, 1, 0, 0, 1, 1})), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(EnabledEntries(List({0, 0, 0, 0, 0, 0})), (std::vector<int>{0}));
    EXPECT_EQ(EnabledEntries(List({0, 0, 0, 1})), (std::vector<int>{3}));
}

class UnitCommandsTest : public SceneRulesTest
{
protected:
    std::vector<int> Commands(char letter, bool hasSpecial = false)
    {
        const int all[] = {kCommandSpecial, kCommandFight, kCommandWait, kCommandSkill, kCommandItem};
        return BuildUnitCommands(all, *m_Field, *m_ByLetter.at(letter), hasSpecial);
    }
};

TEST_F(UnitCommandsTest, FightIsOfferedOnlyWithAnActiveOpponentOnAnOrthogonalNeighbour)
{
    const std::vector<int> withFight = {kCommandFight, kCommandWait, kCommandSkill, kCommandItem};
    const std::vector<int> withoutFight = {kCommandWait, kCommandSkill, kCommandItem};
    struct Case
    {
        const char* m_pName;
        std::vector<std::string> m_Rows;
        std::function<void()> m_Change;
        std::vector<int> m_Expected;
    };
    auto none = [] {};
    const Case cases[] = {
        {"above", {".A.", ".a.", "..."}, none, withFight},
        {"below", {"...", ".a.", ".A."}, none, withFight},
        {"left", {"...", "Aa.", "..."}, none, withFight},
        {"right", {"...", ".aA", "..."}, none, withFight},
        {"diagonal", {"A.B", ".a.", "C.D"}, none, withoutFight},
        {"two cells away", {"..A", "a..", "..."}, none, withoutFight},
        {"a friend beside it", {".b.", ".a.", "..."}, none, withoutFight},
        {"an enemy of a hidden group",
         {".A.", ".a.", "..."},
         [this]
         {
             Enemy('A').m_nPlayG = 3;
             m_Field->SetGroupShown(3, false);
         },
         withoutFight},
        {"a fallen enemy", {".A.", ".a.", "..."}, [this] { Enemy('A').m_nPlayD = 1; }, withoutFight},
        {"an enemy off the map", {".A.", ".a.", "..."}, [this] { Enemy('A').m_nPlayB = 0; }, withoutFight},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        DrawStage(c.m_Rows);
        c.m_Change();
        EXPECT_EQ(Commands('a'), c.m_Expected);
    }
    // An enemy's opponents are the player units.
    DrawStage({"aA"});
    EXPECT_TRUE(HasAdjacentOpponent(*m_Field, Enemy('A')));
}

TEST_F(UnitCommandsTest, TheSpecialCommandNeedsAPageAndDisabledKindsStayOut)
{
    DrawStage({".A.", ".a."});
    EXPECT_EQ(Commands('a', true),
              (std::vector<int>{kCommandSpecial, kCommandFight, kCommandWait, kCommandSkill, kCommandItem}));
    const int some[] = {kCommandSpecial, kCommandWait, kCommandItem};
    EXPECT_EQ(BuildUnitCommands(some, *m_Field, Player('a'), false), (std::vector<int>{kCommandWait, kCommandItem}));
}

} // namespace
