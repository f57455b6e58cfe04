#include "editor/stage/StageMapTools.h"

#include "common/data/ProjectData.h"
#include "editor/stage/MapWalks.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

namespace
{

bool InsideStage(const StageRecord& stage, int column, int row)
{
    return column >= 0 && row >= 0 && column < stage.m_nWidth && row < stage.m_nHeight;
}

// A tool that draws while the left button is held keeps whether its press on
// this map was accepted: a release or a drag that did not start with an
// accepted press (the press was refused, or it happened outside the map)
// changes nothing, so that no edit goes without its undo point.
class StrokeTool : public MapTool
{
protected:
    void TrackStroke(const MapMouseEvent& event)
    {
        if (event.m_Action == MapMouseAction::Move && !event.IsLeftHeld())
        {
            m_bStroke = false;
        }
    }

    bool m_bStroke = false;
};

class PenTool : public StrokeTool
{
public:
    void OnMouse(StageMapTools& tools, const MapMouseEvent& event) override
    {
        TrackStroke(event);
        StageEditState& edit = tools.m_Edit;
        switch (event.m_Action)
        {
        case MapMouseAction::LeftDown:
            if (edit.m_nPalette == kPaletteMapChip && !tools.ChipTest())
            {
                m_bStroke = false;
                return;
            }
            tools.m_Sounds.PlaySound(kSoundDecide);
            m_bUndoRecorded = edit.m_nPalette != kPaletteEvent || PlacesEventDirectly(tools);
            if (m_bUndoRecorded)
            {
                edit.RecordUndo(tools.m_Stage);
            }
            m_bStroke = true;
            Draw(tools);
            break;
        case MapMouseAction::Move:
            if (m_bStroke && event.IsLeftHeld())
            {
                Draw(tools);
            }
            break;
        case MapMouseAction::LeftUp:
            m_bStroke = false;
            break;
        default:
            break;
        }
    }

private:
    // Whether the event goes onto the cursor cell without the event dialog
    // (which records its own undo point).
    static bool PlacesEventDirectly(StageMapTools& tools)
    {
        const CursorEntry& cursor = tools.m_Edit.Cursor();
        bool editsPlaced = EditConfig.m_bEditPlacedEvent && tools.m_Stage.HasEventAt(cursor.m_nColumn, cursor.m_nRow);
        return !editsPlaced && !EditConfig.m_bEditBeforePlacing;
    }

    void Draw(StageMapTools& tools)
    {
        StageEditState& edit = tools.m_Edit;
        StageRecord& stage = tools.m_Stage;
        const CursorEntry cursor = edit.Cursor();
        for (int dy = 0; dy < edit.BlockHeight() && cursor.m_nRow + dy < stage.m_nHeight; ++dy)
        {
            for (int dx = 0; dx < edit.BlockWidth() && cursor.m_nColumn + dx < stage.m_nWidth; ++dx)
            {
                int column = cursor.m_nColumn + dx;
                int row = cursor.m_nRow + dy;
                if (!InsideStage(stage, column, row))
                {
                    continue;
                }
                switch (edit.m_nPalette)
                {
                case kPaletteMapChip:
                    tools.PutChip(column, row, edit.m_PickedChip[dy][dx]);
                    break;
                case kPaletteEnemy:
                    PutEnemy(stage, edit.m_PickedEnemy[dy][dx], column, row);
                    break;
                case kPaletteEvent:
                    if (edit.m_nPltNum != -1)
                    {
                        PutEvent(tools, column, row);
                    }
                    break;
                default:
                    break;
                }
            }
        }
        tools.m_Host.RefreshPalette();
    }

    // Every enemy standing on the cell leaves the map; then the picked
    // placement moves there. A drag carries the picked enemy along.
    static void PutEnemy(StageRecord& stage, int32_t placement, int column, int row)
    {
        for (EnemyPlacement& standing : stage.m_Enemy)
        {
            if (standing.m_nX == column && standing.m_nY == row)
            {
                standing.m_nX = -1;
            }
        }
        if (placement >= 0 && placement < stage.m_Enemy.Count())
        {
            stage.m_Enemy.At(placement).m_nX = column;
            stage.m_Enemy.At(placement).m_nY = row;
        }
    }

    void PutEvent(StageMapTools& tools, int column, int row)
    {
        StageEditState& edit = tools.m_Edit;
        StageRecord& stage = tools.m_Stage;
        Event* placed = stage.GetEventAt(column, row);
        if (EditConfig.m_bEditPlacedEvent && placed)
        {
            edit.m_pEditedEvent = placed;
            edit.m_bEditExisting = 1;
            tools.m_Host.RunEventDialog();
            return;
        }
        tools.m_NewEvent = edit.m_PutEvent;
        if (!EditConfig.m_bEditBeforePlacing)
        {
            // A stroke that began on an event the dialog edited has no undo
            // point of its own yet; the first event it places directly takes one.
            if (!m_bUndoRecorded)
            {
                edit.RecordUndo(stage);
                m_bUndoRecorded = true;
            }
            stage.PutEvent(tools.m_NewEvent, column, row);
            return;
        }
        tools.m_nNewEventX = column;
        tools.m_nNewEventY = row;
        edit.m_pEditedEvent = &tools.m_NewEvent;
        edit.m_bEditExisting = 0;
        if (tools.m_Host.RunEventDialog() == 1)
        {
            stage.PutEvent(tools.m_NewEvent, column, row);
        }
    }

    bool m_bUndoRecorded = false; // this stroke's undo point is taken
};

// Draws the first row of the picked block along a line from the press to the release.
class LineTool : public StrokeTool
{
public:
    void OnMouse(StageMapTools& tools, const MapMouseEvent& event) override
    {
        TrackStroke(event);
        StageEditState& edit = tools.m_Edit;
        if (event.m_Action == MapMouseAction::LeftDown)
        {
            m_bStroke = tools.ChipTest();
            if (m_bStroke)
            {
                edit.m_nLineX = edit.Cursor().m_nColumn;
                edit.m_nLineY = edit.Cursor().m_nRow;
                tools.BeginEdit();
            }
        }
        else if (event.m_Action == MapMouseAction::LeftUp && m_bStroke)
        {
            m_bStroke = false;
            WalkLine(edit.m_nLineX, edit.m_nLineY, edit.Cursor().m_nColumn, edit.Cursor().m_nRow, edit.BlockWidth(),
                     [&](int column, int row, int k) {
                         if (edit.m_nPalette == kPaletteMapChip)
                         {
                             tools.PutChip(column, row, edit.m_PickedChip[0][k]);
                         }
                     });
            tools.m_Host.RefreshPalette();
        }
    }
};

// Fills the rectangle between the press and the release with the picked block.
class RectangleTool : public StrokeTool
{
public:
    void OnMouse(StageMapTools& tools, const MapMouseEvent& event) override
    {
        TrackStroke(event);
        StageEditState& edit = tools.m_Edit;
        const CursorEntry& cursor = edit.Cursor();
        switch (event.m_Action)
        {
        case MapMouseAction::LeftDown:
            m_bStroke = tools.ChipTest();
            if (!m_bStroke)
            {
                return;
            }
            edit.m_nRectX = cursor.m_nColumn;
            edit.m_nRectY = cursor.m_nRow;
            tools.BeginEdit();
            Measure(edit);
            break;
        case MapMouseAction::Move:
            if (event.IsLeftHeld())
            {
                Measure(edit);
            }
            break;
        case MapMouseAction::LeftUp:
            if (m_bStroke)
            {
                m_bStroke = false;
                Measure(edit);
                edit.m_nRectX = std::min(edit.m_nRectX, cursor.m_nColumn);
                edit.m_nRectY = std::min(edit.m_nRectY, cursor.m_nRow);
                Draw(tools);
            }
            break;
        default:
            break;
        }
    }

private:
    static void Measure(StageEditState& edit)
    {
        edit.m_nRectWidth = std::abs(edit.Cursor().m_nColumn - edit.m_nRectX) + 1;
        edit.m_nRectHeight = std::abs(edit.Cursor().m_nRow - edit.m_nRectY) + 1;
    }

    static void Draw(StageMapTools& tools)
    {
        StageEditState& edit = tools.m_Edit;
        WalkRectangle(edit.m_nRectX, edit.m_nRectY, edit.m_nRectWidth, edit.m_nRectHeight, tools.m_Stage.m_nWidth,
                      tools.m_Stage.m_nHeight, edit.BlockWidth(), edit.BlockHeight(),
                      [&](int column, int row, int px, int py) {
                          if (edit.m_nPalette == kPaletteMapChip)
                          {
                              tools.PutChip(column, row, edit.m_PickedChip[py][px]);
                          }
                      });
        tools.m_Host.RefreshPalette();
    }
};

class FillTool : public MapTool
{
public:
    void OnMouse(StageMapTools& tools, const MapMouseEvent& event) override
    {
        if (event.m_Action != MapMouseAction::LeftDown)
        {
            return;
        }
        if (tools.m_Edit.m_nPalette == kPaletteMapChip && !tools.ChipTest())
        {
            return;
        }
        tools.BeginEdit();
        tools.FloodFill(tools.m_Edit.Cursor().m_nColumn, tools.m_Edit.Cursor().m_nRow);
        tools.m_Host.RefreshPalette();
    }
};

} // namespace

StageMapTools::StageMapTools(StageEditState& edit, StageRecord& stage, StageEditorHost& host, EditorSoundSink& sounds)
    : m_Edit(edit), m_Stage(stage), m_Host(host), m_Sounds(sounds)
{
    m_Tools[kToolPen] = std::make_unique<PenTool>();
    m_Tools[kToolLine] = std::make_unique<LineTool>();
    m_Tools[kToolRectangle] = std::make_unique<RectangleTool>();
    m_Tools[kToolFill] = std::make_unique<FillTool>();
}

StageMapTools::~StageMapTools() = default;

bool StageMapTools::IsLand(int32_t chip)
{
    return chip >= 0 && chip < LandTable.Count();
}

bool StageMapTools::ChipTest()
{
    if (LandTable.empty() || !IsLand(m_Edit.m_PickedChip[0][0]))
    {
        m_Sounds.PlaySound(kSoundError);
        return false;
    }
    return true;
}

void StageMapTools::PutChip(int column, int row, int32_t chip)
{
    if (InsideStage(m_Stage, column, row) && IsLand(chip))
    {
        m_Stage.CellAt(column, row) = chip;
    }
}

void StageMapTools::BeginEdit()
{
    m_Sounds.PlaySound(kSoundDecide);
    m_Edit.RecordUndo(m_Stage);
}

void StageMapTools::OnMapMouse(const MapMouseEvent& event, const StageViewport& viewport)
{
    viewport.PointToCell(event.m_nX, event.m_nY, m_Edit.Cursor());
    if (m_Edit.m_nTool >= 0 && m_Edit.m_nTool < kToolCount)
    {
        m_Tools[m_Edit.m_nTool]->OnMouse(*this, event);
    }
    if (m_Edit.m_nPalette == kPaletteMapChip || m_Edit.m_nPalette == kPaletteEnemy)
    {
        OnPick(event);
    }
}

void StageMapTools::OnPick(const MapMouseEvent& event)
{
    if (event.m_Action == MapMouseAction::RightDown)
    {
        m_Sounds.PlaySound(kSoundCopy);
        m_Edit.m_nPickX = m_Edit.Cursor().m_nColumn;
        m_Edit.m_nPickY = m_Edit.Cursor().m_nRow;
        m_Edit.m_nPenMode = kPenModePicking;
        m_Edit.m_nPltNum = -1;
        m_bPicking = true;
    }
    else if (event.m_Action == MapMouseAction::RightUp && m_bPicking)
    {
        m_bPicking = false;
        FinishPick();
    }
}

void StageMapTools::FinishPick()
{
    StageEditState& edit = m_Edit;
    const CursorEntry& cursor = edit.Cursor();
    int left = std::min(edit.m_nPickX, cursor.m_nColumn);
    int top = std::min(edit.m_nPickY, cursor.m_nRow);
    // The blocks hold 64 x 64 entries; a wider pick (on a map larger than the
    // stage settings allow) keeps its first 64 columns and rows.
    edit.m_nBlockWidth = std::min(std::abs(cursor.m_nColumn - edit.m_nPickX) + 1, kMaxBlockSide);
    edit.m_nBlockHeight = std::min(std::abs(cursor.m_nRow - edit.m_nPickY) + 1, kMaxBlockSide);
    for (int r = 0; r < edit.m_nBlockHeight && top + r < m_Stage.m_nHeight; ++r)
    {
        for (int c = 0; c < edit.m_nBlockWidth && left + c < m_Stage.m_nWidth; ++c)
        {
            if (!InsideStage(m_Stage, left + c, top + r))
            {
                continue;
            }
            if (edit.m_nPalette == kPaletteMapChip)
            {
                edit.m_PickedChip[r][c] = m_Stage.CellAt(left + c, top + r);
            }
            else
            {
                const auto& placements = m_Stage.m_Enemy;
                auto standing = std::find_if(placements.begin(), placements.end(), [&](const EnemyPlacement& p) {
                    return p.m_nX == left + c && p.m_nY == top + r;
                });
                edit.m_PickedEnemy[r][c] =
                    standing == placements.end() ? -1 : static_cast<int32_t>(standing - placements.begin());
            }
        }
    }
    if (edit.m_nPalette == kPaletteEnemy)
    {
        bool onePlacement = edit.m_nBlockWidth == 1 && edit.m_nBlockHeight == 1 && edit.m_PickedEnemy[0][0] != -1;
        m_Host.SelectEnemyPaletteRow(onePlacement ? edit.m_PickedEnemy[0][0] : -1);
    }
    edit.SetPenMode(edit.m_nTool);
}

void StageMapTools::FloodFill(int column, int row)
{
    StageRecord& stage = m_Stage;
    // A click beside a map smaller than the view has no cell to start from.
    if (!InsideStage(stage, column, row))
    {
        return;
    }
    std::vector<char> visited;
    try
    {
        visited.assign(static_cast<std::size_t>(stage.m_nHeight) * static_cast<std::size_t>(stage.m_nPitch), 0);
    }
    catch (const std::bad_alloc&)
    {
        m_Host.ShowOutOfMemory();
        return;
    }

    const int32_t target = stage.CellAt(column, row);
    const int blockWidth = std::max(m_Edit.BlockWidth(), 1);
    const int blockHeight = std::max(m_Edit.BlockHeight(), 1);

    // Depth first in the order left, right, up, down, as deep as the depth
    // limit allows; a cell refused for its depth may still be reached later
    // along a shorter way.
    auto enter = [&](int x, int y, int px, int py, int depth) {
        char& seen = visited[static_cast<std::size_t>((y << stage.m_nShift) + x)];
        int32_t& cell = stage.CellAt(x, y);
        if (seen || cell != target || depth >= kMaxFillDepth)
        {
            return false;
        }
        int32_t chip = m_Edit.m_PickedChip[py][px];
        if (IsLand(chip))
        {
            cell = chip;
        }
        seen = 1;
        return true;
    };

    struct Frame
    {
        int m_nX, m_nY, m_nPx, m_nPy, m_nNext;
    };
    std::vector<Frame> stack;
    if (!enter(column, row, 0, 0, 0))
    {
        return;
    }
    stack.push_back({column, row, 0, 0, 0});
    while (!stack.empty())
    {
        Frame f = stack.back();
        if (f.m_nNext == 4)
        {
            stack.pop_back();
            continue;
        }
        stack.back().m_nNext++;
        int x = f.m_nX;
        int y = f.m_nY;
        int px = f.m_nPx;
        int py = f.m_nPy;
        switch (f.m_nNext)
        {
        case 0:
            if (x - 1 < 0)
            {
                continue;
            }
            --x;
            px = px - 1 < 0 ? blockWidth - 1 : px - 1;
            break;
        case 1:
            if (x + 1 >= stage.m_nWidth)
            {
                continue;
            }
            ++x;
            px = NextBlockIndex(px, blockWidth);
            break;
        case 2:
            if (y - 1 < 0)
            {
                continue;
            }
            --y;
            py = py - 1 < 0 ? blockHeight - 1 : py - 1;
            break;
        default:
            if (y + 1 >= stage.m_nHeight)
            {
                continue;
            }
            ++y;
            py = NextBlockIndex(py, blockHeight);
            break;
        }
        int depth = static_cast<int>(stack.size());
        if (enter(x, y, px, py, depth))
        {
            stack.push_back({x, y, px, py, 0});
        }
    }
}
