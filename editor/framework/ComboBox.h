#pragma once

// A drop-down list bound to an int, and a check box bound to an int.
//
// The list's texts come from a fixed table of texts ending with an empty one
// (the data model's vocabulary tables) or from a vector the owner builds (the
// names of a table's records). The bound value is not the row itself: it is
// base value + row, or the value table's entry of the row, so that a list can
// start at any number or skip numbers. No selection stores base value - 1.

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"

#include <string>
#include <vector>

class ComboBox : public Control
{
public:
    ComboBox() : Control(kControlComboBox) {}

    // Takes the bound value and the item source and fills the list (keeping
    // the row chosen before when attached again); then the base value and the
    // value table. Nothing is selected on the first attach.
    void Attach(DialogBase* owner, const ComboBoxBinding& binding);

    // Selects the bound value's row; nothing when the value has none.
    void DataToControl() override;
    // Stores the selected row's value.
    void ControlToData() override;

    // The value of a row: the value table's entry, else base value + row (so
    // no selection, -1, gives base value - 1). A row outside the value table
    // is reported ("コンボボックスのPosToDataに失敗！") and gives -1.
    int32_t PosToData(int position) const;
    // The row of a value: its first entry in the value table (-1 when none),
    // else value - base value.
    int DataToPos(int32_t value) const;
    // The selected row's value, not stored.
    int32_t GetSelectedData() const;
    // Selects the row of the value.
    void SelectData(int32_t value);
    // Replace the item source and refill the list; the row chosen before (or,
    // with a value table, the bound value's row) stays selected. The bound
    // value is not changed.
    void SetItemVector(const std::vector<std::string>* items);
    void SetItemTable(const char* const* table);

    ComboBoxBinding& Binding() { return m_Binding; }
    int32_t Base() const { return m_nBase; }
    const std::vector<int32_t>* ValueTable() const { return m_pValueTable; }
    // The selected row, -1 when none.
    int CurSel() const;

private:
    // Empties the list, inserts the texts of the source and selects again:
    // with the value table the bound value's row, else the row chosen before.
    void Refill(const std::vector<int32_t>* values);
    // The row of the bound value in the value table, -1 when none.
    int BoundRowInTable(const std::vector<int32_t>& values) const;

    int32_t* m_pValue = nullptr;
    const char* const* m_pItemTable = nullptr;
    const std::vector<std::string>* m_pItemVector = nullptr;
    int32_t m_nBase = 0;
    const std::vector<int32_t>* m_pValueTable = nullptr;
    ComboBoxBinding m_Binding;
};

// Enables or disables the first combo box of the vector with that id; nothing when there is none.
void EnableComboBoxById(CheckedVector<ComboBox>& boxes, int id, int on);

class CheckBox : public Control
{
public:
    CheckBox() : Control(kControlCheckBox) {}

    void Attach(DialogBase* owner, const CheckBoxBinding& binding);
    // Checks the box as the bound value says (2: the third state of a box that has one).
    void DataToControl() override;
    // Stores 0 unchecked, 1 checked, 2 the third state; nothing while the box
    // is in the state that showed (or last stored) the bound value: a value
    // the box cannot show stays as it was given.
    void ControlToData() override;
    // The box's state as shown (0 without a window), not stored.
    int GetCheck() const;

    CheckBoxBinding& Binding() { return m_Binding; }

private:
    int32_t* m_pValue = nullptr;
    int m_nShownState = -1; // the state that showed or last stored the bound value; -1: none
    CheckBoxBinding m_Binding;
};
