#include "editor/event/BasicActionDialogs.h"

namespace
{

constexpr int kMessageLines = 4;
constexpr int kMessageLineWidth = 30;
constexpr int32_t kMaxWait = 999;
constexpr int32_t kNewWait = 60;
constexpr int32_t kMaxEnemyGroup = 100;

} // namespace

MessageActionDialog::MessageActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdMessageActionDialog, context)
{
    UseClassProcedure(this);
    TextEditBinding& text = m_TextEdits.emplace_back().Binding();
    text.m_nId = ControlIdBits(kIdMessageText);
    text.m_pText = &Command().m_StrParam.At(0).m_str;
    text.m_nLineWidth = kMessageLineWidth;
    text.m_nMaxLines = kMessageLines;
    text.m_bDoubleByte = 1;
    // A message is laid out line by line as typed: a line too long is refused, not broken.
    text.m_bRefuseWideLines = 1;
}

WaitActionDialog::WaitActionDialog(const ActionEditContext& context) : EventActionDialog(kIdWaitActionDialog, context)
{
    UseClassProcedure(this);
    if (IsNewAction())
    {
        *IntArg(0) = kNewWait;
    }
    AddNumberEdit(kIdWaitFrames, kIdWaitFramesSpin, 0, 0, kMaxWait);
}

EnemyGroupActionDialog::EnemyGroupActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdEnemyGroupActionDialog, context), m_SwitchNames{"OFF", "ON"}
{
    UseClassProcedure(this);
    if (IsNewAction())
    {
        *IntArg(0) = 1;
        *IntArg(1) = 1;
    }
    AddNumberEdit(kIdEnemyGroupNumber, kIdEnemyGroupNumberSpin, 0, 1, kMaxEnemyGroup);
    AddComboBox(kIdEnemyGroupSwitch, 1, &m_SwitchNames, 0);
}

EventVariableActionDialog::EventVariableActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdEventVariableActionDialog, context)
{
    UseClassProcedure(this);
    AddComboBox(kIdOperator, 0, OperatorNames, 0);
    AddNumberEdit(kIdOperand, kIdOperandSpin, 1, -kMaxOperand, kMaxOperand);
}
