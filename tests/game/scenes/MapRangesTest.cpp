#include "game/scenes/MapRanges.h"

#include "SceneRulesTest.h"

#include <random>

namespace
{

class MapRangesTest : public SceneRulesTest
{
protected:
    // A grid as rows of characters: a value 1..9 as its digit, 0 as '.', more as '+'.
    static std::vector<std::string> Picture(const CellGrid& grid)
    {
        std::vector<std::string> rows;
        for (int32_t y = 0; y < grid.Height(); ++y)
        {
            std::string row;
            for (int32_t x = 0; x < grid.Width(); ++x)
            {
                const int32_t v = grid.At(x, y);
                row += v == 0 ? '.' : v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '+';
            }
            rows.push_back(row);
        }
        return rows;
    }

    Mover MoverAt(char letter, int32_t points, bool flying = false)
    {
        return MakeMover(*m_ByLetter.at(letter), points, flying);
    }

    static Mover MakeMover(const CharacterRecord& unit, int32_t points, bool flying)
    {
        Mover mover;
        mover.m_nX = unit.m_nPlayE;
        mover.m_nY = unit.m_nPlayF;
        mover.m_nPoints = points;
        mover.m_bFlying = flying;
        mover.m_bEnemy = unit.m_bEnemy;
        mover.m_pUnit = &unit;
        return mover;
    }

    MovementRange m_Range;
    CellGrid m_Grid;
};

TEST_F(MapRangesTest, MovementStopsAtWallsAndAtUnitsOfTheOtherSide)
{
    StageField& field = DrawStage({
        ".....",
        ".#...",
        "..A..",
        "..b..",
        ".....",
    });
    FillMovementRange(field, MoverAt('A', 4), m_Range);
    EXPECT_EQ(Picture(m_Range.m_Points), (std::vector<std::string>{
                                             "12321",
                                             "2.432",
                                             "34543",
                                             "23.32",
                                             "12121",
                                         }));
    // The player unit sees the enemy the same way.
    FillMovementRange(field, MoverAt('b', 1), m_Range);
    EXPECT_EQ(Picture(m_Range.m_Points), (std::vector<std::string>{
                                             ".....",
                                             ".....",
                                             ".....",
                                             ".121.",
                                             "..1..",
                                         }));
}

TEST_F(MapRangesTest, LandCostsOwnSideAndFlying)
{
    StageField& field = DrawStage({
        "A^~.",
        "B#..",
        "..a.",
    });
    // Hills cost 2, marsh 3; the enemy B lets A pass, the player a does not.
    FillMovementRange(field, MoverAt('A', 5), m_Range);
    EXPECT_EQ(Picture(m_Range.m_Points), (std::vector<std::string>{
                                             "641.",
                                             "5...",
                                             "43..",
                                         }));
    FillMovementRange(field, MoverAt('A', 5, true), m_Range);
    EXPECT_EQ(Picture(m_Range.m_Points), (std::vector<std::string>{
                                             "6543",
                                             "5.32",
                                             "43.1",
                                         }));
    // Down or inactive units bar nothing; a hidden group's enemy bars nothing either.
    Player('a').m_nPlayD = 1;
    FillMovementRange(field, MoverAt('A', 5), m_Range);
    EXPECT_EQ(m_Range.m_Points.At(2, 2), 2);
    Enemy('B').m_nPlayG = 3;
    FillMovementRange(field, MoverAt('a', 3), m_Range);
    EXPECT_EQ(m_Range.m_Points.At(0, 1), 1);
    field.SetGroupShown(3, true);
    FillMovementRange(field, MoverAt('a', 3), m_Range);
    EXPECT_EQ(m_Range.m_Points.At(0, 1), 0);
}

TEST_F(MapRangesTest, FirstReachOrderIsTheDepthFirstOrder)
{
    StageField& field = DrawStage({
        "...",
        ".A.",
        "...",
    });
    FillMovementRange(field, MoverAt('A', 2), m_Range);
    // Up first to (1,0), from there left (0,0) and right (2,0), whose ways
    // down run out of points; then down (1,2) with its left and right; then
    // left (0,1) and right (2,1) of the start.
    const std::vector<int> expected = {4, 1, 0, 2, 7, 6, 8, 3, 5};
    EXPECT_EQ(m_Range.m_Order, expected);
}

TEST_F(MapRangesTest, ThreatAreaAndAttackRange)
{
    StageField& field = DrawStage({
        "..a.",
        "A.B.",
        "....",
    });
    FillMovementRange(field, MoverAt('A', 1), m_Range);
    FillThreatArea(field, m_Range, &Enemy('A'), m_Grid);
    EXPECT_EQ(Picture(m_Grid), (std::vector<std::string>{
                                   "11..",
                                   "111.",
                                   "11..",
                               }));
    // B's cell is reachable but held: nothing is threatened from there.
    FillMovementRange(field, MoverAt('A', 2), m_Range);
    EXPECT_EQ(m_Range.m_Points.At(2, 1), 1);
    FillThreatArea(field, m_Range, &Enemy('A'), m_Grid);
    EXPECT_EQ(Picture(m_Grid), (std::vector<std::string>{
                                   "111.",
                                   "111.",
                                   "111.",
                               }));

    FillAttackRange(field, 0, 0, true, m_Grid);
    EXPECT_EQ(Picture(m_Grid), (std::vector<std::string>{"21..", "1...", "...."}));
    FillAttackRange(field, 2, 1, false, m_Grid);
    EXPECT_EQ(Picture(m_Grid), (std::vector<std::string>{"..1.", ".1.1", "..1."}));
}

TEST_F(MapRangesTest, PathCostsCountTheLandsEnteredAndIgnoreUnits)
{
    StageField& field = DrawStage({
        "a^~.",
        "B#.#",
        "..A.",
    });
    // From a to A: down through B (1), down (1), right (1), right into A (1).
    EXPECT_EQ(CalcPathCost(field, 0, 0, 2, 2, false), 5);
    // From A to a: the other way round pays for a's plain cell last.
    EXPECT_EQ(CalcPathCost(field, 2, 2, 0, 0, false), 5);
    // To (3,0): plain, hills and marsh cost 6 along the top, 1 + 1 + ... below.
    EXPECT_EQ(CalcPathCost(field, 0, 0, 3, 0, false), 1 + 2 + 3 + 1);
    EXPECT_EQ(CalcPathCost(field, 0, 0, 3, 0, true), 4);
    EXPECT_EQ(CalcPathCost(field, 0, 0, 0, 0, false), 1);
    EXPECT_EQ(CalcPathCost(field, 0, 0, 3, 2, false), 6);
    EXPECT_EQ(CalcPathCost(field, 0, 0, 1, 1, false), -1); // a wall is never reached
    EXPECT_EQ(CalcPathCost(field, 1, 1, 0, 0, false), -1); // nor left

    FillPathCostMap(field, 0, 0, false, m_Grid);
    EXPECT_EQ(m_Grid.At(0, 0), 0);
    EXPECT_EQ(m_Grid.At(2, 2), 4);
    EXPECT_EQ(m_Grid.At(3, 0), 6);
    EXPECT_EQ(m_Grid.At(1, 1), kUnreachedCost);
    EXPECT_EQ(m_Grid.At(3, 1), kUnreachedCost);

    FillPathCostsTo(field, 2, 2, false, m_Grid);
    EXPECT_EQ(m_Grid.At(0, 0), 5);
    EXPECT_EQ(m_Grid.At(2, 2), 1);
    EXPECT_EQ(m_Grid.At(1, 1), -1);
}

// The fills as plain depth-first recursions, each cell entered again only
// with more points left than it holds: the definition that the fills keep.
class PlainFill
{
public:
    PlainFill(const StageField& field, bool flying) : m_Field(field), m_nWidth(field.Width())
    {
        for (int32_t y = 0; y < field.Height(); ++y)
        {
            for (int32_t x = 0; x < field.Width(); ++x)
            {
                const LandRecord& land = LandTable.At(Stage.CellAt(x, y));
                m_Cost.push_back(flying ? 1 : land.m_nMoveCost);
                m_Wall.push_back(land.m_bNoEntry != 0);
            }
        }
        m_Value.assign(m_Cost.size(), 0);
    }

    void Movement(int32_t x, int32_t y, int32_t points, const CharacterRecord& mover)
    {
        m_pMover = &mover;
        Visit(x, y, points);
    }

    int32_t PathCost(int32_t originX, int32_t originY, int32_t moverX, int32_t moverY)
    {
        m_nStop = m_Field.CellOf(moverX, moverY);
        Visit(originX, originY, 999999);
        const int32_t stored = m_Value[static_cast<std::size_t>(m_nStop)];
        return stored == 0 ? -1 : 1000001 - stored;
    }

    void Map(int32_t originX, int32_t originY) { Visit(originX, originY, 999999); }

    std::vector<int32_t> m_Value;
    std::vector<int> m_Order;

private:
    void Visit(int32_t x, int32_t y, int32_t p)
    {
        const std::size_t cell = static_cast<std::size_t>(m_Field.CellOf(x, y));
        if (p < 0 || m_Value[cell] > p || m_Wall[cell] || Barred(x, y))
        {
            return;
        }
        if (m_nStop >= 0 && p < m_Value[static_cast<std::size_t>(m_nStop)])
        {
            return; // cannot beat the way already found
        }
        if (m_Value[cell] == 0)
        {
            m_Order.push_back(static_cast<int>(cell));
        }
        m_Value[cell] = p + 1;
        if (static_cast<int>(cell) == m_nStop)
        {
            return;
        }
        const int32_t dx[] = {0, 0, -1, 1};
        const int32_t dy[] = {-1, 1, 0, 0};
        for (int d = 0; d < 4; ++d)
        {
            const int32_t nx = x + dx[d];
            const int32_t ny = y + dy[d];
            if (m_Field.Contains(nx, ny))
            {
                Visit(nx, ny, p - m_Cost[static_cast<std::size_t>(ny * m_nWidth + nx)]);
            }
        }
    }

    bool Barred(int32_t x, int32_t y) const
    {
        const CharacterRecord* unit = m_pMover ? m_Field.ActiveUnitAt(x, y) : nullptr;
        return unit && unit->m_bEnemy != m_pMover->m_bEnemy;
    }

    const StageField& m_Field;
    int32_t m_nWidth;
    std::vector<int32_t> m_Cost;
    std::vector<bool> m_Wall;
    const CharacterRecord* m_pMover = nullptr;
    int m_nStop = -1;
};

TEST_F(MapRangesTest, FillsMatchThePlainDepthFirstFillOnRandomMaps)
{
    std::mt19937 random(7);
    const char lands[] = {'.', '.', '.', '^', '~', '#'};
    for (int round = 0; round < 60; ++round)
    {
        const int width = 4 + static_cast<int>(random() % 9);
        const int height = 4 + static_cast<int>(random() % 9);
        std::vector<std::string> rows(static_cast<std::size_t>(height),
                                      std::string(static_cast<std::size_t>(width), '.'));
        for (std::string& row : rows)
        {
            for (char& c : row)
            {
                c = lands[random() % sizeof(lands)];
            }
        }
        std::string letters = "Aabcdef";
        letters += round % 2 ? "BCD" : "";
        for (char letter : letters)
        {
            rows[random() % rows.size()][random() % static_cast<std::size_t>(width)] = letter;
        }
        StageField& field = DrawStage(rows);
        const bool flying = random() % 4 == 0;
        const int32_t points = static_cast<int32_t>(random() % 16);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << width << " x " << height << ", points "
                                        << points << (flying ? ", flying" : ""));

        for (CharacterRecord* mover : {m_ByLetter.begin()->second, m_ByLetter.rbegin()->second})
        {
            PlainFill plain(field, flying);
            plain.Movement(mover->m_nPlayE, mover->m_nPlayF, points, *mover);
            FillMovementRange(field, MakeMover(*mover, points, flying), m_Range);
            for (int cell = 0; cell < field.CellCount(); ++cell)
            {
                ASSERT_EQ(m_Range.m_Points[cell], plain.m_Value[static_cast<std::size_t>(cell)]) << "cell " << cell;
            }
            ASSERT_EQ(m_Range.m_Order, plain.m_Order);
        }

        const CharacterRecord& mover = *m_ByLetter.begin()->second;
        FillPathCostsTo(field, mover.m_nPlayE, mover.m_nPlayF, flying, m_Grid);
        for (int32_t y = 0; y < height; ++y)
        {
            for (int32_t x = 0; x < width; ++x)
            {
                PlainFill plain(field, flying);
                const int32_t cost = plain.PathCost(x, y, mover.m_nPlayE, mover.m_nPlayF);
                ASSERT_EQ(CalcPathCost(field, x, y, mover.m_nPlayE, mover.m_nPlayF, flying), cost) << x << "," << y;
                ASSERT_EQ(m_Grid.At(x, y), cost) << x << "," << y;
            }
        }

        const int32_t originX = static_cast<int32_t>(random() % static_cast<unsigned>(width));
        const int32_t originY = static_cast<int32_t>(random() % static_cast<unsigned>(height));
        PlainFill plain(field, flying);
        plain.Map(originX, originY);
        FillPathCostMap(field, originX, originY, flying, m_Grid);
        for (int cell = 0; cell < field.CellCount(); ++cell)
        {
            const int32_t stored = plain.m_Value[static_cast<std::size_t>(cell)];
            ASSERT_EQ(m_Grid[cell], stored == 0 ? kUnreachedCost : kUnreachedCost - stored) << "cell " << cell;
        }
    }
}

} // namespace
