#include "editor/database/BattleAiConditionDialog.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/EventVocabulary.h"

BattleAiConditionDialog::BattleAiConditionDialog(BattleAiCondition& condition, int dialogId,
                                                 platform::WindowHandle parent, int startMaximised, int kind,
                                                 EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_pCondition(&condition), m_Combos(3), m_Numbers(1), m_Checks(1)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    m_Combos.At(0).Binding().SetItemTable(kIdConditionSubject, &condition.m_nSubject, AiSubjectNames.Words().data(), 0);
    m_Combos.At(1).Binding().SetItemTable(kIdConditionParameter, &condition.m_nParam,
                                          AiConditionParamNames.Words().data(), 0);
    m_Combos.At(2).Binding().SetItemTable(kIdConditionComparison, &condition.m_nCompare, ComparisonNames, 0);
    m_Numbers.At(0).Binding().Set(kIdConditionValue, &condition.m_nValue, 0, 999, 0, kIdConditionValueSpin, 1);
    m_Checks.At(0).Binding().Set(kIdConditionPercent, &condition.m_bPercent);
}

int BattleAiConditionDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_Numbers);
    AttachControls(m_Checks);
    AttachControls(m_Combos);
    DataToControls();
    SetInitialised(1);
    return 0;
}

void BattleAiConditionDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
}

intptr_t BattleAiConditionDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                             intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
