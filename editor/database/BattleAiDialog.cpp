#include "editor/database/BattleAiDialog.h"

#include "common/data/CharacterRowTexts.h"
#include "common/data/DatabaseVocabulary.h"
#include "common/data/ProjectData.h"
#include "editor/database/CharacterPage.h"
#include "editor/database/EntryList.h"

namespace
{

// The condition list's commands: edit mode 1, the first set.
constexpr int kConditionAccelerators = 117;
constexpr int kConditionPopup = 116;
constexpr int32_t kActionAttack = 0;
constexpr EntryListShape kConditions = {kIdConditionList,   kIdConditionInsert, kIdConditionEdit,
                                        kIdConditionDelete, kIdConditionDialog, kMaxBattleAiConditions};

} // namespace

BattleAiDialog::BattleAiDialog(BattleAiEntry& entry, int dialogId, platform::WindowHandle parent, int startMaximised,
                               int kind, EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_pEntry(&entry), m_Conditions(entry.m_Condition), m_Combos(2),
      m_Numbers(2), m_SkillNames(RecordNames(SkillTable, 1))
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    m_Combos.At(0).Binding().SetItemTable(kIdBattleAiAction, &entry.m_nAction, BattleAiActionNames.Words().data(), 0);
    m_Combos.At(1).Binding().Set(kIdBattleAiSkill, &entry.m_nSkill, &m_SkillNames, 1, nullptr);
    m_Numbers.At(0).Binding().Set(kIdBattleAiPriority, &entry.m_nPriority, 1, 9, 0, kIdBattleAiPrioritySpin, 1);
    m_Numbers.At(1).Binding().Set(kIdBattleAiPriorityValue, &entry.m_nPriorityLevel, 0, 100, 0,
                                  kIdBattleAiPriorityValueSpin, 1);
    m_List.Binding().Set(
        kIdConditionList, &entry.m_Condition, &m_Conditions, nullptr, 0, 0, kMaxBattleAiConditions, 0, 1, 0,
        [](std::string& out, int, const BattleAiCondition& condition) { out = BattleAiConditionText(condition); });
}

BattleAiDialog::~BattleAiDialog()
{
    m_pConditionDialog.reset();
}

int BattleAiDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    AttachControls(m_Numbers);
    AttachControls(m_Combos);
    m_List.SetAcceleratorsAndMenu(kConditionAccelerators, kConditionPopup, 1, 1);
    m_List.SetCurSel(0, 0);
    DataToControls();
    UpdateSkillEnable();
    SetInitialised(1);
    return 0;
}

void BattleAiDialog::UpdateSkillEnable()
{
    EnableComboBoxById(m_Combos, kIdBattleAiSkill, m_Combos.At(0).GetSelectedData() != kActionAttack);
}

intptr_t BattleAiDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return CloseOnWmCloseWithListPopup(window, message, wParam, lParam);
}

void BattleAiDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const bool clicked = platform::HighWord(wParam) == platform::kBnClicked;
    if (id == kIdDialogOk && clicked)
    {
        ControlsToData();
        Close(1);
        return;
    }
    if (id == kIdDialogCancel && clicked)
    {
        Close(0);
        return;
    }
    RunEntryListCommand(m_List, m_pConditionDialog, kConditions, Owner(), wParam);
    // The list's own shortcut and pop-up commands never open the condition dialog.
    if (OfferListCommand(id))
    {
        m_List.Refill();
    }
    if (IsInitialised())
    {
        UpdateSkillEnable();
    }
    EndListUpdates();
}
