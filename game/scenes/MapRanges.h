#pragma once

// The ranges of the stage map, as grids of one int per cell of the field:
// where a unit can move, which cells it threatens after moving, what lies
// within reach of a cell, and path costs.
//
// Neighbours are always taken in the order up (y - 1), down (y + 1), left
// (x - 1), right (x + 1), each only inside the map.

#include "game/scenes/StageField.h"

#include <cstdint>
#include <vector>

// One int per cell of a field, row by row.
class CellGrid
{
public:
    // Sizes the grid and sets every cell to value (the memory is kept).
    void Reset(int32_t width, int32_t height, int32_t value);

    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }
    bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    int32_t At(int32_t x, int32_t y) const { return m_Cells[static_cast<std::size_t>(y * m_nWidth + x)]; }
    int32_t& At(int32_t x, int32_t y) { return m_Cells[static_cast<std::size_t>(y * m_nWidth + x)]; }
    int32_t operator[](int cell) const { return m_Cells[static_cast<std::size_t>(cell)]; }
    int32_t& operator[](int cell) { return m_Cells[static_cast<std::size_t>(cell)]; }
    std::vector<int32_t>& Cells() { return m_Cells; }

private:
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    std::vector<int32_t> m_Cells;
};

// Who moves: from where, with how many movement points, whether every step
// costs 1 whatever the land (a flying class), and for which side (units of
// the other side bar the way).
struct Mover
{
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    int32_t m_nPoints = 0;
    bool m_bFlying = false;
    int32_t m_bEnemy = 0;
    const CharacterRecord* m_pUnit = nullptr; // the unit itself, which never bars its own way
};

// A unit as a mover: its map position, its class's movement and flying flag,
// its side.
Mover MoverOf(const CharacterRecord& unit);

// Where a mover can go. Per cell: the movement points left on the best way
// there, plus 1; 0 where it cannot go. Reaching a cell costs its entry cost;
// impassable land and active units of the other side stop the way; units of
// the mover's own side do not (though the mover may not stop on them).
// m_Order lists the reachable cells in the order in which the depth-first
// fill (up, down, left, right; a cell is entered again only with more points
// left than before) first reaches them; that order breaks ties between
// destinations.
struct MovementRange
{
    CellGrid m_Points;
    std::vector<int> m_Order;
};
void FillMovementRange(const StageField& field, const Mover& mover, MovementRange& range);

// 1 on every neighbour of a reachable cell that is free of active units or
// holds the mover; 0 elsewhere.
void FillThreatArea(const StageField& field, const MovementRange& range, const CharacterRecord* mover,
                    CellGrid& threat);

// 2 on the cell (unless withCentre is false: then 0) and 1 on its four
// neighbours; 0 elsewhere.
void FillAttackRange(const StageField& field, int32_t x, int32_t y, bool withCentre, CellGrid& range);

// Path costs ignore units; land still bars the way. The cost of a way from an
// origin to a cell is 1 + the entry costs of the cells entered after the
// origin, up to and with the last one; no way costs more than 999999 points.

// The cost of the best way from the origin to the mover's cell; -1 when there
// is none.
int32_t CalcPathCost(const StageField& field, int32_t originX, int32_t originY, int32_t moverX, int32_t moverY,
                     bool flying);

// For every cell taken as the origin, the cost of its best way to the
// mover's cell (as CalcPathCost), or -1: all origins in one fill.
void FillPathCostsTo(const StageField& field, int32_t moverX, int32_t moverY, bool flying, CellGrid& costs);

// The path-cost map of an origin: 0 on the origin, the sum of the entry costs
// of its best way on every other cell it reaches, 1000000 where it reaches
// nothing.
constexpr int32_t kUnreachedCost = 1000000;
void FillPathCostMap(const StageField& field, int32_t originX, int32_t originY, bool flying, CellGrid& map);

// Where a unit that appears at (x, y) stands: the first cell, in a breadth
// search from (x, y) with steps of 1 to the neighbours up, down, left, right,
// that it may enter (flying or not) and that no active unit holds; the search
// passes every cell of the map. False, with nothing found, when no cell is
// free or (x, y) lies outside the map.
bool FindFreeCell(const StageField& field, int32_t x, int32_t y, bool flying, int32_t& foundX, int32_t& foundY);
