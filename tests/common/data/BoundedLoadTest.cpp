// Loads stay within what the file's bytes can fill: a count that the bytes
// seem to hold (eight bytes an element) but whose records are large in memory,
// and maps larger than any editor makes.
#include "DatabaseTestSupport.h"
#include "MemoryLimit.h"
#include "common/data/StageRecord.h"
#include "common/data/WorldMapRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

using BoundedLoadTest = dbtest::DatabaseTest;

constexpr int32_t kClaimed = 500000;
constexpr std::size_t kFileBytes = 8 * static_cast<std::size_t>(kClaimed); // the count fits the bytes

// kClaimed elements claimed, then zero bytes: every element image is as small
// as it can be, and the file ends long before the count.
template <class T>
int LoadClaimedTable()
{
    std::vector<unsigned char> bytes = ByteBuilder().Int(kClaimed);
    bytes.resize(4 + kFileBytes);
    DataReader in(std::move(bytes), kDataFormatVersion, "claimed");
    CheckedVector<T> table;
    const bool loaded = LoadRecordVector(table, in);
    return !loaded && in.Error() == "the file ends early" ? 0 : 1;
}

TEST_F(BoundedLoadTest, ClaimedRecordsTakeMemoryOnlyAsTheyAreRead)
{
    if (!AddressSpaceLimitsWork())
    {
        GTEST_SKIP() << "the sanitizers' shadow memory does not fit an address-space limit";
    }
    struct Case
    {
        const char* kind;
        std::function<int()> load;
    };
    const Case cases[] = {
        {"friends", LoadClaimedTable<FriendRecord>},
        {"enemies", LoadClaimedTable<EnemyRecord>},
        {"events", LoadClaimedTable<Event>},
        {"world-map events", LoadClaimedTable<WorldMapEvent>},
        {"enemy placements", LoadClaimedTable<EnemyPlacement>},
    };
    // Claimed up front, half a million friends would take some 500 MB.
    const std::size_t limit = AddressSpaceInUse() + (160u << 20);
    for (const Case& c : cases)
    {
        ChildResult result = RunWithAddressSpaceLimit(limit, c.load);
        EXPECT_EQ(result.m_nExitCode, 0) << c.kind << ": " << result.Describe();
    }
}

// A map wider or higher than 1024 cells is a corrupt file: the editors make at
// most 64 x 64 stages and 200 x 150 world maps.
TEST_F(BoundedLoadTest, MapSidesAbove1024AreCorrupt)
{
    struct Case
    {
        int32_t width, height;
        bool loads;
    };
    const Case cases[] = {{1024, 1, true}, {1, 1024, true}, {1025, 1, false}, {1, 1025, false}, {4096, 4096, false}};
    for (const Case& c : cases)
    {
        ByteBuilder stage;
        stage.Int(9).Ints({c.width, c.height, 0, 0, 0, 0, 0, 0, 0}).Int(0);
        for (int i = 0; i < 8; ++i)
        {
            stage.Int(0); // the grid (no cells given) and the seven lists
        }
        StageRecord s;
        EXPECT_EQ(dbtest::LoadBytes(s, stage), c.loads) << c.width << " x " << c.height;

        ByteBuilder world;
        world.Int(8).Ints({c.width, c.height, 0, 0, 0, 0, 0, 0}).Int(0).Ints({0, 0, 0, 0});
        WorldMapRecord w;
        EXPECT_EQ(dbtest::LoadBytes(w, world), c.loads) << c.width << " x " << c.height;
    }
}

} // namespace
