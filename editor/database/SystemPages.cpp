#include "editor/database/SystemPages.h"

#include "common/data/ProjectData.h"
#include "editor/database/DatabaseSheet.h"

SystemSettingsPage::SystemSettingsPage(int dialogId, DatabaseSheet& sheet) : DatabasePage(dialogId, sheet)
{
}

int SystemSettingsPage::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachBound(m_Ints, m_Doubles, m_Texts, m_Checks);
    // The controls show System as it is now, which is also what a pending reload would show.
    m_bReload = 0;
    DataToControls();
    SetInitialised(1);
    return 0;
}

int SystemSettingsPage::Save(DatabaseSaveErrors&)
{
    if (Handle())
    {
        ControlsToData();
    }
    return 1;
}

void SystemSettingsPage::AddInt(int id, int32_t& field, int32_t minimum, int32_t maximum, int spinId)
{
    m_Ints.push_back({});
    m_Ints.back().Binding().Set(id, &field, minimum, maximum, 0, spinId, 1);
}

void SystemSettingsPage::AddDouble(int id, double& field, double minimum, double maximum, int spinId, double step)
{
    m_Doubles.push_back({});
    m_Doubles.back().Binding().Set(id, &field, minimum, maximum, 0, spinId, step);
}

void SystemSettingsPage::AddIntRows(int firstId, int firstSpin, int32_t (&fields)[kParameterCount], int32_t maximum)
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        AddInt(firstId + k, fields[k], 0, maximum, firstSpin + k);
    }
}

void SystemSettingsPage::AddDoubleRows(int firstId, int firstSpin, double (&fields)[kParameterCount], double maximum,
                                       double step)
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        AddDouble(firstId + k, fields[k], 0.0, maximum, firstSpin + k, step);
    }
}

void SystemSettingsPage::AddText(int id, std::string& field, int length)
{
    m_Texts.push_back({});
    m_Texts.back().Binding().Set(id, &field, length, 1);
}

void SystemSettingsPage::AddCheck(int id, int32_t& field)
{
    m_Checks.push_back({});
    m_Checks.back().Binding().Set(id, &field);
}

SystemPage1::SystemPage1(DatabaseSheet& sheet) : SystemSettingsPage(kIdSystemPage1, sheet)
{
    UseClassProcedure(this);
    AddInt(1152, ::System.m_nGrowthMin, 0, 9999, 1154);
    AddInt(1153, ::System.m_nGrowthMax, 0, 9999, 1155);
    AddInt(1158, ::System.m_nSkillMin, 0, 1000, 1159);
    AddInt(1160, ::System.m_nSkillMax, 0, 1000, 1161);
    AddDouble(1156, ::System.m_dGrowthScout, 0.0, 100.0, 1178, 0.001);
    AddDouble(1162, ::System.m_dSkillScout, 0.0, 100.0, 1163, 0.001);
    AddDoubleRows(kIdSystemGrowthRaise, 1343, ::System.m_dStatRaise, 99.9, 0.1);
    AddText(kIdSystemGameName, ::System.m_strGameName, kGameNameLength);
    AddCheck(1035, ::System.m_bGrowthCap);
    AddCheck(1036, ::System.m_bSkillCap);
    AddCheck(1038, ::System.m_bScout);
}

SystemPage2::SystemPage2(DatabaseSheet& sheet) : SystemSettingsPage(kIdSystemPage2, sheet)
{
    UseClassProcedure(this);
    AddIntRows(kIdSystemEnemyStat, 1361, ::System.m_nEnemyStatRate, 999);
    AddInt(1164, ::System.m_nExpBase, 0, 1000, 1165);
    AddInt(1170, ::System.m_nHireCost, 0, 999999, 1171);
    AddInt(1172, ::System.m_nHireCostPerLevel, 0, 999999, 1173);
    AddInt(1174, ::System.m_nReviveCost, 0, 999999, 1175);
    AddInt(1176, ::System.m_nReviveCostPerLevel, 0, 999999, 1177);
    AddInt(1179, ::System.m_nReleasePrice, 0, 999999, 1180);
    AddInt(1181, ::System.m_nReleasePricePerLevel, 0, 999999, 1182);
    AddInt(1183, ::System.m_nItemSellRate, 0, 999, 1184);
    AddDouble(21185, ::System.m_dExpLevelDiff, 0.0, 100.0, 21186, 0.1);
    AddDouble(1187, ::System.m_dExpFinish, 0.0, 100.0, 1188, 0.1);
    AddCheck(1037, ::System.m_bReviveAfterClear);
}

namespace
{

// Page 3's int edits that the action counts read, in this order at the start of its vector.
enum : int
{
    kBattleTimeEdit,
    kInitAttackerEdit,
    kInitDefenderEdit,
    kSpeedAttackerEdit,
    kSpeedDefenderEdit,
};

} // namespace

SystemPage3::SystemPage3(DatabaseSheet& sheet) : SystemSettingsPage(kIdSystemPage3, sheet)
{
    UseClassProcedure(this);
    AddInt(kIdSystemBattleTime, ::System.m_nBattleTime, 0, 100, 1162);
    AddInt(kIdSystemInitAttacker, ::System.m_nInitialAction[0], 0, 9999, 1272);
    AddInt(kIdSystemInitDefender, ::System.m_nInitialAction[1], 0, 9999, 1274);
    AddInt(kIdSystemSpeedAttacker, ::System.m_nSpeedRate[0], 0, 9999, 1160);
    AddInt(kIdSystemSpeedDefender, ::System.m_nSpeedRate[1], 0, 9999, 1159);
    AddInt(kIdSystemSpeedBase, ::System.m_nSpeedBase, 0, 999, 1178);
    AddInt(1173, ::System.m_nDamageRateMin, 0, 999, 1174);
    AddInt(1175, ::System.m_nDamageRateMax, 0, 999, 1176);
    AddInt(1165, ::System.m_nHpRecoverRate, 0, 999, 1166);
    AddInt(1168, ::System.m_nDifficultyInitial, 0, 10, 1169);
    AddInt(1170, ::System.m_nDifficultyMax, 0, 10, 1171);
    AddIntRows(kIdSystemDifficultyRaise, 1287, ::System.m_nDifficultyStatRaise, 999);
    // The two counts are shown only: no spin, and the save stores what they show.
    AddDouble(kIdSystemCountAttacker, ::System.m_dActionCount[0], 0.0, 999.9, 0, 0.1);
    AddDouble(kIdSystemCountDefender, ::System.m_dActionCount[1], 0.0, 999.9, 0, 0.1);
    AddDouble(1179, ::System.m_dHitFactor, 0.0, 99.9, 1180, 0.1);
    AddDouble(1185, ::System.m_dCriticalFactor, 0.0, 99.9, 1186, 0.1);
    AddDouble(1181, ::System.m_dAttackFactor, 0.0, 99.9, 1182, 0.1);
    AddDouble(1183, ::System.m_dDefenseFactor, 0.0, 99.9, 1184, 0.1);
    AddCheck(kIdSystemDefenderWaits, ::System.m_bDefenderWaits);
    AddCheck(1036, ::System.m_bSpOnHitOnly);
    AddCheck(1035, ::System.m_bDifficultyPercent);
}

bool SystemPage3::OnPageCommand(uintptr_t wParam, intptr_t)
{
    switch (platform::LowWord(wParam))
    {
    case kIdSystemDefenderWaits:
    case kIdSystemSpeedAttacker:
    case kIdSystemSpeedDefender:
    case kIdSystemBattleTime:
    case kIdSystemInitAttacker:
    case kIdSystemInitDefender:
        if (IsInitialised())
        {
            ShowActionCounts();
        }
        break;
    default:
        break;
    }
    return true;
}

void SystemPage3::ShowActionCounts()
{
    // What the fields stand for, within their limits (a field being typed may hold a lone "-").
    auto read = [this](int index) { return m_Ints.At(index).Clamp(m_Ints.At(index).GetValue()); };
    int32_t battleTime = read(kBattleTimeEdit);
    int32_t initAttacker = read(kInitAttackerEdit);
    int32_t initDefender = read(kInitDefenderEdit);
    int32_t speedAttacker = read(kSpeedAttackerEdit);
    int32_t speedDefender = read(kSpeedDefenderEdit);
    int32_t waits = m_Checks.At(0).GetCheck() == 1 ? 1 : 0;
    double counts[2] = {};
    CalcBattleActionCounts(counts[0], counts[1], battleTime, initAttacker, initDefender, speedAttacker, speedDefender,
                           waits);
    m_Doubles.At(0).SetValue(counts[0], 1);
    m_Doubles.At(1).SetValue(counts[1], 1);
}
