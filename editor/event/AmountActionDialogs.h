#pragma once

// The dialogs of four actions that add a signed amount: to the party's money
// (11), to the number of one item held (12), and for one friend to the
// companion shop (14) or to the party (15).
//
// Arguments (what the game's event interpreter reads):
// - money: int 0 the amount, -999999 .. 999999; a new action adds 0;
// - item, companion shop, party: int 0 the item or friend (a row of its table
//   from 1 on: row 0 is never offered), int 1 the amount, -99 .. 99; a new
//   action names item or friend 1 and adds 0.
// An item or friend without a row (the table shrank) shows no row, and OK
// then stores 0.

#include "editor/event/EventActionDialog.h"

enum : int
{
    kIdMoneyOperationDialog = 175,
    kIdMoneyAmount = 1299,
    kIdMoneyAmountSpin = 1300,

    kIdItemOperationDialog = 181,
    kIdItemChoice = 1306,

    kIdCompanionShopDialog = 183,
    kIdPartyChangeDialog = 184,
    kIdFriendChoice = 1310,

    // The amount of the item, companion-shop and party dialogs.
    kIdCountAmount = 1307,
    kIdCountAmountSpin = 1305,
};

// The names of a table's records from row 1 on (row 0 is never offered).
template <class Record>
std::vector<std::string> NamesFromRowOne(const CheckedVector<Record>& table)
{
    std::vector<std::string> names;
    for (int i = 1; i < table.Count(); ++i)
    {
        names.push_back(table.At(i).m_strName);
    }
    return names;
}

class MoneyOperationDialog : public EventActionDialog
{
public:
    explicit MoneyOperationDialog(const ActionEditContext& context);
};

// An amount of one record of a table: the item, companion-shop and party dialogs.
class CountOperationDialog : public EventActionDialog
{
public:
    const std::vector<std::string>& Names() const { return m_Names; }

protected:
    // Names are the table's names from row 1 on; the combo box is the one of that id.
    CountOperationDialog(int dialogId, const ActionEditContext& context, std::vector<std::string> names,
                         int comboId);

private:
    std::vector<std::string> m_Names;
};

class ItemOperationDialog : public CountOperationDialog
{
public:
    explicit ItemOperationDialog(const ActionEditContext& context);
};

class CompanionShopDialog : public CountOperationDialog
{
public:
    explicit CompanionShopDialog(const ActionEditContext& context);
};

class PartyChangeDialog : public CountOperationDialog
{
public:
    explicit PartyChangeDialog(const ActionEditContext& context);
};
