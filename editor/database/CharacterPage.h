#pragma once

// What the friend page and the enemy page share: both edit a table of
// characters (record 0 never shown, the table brought to two records when
// the page is made) with the same fields: name, random name and random
// growth, class, level, the nine initial and final values, a weapon and an
// other equipment. Beside the values they show two computed columns: the
// values the character has at its level with its equipment (1097 .. 1105),
// and, under "参考値", what its class alone would give it (1106 ..).
//
// Each page also has a list of the current record's own entries (the
// friend's skills to learn, the enemy's battle AI), edited with "挿入",
// "編集" and "削除" through an entry dialog that is handed the entry it
// edits, and by the list's keys and pop-up menu (edit mode 1, set 2). Every
// change of the entries is written back into the working copy at once.
//
// The class and item names of the combo boxes are taken when the page is
// made and again after every save; before that they keep the old names.

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/DialogItems.h"
#include "editor/database/DatabaseTablePage.h"
#include "editor/database/EntryList.h"
#include "editor/database/ParameterIds.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

enum : int
{
    kIdCharacterName = 1044,
    kIdCharacterRandomName = 12076,
    kIdCharacterRandomGrowth = 1072,
    kIdCharacterClass = 1117,
    kIdCharacterLevel = 1116,
    kIdCharacterLevelSpin = 1064,
    kIdCharacterWeapon = 1114,
    kIdCharacterOther = 1115,
    // The entry lists' shortcut table and pop-up menu (edit mode 1, set 2).
    kEntryListAccelerators = 130,
    kEntryListPopup = 169,
};

// The names of the records of a table from the first one given on, in table order.
template <class Record> std::vector<std::string> RecordNames(const CheckedVector<Record>& table, int first)
{
    std::vector<std::string> names;
    for (int i = first; i < table.Count(); ++i)
    {
        names.push_back(table.At(i).m_strName);
    }
    return names;
}

template <class T, class Entry, class EntryDialog> class CharacterPage : public DatabaseTablePage<T>
{
    using Base = DatabaseTablePage<T>;

public:
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    ListBox<Entry>& Entries() { return m_Entries; }
    const std::vector<std::string>& ClassItems() const { return m_ClassItems; }
    const std::vector<std::string>& ItemItems() const { return m_WeaponItems; }
    // The entry dialog while it runs; null otherwise.
    EntryDialog* RunningEntryDialog() const { return m_pEntryDialog.get(); }

    // The class and item names of the combo boxes from the tables as they are now.
    void FillChoiceLists();
    // The two computed columns of the current record. Nothing changes when
    // its class is 0 or not in the class table.
    void ShowReferenceValues();

protected:
    CharacterPage(int dialogId, DatabaseSheet& sheet, CheckedVector<T>& table, int listId, DataFilePathIndex file,
                  typename Base::RowText rowText, CheckedVector<Entry> T::*entries, const EntryListShape& shape,
                  typename ListBoxBinding<Entry>::RowText entryRowText);

    // After a save the working copy and the names come from the saved tables.
    void OnSetActive() override;
    bool OnTableCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnListCommandDone(uintptr_t wParam) override;
    void OnRecordShown() override { ShowReferenceValues(); }
    // Every control but the lists; a class or item the combo boxes have no row for is kept.
    void StoreFields() override;
    // Each record checked against the tables, and its slots marked equipped
    // exactly where they hold an item, so the file says what it holds.
    void PrepareForSave() override;

    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<CheckBox> m_Checks;
    CheckedVector<ComboBox> m_Combos; // class, weapon, other equipment

private:
    // The current record into the working copy at a real selected row, and the rows again.
    void StoreCurrent();
    bool IsEntryListCommand(int id) const;

    std::vector<std::string> m_ClassItems;
    std::vector<std::string> m_WeaponItems;
    std::vector<std::string> m_OtherItems;
    ListBox<Entry> m_Entries;
    EntryListShape m_EntryShape;
    std::unique_ptr<EntryDialog> m_pEntryDialog;
};

template <class T, class Entry, class EntryDialog>
CharacterPage<T, Entry, EntryDialog>::CharacterPage(int dialogId, DatabaseSheet& sheet, CheckedVector<T>& table,
                                                    int listId, DataFilePathIndex file, typename Base::RowText rowText,
                                                    CheckedVector<Entry> T::*entries, const EntryListShape& shape,
                                                    typename ListBoxBinding<Entry>::RowText entryRowText)
    : Base(dialogId, sheet, FillTable(table, 2), typename Base::Shape{listId, 1, 1, 999, file, &T::m_nHead},
           std::move(rowText)),
      m_EntryShape(shape)
{
    T& current = this->m_Current;
    FillChoiceLists();
    m_Entries.Binding().Set(shape.m_nList, nullptr, &(current.*entries), nullptr, 0, 0, shape.m_nMaximum, 0, 1, 0,
                            std::move(entryRowText));
    m_Numbers.resize(1 + 2 * kParameterCount);
    m_Numbers.At(0).Binding().Set(kIdCharacterLevel, &current.m_nLevel, 1, 99, 0, kIdCharacterLevelSpin, 1);
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Numbers.At(1 + k).Binding().Set(kParameterInitialIds[k], &current.m_nInitInput[k], 0, kMaxParameterValue, 0,
                                          kParameterInitialSpins[k], 1);
        m_Numbers.At(1 + kParameterCount + k)
            .Binding()
            .Set(kParameterFinalIds[k], &current.m_nFinalInput[k], 0, kMaxParameterValue, 0, kParameterFinalSpins[k],
                 1);
    }
    m_Texts.emplace_back().Binding().Set(kIdCharacterName, &current.m_strName, 12, 1);
    m_Checks.emplace_back().Binding().Set(kIdCharacterRandomName, &current.m_bRandomName);
    m_Checks.emplace_back().Binding().Set(kIdCharacterRandomGrowth, &current.m_bRandomGrowth);
    m_Combos.resize(3);
    m_Combos.At(0).Binding().Set(kIdCharacterClass, &current.m_nClass, &m_ClassItems, 1, nullptr);
    m_Combos.At(1).Binding().Set(kIdCharacterWeapon, &current.m_Equip[0].m_nItem, &m_WeaponItems, 0, nullptr);
    m_Combos.At(2).Binding().Set(kIdCharacterOther, &current.m_Equip[1].m_nItem, &m_OtherItems, 0, nullptr);
}

template <class T, class Entry, class EntryDialog>
int CharacterPage<T, Entry, EntryDialog>::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    this->AttachRecordList();
    m_Entries.Attach(this, m_Entries.Binding());
    this->BindControl(&m_Entries);
    m_Entries.SetAcceleratorsAndMenu(kEntryListAccelerators, kEntryListPopup, 1, 2);
    this->AttachBound(m_Numbers, m_Texts, m_Checks, m_Combos);
    m_Entries.SetCurSel(0, 0);
    this->FinishInitDialog();
    return 0;
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::FillChoiceLists()
{
    m_ClassItems = RecordNames(ClassTable, 1);
    m_WeaponItems = RecordNames(ItemTable, 1);
    m_WeaponItems.insert(m_WeaponItems.begin(), "なし");
    m_OtherItems = m_WeaponItems;
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::ShowReferenceValues()
{
    T& current = this->m_Current;
    if (current.m_nClass == 0 || !IsTableIndex(current.m_nClass, ClassTable.Count()))
    {
        return;
    }
    for (EquipmentSlot& slot : current.m_Equip)
    {
        slot.SetItem(slot.m_nItem);
    }
    // The computation starts again at level 1; the level stays what the author entered.
    const int32_t level = current.m_nLevel;
    current.ComputeReferenceValues();
    current.m_nLevel = level;
    T byClass = current;
    std::fill(std::begin(byClass.m_nInitInput), std::end(byClass.m_nInitInput), 0);
    std::fill(std::begin(byClass.m_nFinalInput), std::end(byClass.m_nFinalInput), 0);
    byClass.ComputeReferenceValues();
    if (!this->Handle())
    {
        return;
    }
    for (int k = 0; k < kParameterCount; ++k)
    {
        std::string text;
        FormatString(text, "%3d", current.m_Param[k].m_nValue);
        SetDlgItemString(this->Handle(), kCharacterValueIds[k], text);
        FormatString(text, "%3d", byClass.m_Param[k].m_nValue);
        SetDlgItemString(this->Handle(), kCharacterReferenceIds[k], text);
    }
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::OnSetActive()
{
    if (this->m_bReload)
    {
        // The saved records, checked against the saved tables, before the current one is taken from them.
        this->m_Working = this->Table();
        this->LoadSelected();
        FillChoiceLists();
        if (this->Handle())
        {
            m_Combos.At(0).SetItemVector(&m_ClassItems);
            m_Combos.At(1).SetItemVector(&m_WeaponItems);
            m_Combos.At(2).SetItemVector(&m_OtherItems);
        }
    }
    Base::OnSetActive();
    ShowReferenceValues();
}

template <class T, class Entry, class EntryDialog>
bool CharacterPage<T, Entry, EntryDialog>::OnTableCommand(uintptr_t wParam, intptr_t)
{
    if (RunEntryListCommand(m_Entries, m_pEntryDialog, m_EntryShape, this->Owner(), wParam))
    {
        StoreCurrent();
    }
    return true;
}

template <class T, class Entry, class EntryDialog>
bool CharacterPage<T, Entry, EntryDialog>::IsEntryListCommand(int id) const
{
    auto has = [id](const ListCommandIds& ids)
    { return id != 0 && std::find(ids.begin(), ids.end(), id) != ids.end(); };
    return has(m_Entries.ShortcutIds()) || has(m_Entries.PopupIds());
}

template <class T, class Entry, class EntryDialog>
void CharacterPage<T, Entry, EntryDialog>::OnListCommandDone(uintptr_t wParam)
{
    if (IsEntryListCommand(platform::LowWord(wParam)))
    {
        m_Entries.Refill();
        StoreCurrent();
        return;
    }
    Base::OnListCommandDone(wParam);
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::StoreFields()
{
    T& current = this->m_Current;
    int32_t* kept[3] = {&current.m_nClass, &current.m_Equip[0].m_nItem, &current.m_Equip[1].m_nItem};
    int32_t before[3] = {*kept[0], *kept[1], *kept[2]};
    this->ControlsToDataExceptLists();
    for (int i = 0; i < 3; ++i)
    {
        if (m_Combos.At(i).CurSel() == -1)
        {
            *kept[i] = before[i];
        }
    }
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::PrepareForSave()
{
    Base::PrepareForSave();
    // The global table too, for a page whose working copy does not replace it (never shown).
    for (CheckedVector<T>* records : {&this->m_Working, &this->Table()})
    {
        for (T& record : *records)
        {
            record.Validate();
            for (EquipmentSlot& slot : record.m_Equip)
            {
                slot.SetItem(slot.m_nItem);
            }
        }
    }
}

template <class T, class Entry, class EntryDialog> void CharacterPage<T, Entry, EntryDialog>::StoreCurrent()
{
    if (this->m_List.GetDataPos() != -1)
    {
        this->m_List.StoreBack();
        this->m_List.EndUpdate();
    }
}
