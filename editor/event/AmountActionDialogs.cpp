#include "editor/event/AmountActionDialogs.h"

#include "common/data/ProjectData.h"

namespace
{

constexpr int32_t kMaxMoneyChange = 999999;
constexpr int32_t kMaxCountChange = 99;

} // namespace

MoneyOperationDialog::MoneyOperationDialog(const ActionEditContext& context)
    : EventActionDialog(kIdMoneyOperationDialog, context)
{
    UseClassProcedure(this);
    AddNumberEdit(kIdMoneyAmount, kIdMoneyAmountSpin, 0, -kMaxMoneyChange, kMaxMoneyChange);
}

CountOperationDialog::CountOperationDialog(int dialogId, const ActionEditContext& context,
                                           std::vector<std::string> names, int comboId)
    : EventActionDialog(dialogId, context), m_Names(std::move(names))
{
    if (IsNewAction())
    {
        *IntArg(0) = 1;
    }
    AddNumberEdit(kIdCountAmount, kIdCountAmountSpin, 1, -kMaxCountChange, kMaxCountChange);
    AddComboBox(comboId, 0, &m_Names, 1);
}

ItemOperationDialog::ItemOperationDialog(const ActionEditContext& context)
    : CountOperationDialog(kIdItemOperationDialog, context, NamesFromRowOne(ItemTable), kIdItemChoice)
{
    UseClassProcedure(this);
}

CompanionShopDialog::CompanionShopDialog(const ActionEditContext& context)
    : CountOperationDialog(kIdCompanionShopDialog, context, NamesFromRowOne(FriendTable), kIdFriendChoice)
{
    UseClassProcedure(this);
}

PartyChangeDialog::PartyChangeDialog(const ActionEditContext& context)
    : CountOperationDialog(kIdPartyChangeDialog, context, NamesFromRowOne(FriendTable), kIdFriendChoice)
{
    UseClassProcedure(this);
}
