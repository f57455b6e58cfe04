#include "editor/database/ClassPage.h"

#include "common/data/ProjectData.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/database/ParameterIds.h"
#include "editor/framework/ControlAnchor.h"
#include "editor/framework/InputDialogs.h"

#include <climits>

namespace
{

constexpr int kCell = 48;
// The preview's background: red 66, green 0, blue 0.
constexpr uint32_t kPreviewBackground = 0x000042;

// A value row: the entry's name in the System's list and the value.
template <class Entry>
void NamedValueText(std::string& out, const CheckedVector<Entry>& names, int index, int32_t value)
{
    out = index < names.Count() ? names.At(index).m_strName : std::string();
    out += " " + std::to_string(value);
}

} // namespace

std::vector<std::string> CharacterGraphicItems(int bitmapWidth)
{
    std::vector<std::string> items;
    for (int number = 1; number < bitmapWidth / kCell; ++number)
    {
        items.push_back(std::to_string(number));
    }
    return items;
}

ClassPage::ClassPage(DatabaseSheet& sheet)
    : DatabaseTablePage(kIdClassPage, sheet, FillTable(ClassTable, 2),
                        Shape{kIdClassList, 1, 1, 999, kPathClass, &ClassRecord::m_nClassA}, NameRowText<ClassRecord>)
{
    UseClassProcedure(this);
    m_SkillValues.Binding().Set(kIdClassSkillValues, nullptr, &m_Current.m_SkillLearn, nullptr, 0, 1, 99, 0, 1, 0,
                                [](std::string& out, int index, const int32_t& value) {
                                    NamedValueText(out, ::System.m_SkillCategory, index, value);
                                });
    m_Resistances.Binding().Set(kIdClassResistances, nullptr, &m_Current.m_Resist, nullptr, 0, 1, 99, 1, 1, 0,
                                [](std::string& out, int index, const int32_t& value) {
                                    NamedValueText(out, ::System.m_Attribute, index, value);
                                });

    const DibBitmap* character = Host().SharedBitmap(kBitmapCharacter);
    m_GraphicItems = CharacterGraphicItems(character && character->IsCreated() ? character->Width() : 0);

    m_Numbers.resize(3 + 2 * kParameterCount);
    m_Numbers.At(0).Binding().Set(1033, &m_Current.m_nMove, 0, 8, 0, 1057, 1);
    m_Numbers.At(1).Binding().Set(1034, &m_Current.m_nExpRate, 0, 999, 0, 1064, 1);
    m_Numbers.At(2).Binding().Set(1053, &m_Current.m_nMaxLevel, 1, 99, 0, 1065, 1);
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Numbers.At(3 + k).Binding().Set(kParameterInitialIds[k], &m_Current.m_nInit[k], 0, 999, 0,
                                          kParameterInitialSpins[k], 1);
        m_Numbers.At(3 + kParameterCount + k)
            .Binding()
            .Set(kParameterFinalIds[k], &m_Current.m_nFinal[k], 0, 999, 0, kParameterFinalSpins[k], 1);
    }
    m_Texts.resize(1);
    m_Texts.At(0).Binding().Set(kIdClassName, &m_Current.m_strName, 12, 1);
    m_Checks.resize(1);
    m_Checks.At(0).Binding().Set(1035, &m_Current.m_bFlying);
    m_Combos.resize(1);
    m_Combos.At(0).Binding().Set(kIdClassGraphic, &m_Current.m_nGraphic, &m_GraphicItems, 1, nullptr);
    m_Pictures.resize(1);
    m_Pictures.At(0).Binding().Set(kIdClassPreview, kCell, kCell);
    m_EditButtons.push_back(PlainControl(kIdClassEditSkillValue));
    m_EditButtons.push_back(PlainControl(kIdClassEditResistance));
}

int ClassPage::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachRecordList();
    for (ListBox<int32_t>* list : {&m_SkillValues, &m_Resistances})
    {
        list->Attach(this, list->Binding());
        BindControl(list);
    }
    AttachBound(m_Numbers, m_Texts, m_Checks, m_Combos, m_Pictures);
    AttachPlainControls(m_EditButtons);
    m_SkillValues.SetCurSel(0, 0);
    m_Resistances.SetCurSel(0, 0);
    FinishInitDialog();
    return 0;
}

void ClassPage::OnPaint()
{
    DrawPreview();
}

int ClassPage::OnApply()
{
    Sheet().SaveAll();
    return 1;
}

void ClassPage::OnPageDestroyed()
{
    Host().OnDatabaseClosed();
}

bool ClassPage::OnTableCommand(uintptr_t wParam, intptr_t)
{
    int id = platform::LowWord(wParam);
    int code = platform::HighWord(wParam);
    ListBox<int32_t>* list = id == kIdClassSkillValues   ? &m_SkillValues
                             : id == kIdClassResistances ? &m_Resistances
                                                         : nullptr;
    if (list && code == platform::kLbnSelChange)
    {
        list->StoreSelected();
        list->Refill();
    }
    bool clicked = code == platform::kBnClicked;
    if ((id == kIdClassSkillValues && code == platform::kLbnDblClk) || (id == kIdClassEditSkillValue && clicked))
    {
        EditValue(m_SkillValues, "スキル習得値", 10);
    }
    else if ((id == kIdClassResistances && code == platform::kLbnDblClk) ||
             (id == kIdClassEditResistance && clicked))
    {
        EditValue(m_Resistances, "属性耐性", 999);
    }
    else if (id == kIdClassGraphic && code == platform::kCbnSelChange)
    {
        DrawPreview();
    }
    return true;
}

void ClassPage::OnRecordShown()
{
    DrawPreview();
}

void ClassPage::StoreFields()
{
    int32_t graphic = m_Current.m_nGraphic;
    ControlsToDataExceptLists();
    if (m_Combos.At(0).CurSel() == -1)
    {
        m_Current.m_nGraphic = graphic;
    }
}

void ClassPage::EditValue(ListBox<int32_t>& list, const char* prompt, int maximum)
{
    int position = list.GetDataPos();
    if (position == -1 || position >= list.Working().Count())
    {
        return;
    }
    int value = list.Working().At(position);
    ControlAnchor anchor(list);
    if (!ValueInputDialog::Run(Handle(), Owner(), &value, 0, maximum, prompt, &anchor, 1))
    {
        return;
    }
    list.Working().At(position) = value;
    list.Refill();
    // The trailing row of the class list stands for no class: nothing to write into.
    if (m_List.GetDataPos() != -1)
    {
        m_List.StoreBack();
        m_List.EndUpdate();
    }
}

void ClassPage::DrawPreview()
{
    if (!m_Pictures.empty())
    {
        // The classes' cells stand in one row.
        DrawCellPreview(m_Pictures.At(0), m_Combos.At(0), kPreviewBackground, kBitmapCharacter, kCell, INT_MAX);
    }
}
