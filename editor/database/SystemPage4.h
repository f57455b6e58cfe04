#pragma once

// The tenth page of the database, "システム4" (dialog 191): the rest of the
// System.
//
// - Which commands the game's five menus offer: one check box per entry of
//   each menu list, bound to the entry itself. The placement menu's group
//   and boxes are never shown, but they are bound and stored like the rest,
//   so its entries keep their values.
// - The four music files (stage, battle, world map, title), each in a
//   read-only field with "参照" and "再生"; the preview plays until another
//   replaces it or the page's window goes.
// - Three name lists over working copies taken from the System: the
//   attributes (attribute 0 is never shown: row r is attribute r + 1; up to
//   99 shown, none required), the skill categories and the item categories
//   (1 to 99 each). "挿入" puts a blank entry before the selected row (at the
//   end on the trailing row), "削除" deletes the selected one, "編集" and a
//   double click open the entry in its dialog (SymbolEntryDialog); the keys
//   and the pop-up menus cut, copy, paste, insert and delete.
//
// Its save step commits the page into the System and writes System.dat; the
// sheet runs it after the other system pages' commit, so the file holds all four.

#include "editor/database/DatabasePage.h"
#include "editor/database/SymbolEntryDialog.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/TextEdit.h"

#include <memory>

enum : int
{
    kIdSystemPage4 = 191,
    kIdAttributeList = 1074,
    kIdAttributeInsert = 1067,
    kIdAttributeEdit = 1077,
    kIdAttributeDelete = 1069,
    kIdSkillCategoryList = 1073,
    kIdSkillCategoryInsert = 1066,
    kIdSkillCategoryEdit = 1076,
    kIdSkillCategoryDelete = 1068,
    kIdItemCategoryList = 1081,
    kIdItemCategoryInsert = 1082,
    kIdItemCategoryEdit = 1083,
    kIdItemCategoryDelete = 1084,
    kMusicSlotCount = 4,
    kMenuCommandCount = 31,
};

// A music slot's controls: the field, "参照" and "再生".
struct MusicSlotIds
{
    int m_nEdit;
    int m_nBrowse;
    int m_nPlay;
};
// Stage, battle, world map, title: the order of the System's music files.
inline constexpr MusicSlotIds kMusicSlots[kMusicSlotCount] = {
    {1284, 1285, 1286}, {1281, 1282, 1283}, {1278, 1279, 1280}, {1287, 1288, 1289}};

// The check boxes of the five menus, each menu's entries in order: formation,
// placement (hidden), map character, whole map, battle character.
inline constexpr int kMenuCommandIds[kMenuCommandCount] = {
    1027, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, // formation
    1044, 1046, 1047, 1048, 1049, 1050,                                     // placement
    1051, 1053, 1054, 1055, 1056,                                           // map character
    1063, 1065, 1070, 1071,                                                 // whole map
    1058, 1060, 1061, 1062,                                                 // battle character
};

class SystemPage4 : public DatabasePage
{
public:
    explicit SystemPage4(DatabaseSheet& sheet);
    ~SystemPage4() override;

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    // Commits the page into the System when its window exists, then writes
    // System.dat; a file that cannot be written goes into errors, 0 then.
    int Save(DatabaseSaveErrors& errors) override;

    // The file dialog for a slot's music; the field takes the file relative to the project folder.
    void BrowseBgm(int slot);
    // Plays the file the slot's field names; nothing for an empty one.
    void PlayBgm(int slot);

    ListBox<AttributeEntry>& Attributes() { return m_AttributeList; }
    ListBox<CategoryEntry>& SkillCategories() { return m_SkillCategoryList; }
    ListBox<CategoryEntry>& ItemCategories() { return m_ItemCategoryList; }
    // 0 while the skill categories are edited in the category dialog, 1 for the item categories.
    int CategorySelector() const { return m_nCategorySelector; }

protected:
    bool OnPageCommand(uintptr_t wParam, intptr_t lParam) override;
    // The window goes: the music preview stops.
    void OnPageDestroyed() override;

private:
    template <class Dialog, class Entry>
    void EditEntry(ListBox<Entry>& list, std::unique_ptr<Dialog>& holder, int dialogId);

    CheckedVector<AttributeEntry> m_Attributes;
    CheckedVector<CategoryEntry> m_SkillCategories;
    CheckedVector<CategoryEntry> m_ItemCategories;
    ListBox<AttributeEntry> m_AttributeList;
    ListBox<CategoryEntry> m_SkillCategoryList;
    ListBox<CategoryEntry> m_ItemCategoryList;
    CheckedVector<TextEdit> m_Music;
    CheckedVector<CheckBox> m_Commands;
    // Where a box goes whose entry a menu list lacks (a damaged file): shown, never stored.
    int32_t m_Spare[kMenuCommandCount] = {};
    std::unique_ptr<AttributeTypeDialog> m_pAttributeDialog;
    std::unique_ptr<CategoryTypeDialog> m_pCategoryDialog;
    int m_nCategorySelector = 0;
};
