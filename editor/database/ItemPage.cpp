#include "editor/database/ItemPage.h"

#include "common/data/DatabaseVocabulary.h"

ItemPage::ItemPage(DatabaseSheet& sheet)
    : EffectRecordPage(kIdItemPage, sheet, ItemTable, kPathItem, kIdItemList, &ItemRecord::m_nItemB,
                       NameRowText<ItemRecord>)
{
    UseClassProcedure(this);
    BuildNameLists();

    m_Numbers.resize(kParameterCount + 4);
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Numbers.At(k).Binding().Set(kEffectValueIds[k], &m_Current.m_nValue[k], -999, 999, 1, kEffectValueSpins[k],
                                      1);
    }
    m_Numbers.At(kParameterCount).Binding().Set(kIdItemPrice, &m_Current.m_nPrice, 0, 999999, 0, 1144, 1);
    m_Numbers.At(kParameterCount + 1).Binding().Set(kIdItemMaxCount, &m_Current.m_nMaxCount, 0, 99, 0, 1146, 1);
    m_Numbers.At(kParameterCount + 2).Binding().Set(kIdEffectHitRate, &m_Current.m_nHitRate, 0, 999, 0, 1141, 1);
    m_Numbers.At(kParameterCount + 3).Binding().Set(kIdEffectCritical, &m_Current.m_nCritical, 0, 999, 0, 1138, 1);
    m_Texts.resize(3);
    m_Texts.At(0).Binding().Set(kIdEffectName, &m_Current.m_strName, 8, 1);
    m_Texts.At(1).Binding().Set(kIdEffectSound, &m_Current.m_strSound, kMaxPathBytes, 0);
    m_Texts.At(2).Binding().Set(kIdEffectText, &m_Current.m_strText, 38, 1);
    m_Checks.resize(1);
    m_Checks.At(0).Binding().Set(kIdItemPercent, &m_Current.m_bPercent);
    m_Combos.resize(5);
    m_Combos.At(0).Binding().Set(kIdEffectCategory, &m_Current.m_nCategory, &m_CategoryItems, 0, nullptr);
    m_Combos.At(1).Binding().SetItemTable(kIdEffectKind, &m_Current.m_nKind, ItemKindNames.Words().data(), 0);
    m_Combos.At(2).Binding().Set(kIdEffectAttribute, &m_Current.m_nAttribute, &m_AttributeItems, 0, nullptr);
    m_Combos.At(3).Binding().Set(kIdEffectGraphic, &m_Current.m_nGraphic, &m_GraphicItems, 0, nullptr);
    m_Combos.At(4).Binding().SetItemTable(kIdEffectColour, &m_Current.m_nColor, ItemColorNames.Words().data(), 0);
    BindEffectControls();
}

int ItemPage::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachRecordList();
    AttachBound(m_Numbers, m_Texts, m_Checks, m_Combos);
    AttachEffectControls();
    FinishInitDialog();
    UpdateEnabledByKind();
    return 0;
}

std::vector<std::string> ItemPage::CategoryNames() const
{
    return EntryNames(::System.m_ItemCategory);
}

void ItemPage::UpdateEnabledByKind()
{
    // Medicines (0) and weapons (1) have every field; a kind without a rule too.
    int kind = ShownKind();
    bool known = kind >= 0 && kind <= 3;
    int battle = !known || kind <= 1;
    int effects = !known || kind <= 2;
    EnableIds({kIdEffectAttribute, kIdEffectHitRate, kIdEffectCritical, kIdEffectGraphic, kIdEffectColour,
               kIdEffectSound, kIdEffectBrowse, kIdEffectPlay},
              battle);
    EnableIds({kIdItemPercent}, effects);
    for (int id : kEffectValueIds)
    {
        EnableIds({id}, effects);
    }
}
