#include "editor/database/SkillPage.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/window/WindowBase.h"
#include "platform/window/ControlMessages.h"

namespace
{

// "%s-%s": the name of the skill's category (empty for a category the System lacks) and the skill's name.
void SkillRowText(std::string& out, int, const SkillRecord& record)
{
    const CheckedVector<CategoryEntry>& categories = ::System.m_SkillCategory;
    bool known = record.m_nCategory >= 0 && record.m_nCategory < categories.Count();
    out = (known ? categories.At(record.m_nCategory).m_strName : std::string()) + "-" + record.m_strName;
}

// The targets of the kinds: 自分 0, 相手 1, 時間 2, 地形 3.
constexpr SkillKindRule kKindRules[] = {
    {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 1, 1, 1}, {0, 1, 1, 1}, {2, 0, 1, 0}, {0, 1, 0, 1}, {3, 1, 1, 0},
};

} // namespace

SkillKindRule SkillKindRuleOf(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(std::size(kKindRules)))
    {
        return {-1, 1, 1, 1};
    }
    return kKindRules[kind];
}

SkillPage::SkillPage(DatabaseSheet& sheet)
    : EffectRecordPage(kIdSkillPage, sheet, SkillTable, kPathSkill, kIdSkillList, &SkillRecord::m_nSkillB,
                       SkillRowText)
{
    UseClassProcedure(this);
    BuildNameLists();

    struct Field
    {
        int m_nId;
        int32_t* m_pValue;
        int m_nMinimum;
        int m_nMaximum;
        int m_nSpin;
    };
    const Field fields[] = {
        {1152, &m_Current.m_nSpCost, 0, 99, 1153},
        {kIdEffectHitRate, &m_Current.m_nHitRate, 0, 999, 1141},
        {kIdSkillPower, &m_Current.m_nPower, -999, 999, 11082},
        {kIdEffectCritical, &m_Current.m_nCritical, 0, 999, 1138},
        {1130, &m_Current.m_nSpecialValue, 0, 999, 1087},
        {1142, &m_Current.m_nLearnRate, 0, 100, 1143},
        {1144, &m_Current.m_nLearnRateFactor, 0, 100, 1145},
        {1146, &m_Current.m_nLearnLevelMin, 0, 100, 1147},
        {1148, &m_Current.m_nLearnLevelMax, 0, 100, 1149},
    };
    m_Numbers.resize(kParameterCount + static_cast<int>(std::size(fields)));
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Numbers.At(k).Binding().Set(kEffectValueIds[k], &m_Current.m_nStatChange[k], -999, 999, 0,
                                      kEffectValueSpins[k], 1);
    }
    int n = kParameterCount;
    for (const Field& field : fields)
    {
        m_Numbers.At(n++).Binding().Set(field.m_nId, field.m_pValue, field.m_nMinimum, field.m_nMaximum, 0,
                                        field.m_nSpin, 1);
    }
    m_Factors.resize(1);
    m_Factors.At(0).Binding().Set(kIdSkillPenalty, &m_Current.m_dLearnLevelFactor, 0.0, 100.0, 0, 1151, 0.1);
    m_Texts.resize(3);
    m_Texts.At(0).Binding().Set(kIdEffectName, &m_Current.m_strName, 8, 1);
    m_Texts.At(1).Binding().Set(kIdEffectText, &m_Current.m_strText, 38, 1);
    m_Texts.At(2).Binding().Set(kIdEffectSound, &m_Current.m_strSound, kMaxPathBytes, 0);
    m_Checks.resize(1);
    m_Checks.At(0).Binding().Set(kIdSkillQuick, &m_Current.m_bQuick);
    m_Combos.resize(7);
    m_Combos.At(0).Binding().Set(kIdEffectCategory, &m_Current.m_nCategory, &m_CategoryItems, 0, nullptr);
    m_Combos.At(1).Binding().SetItemTable(kIdEffectKind, &m_Current.m_nKind, SkillKindNames.Words().data(), 0);
    m_Combos.At(2).Binding().SetItemTable(kIdSkillTarget, &m_Current.m_nTarget, SkillTargetNames.Words().data(), 0);
    m_Combos.At(3).Binding().Set(kIdEffectAttribute, &m_Current.m_nAttribute, &m_AttributeItems, 0, nullptr);
    m_Combos.At(4).Binding().SetItemTable(1079, &m_Current.m_nSpecial, SkillSpecialNames.Words().data(), 0);
    m_Combos.At(5).Binding().Set(kIdEffectGraphic, &m_Current.m_nGraphic, &m_GraphicItems, 0, nullptr);
    m_Combos.At(6).Binding().SetItemTable(kIdEffectColour, &m_Current.m_nColor, SkillColorNames.Words().data(), 0);
    BindEffectControls();
}

int SkillPage::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachRecordList();
    AttachBound(m_Numbers, m_Factors, m_Texts, m_Checks, m_Combos);
    AttachEffectControls();
    FinishInitDialog();
    UpdateEnabledByKind();
    return 0;
}

std::vector<std::string> SkillPage::CategoryNames() const
{
    return EntryNames(::System.m_SkillCategory);
}

void SkillPage::UpdateEnabledByKind()
{
    SkillKindRule rule = SkillKindRuleOf(ShownKind());
    if (rule.m_nTarget >= 0)
    {
        ComboOf(kIdSkillTarget).SelectData(rule.m_nTarget);
    }
    if (!rule.m_bQuick)
    {
        AppWindowSystem->SendMessage(AppWindowSystem->GetDlgItem(Handle(), kIdSkillQuick), platform::kBmSetCheck, 0,
                                     0);
    }
    EnableIds({kIdSkillQuick}, rule.m_bQuick);
    EnableIds({kIdSkillPower}, rule.m_bPower);
    EnableIds({kIdEffectAttribute, kIdEffectCritical}, rule.m_bOthers);
    for (int id : kEffectValueIds)
    {
        EnableIds({id}, rule.m_bOthers);
    }
}
