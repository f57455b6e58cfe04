#include "MapRanges.h"

#include "common/data/ProjectData.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace
{

// Points with which path costs are measured: no way may cost more.
constexpr int32_t kPathPoints = 999999;
// Movement points above this would overflow the stored points + 1.
constexpr int32_t kMaxMovementPoints = std::numeric_limits<int32_t>::max() - 1;

constexpr int kDirectionCount = 4;
constexpr int kStepX[kDirectionCount] = {0, 0, -1, 1}; // up, down, left, right
constexpr int kStepY[kDirectionCount] = {-1, 1, 0, 0};

// The neighbour of a cell in a direction; -1 outside the map.
int Neighbour(int width, int height, int cell, int direction)
{
    const int x = cell % width + kStepX[direction];
    const int y = cell / width + kStepY[direction];
    return x >= 0 && y >= 0 && x < width && y < height ? y * width + x : -1;
}

// Scratch memory of the fills, kept from one fill to the next on each thread.
struct FillScratch
{
    std::vector<int32_t> m_Costs;
    std::vector<unsigned char> m_Barred;
    std::vector<int32_t> m_Points;
    std::vector<int64_t> m_Distance;
};

FillScratch& Scratch()
{
    thread_local FillScratch scratch;
    return scratch;
}

// The cells that active units of the other side hold.
void MarkBarredCells(const StageField& field, const Mover& mover, std::vector<unsigned char>& barred)
{
    barred.assign(static_cast<std::size_t>(field.CellCount()), 0);
    const std::vector<CharacterRecord*>& units = field.Units();
    for (std::size_t cell = 0; cell < units.size() && cell < barred.size(); ++cell)
    {
        const CharacterRecord* unit = units[cell];
        if (unit && unit != mover.m_pUnit && field.IsActive(*unit) && (unit->m_bEnemy != 0) != (mover.m_bEnemy != 0))
        {
            barred[cell] = 1;
        }
    }
}

// The best points left on each cell, plus 1 (0: not reached), from the origin
// with the given points, best first. A cell is entered with the points left
// minus its entry cost, never when they fall below 0, never on impassable or
// barred cells. With stopCell the fill ends once that cell's best is known.
// Returns the number of cells reached.
int FillBestPoints(int width, int height, const std::vector<int32_t>& costs, const std::vector<unsigned char>* barred,
                   int origin, int32_t points, int stopCell, std::vector<int32_t>& best)
{
    best.assign(costs.size(), 0);
    auto enters = [&](int cell, int32_t left) {
        return left >= 0 && costs[static_cast<std::size_t>(cell)] != kImpassable &&
               !(barred && (*barred)[static_cast<std::size_t>(cell)]) && best[static_cast<std::size_t>(cell)] <= left;
    };
    if (origin < 0 || !enters(origin, points))
    {
        return 0;
    }
    std::priority_queue<std::pair<int32_t, int>> open; // most points left first
    best[static_cast<std::size_t>(origin)] = points + 1;
    open.emplace(points, origin);
    int reached = 1;
    while (!open.empty())
    {
        const auto [left, cell] = open.top();
        open.pop();
        if (left + 1 != best[static_cast<std::size_t>(cell)])
        {
            continue; // a better way came after this one was queued
        }
        if (cell == stopCell)
        {
            break;
        }
        for (int d = 0; d < kDirectionCount; ++d)
        {
            const int next = Neighbour(width, height, cell, d);
            if (next < 0 || costs[static_cast<std::size_t>(next)] == kImpassable)
            {
                continue;
            }
            const int32_t nextLeft = left - costs[static_cast<std::size_t>(next)];
            if (enters(next, nextLeft))
            {
                reached += best[static_cast<std::size_t>(next)] == 0 ? 1 : 0;
                best[static_cast<std::size_t>(next)] = nextLeft + 1;
                open.emplace(nextLeft, next);
            }
        }
    }
    return reached;
}

// The order in which the depth-first fill first reaches the cells: the fill
// itself (up, down, left, right; a cell is entered again only with more
// points left than it holds), stopped as soon as the last of the `reachable`
// cells is reached, since after that it only raises points that the
// best-first fill already knows. It expands a cell at most once for every
// number of points it can be left with.
void FillFirstReachOrder(int width, int height, const std::vector<int32_t>& costs,
                         const std::vector<unsigned char>& barred, int origin, int32_t points, int reachable,
                         std::vector<int32_t>& stored, std::vector<int>& order)
{
    order.clear();
    stored.assign(costs.size(), 0);
    if (reachable == 0)
    {
        return;
    }
    struct Frame
    {
        int m_nCell;
        int32_t m_nLeft;
        int m_nNext; // next direction to try
    };
    std::vector<Frame> stack;
    auto enter = [&](int cell, int32_t left) {
        const std::size_t c = static_cast<std::size_t>(cell);
        if (left < 0 || costs[c] == kImpassable || barred[c] || stored[c] > left)
        {
            return false;
        }
        if (stored[c] == 0)
        {
            order.push_back(cell);
        }
        stored[c] = left + 1;
        stack.push_back(Frame{cell, left, 0});
        return true;
    };
    enter(origin, points);
    while (!stack.empty() && static_cast<int>(order.size()) < reachable)
    {
        Frame& top = stack.back();
        if (top.m_nNext == kDirectionCount)
        {
            stack.pop_back();
            continue;
        }
        const int next = Neighbour(width, height, top.m_nCell, top.m_nNext++);
        if (next >= 0)
        {
            const int32_t cost = costs[static_cast<std::size_t>(next)];
            enter(next, cost == kImpassable ? -1 : top.m_nLeft - cost);
        }
    }
}

} // namespace

void CellGrid::Reset(int32_t width, int32_t height, int32_t value)
{
    m_nWidth = std::max(width, 0);
    m_nHeight = std::max(height, 0);
    m_Cells.assign(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), value);
}

Mover MoverOf(const CharacterRecord& unit)
{
    const ClassRecord& cls = ClassTable.At(unit.m_nClass);
    Mover mover;
    mover.m_nX = unit.m_nPlayE;
    mover.m_nY = unit.m_nPlayF;
    mover.m_nPoints = cls.m_nMove;
    mover.m_bFlying = cls.m_bFlying != 0;
    mover.m_bEnemy = unit.m_bEnemy;
    mover.m_pUnit = &unit;
    return mover;
}

void FillMovementRange(const StageField& field, const Mover& mover, MovementRange& range)
{
    FillScratch& scratch = Scratch();
    const int width = field.Width();
    const int height = field.Height();
    range.m_Points.Reset(width, height, 0);
    range.m_Order.clear();
    if (!field.Contains(mover.m_nX, mover.m_nY))
    {
        return;
    }
    field.BuildEntryCosts(mover.m_bFlying, scratch.m_Costs);
    MarkBarredCells(field, mover, scratch.m_Barred);
    const int origin = field.CellOf(mover.m_nX, mover.m_nY);
    const int32_t points = std::min(mover.m_nPoints, kMaxMovementPoints);
    const int reachable = FillBestPoints(width, height, scratch.m_Costs, &scratch.m_Barred, origin, points, -1,
                                         range.m_Points.Cells());
    FillFirstReachOrder(width, height, scratch.m_Costs, scratch.m_Barred, origin, points, reachable, scratch.m_Points,
                        range.m_Order);
}

void FillThreatArea(const StageField& field, const MovementRange& range, const CharacterRecord* mover,
                    CellGrid& threat)
{
    threat.Reset(field.Width(), field.Height(), 0);
    for (int32_t y = 0; y < field.Height(); ++y)
    {
        for (int32_t x = 0; x < field.Width(); ++x)
        {
            if (range.m_Points.At(x, y) < 1)
            {
                continue;
            }
            const CharacterRecord* unit = field.ActiveUnitAt(x, y);
            if (unit && unit != mover)
            {
                continue;
            }
            const int cell = field.CellOf(x, y);
            for (int d = 0; d < kDirectionCount; ++d)
            {
                const int next = Neighbour(field.Width(), field.Height(), cell, d);
                if (next >= 0)
                {
                    threat[next] = 1;
                }
            }
        }
    }
}

void FillAttackRange(const StageField& field, int32_t x, int32_t y, bool withCentre, CellGrid& range)
{
    range.Reset(field.Width(), field.Height(), 0);
    if (!field.Contains(x, y))
    {
        return;
    }
    const int cell = field.CellOf(x, y);
    range[cell] = withCentre ? 2 : 0;
    for (int d = 0; d < kDirectionCount; ++d)
    {
        const int next = Neighbour(field.Width(), field.Height(), cell, d);
        if (next >= 0)
        {
            range[next] = 1;
        }
    }
}

int32_t CalcPathCost(const StageField& field, int32_t originX, int32_t originY, int32_t moverX, int32_t moverY,
                     bool flying)
{
    if (!field.Contains(originX, originY) || !field.Contains(moverX, moverY))
    {
        return -1;
    }
    FillScratch& scratch = Scratch();
    field.BuildEntryCosts(flying, scratch.m_Costs);
    const int moverCell = field.CellOf(moverX, moverY);
    FillBestPoints(field.Width(), field.Height(), scratch.m_Costs, nullptr, field.CellOf(originX, originY),
                   kPathPoints, moverCell, scratch.m_Points);
    const int32_t stored = scratch.m_Points[static_cast<std::size_t>(moverCell)];
    return stored == 0 ? -1 : kPathPoints + 2 - stored;
}

void FillPathCostsTo(const StageField& field, int32_t moverX, int32_t moverY, bool flying, CellGrid& costs)
{
    costs.Reset(field.Width(), field.Height(), -1);
    if (!field.Contains(moverX, moverY))
    {
        return;
    }
    FillScratch& scratch = Scratch();
    field.BuildEntryCosts(flying, scratch.m_Costs);
    const std::vector<int32_t>& entry = scratch.m_Costs;
    const int mover = field.CellOf(moverX, moverY);
    if (entry[static_cast<std::size_t>(mover)] == kImpassable)
    {
        return;
    }
    // Walked backwards from the mover: stepping from a cell toward the origin
    // pays that cell's entry cost, which the forward way pays on entering it.
    std::vector<int64_t>& distance = scratch.m_Distance;
    distance.assign(entry.size(), std::numeric_limits<int64_t>::max());
    using Item = std::pair<int64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    distance[static_cast<std::size_t>(mover)] = 0;
    open.emplace(0, mover);
    while (!open.empty())
    {
        const auto [spent, cell] = open.top();
        open.pop();
        if (spent != distance[static_cast<std::size_t>(cell)])
        {
            continue;
        }
        costs[cell] = static_cast<int32_t>(spent) + 1;
        const int64_t next = spent + entry[static_cast<std::size_t>(cell)];
        if (next > kPathPoints)
        {
            continue;
        }
        for (int d = 0; d < kDirectionCount; ++d)
        {
            const int origin = Neighbour(field.Width(), field.Height(), cell, d);
            if (origin >= 0 && entry[static_cast<std::size_t>(origin)] != kImpassable &&
                next < distance[static_cast<std::size_t>(origin)])
            {
                distance[static_cast<std::size_t>(origin)] = next;
                open.emplace(next, origin);
            }
        }
    }
}

void FillPathCostMap(const StageField& field, int32_t originX, int32_t originY, bool flying, CellGrid& map)
{
    map.Reset(field.Width(), field.Height(), kUnreachedCost);
    if (!field.Contains(originX, originY))
    {
        return;
    }
    FillScratch& scratch = Scratch();
    field.BuildEntryCosts(flying, scratch.m_Costs);
    FillBestPoints(field.Width(), field.Height(), scratch.m_Costs, nullptr, field.CellOf(originX, originY),
                   kPathPoints, -1, scratch.m_Points);
    for (int cell = 0; cell < field.CellCount(); ++cell)
    {
        const int32_t stored = scratch.m_Points[static_cast<std::size_t>(cell)];
        if (stored != 0)
        {
            map[cell] = kUnreachedCost - stored;
        }
    }
}

bool FindFreeCell(const StageField& field, int32_t x, int32_t y, bool flying, int32_t& foundX, int32_t& foundY)
{
    if (!field.Contains(x, y))
    {
        return false;
    }
    FillScratch& scratch = Scratch();
    field.BuildEntryCosts(flying, scratch.m_Costs);
    std::vector<unsigned char>& seen = scratch.m_Barred;
    seen.assign(static_cast<std::size_t>(field.CellCount()), 0);
    std::queue<int> queue;
    const int start = field.CellOf(x, y);
    seen[static_cast<std::size_t>(start)] = 1;
    queue.push(start);
    while (!queue.empty())
    {
        const int cell = queue.front();
        queue.pop();
        const int32_t cx = cell % field.Width();
        const int32_t cy = cell / field.Width();
        if (scratch.m_Costs[static_cast<std::size_t>(cell)] != kImpassable && !field.ActiveUnitAt(cx, cy))
        {
            foundX = cx;
            foundY = cy;
            return true;
        }
        for (int d = 0; d < kDirectionCount; ++d)
        {
            const int next = Neighbour(field.Width(), field.Height(), cell, d);
            if (next >= 0 && !seen[static_cast<std::size_t>(next)])
            {
                seen[static_cast<std::size_t>(next)] = 1;
                queue.push(next);
            }
        }
    }
    return false;
}
