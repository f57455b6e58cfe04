#include "editor/stage/StageEditState.h"

#include "common/services/Log.h"

#include <algorithm>

StageEditState StageEdit;

StageEditState::StageEditState() : m_FreeMemoryProbe([] { return uint64_t{GetFreePhysicalMemory()}; })
{
    for (auto& row : m_PickedEnemy)
    {
        row.fill(-1);
    }
    ResetTools(false);
}

void StageEditState::Reset(const StageRecord& stage)
{
    ResetTools(!stage.m_Event.empty());
}

void StageEditState::ResetTools(bool stageHasEvents)
{
    m_nPalette = kPaletteMapChip;
    m_nTool = kToolPen;
    m_nPenMode = kToolPen;
    m_nPltNum = 0;
    m_nPickX = -1;
    m_nPickY = -1;
    m_nBlockWidth = 1;
    m_nBlockHeight = 1;
    m_pEditedEvent = nullptr;
    m_pEditedPlacement = nullptr;

    const PaletteSlot none{0, 0, -1, -1, 0, 0};
    m_Slot[kPaletteEnemy] = none;
    m_Slot[kPaletteEvent] = stageHasEvents ? PaletteSlot{0, 0, 0, 0, 1, 1} : none;
}

void PaletteToolState::SetPenMode(int32_t n)
{
    m_nTool = n;
    if (n >= kToolPen && n < kToolCount)
    {
        m_nPenMode = n;
    }
}

void PaletteToolState::SwitchPalette(int32_t palette)
{
    if (palette == m_nPalette || palette < 0 || palette >= kPaletteCount)
    {
        return;
    }
    if (m_nPalette >= 0 && m_nPalette < kPaletteCount)
    {
        m_Slot[m_nPalette] = {m_nTool, m_nPenMode, m_nPltNum, m_nPaletteRow, m_nBlockWidth, m_nBlockHeight};
    }
    const PaletteSlot& slot = m_Slot[palette];
    m_nTool = slot.m_nTool;
    m_nPenMode = slot.m_nPenMode;
    m_nPltNum = slot.m_nPltNum;
    m_nPaletteRow = slot.m_nPaletteRow;
    m_nBlockWidth = slot.m_nBlockWidth;
    m_nBlockHeight = slot.m_nBlockHeight;
    m_nPalette = palette;
}

int StageEditState::BlockWidth() const
{
    return std::clamp(m_nBlockWidth, 0, kMaxBlockSide);
}

int StageEditState::BlockHeight() const
{
    return std::clamp(m_nBlockHeight, 0, kMaxBlockSide);
}
