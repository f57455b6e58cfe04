#include "StageRecord.h"

#include "common/data/DataFilePaths.h"
#include "common/data/FormatString.h"
#include "common/data/MapGrid.h"
#include "common/data/PlacedEvents.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"

namespace
{

// Files before this version hold placements and events before the position groups.
constexpr int32_t kGroupsFirstFrom = 102;
constexpr int32_t kOtherPagesFrom = 78;

struct CheckStage
{
    bool m_bActive = false;
    const StageRecord* m_pStage = nullptr;
};
thread_local CheckStage g_CheckStage;

bool OffStage(int32_t x, int32_t y, const StageRecord& stage)
{
    return x >= stage.m_nWidth || y >= stage.m_nHeight;
}

} // namespace

const char* const PositionModeNames[kPositionModeCount + 1] = {"未指定", "リーダー", "敵", "位置グループ", "座標", ""};

const StageRecord* StageForChecks()
{
    return g_CheckStage.m_bActive ? g_CheckStage.m_pStage : &Stage;
}

StageCheckScope::StageCheckScope(const StageRecord* stage)
    : m_bPreviousActive(g_CheckStage.m_bActive), m_pPrevious(g_CheckStage.m_pStage)
{
    g_CheckStage = {true, stage};
}

StageCheckScope::~StageCheckScope()
{
    g_CheckStage = {m_bPreviousActive, m_pPrevious};
}

void PositionGroup::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nCenterX, "m_nCenterX");
    BindInt(m_nCenterY, "m_nCenterY");
    BindString(m_strName, "m_strName");
}

bool PositionGroup::Load(DataReader& in)
{
    int32_t count = 0;
    if (!LoadRecord(in) || !in.ReadCount(count, sizeof(int32_t) * 2))
    {
        return false;
    }
    m_Point.assign(static_cast<std::size_t>(count), MapPoint());
    for (MapPoint& point : m_Point)
    {
        in.ReadInt32(point.m_nX);
        in.ReadInt32(point.m_nY);
    }
    if (in.Failed())
    {
        return false;
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void PositionGroup::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    out.WriteInt32(m_Point.Count());
    for (const MapPoint& point : m_Point)
    {
        out.WriteInt32(point.m_nX);
        out.WriteInt32(point.m_nY);
    }
}

void PositionGroup::Validate()
{
    Validate(StageForChecks());
}

void PositionGroup::Validate(const StageRecord* stage)
{
    if (!stage)
    {
        return;
    }
    std::erase_if(m_Point, [stage](const MapPoint& point) { return OffStage(point.m_nX, point.m_nY, *stage); });
    if (m_nCenterX >= stage->m_nWidth)
    {
        m_nCenterX = 0;
    }
    if (m_nCenterY >= stage->m_nHeight)
    {
        m_nCenterY = 0;
    }
}

void EnemyPlacement::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nEnemy, "m_nEnemy");
    BindInt(m_nX, "m_nX");
    BindInt(m_nY, "m_nY");
    BindInt(m_nEnemyGroup, "m_nEnemyGroup");
}

bool EnemyPlacement::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadRecordVector(m_MoveAI, in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void EnemyPlacement::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    SaveRecordVector(m_MoveAI, out);
}

void EnemyPlacement::SetDefaults()
{
    ClearRecord(*this);
    m_nX = -1;
    m_nY = -1;
    m_nEnemyGroup = 0;
}

void EnemyPlacement::Validate()
{
    Validate(StageForChecks());
}

void EnemyPlacement::Validate(const StageRecord* stage)
{
    FitIndex(m_nEnemy, EnemyTable.Count());
    if (stage)
    {
        for (MoveAiEntry& entry : m_MoveAI)
        {
            entry.Validate(stage->m_GroupPos.Count());
        }
    }
}

void ResetVectorPrototype(EnemyPlacement& prototype)
{
    prototype.SetDefaults();
}

void ExplanationPage::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nCursorMode, "m_nCursorMode");
    BindInt(m_nEnemy, "m_nEnemy");
    if (VersionAtLeast(version, 79))
    {
        BindInt(m_nGroup, "m_nGroup");
        BindInt(m_nX, "m_nX");
        BindInt(m_nY, "m_nY");
    }
    BindInt(m_nShownGroup, "m_nShownGroup");
    BindString(m_strText, "m_strText");
}

void ExplanationPage::Validate()
{
    Validate(StageForChecks());
}

void ExplanationPage::Validate(const StageRecord* stage)
{
    if (!stage)
    {
        return;
    }
    int groups = stage->m_GroupPos.Count();
    FitIndex(m_nEnemy, stage->m_Enemy.Count());
    FitIndexOrOne(m_nGroup, groups);
    if (m_nX >= stage->m_nWidth)
    {
        m_nX = stage->m_nWidth - 1;
    }
    if (m_nY >= stage->m_nHeight)
    {
        m_nY = stage->m_nHeight - 1;
    }
    FitIndex(m_nShownGroup, groups);
}

StageRecord::StageRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

void StageRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nWidth, "m_nWidth");
    BindInt(m_nHeight, "m_nHeight");
    BindInt(m_nPitch, "m_nPitch");
    BindInt(m_nShift, "m_nShift");
    BindInt(m_nStartGroup, "m_nStartGroup");
    BindInt(m_nReward, "m_nReward");
    if (VersionAtLeast(version, 83))
    {
        BindInt(m_nClearedRewardRate, "m_nClearedRewardRate");
        BindInt(m_nFirstExpRate, "m_nFirstExpRate");
        BindInt(m_nClearedExpRate, "m_nClearedExpRate");
    }
    BindString(m_strName, "m_strName");
    BindString(m_strBgm, "m_strBgm");
}

bool StageRecord::Load(DataReader& in)
{
    SetDefaults();
    {
        // Placements, groups and events are checked once the whole stage is read.
        StageCheckScope waitForTheWholeStage(nullptr);
        if (!LoadRecord(in) || !LoadGrid(m_Chip, in, m_nWidth, m_nHeight, m_nPitch, m_nShift))
        {
            return false;
        }
        bool loaded = false;
        if (VersionAtLeast(in.Version(), kGroupsFirstFrom))
        {
            loaded = LoadRecordVector(m_GroupPos, in) && LoadRecordVector(m_Enemy, in) &&
                     LoadRecordVector(m_Event, in) && LoadRecordVector(m_PaletteEvent, in) &&
                     LoadRecordVector(m_WinPage, in) && LoadRecordVector(m_LosePage, in) &&
                     LoadRecordVector(m_OtherPage, in);
        }
        else
        {
            loaded = LoadRecordVector(m_Enemy, in) && LoadRecordVector(m_Event, in) &&
                     LoadRecordVector(m_PaletteEvent, in) && LoadRecordVector(m_GroupPos, in) &&
                     LoadRecordVector(m_WinPage, in) && LoadRecordVector(m_LosePage, in) &&
                     (!VersionAtLeast(in.Version(), kOtherPagesFrom) || LoadRecordVector(m_OtherPage, in));
        }
        if (!loaded)
        {
            return false;
        }
    }
    if (!in.ChecksValues())
    {
        return true;
    }
    Validate();
    for (Event& event : m_Event)
    {
        event.Validate(this);
    }
    for (Event& event : m_PaletteEvent)
    {
        event.Validate(this);
    }
    return true;
}

void StageRecord::Save(DataWriter& out)
{
    StageCheckScope checkAgainstThisStage(this);
    Validate();
    SaveRecord(out);
    SaveIntVector(m_Chip, out);
    SaveRecordVector(m_GroupPos, out);
    SaveRecordVector(m_Enemy, out);
    SaveRecordVector(m_Event, out);
    SaveRecordVector(m_PaletteEvent, out);
    SaveRecordVector(m_WinPage, out);
    SaveRecordVector(m_LosePage, out);
    SaveRecordVector(m_OtherPage, out);
}

void StageRecord::SetDefaults()
{
    ClearRecord(*this);
    m_strName = "ステージ";
    ResizeMap(20, 15);
    m_Enemy.clear();
    m_Event.clear();

    m_PaletteEvent.assign(1, Event());
    m_PaletteEvent.At(0).Init();
    m_PaletteEvent.At(0).m_strName = "デフォルト";

    m_GroupPos.assign(2, PositionGroup());
    m_WinPage.clear();
    m_LosePage.clear();
    m_OtherPage.clear();

    m_nReward = 0;
    m_nClearedRewardRate = 50;
    m_nFirstExpRate = 100;
    m_nClearedExpRate = 50;
}

void StageRecord::Validate()
{
    FitIndex(m_nStartGroup, m_GroupPos.Count());
    int lands = LandTable.Count();
    for (int32_t y = 0; y < m_nHeight; ++y)
    {
        const std::size_t start = static_cast<std::size_t>(y) << m_nShift;
        if (m_nWidth > 0 && start + static_cast<std::size_t>(m_nWidth) <= m_Chip.size())
        {
            int32_t* row = m_Chip.data() + start;
            for (int32_t x = 0; x < m_nWidth; ++x)
            {
                // FitIndex without a branch, so that a row is checked in a few vector steps.
                row[x] = IsTableIndex(row[x], lands) ? row[x] : 0;
            }
            continue;
        }
        for (int32_t x = 0; x < m_nWidth; ++x) // a row outside the grid: the checked access reports it
        {
            FitIndex(CellAt(x, y), lands);
        }
    }
    for (EnemyPlacement& placement : m_Enemy)
    {
        placement.Validate(this);
        if (OffStage(placement.m_nX, placement.m_nY, *this))
        {
            placement.m_nX = -1;
            placement.m_nY = -1;
        }
    }
    std::erase_if(m_Event, [this](const Event& event) { return OffStage(event.m_nX, event.m_nY, *this); });
    for (PositionGroup& group : m_GroupPos)
    {
        group.Validate(this);
    }
    for (CheckedVector<ExplanationPage>* pages : {&m_WinPage, &m_LosePage, &m_OtherPage})
    {
        for (ExplanationPage& page : *pages)
        {
            page.Validate(this);
        }
    }
}

void StageRecord::ResizeMap(int32_t width, int32_t height)
{
    ResizeGrid(m_Chip, m_nWidth, m_nHeight, m_nPitch, m_nShift, width, height);
}

void StageRecord::ClearMap()
{
    std::fill(m_Chip.begin(), m_Chip.end(), 0);
}

bool StageRecord::HasEventAt(int32_t x, int32_t y) const
{
    return HasPlacedEvent(m_Event, x, y);
}

Event* StageRecord::GetEventAt(int32_t x, int32_t y)
{
    return FindPlacedEvent(m_Event, x, y);
}

void StageRecord::PutEvent(Event& event, int32_t x, int32_t y)
{
    PutPlacedEvent(m_Event, event, x, y);
}

bool StageRecord::RemoveEventAt(int32_t x, int32_t y)
{
    return RemovePlacedEventsAt(m_Event, x, y);
}

bool StageRecord::RemoveEvent(const Event* event)
{
    return RemovePlacedEvent(m_Event, event);
}

std::string StageFileExtension()
{
    std::string extension;
    FormatString(extension, "%s_%s", FileExtensions[kExtStage], kVersionText);
    return extension;
}

std::string StageSaveName(std::string_view path)
{
    return NumberedCopyName(NumberedCopyBase(path, FileExtensions[kExtStage]), kDataFormatVersion);
}

int SaveStageFile(StageRecord& stage, std::string_view path, std::string* error)
{
    return SaveRecordFile(stage, StageSaveName(path), error);
}

void PositionGroup::VisitVectors(VectorVisitor& visitor)
{
    CheckedVector<int32_t> xy;
    for (const MapPoint& point : m_Point)
    {
        xy.push_back(point.m_nX);
        xy.push_back(point.m_nY);
    }
    visitor.Ints("m_Point(x,y)", xy);
}

void EnemyPlacement::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_MoveAI", m_MoveAI);
}

void StageRecord::VisitVectors(VectorVisitor& visitor)
{
    visitor.Grid("m_Chip", m_Chip, m_nWidth, m_nHeight, m_nPitch);
    visitor.Records("m_GroupPos", m_GroupPos);
    visitor.Records("m_Enemy", m_Enemy);
    visitor.Records("m_Event", m_Event);
    visitor.Records("m_PaletteEvent", m_PaletteEvent);
    visitor.Records("m_WinPage", m_WinPage);
    visitor.Records("m_LosePage", m_LosePage);
    visitor.Records("m_OtherPage", m_OtherPage);
}
