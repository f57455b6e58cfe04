#include "WorldMapRecord.h"

#include "common/data/MapGrid.h"
#include "common/data/PlacedEvents.h"

#include <algorithm>

const char* const WorldMapPageKindNames[kWorldMapPageKindCount + 1] = {"ステージ", "道", "壁", ""};

const char* const GameClearActionNames[kGameClearActionCount + 1] = {"しない", "2周目へ突入", "ゲーム終了", ""};

namespace
{

constexpr int kWorldChipCount = 10;
constexpr int kFirstPassableChip = 5;
constexpr int32_t kLastStageNumber = 999;

} // namespace

void WorldMapChip::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nChipValue, "m_nChipValue");
    BindInt(m_bBlocked, "m_bBlocked");
    BindInt(m_nTile, "m_nTile");
    BindString(m_strText, "m_strText");
    BindString(m_strPassLabel, "m_strPassLabel");
}

void WorldMapEventPage::BindFields(int32_t version)
{
    ClearBindings();
    if (VersionAtLeast(version, 96))
    {
        BindInt(m_nKind, "m_nKind");
    }
    BindInt(m_nGraphic, "m_nGraphic");
    BindInt(m_nStageNumber, "m_nStageNumber");
    BindInt(m_bPassWithoutClear, "m_bPassWithoutClear");
    BindInt(m_bReplayAfterClear, "m_bReplayAfterClear");
    BindInt(m_nAfterClear, "m_nAfterClear");
    BindInt(m_nNeedStage, "m_nNeedStage");
    BindInt(m_nVariable, "m_nVariable");
    BindInt(m_nVariableValue, "m_nVariableValue");
    BindInt(m_nVariableCompare, "m_nVariableCompare");
    BindString(m_strStageFile, "m_strStageFile");
}

void WorldMapEvent::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nX, "m_nX");
    BindInt(m_nY, "m_nY");
    BindString(m_strName, "m_strName");
}

bool WorldMapEvent::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadRecordVector(m_Page, in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        ValidatePages();
    }
    return true;
}

void WorldMapEvent::Save(DataWriter& out)
{
    ValidatePages();
    SaveRecord(out);
    SaveRecordVector(m_Page, out);
}

void WorldMapEvent::Init()
{
    ClearRecord(*this);
    m_Page.clear();
    ClearRecord(m_Page.emplace_back());
}

void WorldMapEvent::ValidatePages()
{
    // A page holds no index that could point outside a table.
}

WorldMapRecord::WorldMapRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

void WorldMapRecord::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nWidth, "m_nWidth");
    BindInt(m_nHeight, "m_nHeight");
    BindInt(m_nPitch, "m_nPitch");
    BindInt(m_nShift, "m_nShift");
    BindInt(m_nStartX, "m_nStartX");
    BindInt(m_nStartY, "m_nStartY");
    BindInt(m_nBackColor, "m_nBackColor");
    BindInt(m_bUseBackImage, "m_bUseBackImage");
    BindString(m_strName, "m_strName");
    BindString(m_strBackImage, "m_strBackImage");
}

bool WorldMapRecord::Load(DataReader& in)
{
    SetDefaults();
    if (!LoadRecord(in) || !LoadRecordVector(m_Chip, in) ||
        !LoadGrid(m_Cell, in, m_nWidth, m_nHeight, m_nPitch, m_nShift) || !LoadRecordVector(m_Event, in) ||
        !LoadRecordVector(m_Palette, in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void WorldMapRecord::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    SaveRecordVector(m_Chip, out);
    SaveIntVector(m_Cell, out);
    SaveRecordVector(m_Event, out);
    SaveRecordVector(m_Palette, out);
}

void WorldMapRecord::SetDefaults()
{
    ClearRecord(*this);
    m_strName = "ワールド";
    m_nStartX = 9;
    m_nStartY = 7;
    m_nBackColor = 16;
    m_bUseBackImage = 0;

    // Cut or extended: the chips kept keep their value and text.
    m_Chip.resize(kWorldChipCount);
    for (int i = 0; i < kWorldChipCount; ++i)
    {
        WorldMapChip& chip = m_Chip.At(i);
        chip.m_nTile = i;
        chip.m_bBlocked = i < kFirstPassableChip ? 1 : 0;
        chip.m_strPassLabel = i < kFirstPassableChip ? "通行不可" : "通行可";
    }

    Resize(20, 15);

    m_Event.clear();
    m_Palette.assign(1, WorldMapEvent());
    m_Palette.At(0).Init();
    m_Palette.At(0).m_strName = "デフォルト";
}

void WorldMapRecord::Resize(int32_t width, int32_t height)
{
    ResizeGrid(m_Cell, m_nWidth, m_nHeight, m_nPitch, m_nShift, width, height);
}

void WorldMapRecord::Validate()
{
    if (m_nStartX >= m_nWidth)
    {
        m_nStartX = m_nWidth - 1;
    }
    if (m_nStartY >= m_nHeight)
    {
        m_nStartY = m_nHeight - 1;
    }
    for (WorldMapEvent& event : m_Event)
    {
        event.ValidatePages();
    }
    std::erase_if(m_Event,
                  [this](const WorldMapEvent& event) { return event.m_nX >= m_nWidth || event.m_nY >= m_nHeight; });
    for (WorldMapEvent& event : m_Palette)
    {
        event.ValidatePages();
    }
}

void WorldMapRecord::ClearChips()
{
    std::fill(m_Cell.begin(), m_Cell.end(), 0);
}

bool WorldMapRecord::HasEventAt(int32_t x, int32_t y) const
{
    return HasPlacedEvent(m_Event, x, y);
}

WorldMapEvent* WorldMapRecord::FindEventAt(int32_t x, int32_t y)
{
    return FindPlacedEvent(m_Event, x, y);
}

void WorldMapRecord::PutEvent(WorldMapEvent& event, int32_t x, int32_t y)
{
    PutPlacedEvent(m_Event, event, x, y);
}

bool WorldMapRecord::RemoveEventAt(int32_t x, int32_t y)
{
    return RemovePlacedEventsAt(m_Event, x, y);
}

bool WorldMapRecord::RemoveEvent(const WorldMapEvent* event)
{
    return RemovePlacedEvent(m_Event, event);
}

int32_t WorldMapRecord::FindFreeStageNumber(const WorldMapEvent* excluded) const
{
    std::vector<bool> used(kLastStageNumber + 1, false);
    for (const WorldMapEvent& event : m_Event)
    {
        if (&event == excluded)
        {
            continue;
        }
        for (const WorldMapEventPage& page : event.m_Page)
        {
            if (page.m_nKind == kWorldPageStage && page.m_nStageNumber >= 1 && page.m_nStageNumber <= kLastStageNumber)
            {
                used[static_cast<std::size_t>(page.m_nStageNumber)] = true;
            }
        }
    }
    for (int32_t n = 1; n <= kLastStageNumber; ++n)
    {
        if (!used[static_cast<std::size_t>(n)])
        {
            return n;
        }
    }
    return 0;
}

void WorldMapRecord::AssignStageNumbers(WorldMapEvent& event, const WorldMapEvent* excluded) const
{
    // Asked again for every page: a placed event that is not excluded sees its own earlier pages.
    for (WorldMapEventPage& page : event.m_Page)
    {
        if (page.m_nKind == kWorldPageStage)
        {
            page.m_nStageNumber = FindFreeStageNumber(excluded);
        }
    }
}

void WorldMapEvent::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Page", m_Page);
}

void WorldMapRecord::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Chip", m_Chip);
    visitor.Grid("m_Cell", m_Cell, m_nWidth, m_nHeight, m_nPitch);
    visitor.Records("m_Event", m_Event);
    visitor.Records("m_Palette", m_Palette);
}
