#include "Event.h"

#include "common/data/EventCommandCheck.h"
#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/data/StageRecord.h"

#include <limits>

namespace
{

// Rows that older files did not have yet.
constexpr int32_t kWaitAddedIn = 84;          // "ウエイト" became row 2
constexpr int32_t kChangeGraphicAddedIn = 89; // "イベントのグラフィックを変更" became row 8
constexpr int32_t kShopModeFrom = 103;        // older shops behave as if their first argument were 1
constexpr int32_t kShopGoodsFrom = 84;
constexpr int32_t kBothSidesTimingsAddedIn = 90; // timings 7 to 9 ("味方または敵の...")
constexpr int32_t kFirstBothSidesTiming = 7;
constexpr int32_t kBothSidesTimingCount = 3;

// value + step, or the largest int32 when that is beyond it.
int32_t SaturatingAdd(int32_t value, int32_t step)
{
    return value > std::numeric_limits<int32_t>::max() - step ? std::numeric_limits<int32_t>::max() : value + step;
}

} // namespace

void StringRecord::BindFields(int32_t)
{
    ClearBindings();
    BindString(m_str, "m_str");
}

void ShopItemEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nItem, "m_nItem");
}

void ShopItemEntry::SetDefaults()
{
    ClearRecord(*this);
    m_nItem = 1;
    Validate();
}

void ShopItemEntry::Validate()
{
    FitIndexOrOne(m_nItem, ItemTable.Count());
}

void ResetVectorPrototype(ShopItemEntry& prototype)
{
    prototype.SetDefaults();
}

void EventCommand::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nCode, "m_nCode");
}

bool EventCommand::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadIntVector(m_nValParam, in) || !LoadRecordVector(m_StrParam, in))
    {
        return false;
    }
    int32_t version = in.Version();
    if (VersionAtLeast(version, kShopGoodsFrom) && !LoadRecordVector(m_ShopItem, in))
    {
        return false;
    }
    // Both shifts can apply to one command. A code no row can have stays as
    // large as it is, and FitArguments makes it 0.
    if (!VersionAtLeast(version, kWaitAddedIn) && m_nCode >= kCommandWait)
    {
        m_nCode = SaturatingAdd(m_nCode, 1);
    }
    if (!VersionAtLeast(version, kChangeGraphicAddedIn) && m_nCode >= kCommandChangeGraphic)
    {
        m_nCode = SaturatingAdd(m_nCode, 1);
    }
    if (!VersionAtLeast(version, kShopModeFrom) && m_nCode == kCommandShop)
    {
        if (m_nValParam.empty())
        {
            m_nValParam.push_back(0);
        }
        m_nValParam.At(0) = 1;
    }
    if (in.ChecksValues())
    {
        FitArguments();
    }
    return true;
}

void EventCommand::Save(DataWriter& out)
{
    FitArguments();
    SaveRecord(out);
    SaveIntVector(m_nValParam, out);
    SaveRecordVector(m_StrParam, out);
    SaveRecordVector(m_ShopItem, out);
}

void EventCommand::Init()
{
    ClearRecord(*this);
    m_nValParam.clear();
    m_StrParam.clear();
    m_ShopItem.clear();
    FitArguments();
}

void EventCommand::FitArguments()
{
    FitArguments(StageForChecks());
}

void EventCommand::FitArgumentCounts()
{
    if (!IsEventCommandCode(m_nCode))
    {
        m_nCode = kCommandNone;
    }
    const EventCommandInfo& row = EventCommandTable[m_nCode];
    m_nValParam.resize(static_cast<std::size_t>(row.m_nIntArgs), 0);
    m_StrParam.resize(static_cast<std::size_t>(row.m_nStringArgs));
}

void EventCommand::FitArguments(const StageRecord* stage)
{
    FitArgumentCounts();
    if (EventCommandCheck check = EventCommandCheckTable[m_nCode])
    {
        check(*this, stage);
    }
}

void ResetVectorPrototype(EventCommand& prototype)
{
    prototype.Init();
}

void EventPage::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nGraphic, "m_nGraphic");
    BindInt(m_nTurn, "m_nTurn");
    BindInt(m_bUseEventVar, "m_bUseEventVar");
    BindInt(m_nEventVarValue, "m_nEventVarValue");
    BindInt(m_nEventVarCompare, "m_nEventVarCompare");
    BindInt(m_nVariable, "m_nVariable");
    BindInt(m_nVariableValue, "m_nVariableValue");
    BindInt(m_nVariableCompare, "m_nVariableCompare");
    BindInt(m_bFirstTryOnly, "m_bFirstTryOnly");
    BindInt(m_nArea, "m_nArea");
    BindInt(m_nTarget, "m_nTarget");
    if (VersionAtLeast(version, 90))
    {
        BindInt(m_nExists, "m_nExists");
    }
    BindInt(m_nGroup, "m_nGroup");
    BindInt(m_nTiming, "m_nTiming");
    if (VersionAtLeast(version, 71))
    {
        BindString(m_strCommandName, "m_strCommandName");
    }
}

bool EventPage::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadRecordVector(m_Action, in))
    {
        return false;
    }
    if (!VersionAtLeast(in.Version(), kBothSidesTimingsAddedIn) && m_nTiming >= kFirstBothSidesTiming)
    {
        m_nTiming = SaturatingAdd(m_nTiming, kBothSidesTimingCount);
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void EventPage::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    SaveRecordVector(m_Action, out);
}

void EventPage::Init()
{
    ClearRecord(*this);
    m_Action.clear();
    Validate();
}

void EventPage::Validate()
{
    Validate(StageForChecks());
}

void EventPage::Validate(const StageRecord* stage)
{
    FitIndex(m_nTiming, kTriggerTimingCount);
    if (stage)
    {
        FitIndex(m_nGroup, stage->m_GroupPos.Count());
    }
}

void ResetVectorPrototype(EventPage& prototype)
{
    prototype.Init();
}

Event::Event() : m_Page(1)
{
}

void Event::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nX, "m_nX");
    BindInt(m_nY, "m_nY");
    if (VersionAtLeast(version, 72))
    {
        BindInt(m_bHeld, "m_bHeld");
        BindInt(m_nHolder, "m_nHolder");
    }
    BindInt(m_nEventVar, "m_nEventVar");
    BindInt(m_bDone, "m_bDone");
    BindString(m_strName, "m_strName");
}

bool Event::Load(DataReader& in)
{
    return LoadRecord(in) && LoadRecordVector(m_Page, in);
}

void Event::Save(DataWriter& out)
{
    SaveRecord(out);
    SaveRecordVector(m_Page, out);
}

void Event::Init()
{
    ClearRecord(*this);
    m_Page.clear();
    m_Page.emplace_back().Init();
}

void Event::Validate(const StageRecord* stage)
{
    for (EventPage& page : m_Page)
    {
        page.Validate(stage);
        for (EventCommand& command : page.m_Action)
        {
            command.FitArguments(stage);
        }
    }
}

void ResetVectorPrototype(Event& prototype)
{
    prototype.Init();
}

void EventCommand::VisitVectors(VectorVisitor& visitor)
{
    visitor.Ints("m_nValParam", m_nValParam);
    visitor.Records("m_StrParam", m_StrParam);
    visitor.Records("m_ShopItem", m_ShopItem);
}

void EventPage::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Action", m_Action);
}

void Event::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Page", m_Page);
}
